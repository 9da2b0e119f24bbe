#include <gtest/gtest.h>

#include <QTimeZone>

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "cli/PollRecords.h"
#include "cli/TopRecords.h"
#include "core/text/RecordFields.h"
#include "core/text/VisibleText.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SpreadValues.h"

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

// A top record's device texts read as the escaping every record gives them,
// whether they need an escape or not.
TEST(CliRecordFields, TopRecordsEscapeDeviceTextAsEveryRecord) {
    const QString texts[] = {"Gi1/0/1",
                             "",
                             "=cmd|' /C calc'!A0",
                             "+1",
                             "-2",
                             "@A1",
                             "a=b",
                             "uplink, to core",
                             "say \"hi\"",
                             "back\\slash",
                             "tab\there",
                             "line\r\nbreak",
                             "del\x7f",
                             "caf\u00e9",
                             "\u0085next",
                             "~ok~"};
    SweepResult sweep;
    sweep.ended = QDateTime(QDate(2026, 12, 8), QTime(9, 51, 50), QTimeZone(3600));
    for (const OutputFormat format : {OutputFormat::Csv, OutputFormat::Json}) {
        const bool csv = format == OutputFormat::Csv;
        const auto field = [&](const QString& text) {
            return csv ? CsvTextField(VisibleCell(text)) : JsonString(VisibleCell(text));
        };
        TopRecords records(format, "=host", 5);
        records.Begin(sweep);
        for (const QString& text : texts) {
            SweepRow row;
            row.index = 7;
            row.name = text;
            row.alias = u'x' + text;
            std::string out;
            records.Append(out, row);
            const QString record =
                QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
            const QString begin =
                csv ? QStringList{"interface",     "2026-12-08T09:51:50+01:00",
                                  field("=host"),  "7",
                                  field(row.name), field(row.alias)}
                          .join(u',')
                    : QStringLiteral(R"({"type":"interface","time":"2026-12-08T09:51:50+01:00",)"
                                     R"("host":%1,"interface":7,"name":%2,"alias":%3,)")
                          .arg(field("=host"), field(row.name), field(row.alias));
            EXPECT_TRUE(record.startsWith(begin + (csv ? "," : ""))) << record.toStdString() << "\n"
                                                                     << begin.toStdString();
            EXPECT_TRUE(record.endsWith(csv ? ",first reading,\n"
                                            : "\"state\":\"first reading\",\"note\":\"\"}\n"))
                << record.toStdString();
        }
    }
}

// Two decimals as std::to_chars writes them, exact halves of a hundredth
// included, for the whole range a rate or a percentage takes.
TEST(CliRecordFields, TwoDecimalsAsToChars) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.005,
                                  0.015,
                                  0.125,
                                  0.375,
                                  1.005,
                                  2.675,
                                  12.345,
                                  99.995,
                                  100.0,
                                  0.01,
                                  1e-300,
                                  4.8,
                                  -4.8,
                                  -0.125,
                                  1e15,
                                  1e15 + 0.125,
                                  4503599627370.495,
                                  1e18,
                                  1.5e300,
                                  -1.7976931348623157e308,
                                  INFINITY,
                                  -INFINITY,
                                  NAN};
    // Hundredths and the halves between them, and values just off both.
    for (std::uint64_t n = 0; n < 2000; ++n) {
        const double half = (static_cast<double>(n) + 0.5) / 100.0;
        values.insert(values.end(), {static_cast<double>(n) / 100.0, half,
                                     std::nextafter(half, 0.0), std::nextafter(half, 1e9)});
    }
    const std::vector<double> spread = test::SpreadValues(20000);
    values.insert(values.end(), spread.begin(), spread.end());
    for (const double value : values) {
        std::array<char, kTwoDecimalsMost> digits{};
        const std::string fast(digits.data(), WriteTwoDecimals(digits.data(), value));
        std::array<char, kTwoDecimalsMost> text{};
        const std::string exact(text.data(), std::to_chars(text.data(), text.data() + text.size(),
                                                           value, std::chars_format::fixed, 2)
                                                 .ptr);
        EXPECT_EQ(fast, exact) << std::hexfloat << value;
    }
}

}  // namespace
}  // namespace pulsewell::cli
