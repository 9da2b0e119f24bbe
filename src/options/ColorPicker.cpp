#include "options/ColorPicker.h"

#include <QPainter>
#include <QPixmap>

#include "core/settings/ColorIdentifiers.h"

namespace pulsewell {

namespace {

QIcon Swatch(TColor color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

ColorPicker::ColorPicker(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(16);
    for (const TColorIdentifier& identifier : PickerColors()) {
        AddColor(QLatin1String(identifier.Name), identifier.Value);
    }
    tableSize_ = count();
}

TColor ColorPicker::Color() const {
    return currentData().value<TColor>();
}

void ColorPicker::SetColor(TColor color) {
    const int index = findData(QVariant::fromValue(color));
    if (index >= 0) {
        setCurrentIndex(index);
        return;
    }
    // One entry at the end stands for the colour from outside the table.
    if (count() > tableSize_) {
        removeItem(tableSize_);
    }
    AddColor(ColorToText(color), color);
    setCurrentIndex(tableSize_);
}

void ColorPicker::AddColor(const QString& name, TColor color) {
    addItem(Swatch(color), name, QVariant::fromValue(color));
}

}  // namespace pulsewell
