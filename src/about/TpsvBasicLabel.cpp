#include "about/TpsvBasicLabel.h"

namespace pulsewell {

TpsvBasicLabel::TpsvBasicLabel(QWidget* parent) : QLabel(parent), normalColor_(FontColor()) {}

QColor TpsvBasicLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void TpsvBasicLabel::SetFontColor(const QColor& color) {
    normalColor_ = color;
    ShowColor(color);
}

void TpsvBasicLabel::ShowColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

void TpsvBasicLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    ShowColor(focusColor_);
    emit MouseEnter(this);
}

void TpsvBasicLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    ShowColor(normalColor_);
    emit MouseLeave(this);
}

}  // namespace pulsewell
