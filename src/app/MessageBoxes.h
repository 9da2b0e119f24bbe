#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>

class QWidget;

namespace pulsewell {

// The window's modal boxes, behind an interface so that window tests can
// record them instead of showing them.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // The standard error box of an operation that stopped.
    virtual void ShowError(QWidget* parent, const QString& message) = 0;
    // A box with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The standard dialog for a file to write, starting at `suggested`; the
    // chosen path, with `suffix` added when the name has none, or empty when
    // the user cancelled.
    virtual QString AskFileToSave(QWidget* parent, const QString& caption, const QString& suggested,
                                  const QString& filter, const QString& suffix) = 0;
};

// Boxes that block the user's input to the program but not its timers: a box
// waiting in a loop of its own would hold up the poll timer whose tick raised
// it, and polling would stop until the user came back. A box with the same
// caption and text as one still open is not opened again, so a fault that
// every poll meets leaves one box, not a pile. The text is shown as it is,
// never as markup, and cut at the longest shown text.
class QtMessageBoxes : public MessageBoxes {
  public:
    void ShowError(QWidget* parent, const QString& message) override;
    void ShowMessage(QWidget* parent, const QString& text, const QString& caption) override;
    QString AskFileToSave(QWidget* parent, const QString& caption, const QString& suggested,
                          const QString& filter, const QString& suffix) override;

  private:
    void Show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
              const QString& message);

    QList<QPointer<QMessageBox>> open_;
};

}  // namespace pulsewell
