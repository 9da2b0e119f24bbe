#include <gtest/gtest.h>

#include <QTimeZone>

#include "PollRecords.h"
#include "QtPrinters.h"

namespace pulsewell::cli {
namespace {

// A text a spreadsheet would run as a formula is written as text; numbers
// stay numbers, a negative one too.
TEST(CliRecordFields, FormulaTextsAreWrittenAsTextNumbersStayNumbers) {
    const QDateTime time(QDate(2026, 12, 8), QTime(9, 51, 50), QTimeZone(3600));
    struct Case {
        QString host;
        QString written;
    };
    const Case cases[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+1", "'+1"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"=a,b", "\"'=a,b\""},
        {"router=1", "router=1"},
        {"10.0.0.1", "10.0.0.1"},
    };
    for (const Case& c : cases) {
        const PollRecords records(OutputFormat::Csv, c.host, QStringLiteral("2"));
        EXPECT_EQ(records.Totals(time, 6, -5, 7),
                  "totals,2026-12-08T09:51:50+01:00," + c.written + ",2,6,,-5,7,,,,,,")
            << c.host.toStdString();
    }
}

}  // namespace
}  // namespace pulsewell::cli
