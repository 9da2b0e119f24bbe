#include "history/SweptBlock.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "history/Calendar.h"

namespace pulsewell::history {

namespace {

// A block's minutes are its row ids from block << 32 on; minute numbers are
// offset so that a clock before 1970 still orders.
constexpr std::int64_t kMinuteOffset = std::int64_t{1} << 31;

// A block's minute: the number of places n, the end of each place's bytes
// (2 bytes each, counted from the end of this head), then the places. A place
// not swept has no bytes. A place is 18 words: each side's sweeps, covered
// milliseconds, bytes, least, most, sweeps that read errors, errors, sweeps
// that read discards, discards; integers with their sign folded into the
// lowest bit, reals as their bits. Words go in pairs: a byte with the length
// of each (its low and high 4 bits), then their bytes, little endian, the
// leading zero bytes left out. A typical place takes about 45 bytes.
constexpr std::size_t kEndSize = 2;
constexpr std::size_t kWords = 18;
constexpr std::size_t kMostPlaceSize = kWords / 2 + kWords * 8;
using Words = std::array<std::uint64_t, kWords>;

std::uint64_t Fold(std::int64_t value) {
    return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}

std::int64_t Unfold(std::uint64_t word) {
    return static_cast<std::int64_t>(word >> 1) ^ -static_cast<std::int64_t>(word & 1);
}

void PutSide(const MinuteDirection& d, std::uint64_t* words) {
    for (const std::int64_t value : {d.sweeps, d.coveredMs, d.bytes, d.least, d.most}) {
        *words++ = Fold(value);
    }
    words[0] = Fold(d.errorSweeps);
    words[1] = std::bit_cast<std::uint64_t>(d.errors);
    words[2] = Fold(d.discardSweeps);
    words[3] = std::bit_cast<std::uint64_t>(d.discards);
}

MinuteDirection SideOf(const std::uint64_t* words) {
    return {Unfold(words[2]), Unfold(words[1]),
            Unfold(words[0]), Unfold(words[3]),
            Unfold(words[4]), std::bit_cast<double>(words[6]),
            Unfold(words[5]), std::bit_cast<double>(words[8]),
            Unfold(words[7])};
}

std::size_t Length(std::uint64_t word) {
    return word == 0 ? 0 : static_cast<std::size_t>((71 - std::countl_zero(word)) / 8);
}

// Eight bytes at once, little endian, whatever the machine's order.
void StoreWord(std::uint64_t word, unsigned char* at) {
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    std::memcpy(at, &word, sizeof word);
}

std::uint64_t LoadWord(const unsigned char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    return word;
}

// Writes a place into room made beforehand, with 8 bytes to spare at its
// end; returns the end of what it wrote.
unsigned char* WritePlace(const SweptFigures& figures, unsigned char* at) {
    Words words;
    PutSide(figures.in, words.data());
    PutSide(figures.out, words.data() + kWords / 2);
    for (std::size_t i = 0; i < kWords; i += 2) {
        const std::size_t first = Length(words[i]);
        const std::size_t second = Length(words[i + 1]);
        *at++ = static_cast<unsigned char>(first | (second << 4));
        StoreWord(words[i], at);
        at += first;
        StoreWord(words[i + 1], at);
        at += second;
    }
    return at;
}

// Reads a place's bytes; anything short or odd fails, never reads past them.
std::optional<SweptFigures> ReadPlace(std::span<const unsigned char> bytes) {
    // Copied with 8 bytes to spare, a word loads at once wherever it ends.
    std::array<unsigned char, kMostPlaceSize + 8> padded{};
    if (bytes.size() > kMostPlaceSize) {
        return std::nullopt;
    }
    std::memcpy(padded.data(), bytes.data(), bytes.size());
    static constexpr auto kMasks = [] {
        std::array<std::uint64_t, 9> masks{};
        for (std::size_t length = 1; length <= 8; ++length) {
            masks[length] = ~std::uint64_t{0} >> (64 - 8 * length);
        }
        return masks;
    }();
    Words words;
    std::size_t at = 0;
    for (std::size_t i = 0; i < kWords; i += 2) {
        if (at >= bytes.size()) {
            return std::nullopt;
        }
        const unsigned char lengths = padded[at++];
        const std::size_t first = lengths & 0x0fU;
        const std::size_t second = lengths >> 4U;
        if (first > 8 || second > 8 || at + first + second > bytes.size()) {
            return std::nullopt;
        }
        words[i] = LoadWord(&padded[at]) & kMasks[first];
        at += first;
        words[i + 1] = LoadWord(&padded[at]) & kMasks[second];
        at += second;
    }
    if (at != bytes.size()) {
        return std::nullopt;
    }
    return SweptFigures{SideOf(words.data()), SideOf(words.data() + kWords / 2)};
}

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
    const std::span<const unsigned char> bytes = PlaceBytes(data, place);
    if (bytes.empty()) {
        return std::nullopt;
    }
    return ReadPlace(bytes);
}

std::vector<unsigned char> BlockMinute::Encode() const {
    const auto last = std::find_if(places_.rbegin(), places_.rend(),
                                   [](const auto& place) { return place.has_value(); });
    const auto used = static_cast<std::size_t>(places_.rend() - last);
    const std::size_t head = 1 + used * kEndSize;
    // Room for the most the places can take, not cleared first.
    const auto room =
        std::make_unique_for_overwrite<unsigned char[]>(head + used * kMostPlaceSize + 8);
    unsigned char* const data = room.get();
    data[0] = static_cast<unsigned char>(used);
    unsigned char* at = data + head;
    for (std::size_t place = 0; place < used; ++place) {
        if (const std::optional<SweptFigures>& figures = places_[place]) {
            at = WritePlace(*figures, at);
        }
        // At most 32 places of at most 153 bytes: their ends fit in 2 bytes.
        const auto end = static_cast<std::size_t>(at - data) - head;
        data[1 + place * kEndSize] = static_cast<unsigned char>(end);
        data[2 + place * kEndSize] = static_cast<unsigned char>(end >> 8);
    }
    return {data, at};
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
