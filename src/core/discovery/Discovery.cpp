#include <QFile>
#include <QLocale>
#include <QScopedValueRollback>
#include <QVector>
#include <algorithm>

#include "DeviceReport.h"
#include "InterfaceCells.h"
#include "Monitor.h"
#include "NumberText.h"
#include "ProgramFolder.h"

namespace pulsewell {

namespace {

const QString kIfIndex = QStringLiteral("1.3.6.1.2.1.2.2.1.1");
const QString kIfDescr = QStringLiteral("1.3.6.1.2.1.2.2.1.2.");
const QString kIfType = QStringLiteral("1.3.6.1.2.1.2.2.1.3.");
const QString kIfMtu = QStringLiteral("1.3.6.1.2.1.2.2.1.4.");
const QString kIfSpeed = QStringLiteral("1.3.6.1.2.1.2.2.1.5.");
const QString kIfPhysAddress = QStringLiteral("1.3.6.1.2.1.2.2.1.6.");
const QString kIfAdminStatus = QStringLiteral("1.3.6.1.2.1.2.2.1.7.");
const QString kIfOperStatus = QStringLiteral("1.3.6.1.2.1.2.2.1.8.");
const QString kDuplexColumn = QStringLiteral("1.3.6.1.4.1.52.4.1.2.4.2.3.1.1.6");
const QString kDuplex = kDuplexColumn + u'.';
const QString kIfHighSpeed = QStringLiteral("1.3.6.1.2.1.31.1.1.1.15.");
const QString kSysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");
const QString kIfNumber = QStringLiteral("1.3.6.1.2.1.2.1.0");

// A broken agent that answers every step of the index walk with a higher
// index would fill memory for ever. The walk may pass the device's own
// interface count by a wide margin, and never kMostInterfaces.
constexpr qint64 kMostInterfaces = 100000;
constexpr qint64 kWalkMargin = 1000;

// The numbers of a dotted identifier; empty when the text is not one.
QVector<quint64> SubIdentifiers(const QString& oid) {
    QVector<quint64> numbers;
    for (const QString& part : oid.split(u'.', Qt::SkipEmptyParts)) {
        bool ok = false;
        numbers.append(part.toULongLong(&ok));
        if (!ok) {
            return {};
        }
    }
    return numbers;
}

// An agent that answers with the same identifier (silence, or the request
// echoed at the end of its tree) or an earlier one would keep a walk going
// for ever; only a later one counts.
bool ComesAfter(const QString& next, const QString& current) {
    const QVector<quint64> a = SubIdentifiers(next);
    const QVector<quint64> b = SubIdentifiers(current);
    return !a.isEmpty() && !b.isEmpty() &&
           std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end());
}

// The busy cursor for as long as discovery runs, also when an error ends it.
class BusyCursor {
public:
    explicit BusyCursor(MonitorView& view) : view_(view) { view_.SetBusy(true); }
    ~BusyCursor() { view_.SetBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    MonitorView& view_;
};

}  // namespace

void Monitor::FirstContact() {
    // The window's events run between rows, so the button can be pressed
    // again meanwhile; a second walk inside the first would fill the table
    // twice over with rows of both.
    if (discovering_) {
        return;
    }
    const QScopedValueRollback discovering(discovering_, true);
    view_.ShowExportDeviceInfo(false);
    QFile::remove(ProgramFolder() + QLatin1String(kDeviceInfoFile));
    view_.SetStatusText(MonitorView::kStatusPanel, QString());

    interfaceEntries_.clear();
    selectedInterface_ = -1;
    ShowInterfaceList(false);  // an empty list offers nothing to choose
    table_.ClearDataCells();

    bool discovered = false;
    Guarded([this, &discovered] {
        const BusyCursor busy(view_);
        discovered = DiscoverInterfaces();
    });
    if (discovered) {
        view_.FocusInterfaceList();
    }
}

bool Monitor::DiscoverInterfaces() {
    TargetDevice();

    QString oid = kIfIndex;
    QString value;
    const bool answered = reader_.ReadNextValue(oid, state_.Community, state_.Host, value);
    if (!answered || value.isEmpty()) {
        pollTimer_.stop();
        view_.SetStatusText(MonitorView::kStatusPanel,
                            answered ? QStringLiteral("No values from this device!")
                                     : NoAnswerText(QStringLiteral("Failure contacting device!")));
        return false;
    }

    QString uptime;
    reader_.ReadOneValue(kSysUpTime, state_.Community, state_.Host, uptime);
    discoveryUptime_ = Unsigned32Text(uptime);
    view_.ShowExportDeviceInfo(true);

    const std::optional<int> rows = WalkInterfaceIndexes(WalkLimit());
    if (!rows) {
        return false;
    }
    if (*rows == 0) {
        table_.SetRowCount(2);
        view_.SetStatusText(MonitorView::kStatusPanel,
                            QStringLiteral("No interfaces found on this device!"));
        return false;
    }
    // The list holds exactly the indexes the table shows.
    for (int row = 1; row <= *rows; ++row) {
        interfaceEntries_.append(table_.Cell(0, row));
    }
    selectedInterface_ = 0;
    ShowInterfaceList(false);
    if (!LetEventsRun() || !QueryInterfaceRows(*rows)) {
        return false;
    }

    ShowInterfaceList(true);
    if (!LetEventsRun()) {
        return false;
    }
    SelectInterface(selectedInterface_);

    interfaceCount_ = reader_.QueryValue(kIfNumber);
    if (ParseInt32(interfaceCount_) > 0) {
        view_.SetCommandEnabled(MonitorCommand::StartPolling, true);
        view_.SetCommandEnabled(MonitorCommand::StopPolling, true);
        view_.SetCommandEnabled(MonitorCommand::ShowDeviceInfo, true);
    }
    return true;
}

bool Monitor::LetEventsRun() {
    const int deviceChanges = deviceChanges_;
    view_.ProcessPendingEvents();
    return deviceChanges_ == deviceChanges;
}

int Monitor::WalkLimit() {
    QString count;
    reader_.ReadOneValue(kIfNumber, state_.Community, state_.Host, count);
    bool isNumber = false;
    const qint64 reported = count.toLongLong(&isNumber);
    if (!isNumber || reported < 0) {
        return kMostInterfaces;
    }
    return static_cast<int>(
        std::min(kMostInterfaces, 2 * std::min(reported, kMostInterfaces) + kWalkMargin));
}

std::optional<int> Monitor::WalkInterfaceIndexes(int limit) {
    QString oid = kIfIndex;
    QString value;
    int row = 1;
    for (;;) {
        const QString previous = oid;
        reader_.ReadNextValue(oid, state_.Community, state_.Host, value);
        if (!oid.contains(kIfIndex, Qt::CaseInsensitive) || !ComesAfter(oid, previous)) {
            return row - 1;
        }
        if (row > limit) {
            throw OperationError(
                QStringLiteral("Discovery stopped: the device lists more than %1 interfaces.")
                    .arg(limit));
        }
        table_.SetCell(0, row, value);
        ++row;
        table_.SetRowCount(row);
        if (!LetEventsRun()) {
            return std::nullopt;
        }
    }
}

bool Monitor::QueryInterfaceRows(int rows) {
    const int width = reader_.QueryWidth();
    // With several objects per request, a duplex object the device lacks
    // costs every request a second one; one look at the column tells whether
    // any interface has it.
    const bool askDuplex = width == 1 || HasDuplexObjects();
    const int rowsPerRequest = std::max(1, width / (askDuplex ? 8 : 7));
    for (int first = 1; first <= rows; first += rowsPerRequest) {
        const int last = std::min(rows, first + rowsPerRequest - 1);
        QStringList oids;
        for (int row = first; row <= last; ++row) {
            oids += RowObjects(table_.Cell(0, row), askDuplex);
        }
        const QList<std::optional<QString>> values = reader_.QueryValues(oids);
        qsizetype next = 0;
        // An object whose request of several went unanswered is asked alone
        // when its cell is filled, as it was asked before the rows were
        // batched; so a device falling silent gives the same cells and error.
        const auto value = [&] {
            const qsizetype i = next++;
            return values[i] ? *values[i] : reader_.QueryValue(oids[i]);
        };
        for (int row = first; row <= last; ++row) {
            if (!FillInterfaceRow(row, askDuplex, value)) {
                return false;
            }
        }
    }
    return true;
}

bool Monitor::HasDuplexObjects() {
    QString oid = kDuplexColumn;
    QString value;
    return !reader_.ReadNextValue(oid, state_.Community, state_.Host, value) ||
           oid.startsWith(kDuplex);
}

QStringList Monitor::RowObjects(const QString& index, bool withDuplex) {
    QStringList oids{kIfDescr + index, kIfSpeed + index};
    if (withDuplex) {
        oids.append(kDuplex + index + QStringLiteral(".1"));
    }
    oids += {kIfPhysAddress + index, kIfMtu + index, kIfAdminStatus + index, kIfOperStatus + index,
             kIfType + index};
    return oids;
}

bool Monitor::FillInterfaceRow(int row, bool withDuplex, const std::function<QString()>& value) {
    table_.SetCell(1, row, DescriptionCell(value()));
    table_.SetCell(2, row, InterfaceSpeedCell(table_.Cell(0, row), value()));
    const QString duplex = withDuplex ? value() : QString();
    table_.SetCell(3, row, duplex.isEmpty() ? QStringLiteral("unknown") : DuplexCell(duplex));
    if (!LetEventsRun()) {
        return false;
    }
    table_.SetCell(4, row, MacCell(value()));
    table_.SetCell(5, row, value());
    table_.SetCell(6, row, StatusCell(value()));
    table_.SetCell(7, row, StatusCell(value()));
    if (!LetEventsRun()) {
        return false;
    }
    table_.SetCell(8, row, TypeCell(value()));
    return true;
}

QString Monitor::InterfaceSpeedCell(const QString& index, const QString& speed) {
    // RFC 2863: ifSpeed stops at its ceiling, ifHighSpeed (SNMPv2c only) goes on.
    if (state_.Version == SnmpVersion::V2c && IsSpeedCeiling(speed)) {
        const QString highSpeed = reader_.QueryValue(kIfHighSpeed + index);
        if (!highSpeed.isEmpty() && highSpeed != QStringLiteral("Failure")) {
            return HighSpeedCell(highSpeed);
        }
    }
    return SpeedCell(speed);
}

void Monitor::SelectInterface(int index) {
    selectedInterface_ = index;
    const QString entry =
        index >= 0 && index < interfaceEntries_.size() ? interfaceEntries_[index] : QString();
    state_.PolledInterface = entry;
    state_.InterfaceNumber = entry;

    state_.ZeroTrafficFigures();
    ShowTotals();
    graph_.ClearSeries();
    graph_.Graphupdate();
    graph_.ZeroScaleCaptions();

    // The locale's own separator goes too: where it is none of the three
    // (a narrow no-break space, an apostrophe) every poll would fail on it.
    state_.Bandwidth =
        StripSeparators(table_.Cell(2, index + 1)).remove(QLocale().groupSeparator());
    view_.ShowBandwidth(state_.Bandwidth);

    messages_.Clear();
    deviceReport_.clear();
}

}  // namespace pulsewell
