#pragma once

#include <QStringView>

namespace pulsewell {

// Compares two names as a person reads them: runs of digits by their value,
// the rest without regard to letter case, so that "Gi1/0/2" comes before
// "Gi1/0/10". Negative, zero or positive, as QString::compare.
int CompareNaturally(QStringView a, QStringView b);

}  // namespace pulsewell
