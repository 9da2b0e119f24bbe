#include "history/SweptBlock.h"

#include <algorithm>
#include <bit>

#include "history/Calendar.h"

namespace pulsewell::history {

namespace {

// A block's minutes are its row ids from block << 32 on; minute numbers are
// offset so that a clock before 1970 still orders.
constexpr std::int64_t kMinuteOffset = std::int64_t{1} << 31;

// A block's minute: the number of places n, the end of each place's bytes
// (2 bytes each, counted from the end of this head), then the places. A place
// not swept has no bytes. A place is each side's sweeps, covered
// milliseconds, bytes, least, most, sweeps that read errors and discards:
// integers in 7-bit groups, sign folded into the lowest bit; errors and
// discards a 0 when none, else a 1 and 8 bytes. A typical place takes 35
// bytes, so that a page holds the minutes of a hundred interfaces.
constexpr int kEndSize = 2;

class Writer {
  public:
    explicit Writer(std::vector<unsigned char>& out) : out_(out) {}
    void Integer(std::int64_t value) {
        auto folded =
            (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
        for (; folded >= 0x80; folded >>= 7) {
            out_.push_back(static_cast<unsigned char>(folded | 0x80));
        }
        out_.push_back(static_cast<unsigned char>(folded));
    }
    void Real(double value) {
        if (value == 0.0) {
            out_.push_back(0);
            return;
        }
        out_.push_back(1);
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i) {
            out_.push_back(static_cast<unsigned char>(bits >> (8 * i)));
        }
    }
    void Side(const MinuteDirection& d) {
        for (const std::int64_t value : {d.sweeps, d.coveredMs, d.bytes, d.least, d.most}) {
            Integer(value);
        }
        Integer(d.errorSweeps);
        Real(d.errors);
        Integer(d.discardSweeps);
        Real(d.discards);
    }

  private:
    std::vector<unsigned char>& out_;
};

// Reads what the bytes hold; anything short or odd makes it fail, never
// reads past the end.
class Reader {
  public:
    explicit Reader(std::span<const unsigned char> data) : data_(data) {}
    bool Failed() const { return failed_; }
    std::int64_t Integer() {
        std::uint64_t folded = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ >= data_.size()) {
                break;
            }
            const unsigned char byte = data_[at_++];
            folded |= std::uint64_t{byte & 0x7fU} << shift;
            if ((byte & 0x80) == 0) {
                return static_cast<std::int64_t>(folded >> 1) ^
                       -static_cast<std::int64_t>(folded & 1);
            }
        }
        failed_ = true;
        return 0;
    }
    double Real() {
        if (at_ >= data_.size() || data_[at_] > 1 || (data_[at_] == 1 && data_.size() - at_ < 9)) {
            failed_ = true;
            return 0.0;
        }
        if (data_[at_++] == 0) {
            return 0.0;
        }
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits |= std::uint64_t{data_[at_++]} << (8 * i);
        }
        return std::bit_cast<double>(bits);
    }
    MinuteDirection Side() {
        MinuteDirection d;
        for (std::int64_t* value : {&d.sweeps, &d.coveredMs, &d.bytes, &d.least, &d.most}) {
            *value = Integer();
        }
        d.errorSweeps = Integer();
        d.errors = Real();
        d.discardSweeps = Integer();
        d.discards = Real();
        return d;
    }

  private:
    std::span<const unsigned char> data_;
    std::size_t at_ = 0;
    bool failed_ = false;
};

std::size_t EndOf(std::span<const unsigned char> data, int place) {
    const std::size_t at = 1 + static_cast<std::size_t>(place) * kEndSize;
    return data[at] | (std::size_t{data[at + 1]} << 8);
}

void AddSide(MinuteDirection& into, const MinuteDirection& more) {
    if (more.sweeps > 0) {
        into.least = into.sweeps > 0 ? std::min(into.least, more.least) : more.least;
        into.most = into.sweeps > 0 ? std::max(into.most, more.most) : more.most;
    }
    into.bytes += more.bytes;
    into.coveredMs += more.coveredMs;
    into.sweeps += more.sweeps;
    into.errors += more.errors;
    into.errorSweeps += more.errorSweeps;
    into.discards += more.discards;
    into.discardSweeps += more.discardSweeps;
}

// The bytes of a place: empty where it was not swept, or the data are short.
std::span<const unsigned char> PlaceBytes(std::span<const unsigned char> data, int place) {
    if (data.empty() || place < 0 || place >= std::min<int>(data[0], kBlockPlaces)) {
        return {};
    }
    const std::size_t head = 1 + std::size_t{data[0]} * kEndSize;
    if (data.size() < head) {
        return {};
    }
    const std::size_t begin = place == 0 ? 0 : EndOf(data, place - 1);
    const std::size_t end = EndOf(data, place);
    if (begin >= end || head + end > data.size()) {
        return {};
    }
    return data.subspan(head + begin, end - begin);
}

std::optional<SweptFigures> DecodeFigures(std::span<const unsigned char> bytes) {
    if (bytes.empty()) {
        return std::nullopt;
    }
    Reader reader(bytes);
    SweptFigures figures;
    figures.in = reader.Side();
    figures.out = reader.Side();
    if (reader.Failed()) {
        return std::nullopt;
    }
    return figures;
}

}  // namespace

std::int64_t BlockRowId(std::int64_t block, std::int64_t minuteMs) {
    return (block << 32) + FloorTo(minuteMs, kMinuteMs) / kMinuteMs + kMinuteOffset;
}

std::int64_t BlockRowMinuteMs(std::int64_t rowId) {
    return ((rowId & 0xffffffff) - kMinuteOffset) * kMinuteMs;
}

std::int64_t BlockRowsBegin(std::int64_t block) {
    return block << 32;
}

std::int64_t BlockRowsEnd(std::int64_t block) {
    return BlockRowsBegin(block + 1);
}

void AddTo(SweptFigures& into, const SweptFigures& more) {
    AddSide(into.in, more.in);
    AddSide(into.out, more.out);
}

BlockMinute BlockMinute::Decode(std::span<const unsigned char> data) {
    BlockMinute minute;
    for (int place = 0; place < kBlockPlaces; ++place) {
        minute.places_[static_cast<std::size_t>(place)] = DecodePlace(data, place);
    }
    return minute;
}

std::optional<SweptFigures> BlockMinute::DecodePlace(std::span<const unsigned char> data,
                                                     int place) {
    return DecodeFigures(PlaceBytes(data, place));
}

std::vector<unsigned char> BlockMinute::Encode() const {
    const auto last = std::find_if(places_.rbegin(), places_.rend(),
                                   [](const auto& place) { return place.has_value(); });
    const auto used = static_cast<std::size_t>(places_.rend() - last);
    std::vector<unsigned char> places;
    Writer writer(places);
    std::vector<unsigned char> data(1 + used * kEndSize);
    data[0] = static_cast<unsigned char>(used);
    for (std::size_t place = 0; place < used; ++place) {
        if (const std::optional<SweptFigures>& figures = places_[place]) {
            writer.Side(figures->in);
            writer.Side(figures->out);
        }
        // At most 32 places of at most 2 × 88 bytes: their ends fit in 2 bytes.
        data[1 + place * kEndSize] = static_cast<unsigned char>(places.size());
        data[2 + place * kEndSize] = static_cast<unsigned char>(places.size() >> 8);
    }
    data.insert(data.end(), places.begin(), places.end());
    return data;
}

void BlockMinute::Add(int place, const SweptFigures& figures) {
    std::optional<SweptFigures>& held = places_.at(static_cast<std::size_t>(place));
    if (held) {
        AddTo(*held, figures);
    } else {
        held = figures;
    }
}

void BlockMinute::Add(const BlockMinute& more) {
    for (int place = 0; place < kBlockPlaces; ++place) {
        if (const auto& figures = more.places_[static_cast<std::size_t>(place)]) {
            Add(place, *figures);
        }
    }
}

const std::array<const char*, kFigureColumns> kFigureColumnNames = {
    "in_count",     "out_count",
    "in_bytes",     "out_bytes",
    "in_avg",       "in_min",
    "in_max",       "out_avg",
    "out_min",      "out_max",
    "in_errors",    "in_errors_count",
    "out_errors",   "out_errors_count",
    "in_discards",  "in_discards_count",
    "out_discards", "out_discards_count",
    "covered_ms"};

std::array<ColumnValue, kFigureColumns> FigureColumns(const SweptFigures& f) {
    // Per second of the time the sweeps that read them cover.
    const auto perSecond = [](double amount, std::int64_t sweeps,
                              std::int64_t coveredMs) -> ColumnValue {
        if (sweeps <= 0 || coveredMs <= 0) {
            return {};
        }
        return amount * 1000.0 / static_cast<double>(coveredMs);
    };
    const auto read = [](const MinuteDirection& d, std::int64_t value) -> ColumnValue {
        if (d.coveredMs <= 0) {
            return {};
        }
        return value;
    };
    const auto average = [&](const MinuteDirection& d) {
        return perSecond(static_cast<double>(d.bytes), 1, d.coveredMs);
    };
    return {f.in.sweeps,
            f.out.sweeps,
            f.in.bytes,
            f.out.bytes,
            average(f.in),
            read(f.in, f.in.least),
            read(f.in, f.in.most),
            average(f.out),
            read(f.out, f.out.least),
            read(f.out, f.out.most),
            perSecond(f.in.errors, f.in.errorSweeps, f.in.coveredMs),
            f.in.errorSweeps,
            perSecond(f.out.errors, f.out.errorSweeps, f.out.coveredMs),
            f.out.errorSweeps,
            perSecond(f.in.discards, f.in.discardSweeps, f.in.coveredMs),
            f.in.discardSweeps,
            perSecond(f.out.discards, f.out.discardSweeps, f.out.coveredMs),
            f.out.discardSweeps,
            std::max(f.in.coveredMs, f.out.coveredMs)};
}

}  // namespace pulsewell::history
