#pragma once

#include <QComboBox>

#include "graph/GraphColor.h"

namespace pulsewell {

// A threshold colour picker: the colours of the stored options' table, each
// as a swatch with its identifier. A colour outside the table (a hand-edited
// store) is shown as one more entry, so that it is kept until another is picked.
class ColorPicker : public QComboBox {
    Q_OBJECT
  public:
    explicit ColorPicker(QWidget* parent = nullptr);

    TColor Color() const;
    void SetColor(TColor color);

  private:
    void AddColor(const QString& name, TColor color);

    int tableSize_ = 0;
};

}  // namespace pulsewell
