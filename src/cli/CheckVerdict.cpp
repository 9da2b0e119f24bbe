#include "cli/CheckVerdict.h"

#include "core/numbers/NumberText.h"
#include "core/text/VisibleText.h"

namespace pulsewell::cli {

namespace {

// Three significant digits for values from 1 to 999.
QString ThreeDigits(double value) {
    return QString::number(value, 'f', value >= 100 ? 0 : value >= 10 ? 1 : 2);
}

QString StateName(CheckState state) {
    switch (state) {
        case CheckState::Ok:
            return QStringLiteral("OK");
        case CheckState::Warning:
            return QStringLiteral("WARNING");
        case CheckState::Critical:
            return QStringLiteral("CRITICAL");
        case CheckState::Unknown:
            break;
    }
    return QStringLiteral("UNKNOWN");
}

QString Line(CheckState state, const QString& text) {
    return QStringLiteral("PULSEWELL %1 - %2").arg(StateName(state), text);
}

}  // namespace

CheckVerdict Judge(std::int64_t inBitsPerSecond, std::int64_t outBitsPerSecond, double utilization,
                   const CheckThresholds& thresholds) {
    // As the plugins' threshold "N": alert above N, not at it.
    const CheckState state = utilization > thresholds.critical  ? CheckState::Critical
                             : utilization > thresholds.warning ? CheckState::Warning
                                                                : CheckState::Ok;
    const QString text = QStringLiteral("IN %1, OUT %2, utilization %3 %")
                             .arg(BitRateText(inBitsPerSecond), BitRateText(outBitsPerSecond),
                                  ThreeDigits(utilization));
    const QString performance =
        QStringLiteral("in_bps=%1;;;0 out_bps=%2;;;0 utilization=%3%;%4;%5;0;100")
            .arg(IntegerText(inBitsPerSecond), IntegerText(outBitsPerSecond),
                 QString::number(utilization, 'f', 2), QString::number(thresholds.warning),
                 QString::number(thresholds.critical));
    return {state, Line(state, text) + QStringLiteral(" | ") + performance};
}

CheckVerdict Unknown(const QString& reason) {
    // The reason may carry a device's text: the plugin's output stays one
    // line, and only its own "|" starts performance data.
    QString text = VisibleText(reason);
    text.replace(u'|', QStringLiteral("\\x7c"));
    return {CheckState::Unknown, Line(CheckState::Unknown, text)};
}

QString BitRateText(std::int64_t bitsPerSecond) {
    static const char* const kUnits[] = {"bit/s",  "kbit/s", "Mbit/s", "Gbit/s",
                                         "Tbit/s", "Pbit/s", "Ebit/s"};
    if (bitsPerSecond < 1000) {
        return IntegerText(bitsPerSecond) + QStringLiteral(" bit/s");
    }
    double value = static_cast<double>(bitsPerSecond);
    int unit = 0;
    while (value >= 1000 && unit + 1 < static_cast<int>(std::size(kUnits))) {
        value /= 1000;
        ++unit;
    }
    return ThreeDigits(value) + u' ' + QLatin1StringView(kUnits[unit]);
}

}  // namespace pulsewell::cli
