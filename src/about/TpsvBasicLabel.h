#pragma once

#include <QColor>
#include <QLabel>

namespace pulsewell {

// A text label that takes its focus colour while the mouse is over it.
class TpsvBasicLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TpsvBasicLabel(QWidget* parent = nullptr);

    QColor FocusColor() const { return focusColor_; }
    void SetFocusColor(const QColor& color) { focusColor_ = color; }
    // The text colour; the label returns to it when the mouse leaves.
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

  signals:
    void MouseEnter(pulsewell::TpsvBasicLabel* label);
    void MouseLeave(pulsewell::TpsvBasicLabel* label);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void ShowColor(const QColor& color);

    QColor focusColor_ = QColor(255, 0, 0);
    QColor normalColor_;
};

}  // namespace pulsewell
