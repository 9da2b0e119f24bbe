#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <cstdint>
#include <optional>

namespace pulsewell {

// How a row of a sweep came about.
enum class SweepRowState {
    // Rates against the sweep before.
    Measured,
    // Counters taken; rates from the next sweep on (the first sweep, an agent
    // restart, the counters' width changed, a reading missing last time).
    FirstReading,
    // The interface is in the table but its counters did not come.
    NoAnswer,
    // New in the table since the sweep before.
    Appeared,
    // Gone from the table since the sweep before; shown this once.
    Vanished,
    // Its name moved to another index: the row stays, its rates start afresh.
    Renumbered,
};

// "measured", "first reading", "no answer", "appeared", "vanished", "renumbered".
QString SweepRowStateText(SweepRowState state);
// IF-MIB's ifOperStatus/ifAdminStatus number as its name ("up", "down",
// "lowerLayerDown" ...); empty when the device gave none.
QString InterfaceStatusText(int status);

// What a sweep measured of an interface: all of it starts afresh at every
// sweep. Rates are there only where two readings of the counter were
// measured; nothing is ever estimated.
struct SweepMeasurement {
    SweepRowState state = SweepRowState::FirstReading;
    // Octets between the two readings and the rates derived from them.
    std::optional<std::int64_t> inOctets;
    std::optional<std::int64_t> outOctets;
    std::optional<std::int64_t> inBytesPerSecond;
    std::optional<std::int64_t> outBytesPerSecond;
    std::optional<std::int64_t> inBitsPerSecond;
    std::optional<std::int64_t> outBitsPerSecond;
    // Milliseconds between the two readings behind each direction's octets.
    std::int64_t inMs = 0;
    std::int64_t outMs = 0;
    // Percent of the speed; none without a speed.
    std::optional<double> inUtilization;
    std::optional<double> outUtilization;
    std::optional<double> inErrorsPerSecond;
    std::optional<double> outErrorsPerSecond;
    std::optional<double> inDiscardsPerSecond;
    std::optional<double> outDiscardsPerSecond;
    // The 32-bit counter wrapped between the readings.
    bool inWrapped = false;
    bool outWrapped = false;
};

// One interface as a sweep found it.
struct SweepRow : SweepMeasurement {
    int index = 0;
    // ifName, or ifDescr where the device has no name: what the row follows.
    QString name;
    QString alias;
    // IF-MIB status numbers (1 up, 2 down ...); 0 where none came.
    int operStatus = 0;
    int adminStatus = 0;
    // Bits per second: ifSpeed, or ifHighSpeed past ifSpeed's ceiling.
    std::optional<std::int64_t> speed;
    // sysUpTime's hundredths of a second when the interface entered its state.
    std::optional<std::int64_t> lastChange;
    // Read from the 64-bit counters.
    bool wide = false;
};

// Something a sweep saw happen, for an event list or a notification.
struct SweepEvent {
    enum Kind {
        LinkDown,
        LinkUp,
        // The utilization of a direction reached the high threshold; again
        // only after it fell below it.
        HighUtilization,
    };
    Kind kind = LinkDown;
    QDateTime time;
    int index = 0;
    QString name;
    // HighUtilization: the larger of the two directions, in percent.
    double utilization = 0.0;
};

// "Link down", "Link up", "Utilization high".
QString SweepEventKindText(SweepEvent::Kind kind);

// "Link down: Gi1/0/3 (ifIndex 3)", " at 93.20 %" after a high utilization;
// `name` is the event's name as the caller shows device text.
QString SweepEventText(const SweepEvent& event, const QString& name);

struct SweepResult {
    QDateTime ended;
    std::int64_t durationMs = 0;
    // Rows in the order they were first seen; a renumbered one keeps its place.
    QList<SweepRow> rows;
    QList<SweepEvent> events;
    // The agent answered nothing of this sweep.
    bool silent = false;
    // sysUpTime went back: the agent restarted, no rates this sweep.
    bool agentRestarted = false;
};

}  // namespace pulsewell

Q_DECLARE_METATYPE(pulsewell::SweepResult)
