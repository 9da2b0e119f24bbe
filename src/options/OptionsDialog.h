#pragma once

#include <QDialog>
#include <QStringList>

#include "core/settings/Options.h"
#include "core/settings/OptionsView.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace pulsewell {

class ColorPicker;
class OptionsPrompts;
class V3PassphraseKeeper;

// The options dialog: lives as long as the program, shown modally from the
// main window's "Tools" menu. Its controls hold the thresholds, alarm
// switches and sound files that the poll reads. Named as the program has
// always named it.
class TForm3 : public QDialog, public OptionsView {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 352;
    static constexpr int kClientHeight = 249;
    // While SNMPv3 is chosen the options layout grows by its fields, which
    // the "Other" tab shows under the versions.
    static constexpr int kV3ClientHeight = 417;

    // Fills the controls from the store at once, as the dialog is created.
    TForm3(OptionsTarget& monitor, OptionsPrompts& prompts, QWidget* parent);

    // "Options" of the "Tools" menu: the options layout, shown modally.
    void ShowOptions();
    // "Show device info" of the "File" menu: the report in the memo, shown modally.
    void ShowDeviceInfo(const QStringList& report);
    // Where OK keeps the SNMPv3 passphrases (the desktop's keyring); without
    // one they hold for this run only.
    void SetPassphraseKeeper(V3PassphraseKeeper& keeper) { keeper_ = &keeper; }

    // OptionsView
    TOptionsFields Fields() const override;
    void ShowFields(const TOptionsFields& fields) override;
    void SelectThresholdsTab() override;
    void ShowError(const QString& message) override;

  public slots:
    // OK and Cancel (Escape); each closes the dialog only when it ran through.
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Which controls the dialog shows, and its caption.
    enum class Layout { Options, DeviceInfo };

    void ApplyLayout(Layout layout);
    QWidget* BuildThresholdsTab();
    QWidget* BuildAlarmsTab();
    QWidget* BuildOtherTab();
    QGroupBox* BuildV3Group(QWidget* page, const QRect& geometry);
    // Fields that the chosen version and level leave without use are disabled.
    void UpdateV3Controls();
    // The options layout's size: taller only while SNMPv3 is chosen.
    void FitOptionsLayout();
    // After OK: the passphrases go to the keeper when they changed.
    void KeepPassphrases(const SnmpV3Security& shown, const SnmpV3Security& accepted);
    void ChooseSoundFile(QLineEdit* edit);

    OptionsPrompts& prompts_;
    Options options_;

    QTabWidget* pages_ = nullptr;
    QLineEdit* highValueEdit_ = nullptr;
    QLineEdit* lowValueEdit_ = nullptr;
    ColorPicker* highColor_ = nullptr;
    ColorPicker* normalColor_ = nullptr;
    ColorPicker* lowColor_ = nullptr;
    QCheckBox* lowAlarm_ = nullptr;
    QLineEdit* lowAlarmFile_ = nullptr;
    QCheckBox* highAlarm_ = nullptr;
    QLineEdit* highAlarmFile_ = nullptr;
    QRadioButton* stopOnErrors_ = nullptr;
    QRadioButton* continueOnErrors_ = nullptr;
    QRadioButton* showBytes_ = nullptr;
    QRadioButton* showBits_ = nullptr;
    QRadioButton* snmpV1_ = nullptr;
    QRadioButton* snmpV2c_ = nullptr;
    QRadioButton* snmpV3_ = nullptr;
    QGroupBox* v3Group_ = nullptr;
    QCheckBox* keepHistory_ = nullptr;
    QLineEdit* v3User_ = nullptr;
    QLineEdit* v3Context_ = nullptr;
    QComboBox* v3Level_ = nullptr;
    QComboBox* v3AuthProtocol_ = nullptr;
    QLineEdit* v3AuthPassphrase_ = nullptr;
    QComboBox* v3PrivProtocol_ = nullptr;
    QLineEdit* v3PrivPassphrase_ = nullptr;
    QCheckBox* showPassphrases_ = nullptr;
    QLabel* keyringNote_ = nullptr;
    V3PassphraseKeeper* keeper_ = nullptr;
    // The SNMPv3 fields as the dialog showed them when it opened.
    SnmpV3Security shownV3_;
    bool showingOptions_ = false;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPlainTextEdit* deviceInfoMemo_ = nullptr;
    // Closes the device information without storing the options.
    QPushButton* deviceInfoOkButton_ = nullptr;
};

}  // namespace pulsewell
