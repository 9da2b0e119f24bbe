#include "cli/TopRows.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

#include "core/text/NaturalOrder.h"

namespace pulsewell::cli {

namespace {

// The figure a row is sorted by, largest first; none sorts last.
std::optional<double> Key(const SweepRow& row, TopOptions::Sort sort) {
    const auto sum = [](const auto& a, const auto& b) -> std::optional<double> {
        if (!a && !b) {
            return std::nullopt;
        }
        return static_cast<double>(a.value_or(0)) + static_cast<double>(b.value_or(0));
    };
    switch (sort) {
        case TopOptions::Sort::Utilization:
            if (!row.inUtilization && !row.outUtilization) {
                return std::nullopt;
            }
            return std::max(row.inUtilization.value_or(0.0), row.outUtilization.value_or(0.0));
        case TopOptions::Sort::In:
            return row.inBitsPerSecond ? std::optional<double>(*row.inBitsPerSecond) : std::nullopt;
        case TopOptions::Sort::Out:
            return row.outBitsPerSecond ? std::optional<double>(*row.outBitsPerSecond)
                                        : std::nullopt;
        case TopOptions::Sort::Errors:
            return sum(row.inErrorsPerSecond, row.outErrorsPerSecond);
        case TopOptions::Sort::Name:
            break;
    }
    return std::nullopt;
}

// A glob as a regular expression: "*" any text, "/" included, "?" one character.
QString GlobPattern(const QString& glob) {
    QString pattern = QStringLiteral("^");
    for (const QChar c : glob) {
        pattern += c == u'*'   ? QStringLiteral(".*")
                   : c == u'?' ? QStringLiteral(".")
                               : QRegularExpression::escape(QString(c));
    }
    return pattern + u'$';
}

}  // namespace

TopRows::TopRows(const QString& pattern, TopOptions::Sort sort) : sort_(sort) {
    if (pattern.isEmpty()) {
        return;
    }
    all_ = false;
    for (const QString& part : pattern.split(u',')) {
        bool ok = false;
        const int index = part.trimmed().toInt(&ok);
        if (!ok || index <= 0) {
            indexes_.clear();
            glob_ = QRegularExpression(GlobPattern(pattern));
            return;
        }
        indexes_.insert(index);
    }
}

bool TopRows::Admits(int index, const QString& name) const {
    if (all_) {
        return true;
    }
    return glob_.isValid() && !glob_.pattern().isEmpty() ? Matches(name) : indexes_.contains(index);
}

bool TopRows::Matches(const QString& name) const {
    const auto known = matched_.constFind(name);
    if (known != matched_.cend()) {
        return *known;
    }
    // Names a device no longer has go, now and then.
    constexpr qsizetype kKeptNames = 100000;
    if (matched_.size() >= kKeptNames) {
        matched_.clear();
    }
    return *matched_.insert(name, glob_.match(name).hasMatch());
}

QList<SweepEvent> TopRows::Of(const QList<SweepEvent>& events) const {
    QList<SweepEvent> shown;
    for (const SweepEvent& event : events) {
        if (Admits(event.index, event.name)) {
            shown.append(event);
        }
    }
    return shown;
}

std::vector<const SweepRow*> TopRows::Of(const QList<SweepRow>& rows) const {
    // Sorted by reference, each key worked out once.
    struct Keyed {
        std::optional<double> key;
        const SweepRow* row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(rows.size()));
    for (const SweepRow& row : rows) {
        if (Admits(row.index, row.name)) {
            keyed.push_back({Key(row, sort_), &row});
        }
    }
    // A stable sort: ties keep the order of the rows.
    const auto before = [&](std::size_t a, std::size_t b) {
        const Keyed& x = keyed[a];
        const Keyed& y = keyed[b];
        if (sort_ == TopOptions::Sort::Name) {
            const int order = CompareNaturally(x.row->name, y.row->name);
            return order != 0 ? order < 0 : a < b;
        }
        const bool first = x.key && (!y.key || *x.key > *y.key);
        const bool second = y.key && (!x.key || *y.key > *x.key);
        return first || (!second && a < b);
    };
    // The order of the sweep before mostly holds: checked in one pass
    // before sorting afresh.
    if (order_.size() != keyed.size() || !std::ranges::is_sorted(order_, before)) {
        order_.resize(keyed.size());
        std::iota(order_.begin(), order_.end(), std::size_t{0});
        std::ranges::sort(order_, before);
    }
    std::vector<const SweepRow*> shown;
    shown.reserve(keyed.size());
    for (const std::size_t at : order_) {
        shown.push_back(keyed[at].row);
    }
    return shown;
}

}  // namespace pulsewell::cli
