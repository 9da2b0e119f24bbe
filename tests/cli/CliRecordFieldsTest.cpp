#include <gtest/gtest.h>

#include <QTimeZone>

#include "cli/PollRecords.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell::cli {
namespace {

// A text a spreadsheet would run as a formula stays text; numbers stay numbers.
TEST(CliRecordFields, FormulaTextsAreWrittenAsText) {
    const QDateTime time(QDate(2026, 12, 8), QTime(9, 51, 50), QTimeZone(3600));
    const std::pair<const char*, const char*> cases[] = {
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-2", "'-2"},
        {"@A1", "'@A1"},
        {"=a,b", "\"'=a,b\""},
        {"a=b", "a=b"}};
    for (const auto& [host, field] : cases) {
        EXPECT_EQ(PollRecords(OutputFormat::Csv, host, "2").Totals(time, 6, -5, 7),
                  QStringLiteral("totals,2026-12-08T09:51:50+01:00,%1,2,6,,-5,7,,,,,,").arg(field));
    }
}

}  // namespace
}  // namespace pulsewell::cli
