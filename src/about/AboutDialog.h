#pragma once

#include <QDialog>

#include "about/UrlOpener.h"
#include "core/OperationError.h"

class QPushButton;

namespace pulsewell {

class TpsvWebLabel;

// The about dialog: the picture, name and version, and the maker's links.
// Named as the program has always named it.
class TForm2 : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 335;
    static constexpr int kClientHeight = 471;
    static constexpr int kPictureHeight = 185;

    // Links open through opener; a refusal is shown through errors.
    TForm2(UrlOpener& opener, ErrorReporter& errors, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildPicture();
    void BuildPanel(UrlOpener& opener, ErrorReporter& errors);

    QPushButton* closeButton_ = nullptr;
};

}  // namespace pulsewell
