#include "core/text/NaturalOrder.h"

#include <QString>

namespace pulsewell {

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The end of the run of digits that starts at `at`.
qsizetype DigitsEnd(QStringView text, qsizetype at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// Two runs of digits by value: leading zeros left out, the longer run is the
// larger number, else the first digit that differs decides.
int CompareNumbers(QStringView a, QStringView b) {
    while (a.size() > 1 && a.front() == u'0') {
        a = a.mid(1);
    }
    while (b.size() > 1 && b.front() == u'0') {
        b = b.mid(1);
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

}  // namespace

int CompareNaturally(QStringView a, QStringView b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const qsizetype aEnd = DigitsEnd(a, i);
            const qsizetype bEnd = DigitsEnd(b, j);
            if (const int order = CompareNumbers(a.sliced(i, aEnd - i), b.sliced(j, bEnd - j))) {
                return order;
            }
            i = aEnd;
            j = bEnd;
            continue;
        }
        const QChar x = a[i].toCaseFolded();
        const QChar y = b[j].toCaseFolded();
        if (x != y) {
            return x < y ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    // Equal but for letter case or leading zeros: the plain text decides, so
    // that the order is total.
    return a.compare(b);
}

}  // namespace pulsewell
