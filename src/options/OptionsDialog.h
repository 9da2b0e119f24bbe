#pragma once

#include <QDialog>
#include <QStringList>

#include "Options.h"
#include "OptionsView.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace pulsewell {

class ColorPicker;
class OptionsPrompts;

// The options dialog: lives as long as the program, shown modally from the
// main window's "Tools" menu. Its controls hold the thresholds, alarm
// switches and sound files that the poll reads. Named as the program has
// always named it.
class TForm3 : public QDialog, public OptionsView {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 352;
    static constexpr int kClientHeight = 249;

    // Fills the controls from the store at once, as the dialog is created.
    TForm3(OptionsTarget& monitor, OptionsPrompts& prompts, QWidget* parent);

    // "Options" of the "Tools" menu: the options layout, shown modally.
    void ShowOptions();
    // "Show device info" of the "File" menu: the report in the memo, shown modally.
    void ShowDeviceInfo(const QStringList& report);

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
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPlainTextEdit* deviceInfoMemo_ = nullptr;
    // Closes the device information without storing the options.
    QPushButton* deviceInfoOkButton_ = nullptr;
};

}  // namespace pulsewell
