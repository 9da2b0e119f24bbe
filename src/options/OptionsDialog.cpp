#include "OptionsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <tuple>

#include "ColorPicker.h"
#include "OptionsPrompts.h"
#include "ProgramFolder.h"

namespace pulsewell {

namespace {

// The page control fills the upper part; the buttons stand below it at the
// right. The device information view puts its memo where the pages are.
constexpr QRect kPagesGeometry(0, 0, 352, 209);
constexpr QRect kOkGeometry(188, 216, 75, 25);
constexpr QRect kCancelGeometry(269, 216, 75, 25);
constexpr QRect kDeviceInfoGeometry(0, 0, 351, 209);
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
    deviceInfoOkButton_ = AddButtonLike<QPushButton>(this, QStringLiteral("OK"), kCancelGeometry);
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
    auto* group = new QGroupBox(QStringLiteral("Threshold alarms"), page);
    group->setGeometry(kTabGroupGeometry);
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
        group->setGeometry(kOtherGroupLeft, top, kOtherGroupWidth, 54);
        return std::pair{AddButtonLike<QRadioButton>(group, first, QRect(6, 8, 336, 18)),
                         AddButtonLike<QRadioButton>(group, second, QRect(6, 30, 336, 18))};
    };
    std::tie(stopOnErrors_, continueOnErrors_) =
        addChoices(4, QStringLiteral("Stop polling when errors occur"),
                   QStringLiteral("Continue polling with zero values when errors occur"));
    connect(stopOnErrors_, &QRadioButton::clicked, this,
            [this] { options_.ChooseErrorPolicy(false); });
    connect(continueOnErrors_, &QRadioButton::clicked, this,
            [this] { options_.ChooseErrorPolicy(true); });
    std::tie(showBytes_, showBits_) = addChoices(62, QStringLiteral("Show octet (byte) values"),
                                                 QStringLiteral("Show bit values"));
    std::tie(snmpV1_, snmpV2c_) = addChoices(120, QStringLiteral("SNMPv1 (32-bit counters)"),
                                             QStringLiteral("SNMPv2c (64-bit counters)"));
    return page;
}

void TForm3::ApplyLayout(Layout layout) {
    switch (layout) {
        case Layout::Options:
            setWindowTitle(QStringLiteral("Options"));
            pages_->show();
            okButton_->show();
            cancelButton_->show();
            deviceInfoMemo_->hide();
            deviceInfoOkButton_->hide();
            break;
        case Layout::DeviceInfo:
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
        (okButton_->isVisible() ? okButton_ : deviceInfoOkButton_)->setFocus();
    }
}

void TForm3::accept() {
    if (options_.AcceptOptions()) {
        QDialog::accept();
    }
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
    fields.Version = snmpV2c_->isChecked() ? SnmpVersion::V2c : SnmpVersion::V1;
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
    (fields.Version == SnmpVersion::V2c ? snmpV2c_ : snmpV1_)->setChecked(true);
}

void TForm3::SelectThresholdsTab() {
    pages_->setCurrentIndex(0);
}

void TForm3::ShowError(const QString& message) {
    prompts_.ShowError(this, message);
}

}  // namespace pulsewell
