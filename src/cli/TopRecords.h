#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliArguments.h"
#include "core/sweep/SweepResult.h"

namespace pulsewell::cli {

// The records of top --format csv|json: one per interface per sweep, with
// the fields of poll's records and the sweep's own. Numbers in the C locale;
// what was not measured is empty (CSV) or null (JSON).
class TopRecords {
  public:
    // format is Csv or Json.
    TopRecords(OutputFormat format, const QString& host, int intervalSeconds);

    // The CSV header; JSON Lines have none.
    std::optional<QString> Header() const;
    // The sweep whose rows are appended next: its time made once.
    void Begin(const SweepResult& sweep);
    // Appends the row's record and a line break to out, in UTF-8: a sweep
    // writes thousands, so they go out as bytes without a text between.
    void Append(std::string& out, const SweepRow& row);

  private:
    // A row's fields from its index to its speed, and what they were made of.
    struct RowHead {
        int index = 0;
        QString name;
        QString alias;
        int operStatus = 0;
        int adminStatus = 0;
        std::optional<std::int64_t> speed;
        std::string fields;

        bool Holds(const SweepRow& row) const;
    };

    template <bool kCsv>
    void Write(std::string& out, const SweepRow& row);

    bool csv_;
    // The host's field, escaped once.
    std::string host_;
    int interval_;
    // The sweep's fields every record begins with.
    std::string sweepFields_;
    bool agentRestarted_ = false;
    // By the place of the row in the sweep's records.
    std::vector<RowHead> heads_;
    std::size_t nextHead_ = 0;
};

// One line of what happened, as top reports events.
QString SweepEventLine(const SweepEvent& event);

// InterfaceStatusText and SweepRowStateText in UTF-8, the usual ones made
// once; a status without a word is written into other.
std::string_view StatusWord(int status, std::string& other);
std::string_view StateWord(SweepRowState state);

}  // namespace pulsewell::cli
