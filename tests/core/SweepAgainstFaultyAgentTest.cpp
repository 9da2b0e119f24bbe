#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <thread>

#include "core/device/DeviceObjects.h"
#include "core/sweep/SweepReading.h"
#include "core/sweep/SweepTable.h"
#include "tests/fakes/ScriptedDeviceReader.h"

namespace pulsewell {
namespace {

// An SNMPv2c agent of six interfaces whose counters grow by 1000 octets in
// and 500 out per index between sweeps, with a fault in the second sweep.
class FaultyAgent : public test::ScriptedDeviceReader {
  public:
    static constexpr int kRows = 6;
    // Most bindings a reply holds.
    static constexpr qsizetype kReplyBindings = 16;

    struct Fault {
        // Each column's rows as a walk meets them; unset columns are whole.
        std::map<QString, QList<int>> walks;
        // GetBulk requests answered before the agent falls silent.
        std::optional<int> answeredBulks;
        // sysUpTime of the sweep.
        std::int64_t upTime = 0;
        // Columns the agent does not have.
        std::set<QString> lacking;

        static Fault Walks(std::map<QString, QList<int>> walks) {
            Fault f;
            f.walks = std::move(walks);
            return f;
        }
        static Fault SilentAfter(int bulks) {
            Fault f;
            f.answeredBulks = bulks;
            return f;
        }
        static Fault Lacking(std::set<QString> columns) {
            Fault f;
            f.lacking = std::move(columns);
            return f;
        }
        static Fault UpTime(std::int64_t upTime) {
            Fault f;
            f.upTime = upTime;
            return f;
        }
    };

    explicit FaultyAgent(int width) { this->width = width; }

    void BeginSweep(int sweep, const Fault& fault) {
        // Readings a few milliseconds apart, as rates need.
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        fault_ = fault;
        bulks_ = 0;
        Answer(objects::kSysUpTime, QString::number(fault.upTime ? fault.upTime : 1000 * sweep));
        Answer(objects::kIfNumber, QString::number(kRows));
        Answer(objects::kIfTableLastChange, QString());
        columns_.clear();
        const auto column = [&](const QString& prefix, const std::function<QString(int)>& value) {
            if (!fault.lacking.contains(prefix)) {
                columns_.push_back({prefix, value});
            }
        };
        // In the agent's order, so that a column's walk ends in the next one.
        column(objects::kIfDescr, [](int i) { return QStringLiteral("port%1").arg(i); });
        column(objects::kIfSpeed, [](int) { return QStringLiteral("1000000"); });
        column(objects::kIfAdminStatus, [](int) { return QStringLiteral("1"); });
        column(objects::kIfOperStatus, [](int) { return QStringLiteral("1"); });
        column(objects::kIfLastChange, [](int) { return QStringLiteral("5"); });
        column(objects::kIfInDiscards, [](int) { return QStringLiteral("0"); });
        column(objects::kIfInErrors, [sweep](int i) { return QString::number(sweep * i); });
        column(objects::kIfOutDiscards, [](int) { return QStringLiteral("0"); });
        column(objects::kIfOutErrors, [](int) { return QStringLiteral("0"); });
        column(objects::kIfName, [](int i) { return QStringLiteral("ge%1").arg(i); });
        column(objects::kIfHCInOctets,
               [sweep](int i) { return QString::number(1000LL * i * sweep); });
        column(objects::kIfHCOutOctets,
               [sweep](int i) { return QString::number(500LL * i * sweep); });
    }

    bool BulkWalks() const override { return true; }
    std::optional<QList<Binding>> QueryBulk(const QStringList& oids, int repetitions) override {
        if (fault_.answeredBulks && bulks_ >= *fault_.answeredBulks) {
            return std::nullopt;
        }
        ++bulks_;
        QList<QList<Binding>> walks;
        for (const QString& oid : oids) {
            walks.append(Successors(oid, repetitions));
        }
        QList<Binding> reply;
        for (int r = 0; r < repetitions && reply.size() < kReplyBindings; ++r) {
            for (const QList<Binding>& walk : walks) {
                reply.append(r < walk.size() ? walk[r] : Binding{{}, {}, true});
            }
        }
        return reply.mid(0, kReplyBindings);
    }

  private:
    struct Column {
        QString prefix;
        std::function<QString(int)> value;
    };

    // What a walk from oid meets: the rest of its column in the fault's
    // order, then the columns after it.
    QList<Binding> Successors(const QString& oid, int count) const {
        QList<Binding> next;
        bool started = false;
        for (const Column& column : columns_) {
            const bool here = oid.startsWith(column.prefix) || oid + u'.' == column.prefix;
            if (!started && !here) {
                continue;
            }
            const int from = here ? oid.mid(column.prefix.size()).toInt() : 0;
            QList<int> rows = fault_.walks.contains(column.prefix) ? fault_.walks.at(column.prefix)
                                                                   : QList<int>{1, 2, 3, 4, 5, 6};
            const qsizetype at = rows.indexOf(from);
            rows = at >= 0 ? rows.mid(at + 1) : rows;
            for (const int row : rows) {
                if ((at >= 0 || row > from) && next.size() < count) {
                    next.append({column.prefix + QString::number(row), column.value(row)});
                }
            }
            started = true;
        }
        return next;
    }

    Fault fault_;
    std::vector<Column> columns_;
    int bulks_ = 0;
};

struct RowsShown {
    std::set<int> measured;
    std::set<int> noAnswer;
};

RowsShown Shown(const SweepResult& result) {
    RowsShown shown;
    for (const SweepRow& row : result.rows) {
        if (row.state == SweepRowState::Measured && row.inOctets && row.outOctets) {
            shown.measured.insert(row.index);
        } else if (row.state == SweepRowState::NoAnswer) {
            shown.noAnswer.insert(row.index);
        }
        // Nothing that was not measured shows as a rate.
        EXPECT_EQ(row.inBytesPerSecond.has_value(), row.inOctets.has_value()) << row.index;
        EXPECT_EQ(row.outBytesPerSecond.has_value(), row.outOctets.has_value()) << row.index;
    }
    return shown;
}

// Three sweeps, the second against a fault: it shows what came, marks the
// rest, and the third measures every row again, from the readings it has.
TEST(SweepAgainstAFaultyAgent, ShowsWhatCameAndStartsCleanAfter) {
    using Fault = FaultyAgent::Fault;
    const std::set<int> all = {1, 2, 3, 4, 5, 6};
    struct Case {
        const char* name;
        Fault fault;
        std::set<int> measured;
        std::set<int> noAnswer;
        // Rows measured in one direction only.
        std::set<int> inMissing;
    };
    const Case cases[] = {
        {"row 3 dropped from every column",
         Fault::Walks({{objects::kIfHCInOctets, {1, 2, 4, 5, 6}},
                       {objects::kIfHCOutOctets, {1, 2, 4, 5, 6}},
                       {objects::kIfOperStatus, {1, 2, 4, 5, 6}},
                       {objects::kIfInErrors, {1, 2, 4, 5, 6}}}),
         {1, 2, 4, 5, 6},
         {3},
         {}},
        {"rows repeated and out of order",
         Fault::Walks({{objects::kIfHCInOctets, {1, 2, 2, 3, 5, 4, 6}}}),
         {1, 2, 3, 5, 6},
         {},
         {4}},
        {"errors and discards not answered",
         Fault::Lacking({objects::kIfInErrors, objects::kIfOutErrors, objects::kIfInDiscards,
                         objects::kIfOutDiscards}),
         all,
         {},
         {}},
        {"silent after the first request", Fault::SilentAfter(1), {1, 2}, {3, 4, 5, 6}, {}},
        {"silent from the start", Fault::SilentAfter(0), {}, all, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FaultyAgent agent(16);
        SweepTable table;
        const auto sweep = [&](int number, const Fault& fault) {
            agent.BeginSweep(number, fault);
            const SweepReading reading = ReadSweep(agent, table.Plan(true), [] { return true; });
            return table.Apply(reading, QDateTime::currentDateTime(), 0);
        };
        sweep(1, {});
        const SweepResult faulty = sweep(2, c.fault);
        const RowsShown shown = Shown(faulty);
        EXPECT_EQ(shown.measured, c.measured);
        EXPECT_EQ(shown.noAnswer, c.noAnswer);
        for (const SweepRow& row : faulty.rows) {
            EXPECT_EQ(row.inOctets.has_value(),
                      !c.inMissing.contains(row.index) && c.measured.contains(row.index))
                << row.index;
            if (row.inOctets) {
                EXPECT_EQ(*row.inOctets, 1000 * row.index);
            }
            const bool errors =
                !c.fault.lacking.contains(objects::kIfInErrors) && c.measured.contains(row.index);
            EXPECT_EQ(row.inErrorsPerSecond.has_value(), errors) << row.index;
        }
        const SweepResult after = sweep(3, {});
        EXPECT_EQ(Shown(after).measured, all);
        for (const SweepRow& row : after.rows) {
            // A row without a reading last time spans both sweeps.
            const int sweeps =
                c.measured.contains(row.index) && !c.inMissing.contains(row.index) ? 1 : 2;
            EXPECT_EQ(row.inOctets.value_or(-1), 1000 * row.index * sweeps) << row.index;
        }
    }
}

// sysUpTime went back: no rates that sweep, whatever the counters did.
TEST(SweepAgainstAFaultyAgent, AnAgentRestartGivesNoRates) {
    FaultyAgent agent(16);
    SweepTable table;
    for (const auto& [number, upTime] : {std::pair{1, 50000}, {2, 60000}, {3, 100}, {4, 200}}) {
        agent.BeginSweep(number, FaultyAgent::Fault::UpTime(upTime));
        const SweepResult result =
            table.Apply(ReadSweep(agent, table.Plan(true), [] { return true; }), QDateTime(), 0);
        ASSERT_EQ(result.rows.size(), 6);
        EXPECT_EQ(result.agentRestarted, number == 3);
        for (const SweepRow& row : result.rows) {
            EXPECT_EQ(row.inBytesPerSecond.has_value(), number == 2 || number == 4) << number;
        }
    }
}

}  // namespace
}  // namespace pulsewell
