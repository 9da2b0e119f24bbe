#include "core/sweep/SweepResult.h"

#include <array>

namespace pulsewell {

QString SweepRowStateText(SweepRowState state) {
    switch (state) {
        case SweepRowState::Measured:
            return QStringLiteral("measured");
        case SweepRowState::FirstReading:
            return QStringLiteral("first reading");
        case SweepRowState::NoAnswer:
            return QStringLiteral("no answer");
        case SweepRowState::Appeared:
            return QStringLiteral("appeared");
        case SweepRowState::Vanished:
            return QStringLiteral("vanished");
        case SweepRowState::Renumbered:
            return QStringLiteral("renumbered");
    }
    return {};
}

QString InterfaceStatusText(int status) {
    // Made once: every row of every sweep asks.
    static const std::array<QString, 7> kNames = {QStringLiteral("up"),
                                                  QStringLiteral("down"),
                                                  QStringLiteral("testing"),
                                                  QStringLiteral("unknown"),
                                                  QStringLiteral("dormant"),
                                                  QStringLiteral("notPresent"),
                                                  QStringLiteral("lowerLayerDown")};
    if (status >= 1 && status <= static_cast<int>(kNames.size())) {
        return kNames[static_cast<std::size_t>(status - 1)];
    }
    return status == 0 ? QString() : QString::number(status);
}

QString SweepEventKindText(SweepEvent::Kind kind) {
    switch (kind) {
        case SweepEvent::LinkDown:
            return QStringLiteral("Link down");
        case SweepEvent::LinkUp:
            return QStringLiteral("Link up");
        case SweepEvent::HighUtilization:
            return QStringLiteral("Utilization high");
    }
    return {};
}

QString SweepEventText(const SweepEvent& event, const QString& name) {
    // One substitution: a name holding "%1" is the device's text, not a marker.
    QString text = QStringLiteral("%1: %2 (ifIndex %3)")
                       .arg(SweepEventKindText(event.kind), name, QString::number(event.index));
    if (event.kind == SweepEvent::HighUtilization) {
        text += QStringLiteral(" at %1 %").arg(QString::number(event.utilization, 'f', 2));
    }
    return text;
}

}  // namespace pulsewell
