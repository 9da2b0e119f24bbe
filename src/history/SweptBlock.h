#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "history/Database.h"
#include "history/Reading.h"
#include "history/Schema.h"

namespace pulsewell::history {

// Swept interfaces come by the thousand. Their minutes are kept a block of
// interfaces to a row: a minute of a whole device writes a row for every
// kBlockPlaces interfaces instead of one for each, and the rows of a block
// follow each other in time. Each swept series has its block and its place
// in it for good.
inline constexpr int kBlockPlaces = 32;
// Block numbers start at 1; a row id holds one in its upper 31 bits.
inline constexpr std::int64_t kLastBlock = (std::int64_t{1} << 31) - 1;

// Times a block's row can hold, either side of 1970 (some 2,000 years).
inline constexpr std::int64_t kFarthestBlockMs = (std::int64_t{1} << 30) * 60'000;

// The row of a block's minute, and back.
std::int64_t BlockRowId(std::int64_t block, std::int64_t minuteMs);
std::int64_t BlockRowMinuteMs(std::int64_t rowId);
// The block's rows are those from its begin to its end.
std::int64_t BlockRowsBegin(std::int64_t block);
std::int64_t BlockRowsEnd(std::int64_t block);

// A swept interface's figures over a minute, or over minutes added up.
struct SweptFigures {
    MinuteDirection in;
    MinuteDirection out;
};
void AddTo(SweptFigures& into, const SweptFigures& more);

// One block's minute: the figures of the places swept in it.
class BlockMinute {
  public:
    // Bytes another writer (or a damaged file) made short or odd decode as
    // far as they go; places past them are empty.
    static BlockMinute Decode(std::span<const unsigned char> data);
    // Only one place, without decoding the others.
    static std::optional<SweptFigures> DecodePlace(std::span<const unsigned char> data, int place);
    std::vector<unsigned char> Encode() const;

    // Adds to what the place holds already (another run of the same minute).
    void Add(int place, const SweptFigures& figures);
    void Add(const BlockMinute& more);

  private:
    std::array<std::optional<SweptFigures>, kBlockPlaces> places_;
};

// The figures as a row of those columns: the average is the bytes over the
// seconds the sweeps covered; a side no sweep measured has none.
std::array<ColumnValue, kFigureColumns> FigureColumns(const SweptFigures& figures);

}  // namespace pulsewell::history
