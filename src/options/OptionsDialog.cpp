#include "options/OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <tuple>

#include "core/ProgramFolder.h"
#include "options/ColorPicker.h"
#include "options/OptionsPrompts.h"
#include "options/V3PassphraseKeeper.h"

namespace pulsewell {

namespace {

// The page control fills the upper part; the buttons stand below it at the
// right. The device information view puts its memo where the pages are.
// The pages and the buttons as the smaller layout has them; the SNMPv3
// fields add their height to the pages and move the buttons down.
constexpr QRect kPagesGeometry(0, 0, 352, 209);
constexpr QRect kOkGeometry(188, 216, 75, 25);
constexpr QRect kCancelGeometry(269, 216, 75, 25);
constexpr QRect kDeviceInfoGeometry(0, 0, 351, 209);
constexpr QRect kDeviceInfoOkGeometry(269, 216, 75, 25);
// Inside a tab page.
constexpr QRect kTabGroupGeometry(4, 4, 340, 172);
constexpr int kEditHeight = 22;
// The "Other" tab's groups use the page's whole width for the long radio captions.
constexpr int kOtherGroupLeft = 2;
constexpr int kOtherGroupWidth = 344;

QLineEdit* AddEdit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    return edit;
}

ColorPicker* AddPicker(QWidget* parent, const char* name, int y) {
    auto* picker = new ColorPicker(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setGeometry(168, y, 164, kEditHeight);
    return picker;
}

template <typename T>
T* AddButtonLike(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* control = new T(text, parent);
    control->setGeometry(geometry);
    return control;
}

}  // namespace

TForm3::TForm3(OptionsTarget& monitor, OptionsPrompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      prompts_(prompts),
      options_(*this, monitor) {
    setFixedSize(kClientWidth, kClientHeight);
    setWindowModality(Qt::ApplicationModal);

    pages_ = new QTabWidget(this);
    pages_->setGeometry(kPagesGeometry);
    pages_->addTab(BuildThresholdsTab(), QStringLiteral("Thresholds"));
    pages_->addTab(BuildAlarmsTab(), QStringLiteral("Alarms"));
    pages_->addTab(BuildOtherTab(), QStringLiteral("Other"));

    okButton_ = AddButtonLike<QPushButton>(this, QStringLiteral("OK"), kOkGeometry);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &TForm3::accept);
    cancelButton_ = AddButtonLike<QPushButton>(this, QStringLiteral("Cancel"), kCancelGeometry);
    connect(cancelButton_, &QPushButton::clicked, this, &TForm3::reject);

    // Wraps long lines on screen only; the export writes each line whole.
    deviceInfoMemo_ = new QPlainTextEdit(this);
    deviceInfoMemo_->setObjectName(QStringLiteral("deviceInfoMemo"));
    deviceInfoMemo_->setGeometry(kDeviceInfoGeometry);
    deviceInfoMemo_->setReadOnly(true);
    deviceInfoMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    deviceInfoMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont small = deviceInfoMemo_->font();  // the report's fifteen lines fit at 8 points
    small.setPointSize(8);
    deviceInfoMemo_->setFont(small);
    deviceInfoOkButton_ =
        AddButtonLike<QPushButton>(this, QStringLiteral("OK"), kDeviceInfoOkGeometry);
    deviceInfoOkButton_->setObjectName(QStringLiteral("deviceInfoOkButton"));
    connect(deviceInfoOkButton_, &QPushButton::clicked, this, [this] {
        deviceInfoOkButton_->hide();
        done(QDialog::Accepted);
    });

    ShowFields(TOptionsFields{});
    ApplyLayout(Layout::Options);
    options_.LoadDialog();
}

QWidget* TForm3::BuildThresholdsTab() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Utilization thresholds"), page);
    group->setGeometry(kTabGroupGeometry);
    AddButtonLike<QLabel>(group, QStringLiteral("High value in % :"), QRect(10, 30, 106, 16));
    highValueEdit_ = AddEdit(group, "highValueEdit", QRect(118, 27, 40, kEditHeight));
    highColor_ = AddPicker(group, "highColorPicker", 27);
    normalColor_ = AddPicker(group, "normalColorPicker", 67);
    AddButtonLike<QLabel>(group, QStringLiteral("Low value in % :"), QRect(10, 110, 106, 16));
    lowValueEdit_ = AddEdit(group, "lowValueEdit", QRect(118, 107, 40, kEditHeight));
    lowColor_ = AddPicker(group, "lowColorPicker", 107);
    return page;
}

QWidget* TForm3::BuildAlarmsTab() {
    auto* page = new QWidget;
    // The alarms leave room under them for the history switch: the readings
    // around an alarm are what the history keeps whole.
    auto* group = new QGroupBox(QStringLiteral("Threshold alarms"), page);
    group->setGeometry(kTabGroupGeometry.adjusted(0, 0, 0, -26));
    keepHistory_ = AddButtonLike<QCheckBox>(page, QStringLiteral("Keep a history of the readings"),
                                            QRect(10, kTabGroupGeometry.bottom() - 18, 330, 18));
    keepHistory_->setObjectName(QStringLiteral("keepHistoryCheck"));
    struct Alarm {
        const char* caption;
        const char* editName;
        const char* buttonName;
        QCheckBox** check;
        QLineEdit** edit;
        int top;
    };
    // The upper "..." fills the low alarm's file, the lower one the high alarm's.
    const Alarm alarms[] = {
        {"Low threshold sound alarm", "lowAlarmFileEdit", "lowAlarmFileButton", &lowAlarm_,
         &lowAlarmFile_, 24},
        {"High threshold sound alarm", "highAlarmFileEdit", "highAlarmFileButton", &highAlarm_,
         &highAlarmFile_, 90},
    };
    for (const Alarm& alarm : alarms) {
        *alarm.check = AddButtonLike<QCheckBox>(group, QString::fromLatin1(alarm.caption),
                                                QRect(10, alarm.top, 320, 18));
        QLineEdit* edit =
            AddEdit(group, alarm.editName, QRect(10, alarm.top + 24, 290, kEditHeight));
        *alarm.edit = edit;
        auto* browse = AddButtonLike<QPushButton>(group, QStringLiteral("..."),
                                                  QRect(304, alarm.top + 24, 28, kEditHeight));
        browse->setObjectName(QString::fromLatin1(alarm.buttonName));
        connect(browse, &QPushButton::clicked, this, [this, edit] { ChooseSoundFile(edit); });
    }
    return page;
}

QWidget* TForm3::BuildOtherTab() {
    // Three groups without caption, one under the other, of two choices each.
    auto* page = new QWidget;
    const auto addChoices = [page](int top, const QString& first, const QString& second) {
        auto* group = new QGroupBox(page);
        group->setGeometry(kOtherGroupLeft, top, kOtherGroupWidth, 50);
        return std::pair{AddButtonLike<QRadioButton>(group, first, QRect(6, 6, 336, 18)),
                         AddButtonLike<QRadioButton>(group, second, QRect(6, 27, 336, 18))};
    };
    std::tie(stopOnErrors_, continueOnErrors_) =
        addChoices(2, QStringLiteral("Stop polling when errors occur"),
                   QStringLiteral("Continue polling with zero values when errors occur"));
    connect(stopOnErrors_, &QRadioButton::clicked, this,
            [this] { options_.ChooseErrorPolicy(false); });
    connect(continueOnErrors_, &QRadioButton::clicked, this,
            [this] { options_.ChooseErrorPolicy(true); });
    std::tie(showBytes_, showBits_) = addChoices(54, QStringLiteral("Show octet (byte) values"),
                                                 QStringLiteral("Show bit values"));
    std::tie(snmpV1_, snmpV2c_) = addChoices(106, QStringLiteral("SNMPv1 (32-bit counters)"),
                                             QStringLiteral("SNMPv2c (64-bit counters)"));
    // SNMPv3 under the two versions, its fields in a group of their own below.
    QWidget* versions = snmpV1_->parentWidget();
    versions->resize(kOtherGroupWidth, 72);
    snmpV3_ = AddButtonLike<QRadioButton>(versions, QStringLiteral("SNMPv3 (64-bit counters)"),
                                          QRect(6, 48, 336, 18));
    snmpV3_->setObjectName(QStringLiteral("snmpV3Radio"));
    for (QRadioButton* version : {snmpV1_, snmpV2c_, snmpV3_}) {
        connect(version, &QRadioButton::toggled, this, [this] { UpdateV3Controls(); });
    }
    v3Group_ = BuildV3Group(page, QRect(kOtherGroupLeft, 182, kOtherGroupWidth, 164));
    return page;
}

QGroupBox* TForm3::BuildV3Group(QWidget* page, const QRect& geometry) {
    auto* group = new QGroupBox(QStringLiteral("SNMPv3"), page);
    group->setObjectName(QStringLiteral("snmpV3Group"));
    group->setGeometry(geometry);
    const auto addLabel = [group](const QString& text, int x, int y, int w) {
        AddButtonLike<QLabel>(group, text, QRect(x, y + 3, w, 16));
    };
    const auto addCombo = [group](const char* name, int x, int y, int w) {
        auto* combo = new QComboBox(group);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setGeometry(x, y, w, kEditHeight);
        return combo;
    };
    const auto addPassphrase = [group](const char* name, int y) {
        QLineEdit* edit = AddEdit(group, name, QRect(190, y, 146, kEditHeight));
        edit->setEchoMode(QLineEdit::Password);
        edit->setPlaceholderText(QStringLiteral("passphrase"));
        return edit;
    };
    addLabel(QStringLiteral("User:"), 8, 20, 90);
    v3User_ = AddEdit(group, "snmpV3UserEdit", QRect(100, 20, 86, kEditHeight));
    addLabel(QStringLiteral("Context:"), 192, 20, 52);
    v3Context_ = AddEdit(group, "snmpV3ContextEdit", QRect(246, 20, 90, kEditHeight));
    addLabel(QStringLiteral("Security level:"), 8, 46, 90);
    v3Level_ = addCombo("snmpV3LevelCombo", 100, 46, 110);
    for (const auto level :
         {snmp::TV3Flags::NoAuthNoPriv, snmp::TV3Flags::AuthNoPriv, snmp::TV3Flags::AuthPriv}) {
        v3Level_->addItem(SecurityLevelText(level), static_cast<int>(level));
    }
    addLabel(QStringLiteral("Authentication:"), 8, 72, 90);
    v3AuthProtocol_ = addCombo("snmpV3AuthProtocolCombo", 100, 72, 86);
    for (const snmp::TV3Auth protocol : AuthProtocols()) {
        v3AuthProtocol_->addItem(AuthProtocolText(protocol), static_cast<int>(protocol));
    }
    v3AuthPassphrase_ = addPassphrase("snmpV3AuthPassphraseEdit", 72);
    addLabel(QStringLiteral("Privacy:"), 8, 98, 90);
    v3PrivProtocol_ = addCombo("snmpV3PrivProtocolCombo", 100, 98, 86);
    for (const snmp::TV3Priv protocol : PrivProtocols()) {
        v3PrivProtocol_->addItem(PrivProtocolText(protocol), static_cast<int>(protocol));
    }
    v3PrivPassphrase_ = addPassphrase("snmpV3PrivPassphraseEdit", 98);
    showPassphrases_ =
        AddButtonLike<QCheckBox>(group, QStringLiteral("show passphrases"), QRect(8, 122, 160, 20));
    showPassphrases_->setObjectName(QStringLiteral("showPassphrasesCheck"));
    connect(showPassphrases_, &QCheckBox::toggled, this, [this](bool shown) {
        for (QLineEdit* edit : {v3AuthPassphrase_, v3PrivPassphrase_}) {
            edit->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        }
    });
    keyringNote_ = AddButtonLike<QLabel>(
        group, QStringLiteral("No keyring reachable: the passphrases are kept for this run only."),
        QRect(8, 144, 328, 16));
    keyringNote_->setObjectName(QStringLiteral("keyringNote"));
    QFont small = keyringNote_->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    keyringNote_->setFont(small);
    connect(v3Level_, &QComboBox::currentIndexChanged, this, [this] { UpdateV3Controls(); });
    return group;
}

void TForm3::UpdateV3Controls() {
    if (v3Group_ == nullptr) {
        return;  // still being built
    }
    const bool v3 = snmpV3_->isChecked();
    const auto level = static_cast<snmp::TV3Flags>(v3Level_->currentData().toInt());
    v3Group_->setEnabled(v3);
    v3Group_->setVisible(v3);
    const bool auth = level != snmp::TV3Flags::NoAuthNoPriv;
    const bool priv = level == snmp::TV3Flags::AuthPriv;
    v3AuthProtocol_->setEnabled(auth);
    v3AuthPassphrase_->setEnabled(auth);
    v3PrivProtocol_->setEnabled(priv);
    v3PrivPassphrase_->setEnabled(priv);
    keyringNote_->setVisible(keeper_ == nullptr || !keeper_->KeyringReachable());
    FitOptionsLayout();
}

void TForm3::FitOptionsLayout() {
    if (!showingOptions_) {
        return;
    }
    const int extra = snmpV3_->isChecked() ? kV3ClientHeight - kClientHeight : 0;
    setFixedSize(kClientWidth, kClientHeight + extra);
    pages_->setGeometry(kPagesGeometry.adjusted(0, 0, 0, extra));
    okButton_->setGeometry(kOkGeometry.translated(0, extra));
    cancelButton_->setGeometry(kCancelGeometry.translated(0, extra));
}

void TForm3::ApplyLayout(Layout layout) {
    switch (layout) {
        case Layout::Options:
            showingOptions_ = true;
            FitOptionsLayout();
            setWindowTitle(QStringLiteral("Options"));
            pages_->show();
            okButton_->show();
            cancelButton_->show();
            deviceInfoMemo_->hide();
            deviceInfoOkButton_->hide();
            break;
        case Layout::DeviceInfo:
            showingOptions_ = false;
            setFixedSize(kClientWidth, kClientHeight);
            setWindowTitle(QStringLiteral("Device Info"));
            deviceInfoMemo_->show();
            deviceInfoMemo_->raise();
            okButton_->hide();
            cancelButton_->hide();
            deviceInfoOkButton_->show();
            break;
    }
}

void TForm3::ShowOptions() {
    ApplyLayout(Layout::Options);
    show();
    raise();
    activateWindow();
}

void TForm3::ShowDeviceInfo(const QStringList& report) {
    deviceInfoMemo_->setPlainText(report.join(u'\n'));
    ApplyLayout(Layout::DeviceInfo);
    show();
    raise();
    activateWindow();
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        options_.LoadDialog();
        shownV3_ = Fields().V3;
        showPassphrases_->setChecked(false);  // shown only while asked for
        (okButton_->isVisible() ? okButton_ : deviceInfoOkButton_)->setFocus();
    }
}

void TForm3::accept() {
    const SnmpV3Security accepted = Fields().V3;
    if (options_.AcceptOptions()) {
        KeepPassphrases(shownV3_, accepted);
        shownV3_ = accepted;
        QDialog::accept();
    }
}

void TForm3::KeepPassphrases(const SnmpV3Security& shown, const SnmpV3Security& accepted) {
    const bool changed = accepted.User != shown.User ||
                         accepted.AuthPassphrase != shown.AuthPassphrase ||
                         accepted.PrivPassphrase != shown.PrivPassphrase;
    if (keeper_ == nullptr || accepted.User.isEmpty() || !changed) {
        return;
    }
    QPointer<TForm3> self(this);
    keeper_->Keep(accepted.User, {accepted.AuthPassphrase, accepted.PrivPassphrase}, [self](bool) {
        if (self) {
            self->UpdateV3Controls();
        }
    });
}

void TForm3::reject() {
    if (options_.CancelOptions()) {
        QDialog::reject();
    }
}

void TForm3::ChooseSoundFile(QLineEdit* edit) {
    const QString path = prompts_.OpenWaveFile(this, ProgramFolder());
    if (path.isEmpty()) {
        return;
    }
    if (Options::IsWavePath(path)) {
        edit->setText(path);
    } else {
        prompts_.ShowInformation(QStringLiteral("Please select a wave file (*.wav)!"));
    }
}

TOptionsFields TForm3::Fields() const {
    TOptionsFields fields;
    fields.Alarms.HighValue = highValueEdit_->text();
    fields.Alarms.LowValue = lowValueEdit_->text();
    fields.Alarms.HighAlarm = highAlarm_->isChecked();
    fields.Alarms.LowAlarm = lowAlarm_->isChecked();
    fields.Alarms.HighAlarmFile = highAlarmFile_->text();
    fields.Alarms.LowAlarmFile = lowAlarmFile_->text();
    fields.HighColor = highColor_->Color();
    fields.NormalColor = normalColor_->Color();
    fields.LowColor = lowColor_->Color();
    fields.ShowBytes = showBytes_->isChecked();
    fields.ContinueWithZeroes = continueOnErrors_->isChecked();
    fields.KeepHistory = keepHistory_->isChecked();
    fields.Version = snmpV3_->isChecked()    ? SnmpVersion::V3
                     : snmpV2c_->isChecked() ? SnmpVersion::V2c
                                             : SnmpVersion::V1;
    fields.V3.User = v3User_->text();
    fields.V3.Context = v3Context_->text();
    fields.V3.Level = static_cast<snmp::TV3Flags>(v3Level_->currentData().toInt());
    fields.V3.AuthProtocol = static_cast<snmp::TV3Auth>(v3AuthProtocol_->currentData().toInt());
    fields.V3.AuthPassphrase = v3AuthPassphrase_->text();
    fields.V3.PrivProtocol = static_cast<snmp::TV3Priv>(v3PrivProtocol_->currentData().toInt());
    fields.V3.PrivPassphrase = v3PrivPassphrase_->text();
    return fields;
}

void TForm3::ShowFields(const TOptionsFields& fields) {
    highValueEdit_->setText(fields.Alarms.HighValue);
    lowValueEdit_->setText(fields.Alarms.LowValue);
    highAlarm_->setChecked(fields.Alarms.HighAlarm);
    lowAlarm_->setChecked(fields.Alarms.LowAlarm);
    highAlarmFile_->setText(fields.Alarms.HighAlarmFile);
    lowAlarmFile_->setText(fields.Alarms.LowAlarmFile);
    highColor_->SetColor(fields.HighColor);
    normalColor_->SetColor(fields.NormalColor);
    lowColor_->SetColor(fields.LowColor);
    (fields.ShowBytes ? showBytes_ : showBits_)->setChecked(true);
    (fields.ContinueWithZeroes ? continueOnErrors_ : stopOnErrors_)->setChecked(true);
    keepHistory_->setChecked(fields.KeepHistory);
    QRadioButton* const versions[] = {snmpV1_, snmpV2c_, snmpV3_};
    versions[static_cast<int>(fields.Version)]->setChecked(true);
    v3User_->setText(fields.V3.User);
    v3Context_->setText(fields.V3.Context);
    v3Level_->setCurrentIndex(v3Level_->findData(static_cast<int>(fields.V3.Level)));
    v3AuthProtocol_->setCurrentIndex(
        v3AuthProtocol_->findData(static_cast<int>(fields.V3.AuthProtocol)));
    v3AuthPassphrase_->setText(fields.V3.AuthPassphrase);
    v3PrivProtocol_->setCurrentIndex(
        v3PrivProtocol_->findData(static_cast<int>(fields.V3.PrivProtocol)));
    v3PrivPassphrase_->setText(fields.V3.PrivPassphrase);
    UpdateV3Controls();
}

void TForm3::SelectThresholdsTab() {
    pages_->setCurrentIndex(0);
}

void TForm3::ShowError(const QString& message) {
    prompts_.ShowError(this, message);
}

}  // namespace pulsewell
