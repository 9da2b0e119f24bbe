#include "core/trafficgraph/ScaleCaption.h"

#include "core/numbers/NumberText.h"

namespace pulsewell {

QString ScaleCaptionText(std::int64_t value, const QLocale& locale) {
    return GroupedIntegerText(value, 12, locale);
}

}  // namespace pulsewell
