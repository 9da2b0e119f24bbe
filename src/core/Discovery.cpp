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
const QString kIfHighSpeed = QStringLiteral("1.3.6.1.2.1.31.1.1.1.15.");
const QString kDuplex = QStringLiteral("1.3.6.1.4.1.52.4.1.2.4.2.3.1.1.6.");
const QString kSysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");
const QString kIfNumber = QStringLiteral("1.3.6.1.2.1.2.1.0");

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

    const int rows = WalkInterfaceIndexes();
    if (rows == 0) {
        table_.SetRowCount(2);
        view_.SetStatusText(MonitorView::kStatusPanel,
                            QStringLiteral("No interfaces found on this device!"));
        return false;
    }
    ListInterfaces(rows);
    view_.ProcessPendingEvents();
    for (int row = 1; row <= rows; ++row) {
        QueryInterfaceRow(row);
    }

    ShowInterfaceList(true);
    view_.ProcessPendingEvents();
    SelectInterface(selectedInterface_);

    interfaceCount_ = reader_.QueryValue(kIfNumber);
    if (ParseInt32(interfaceCount_) > 0) {
        view_.SetCommandEnabled(MonitorCommand::StartPolling, true);
        view_.SetCommandEnabled(MonitorCommand::StopPolling, true);
        view_.SetCommandEnabled(MonitorCommand::ShowDeviceInfo, true);
    }
    return true;
}

int Monitor::WalkInterfaceIndexes() {
    QString oid = kIfIndex;
    QString value;
    int row = 1;
    for (;;) {
        const QString previous = oid;
        reader_.ReadNextValue(oid, state_.Community, state_.Host, value);
        if (!oid.contains(kIfIndex, Qt::CaseInsensitive) || !ComesAfter(oid, previous)) {
            return row - 1;
        }
        table_.SetCell(0, row, value);
        ++row;
        table_.SetRowCount(row);
    }
}

void Monitor::ListInterfaces(int rows) {
    QString oid = kIfIndex;
    QString value;
    for (int row = 1; row <= rows; ++row) {
        reader_.ReadNextValue(oid, state_.Community, state_.Host, value);
        table_.SetCell(0, row, value);
        interfaceEntries_.append(value);
    }
    selectedInterface_ = 0;
    ShowInterfaceList(false);
}

void Monitor::QueryInterfaceRow(int row) {
    const QString index = table_.Cell(0, row);
    table_.SetCell(1, row, DescriptionCell(reader_.QueryValue(kIfDescr + index)));
    table_.SetCell(2, row, QuerySpeedCell(index));
    const QString duplex = kDuplex + index + QStringLiteral(".1");
    table_.SetCell(3, row,
                   reader_.QueryValue(duplex).isEmpty()
                       ? QStringLiteral("unknown")
                       : DuplexCell(reader_.QueryValue(duplex)));  // asked again, as always
    view_.ProcessPendingEvents();
    table_.SetCell(4, row, MacCell(reader_.QueryValue(kIfPhysAddress + index)));
    table_.SetCell(5, row, reader_.QueryValue(kIfMtu + index));
    table_.SetCell(6, row, StatusCell(reader_.QueryValue(kIfAdminStatus + index)));
    table_.SetCell(7, row, StatusCell(reader_.QueryValue(kIfOperStatus + index)));
    view_.ProcessPendingEvents();
    table_.SetCell(8, row, TypeCell(reader_.QueryValue(kIfType + index)));
}

QString Monitor::QuerySpeedCell(const QString& index) {
    const QString speed = reader_.QueryValue(kIfSpeed + index);
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
