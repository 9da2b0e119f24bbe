#include "core/discovery/InterfaceDiscovery.h"

#include <QVector>
#include <algorithm>

#include "core/device/DeviceObjects.h"
#include "core/discovery/BulkWalk.h"
#include "core/discovery/InterfaceCells.h"
#include "core/discovery/InterfaceSpeed.h"
#include "core/numbers/NumberText.h"
#include "core/text/VisibleText.h"

namespace pulsewell {

namespace {

using namespace objects;

// A broken agent that answers every step of the index walk with a higher
// index would fill memory for ever. The walk may pass the device's own
// interface count by a wide margin, and never kMostInterfaces.
constexpr qint64 kMostInterfaces = 100000;
constexpr qint64 kWalkMargin = 1000;

// What a cell shows for an object asked alone that got no answer, as the
// query component has always put it.
const QString kNoAnswer = QStringLiteral("Failure");

// The advice after a device that never answered.
const QString kSilenceHint =
    QStringLiteral("No answer: check the address, the port, the community and the SNMP version");

}  // namespace

// One discovery as it runs on the device worker. Everything it changes on the
// monitor's side goes there as a posted update, in the order it happens.
class InterfaceDiscovery::Walk {
  public:
    // `device` as the monitor's state named it when the discovery began.
    Walk(InterfaceDiscovery& owner, const DeviceWorker::Job& job, const DeviceTarget& device,
         Select select, DiscoveryOutcome& outcome)
        : owner_(owner),
          outcome_(outcome),
          job_(job),
          reader_(job.Reader()),
          device_(device),
          select_(std::move(select)) {}

    // Fills the outcome as it goes.
    void Run();

  private:
    void Post(std::function<void()> update) { job_.Post(std::move(update)); }
    void SetCell(int column, int row, const QString& text) {
        InterfaceTable* table = &owner_.table_;
        Post([table, column, row, text] { table->SetCell(column, row, text); });
    }
    void SetStatus(const QString& text) {
        StatusBoard* board = &owner_.board_;
        Post([board, text] { board->SetText(text); });
    }
    void ShowDiscoveryNews(const QString& text) {
        StatusBoard* board = &owner_.board_;
        Post([board, text] { board->SetDiscoveryNews(text); });
    }
    // Lets the owner see the rows so far; false when the discovery was
    // abandoned meanwhile, which ends it there.
    bool Progress() {
        InterfaceDiscovery* owner = &owner_;
        Post([owner] {
            if (owner->progressed_) {
                owner->progressed_();
            }
        });
        return job_.Current();
    }
    // Sets reported_ as well.
    int WalkLimit();
    // The rows found, or none when the discovery was abandoned meanwhile.
    std::optional<int> WalkInterfaceIndexes(int limit);
    bool QueryInterfaceRows(int rows);
    bool HasDuplexObjects();
    static QStringList RowObjects(const QString& index, bool withDuplex);
    // The columns of RowObjects that a walk by GetBulk reads ahead (the
    // duplex object lives in another table, mostly absent).
    static QStringList RowColumns();
    // The objects' values: those the column walk read, the rest asked.
    QList<std::optional<QString>> ValuesOf(const QStringList& oids,
                                           const QHash<QString, QString>& walked);
    bool FillInterfaceRow(int row, bool withDuplex, const std::function<QString()>& value);

    InterfaceDiscovery& owner_;
    DiscoveryOutcome& outcome_;
    const DeviceWorker::Job& job_;
    DeviceReader& reader_;
    const DeviceTarget device_;
    const Select select_;
    QStringList indexes_;
    // The interface list's entries, one per row filled.
    QStringList labels_;
    // The device's own interface count; none when it gave no number.
    std::optional<qint64> reported_;
    // Whether walking this device by GetBulk pays.
    BulkYield bulkYield_;
};

InterfaceDiscovery::InterfaceDiscovery(ErrorReporter& errors, StatusBoard& board,
                                       InterfaceTable& table, InterfaceChoice& choice,
                                       DeviceWorker& worker)
    : errors_(errors), board_(board), table_(table), choice_(choice), worker_(worker) {}

void InterfaceDiscovery::Start(const DeviceTarget& device, Select select, Ended ended) {
    if (running_) {
        return;
    }
    running_ = true;
    // The last export stays until an export replaces it.
    reached_ = false;
    choice_.Clear();  // an empty list offers nothing to choose
    table_.ClearDataCells();
    board_.SetDiscoveryNews(QStringLiteral("Reading the interface table..."));

    auto outcome = std::make_shared<DiscoveryOutcome>();
    auto walk = [this, device, select = std::move(select), outcome](const DeviceWorker::Job& job) {
        Walk(*this, job, device, select, *outcome).Run();
    };
    worker_.Run(std::move(walk),
                [this, outcome, ended = std::move(ended)](std::exception_ptr error) {
                    running_ = false;
                    board_.Changed();
                    RunGuarded(errors_, [&] {
                        if (error) {
                            std::rethrow_exception(error);
                        }
                    });
                    if (ended) {
                        ended(*outcome);
                    }
                });
}

void InterfaceDiscovery::Abandon() {
    if (running_) {
        running_ = false;
        board_.SetDiscoveryNews(QString());
    }
}

bool InterfaceDiscovery::CallOff() {
    if (!running_) {
        return false;
    }
    Abandon();
    board_.SetDiscoveryNews(QStringLiteral("First contact called off."));
    return true;
}

void InterfaceDiscovery::Walk::Run() {
    reader_.Aim(device_);

    QString oid = kIfIndexColumn;
    QString value;
    const bool answered = reader_.ReadNextValue(oid, device_.Community, device_.Host, value);
    if (!answered || value.isEmpty()) {
        // An SNMPv3 agent may answer without a value and say why (access denied).
        const std::optional<QString> cause = reader_.LastFailureCause();
        SetStatus(answered ? NoAnswerText(QStringLiteral("No values from this device!"),
                                          SnmpVersion::V1, cause)
                           : NoAnswerText(QStringLiteral("Failure contacting device!"),
                                          device_.Version, cause));
        // A device that told why needs no guess.
        if (!answered && !cause) {
            outcome_.hint = kSilenceHint;
        }
        outcome_.unreached = true;
        return;
    }

    const QString uptime = UptimeTicksText(
        reader_.ReadOneValue(kSysUpTime, device_.Community, device_.Host).value_or(QString()));
    InterfaceDiscovery* owner = &owner_;
    Post([owner, uptime] {
        owner->uptime_ = uptime;
        owner->reached_ = true;
        owner->board_.Changed();
    });

    const std::optional<int> rows = WalkInterfaceIndexes(WalkLimit());
    if (!rows) {
        return;
    }
    if (*rows == 0) {
        InterfaceTable* table = &owner_.table_;
        Post([table] { table->SetRowCount(2); });
        SetStatus(QStringLiteral("No interfaces found on this device!"));
        return;
    }
    // The list holds exactly the indexes the table shows.
    Post([owner, indexes = indexes_] {
        owner->choice_.Offer(indexes, false);
        owner->board_.Changed();
    });
    if (!Progress() || !QueryInterfaceRows(*rows)) {
        return;
    }

    Post([owner, labels = labels_] {
        owner->choice_.Label(labels);
        owner->choice_.Enable(true);
        owner->board_.Changed();
    });
    if (!Progress()) {
        return;
    }
    Post([select = select_] { select(0); });

    ShowDiscoveryNews(QStringLiteral("%1 interfaces found").arg(*rows));
    const QString count = reader_.QueryValue(kIfNumber).value_or(kNoAnswer);
    Post([owner, count] { owner->interfaceCount_ = count; });
    outcome_.pollable = ParseInt32(count) > 0;
    outcome_.found = true;
}

int InterfaceDiscovery::Walk::WalkLimit() {
    const QString count =
        reader_.ReadOneValue(kIfNumber, device_.Community, device_.Host).value_or(QString());
    bool isNumber = false;
    const qint64 reported = count.toLongLong(&isNumber);
    if (!isNumber || reported < 0) {
        return kMostInterfaces;
    }
    reported_ = reported;
    return static_cast<int>(
        std::min(kMostInterfaces, 2 * std::min(reported, kMostInterfaces) + kWalkMargin));
}

std::optional<int> InterfaceDiscovery::Walk::WalkInterfaceIndexes(int limit) {
    QString oid = kIfIndexColumn;
    QString value;
    NextSteps steps(reader_, device_.Community, device_.Host, kIfIndexColumn, bulkYield_);
    int row = 1;
    for (;;) {
        const QString previous = oid;
        // Enough steps for the rows the device reports and the one that ends the column.
        const qint64 ahead =
            reported_ && *reported_ >= row ? *reported_ - row + 2 : limit - row + 2;
        steps.Next(oid, value, static_cast<int>(std::min<qint64>(ahead, limit)));
        if (!IsWithin(oid, kIfIndexColumn) || !ComesAfter(oid, previous)) {
            return row - 1;
        }
        if (row > limit) {
            throw OperationError(
                QStringLiteral("Discovery stopped: the device lists more than %1 interfaces.")
                    .arg(limit));
        }
        // The list offers what the table shows.
        const QString index = VisibleCell(value);
        SetCell(0, row, index);
        indexes_.append(index);
        ++row;
        InterfaceTable* table = &owner_.table_;
        Post([table, row] { table->SetRowCount(row); });
        if (!Progress()) {
            return std::nullopt;
        }
    }
}

bool InterfaceDiscovery::Walk::QueryInterfaceRows(int rows) {
    const int width = reader_.QueryWidth();
    // With several objects per request, a duplex object the device lacks
    // costs every request a second one; one look at the column tells whether
    // any interface has it.
    const bool askDuplex = width == 1 || HasDuplexObjects();
    const int rowsPerRequest = std::max(1, width / (askDuplex ? 8 : 7));
    const QHash<QString, QString> walked =
        WalkColumns(reader_, RowColumns(), indexes_.constLast(), rows, bulkYield_);
    for (int first = 1; first <= rows; first += rowsPerRequest) {
        const int last = std::min(rows, first + rowsPerRequest - 1);
        QStringList oids;
        for (int row = first; row <= last; ++row) {
            oids += RowObjects(indexes_[row - 1], askDuplex);
        }
        const QList<std::optional<QString>> values = ValuesOf(oids, walked);
        qsizetype next = 0;
        // An object whose request of several went unanswered is asked alone
        // when its cell is filled, as it was asked before the rows were
        // batched; so a device falling silent gives the same cells and error.
        const auto value = [&] {
            const qsizetype i = next++;
            return values[i] ? *values[i] : reader_.QueryValue(oids[i]).value_or(kNoAnswer);
        };
        for (int row = first; row <= last; ++row) {
            if (!FillInterfaceRow(row, askDuplex, value)) {
                return false;
            }
        }
    }
    return true;
}

QList<std::optional<QString>> InterfaceDiscovery::Walk::ValuesOf(
    const QStringList& oids, const QHash<QString, QString>& walked) {
    QList<std::optional<QString>> values(oids.size());
    QStringList missing;
    for (qsizetype i = 0; i < oids.size(); ++i) {
        const auto found = walked.constFind(oids[i]);
        if (found != walked.constEnd()) {
            values[i] = *found;
        } else {
            missing.append(oids[i]);
        }
    }
    if (missing.isEmpty()) {
        return values;
    }
    const QList<std::optional<QString>> asked = reader_.QueryValues(missing);
    qsizetype next = 0;
    for (std::optional<QString>& value : values) {
        if (!value) {
            value = asked[next++];
        }
    }
    return values;
}

QStringList InterfaceDiscovery::Walk::RowColumns() {
    const auto column = [](const QString& prefix) { return prefix.chopped(1); };
    return {column(kIfDescr),       column(kIfSpeed),      column(kIfPhysAddress), column(kIfMtu),
            column(kIfAdminStatus), column(kIfOperStatus), column(kIfType)};
}

bool InterfaceDiscovery::Walk::HasDuplexObjects() {
    QString oid = kDuplexColumn;
    QString value;
    return !reader_.ReadNextValue(oid, device_.Community, device_.Host, value) ||
           oid.startsWith(kDuplex);
}

QStringList InterfaceDiscovery::Walk::RowObjects(const QString& index, bool withDuplex) {
    QStringList oids{kIfDescr + index, kIfSpeed + index};
    if (withDuplex) {
        oids.append(kDuplex + index + QStringLiteral(".1"));
    }
    oids += {kIfPhysAddress + index, kIfMtu + index, kIfAdminStatus + index, kIfOperStatus + index,
             kIfType + index};
    return oids;
}

bool InterfaceDiscovery::Walk::FillInterfaceRow(int row, bool withDuplex,
                                                const std::function<QString()>& value) {
    const QString description = DescriptionCell(value());
    SetCell(1, row, description);
    SetCell(2, row, InterfaceSpeedCell(reader_, device_.Version, indexes_[row - 1], value()));
    const QString duplex = withDuplex ? value() : QString();
    SetCell(3, row, duplex.isEmpty() ? QStringLiteral("unknown") : DuplexCell(duplex));
    if (!Progress()) {
        return false;
    }
    SetCell(4, row, MacCell(value()));
    SetCell(5, row, value());
    SetCell(6, row, StatusCell(value()));
    const QString status = StatusCell(value());
    SetCell(7, row, status);
    labels_.append(InterfaceLabel(indexes_[row - 1], VisibleCell(description), status));
    if (!Progress()) {
        return false;
    }
    SetCell(8, row, TypeCell(value()));
    return true;
}

}  // namespace pulsewell
