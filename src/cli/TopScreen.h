#pragma once

#include <QList>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sweep/SweepResult.h"

namespace pulsewell::cli {

// top's table as text: a title line, the column heads and a line per
// interface, then the latest events. On a terminal the whole screen is
// redrawn in place and cut to its size; elsewhere every line is printed.
class TopScreen {
  public:
    explicit TopScreen(const QString& host);

    // Appends the lines of one sweep with the rows and events shown to out
    // in UTF-8, each followed by lineEnd. A width and height of 0 mean no
    // limit (and this sweep's events only); else lines are cut to width
    // characters and only the rows that fit are written.
    void Append(std::string& out, const SweepResult& sweep,
                const std::vector<const SweepRow*>& rows, const QList<SweepEvent>& events,
                int width, int height, std::string_view lineEnd);

  private:
    static constexpr std::size_t kSpeedWidth = 7;
    // A speed's cell as written before: a device has a handful of speeds,
    // and a speed is the dearest cell of a row to write.
    struct SpeedCell {
        std::int64_t speed = -1;
        std::array<char, kSpeedWidth> text{};
    };

    void AppendRow(std::string& out, const SweepRow& row, int width);
    char* WriteSpeed(char* to, const std::optional<std::int64_t>& speed);

    QString host_;
    // The latest events the screen shows, newest last.
    QList<SweepEvent> events_;
    std::array<SpeedCell, 8> speedCells_{};
    std::size_t nextSpeedCell_ = 0;
};

}  // namespace pulsewell::cli
