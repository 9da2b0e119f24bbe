#include "core/sweep/SweepReading.h"

#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <tuple>

#include "core/device/DeviceObjects.h"
#include "core/discovery/BulkWalk.h"
#include "core/numbers/NumberText.h"
#include "core/polling/TrafficSample.h"
#include "core/text/OctetString.h"
#include "snmp/Ber.h"

namespace pulsewell {

namespace {

using Column = SweepColumn;

const QString& Prefix(Column column) {
    static const std::array<QString, kSweepColumns> kPrefixes = {
        objects::kIfHCInOctets,  objects::kIfHCOutOctets, objects::kIfInOctets,
        objects::kIfOutOctets,   objects::kIfInErrors,    objects::kIfOutErrors,
        objects::kIfInDiscards,  objects::kIfOutDiscards, objects::kIfOperStatus,
        objects::kIfAdminStatus, objects::kIfLastChange,  objects::kIfSpeed,
        objects::kIfHighSpeed,   objects::kIfDescr,       objects::kIfName,
        objects::kIfAlias,
    };
    return kPrefixes[static_cast<std::size_t>(column)];
}

// A column's identifier as it goes on the wire, for asking and for finding
// replies by bytes.
const snmp::TOid& ColumnOid(Column column) {
    static const std::array<snmp::TOid, kSweepColumns> kOids = [] {
        std::array<snmp::TOid, kSweepColumns> oids;
        for (std::size_t c = 0; c < oids.size(); ++c) {
            oids[c] = snmp::TOid(OctetBytes(Prefix(static_cast<Column>(c)).chopped(1)));
        }
        return oids;
    }();
    return kOids[static_cast<std::size_t>(column)];
}

// Read every sweep; ifLastChange only moves with ifOperStatus, so it is read
// with the names and for the interfaces whose state changed.
const QList<Column> kCounters = {Column::InErrors,    Column::OutErrors,  Column::InDiscards,
                                 Column::OutDiscards, Column::OperStatus, Column::AdminStatus};
const QList<Column> kNames = {Column::Descr, Column::Name,      Column::Alias,
                              Column::Speed, Column::HighSpeed, Column::LastChange};

// A broken agent's column may go on for ever; none is walked further than
// the rows expected and this many more.
constexpr int kRowMargin = 1000;

std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The index of an interface's object in the column, or 0 when oid is not one.
int IndexIn(const QString& oid, const QString& prefix) {
    if (!oid.startsWith(prefix)) {
        return 0;
    }
    bool ok = false;
    const int index = QStringView(oid).mid(prefix.size()).toInt(&ok);
    return ok && index > 0 ? index : 0;
}

// IndexAfter's general case.
int LongIndexAfter(std::string_view oid, std::size_t n) {
    std::size_t pos = n;
    const std::uint32_t index = snmp::DecodeSubId(oid, pos);
    return pos == oid.size() && index > 0 && index <= std::numeric_limits<int>::max()
               ? static_cast<int>(index)
               : 0;
}

// The index after a column's n bytes of identifier: one more sub-identifier,
// read as its text would read; 0 for none.
inline int IndexAfter(std::string_view oid, std::size_t n) {
    // Indexes below 16384 without the general loop.
    const auto* bytes = reinterpret_cast<const unsigned char*>(oid.data());
    if (oid.size() == n + 1 && bytes[n] < 0x80) {
        return bytes[n];
    }
    if (oid.size() == n + 2 && bytes[n] >= 0x80 && bytes[n + 1] < 0x80) {
        return (bytes[n] & 0x7F) << 7 | bytes[n + 1];
    }
    return LongIndexAfter(oid, n);
}

// The same for an identifier's wire bytes and the column's.
int IndexIn(std::string_view oid, std::string_view prefix) {
    return oid.starts_with(prefix) ? IndexAfter(oid, prefix.size()) : 0;
}

// Where an octet counter's arrival time goes; null for the other columns.
std::int64_t SweepCells::*ArrivalOf(Column column) {
    if (column == Column::HcInOctets || column == Column::InOctets) {
        return &SweepCells::inAtMs;
    }
    if (column == Column::HcOutOctets || column == Column::OutOctets) {
        return &SweepCells::outAtMs;
    }
    return nullptr;
}

using Interfaces = std::vector<std::pair<int, SweepCells>>;

Interfaces::const_iterator Lower(const Interfaces& interfaces, int index) {
    return std::ranges::lower_bound(interfaces, index, {}, &Interfaces::value_type::first);
}

// The cells of index, made where they go in the order of indexes. hint is
// where it most likely is, as the columns walk the same rows, and is left
// where the next index most likely goes.
SweepCells& CellsAt(Interfaces& interfaces, int index, std::size_t& hint) {
    const bool there = hint < interfaces.size() && interfaces[hint].first == index;
    if (!there) {
        const bool fits = hint <= interfaces.size() &&
                          (hint == interfaces.size() || interfaces[hint].first > index) &&
                          (hint == 0 || interfaces[hint - 1].first < index);
        if (!fits) {
            hint = static_cast<std::size_t>(Lower(interfaces, index) - interfaces.cbegin());
        }
        if (hint == interfaces.size()) {
            interfaces.emplace_back(std::piecewise_construct, std::forward_as_tuple(index),
                                    std::forward_as_tuple());
        } else if (interfaces[hint].first != index) {
            interfaces.emplace(interfaces.begin() + static_cast<std::ptrdiff_t>(hint), index,
                               SweepCells());
        }
    }
    return interfaces[hint++].second;
}

class Sweep {
  public:
    Sweep(DeviceReader& reader, const SweepPlan& plan, const std::function<bool()>& current)
        : reader_(reader), plan_(plan), current_(current) {}

    SweepReading Read();

  private:
    void Store(int index, Column column, const QString& text, std::int64_t atMs);
    bool ReadScalars();
    bool TableChanged() const;
    // GetBulk down the columns side by side; false when a request went unanswered.
    bool Walk(const QList<Column>& columns, int rows);
    // Get batches of these objects; false when a request went unanswered.
    bool Get(const QList<std::pair<int, Column>>& objects);
    // Over SNMPv1: the table's members by GetNext down ifDescr, then the
    // rest of their names by Get.
    bool WalkDescriptions(int rows);
    bool ReadMembers(int rows);
    QList<int> Members() const;
    // The sweep by GetNext and Get; false when a request went unanswered.
    bool ReadByGet(bool names, const QList<Column>& counters, int rows);
    int ExpectedRows() const;
    QList<std::pair<int, Column>> ObjectsOf(const QList<int>& indexes,
                                            const QList<Column>& columns) const;

    DeviceReader& reader_;
    const SweepPlan& plan_;
    const std::function<bool()>& current_;
    SweepReading reading_;
};

void Sweep::Store(int index, Column column, const QString& text, std::int64_t atMs) {
    std::size_t hint = 0;
    SweepCells& cells = CellsAt(reading_.interfaces, index, hint);
    if (const auto stamp = ArrivalOf(column)) {
        cells.*stamp = atMs;
    }
    cells.Set(column, text);
}

bool Sweep::ReadScalars() {
    ++reading_.requests;
    const QList<std::optional<QString>> values =
        reader_.QueryValues({objects::kSysUpTime, objects::kIfNumber, objects::kIfTableLastChange});
    const auto number = [&](qsizetype i) -> std::optional<std::int64_t> {
        return i < values.size() && values[i] ? TryParseInt64(*values[i]) : std::nullopt;
    };
    reading_.upTime = number(0);
    reading_.ifNumber = number(1);
    reading_.tableLastChange = number(2);
    return reading_.upTime.has_value();
}

bool Sweep::TableChanged() const {
    return plan_.readNames || reading_.ifNumber != plan_.ifNumber ||
           reading_.tableLastChange != plan_.tableLastChange ||
           (plan_.upTime && *reading_.upTime < *plan_.upTime);
}

int Sweep::ExpectedRows() const {
    return static_cast<int>(std::max<std::int64_t>(
        {reading_.ifNumber.value_or(0), static_cast<std::int64_t>(plan_.operStatus.size()), 1}));
}

std::uint64_t Word(const char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// A column walked by GetBulk.
struct Walking {
    explicit Walking(Column c)
        : column(c), oid(&ColumnOid(c)), prefix(oid->Bytes()), stamp(ArrivalOf(c)) {
        if (prefix.size() >= sizeof(std::uint64_t)) {
            head = Word(prefix.data());
            tail = Word(prefix.data() + prefix.size() - sizeof(std::uint64_t));
        }
    }

    // IndexIn for the column, its identifier's bytes compared as two words:
    // every binding of a sweep asks.
    int RowOf(std::string_view oid) const {
        const std::size_t n = prefix.size();
        if (n < sizeof(std::uint64_t) || oid.size() <= n) {
            return IndexIn(oid, prefix);
        }
        return Word(oid.data()) == head && Word(oid.data() + n - sizeof(std::uint64_t)) == tail
                   ? IndexAfter(oid, n)
                   : 0;
    }

    Column column;
    const snmp::TOid* oid;
    std::string_view prefix;
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    std::int64_t SweepCells::*stamp;  // ArrivalOf the column
    int at = 0;                       // the last index taken
    int steps = 0;
    // Where the next index most likely goes: the columns walk the same rows.
    std::size_t next = 0;
    // Of the last reply.
    bool done = false;
    bool moved = false;
    bool seen = false;
};

bool Sweep::Walk(const QList<Column>& columns, int rows) {
    std::vector<Walking> walking;
    for (const Column column : columns) {
        walking.emplace_back(column);
    }
    const int most = rows + kRowMargin;
    // Room for the interfaces the table had, no more than the agent may claim.
    reading_.interfaces.reserve(plan_.operStatus.size());
    std::vector<snmp::TOid> from;
    while (!walking.empty() && current_()) {
        from.resize(walking.size());
        int fewest = rows;
        for (std::size_t i = 0; i < walking.size(); ++i) {
            Walking& w = walking[i];
            if (w.at == 0) {
                from[i] = *w.oid;
            } else {
                from[i].AssignChild(*w.oid, static_cast<std::uint32_t>(w.at));
            }
            fewest = std::min(fewest, w.steps);
            w.done = w.moved = w.seen = false;
        }
        ++reading_.requests;
        std::size_t taken = 0;
        // The reply's bindings go repetition by repetition, a column each.
        const bool answered = reader_.QueryBulkWire(
            from, std::max(rows + 1 - fewest, 8),
            [&](std::span<const DeviceReader::WireBinding> bindings) {
                const std::int64_t atMs = NowMs();
                taken = bindings.size();
                // The columns of one repetition mostly meet at one row: it
                // is found once for them.
                int lastIndex = 0;
                SweepCells* lastCells = nullptr;
                std::size_t lastNext = 0;
                auto w = walking.begin();
                for (const DeviceReader::WireBinding& step : bindings) {
                    if (w == walking.end()) {
                        w = walking.begin();
                    }
                    Walking& column = *w++;
                    if (column.done) {
                        continue;
                    }
                    column.seen = true;
                    const int index =
                        step.Type == snmp::ber::EndOfMibView ? 0 : column.RowOf(step.Oid);
                    if (index == 0) {
                        column.done = true;  // past the column's end
                    } else if (index > column.at) {
                        if (index == lastIndex) {
                            column.next = lastNext;
                        } else {
                            lastCells = &CellsAt(reading_.interfaces, index, column.next);
                            lastIndex = index;
                            lastNext = column.next;
                        }
                        if (column.stamp != nullptr) {
                            lastCells->*column.stamp = atMs;
                        }
                        lastCells->SetContents(column.column, step.Type, step.Contents);
                        column.at = index;
                        column.moved = true;
                        column.done = ++column.steps >= most;
                    }
                    // An index at or before the last one is a repeat or out of
                    // order: skipped, the walk goes on after the highest.
                }
            });
        if (!answered || taken == 0) {
            return false;
        }
        std::erase_if(walking, [](const Walking& w) { return w.done || (w.seen && !w.moved); });
    }
    return true;
}

bool Sweep::Get(const QList<std::pair<int, Column>>& objects) {
    const qsizetype width = std::max(1, reader_.QueryWidth());
    for (qsizetype start = 0; start < objects.size() && current_(); start += width) {
        const QList<std::pair<int, Column>> chunk = objects.mid(start, width);
        QStringList oids;
        for (const auto& [index, column] : chunk) {
            oids.append(Prefix(column) + QString::number(index));
        }
        ++reading_.requests;
        const QList<std::optional<QString>> values = reader_.QueryValues(oids);
        const std::int64_t atMs = NowMs();
        bool answered = false;
        for (qsizetype i = 0; i < values.size() && i < chunk.size(); ++i) {
            // The query component's text for an object no request answered.
            if (values[i] && *values[i] != QLatin1String("Failure")) {
                Store(chunk[i].first, chunk[i].second, *values[i], atMs);
                answered = true;
            }
        }
        if (!answered) {
            return false;
        }
    }
    return true;
}

bool Sweep::WalkDescriptions(int rows) {
    const QString column = objects::kIfDescr.chopped(1);
    BulkYield yield;
    NextSteps steps(reader_, plan_.community, plan_.host, column, yield);
    QString oid = column;
    QString value;
    int last = 0;
    for (int taken = 0; taken < rows + kRowMargin && current_(); ++taken) {
        ++reading_.requests;
        if (!steps.Next(oid, value, rows)) {
            return false;
        }
        const int index = IndexIn(oid, objects::kIfDescr);
        if (index <= last) {
            break;  // past the column, or an agent going back
        }
        Store(index, Column::Descr, value, NowMs());
        last = index;
    }
    return true;
}

bool Sweep::ReadMembers(int rows) {
    if (!WalkDescriptions(rows)) {
        return false;
    }
    QList<Column> rest = kNames;
    rest.removeOne(Column::Descr);
    if (!Get(ObjectsOf(Members(), rest))) {
        return false;
    }
    reading_.namesRead = true;
    return true;
}

QList<int> Sweep::Members() const {
    QList<int> members;
    for (const auto& [index, cells] : reading_.interfaces) {
        if (cells.Has(Column::Descr)) {
            members.append(index);
        }
    }
    return members;
}

bool Sweep::ReadByGet(bool names, const QList<Column>& counters, int rows) {
    if (names && !ReadMembers(rows)) {
        return false;
    }
    QList<int> members;
    if (names) {
        members = Members();
    } else {
        for (const auto& [index, status] : plan_.operStatus) {
            members.append(index);
        }
    }
    if (!Get(ObjectsOf(members, counters))) {
        return false;
    }
    // An interface that left the table answers nothing: the table changed
    // without ifNumber saying so, as when the device renumbers.
    const bool gone = std::ranges::any_of(members, [&](int index) {
        const SweepCells* cells = reading_.Find(index);
        return cells == nullptr || !cells->Has(Column::OperStatus);
    });
    if (names || !gone) {
        return true;
    }
    reading_.interfaces.clear();
    if (!ReadMembers(rows)) {
        return false;
    }
    return Get(ObjectsOf(Members(), counters));
}

QList<std::pair<int, Column>> Sweep::ObjectsOf(const QList<int>& indexes,
                                               const QList<Column>& columns) const {
    QList<std::pair<int, Column>> objects;
    objects.reserve(indexes.size() * columns.size());
    for (const int index : indexes) {
        for (const Column column : columns) {
            objects.append({index, column});
        }
    }
    return objects;
}

SweepReading Sweep::Read() {
    if (!ReadScalars()) {
        return reading_;
    }
    const bool names = TableChanged();
    QList<Column> counters = kCounters;
    counters.append(plan_.wide ? QList{Column::HcInOctets, Column::HcOutOctets}
                               : QList{Column::InOctets, Column::OutOctets});
    const int rows = ExpectedRows();
    if (reader_.BulkWalks()) {
        if (!Walk(names ? counters + kNames : counters, rows)) {
            return reading_;
        }
        reading_.namesRead = names;
        const bool unknown =
            !std::ranges::includes(plan_.operStatus, reading_.interfaces, {},
                                   &std::pair<int, int>::first, &Interfaces::value_type::first);
        if (!names && unknown) {
            if (!Walk(kNames, rows)) {
                return reading_;
            }
            reading_.namesRead = true;
        }
        // Interfaces without the 64-bit counters: their 32-bit ones.
        QList<int> narrow;
        for (const auto& [index, cells] : reading_.interfaces) {
            if (plan_.wide && cells.Has(Column::OperStatus) && !cells.Has(Column::HcInOctets) &&
                !cells.Has(Column::HcOutOctets)) {
                narrow.append(index);
            }
        }
        if (!Get(ObjectsOf(narrow, {Column::InOctets, Column::OutOctets}))) {
            return reading_;
        }
    } else if (!ReadByGet(names, counters, rows)) {
        return reading_;
    }
    // ifLastChange of the interfaces whose state changed since the sweep before.
    QList<int> changed;
    auto before = plan_.operStatus.cbegin();  // both by index
    for (const auto& [index, cells] : reading_.interfaces) {
        while (before != plan_.operStatus.cend() && before->first < index) {
            ++before;
        }
        if (before != plan_.operStatus.cend() && before->first == index &&
            !cells.Has(Column::LastChange) && cells.Has(Column::OperStatus) &&
            before->second != cells.Number(Column::OperStatus)) {
            changed.append(index);
        }
    }
    Get(ObjectsOf(changed, {Column::LastChange}));
    return reading_;
}

}  // namespace

const QString& SweepCells::Text(SweepColumn column) const {
    static const QString kNone;
    return texts_ ? (*texts_)[Slot(column) - kSweepNumberColumns] : kNone;
}

void SweepCells::Set(SweepColumn column, const QString& text) {
    if (Slot(column) >= kSweepNumberColumns) {
        if (!texts_) {
            texts_.emplace();
        }
        (*texts_)[Slot(column) - kSweepNumberColumns] = text;
        answered_ |= Bit(column);
        return;
    }
    bool ok = false;
    std::int64_t number = 0;
    if (Wide(column)) {
        number = static_cast<std::int64_t>(text.toULongLong(&ok));
    } else {
        number = text.toLongLong(&ok);
        number = number < 0 ? number + kCounterModulus : number;
    }
    if (ok) {
        numbers_[Slot(column)] = number;
        answered_ |= Bit(column);
    }
}

void SweepCells::SetText(SweepColumn column, int type, std::string_view contents) {
    Set(column, OctetText(snmp::ValueText(type, contents)));
}

const SweepCells* SweepReading::Find(int index) const {
    const auto found = Lower(interfaces, index);
    return found != interfaces.cend() && found->first == index ? &found->second : nullptr;
}

SweepReading ReadSweep(DeviceReader& reader, const SweepPlan& plan,
                       const std::function<bool()>& current) {
    return Sweep(reader, plan, current).Read();
}

}  // namespace pulsewell
