#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <memory>

#include "app/HistoryWindow.h"
#include "tests/support/GeneratedHistory.h"
#include "tests/support/RecordingMessageBoxes.h"
#include "tests/support/TempHome.h"

using namespace pulsewell;
using pulsewell::test::Expectation;
using pulsewell::test::ReadingGenerator;

namespace {

class RecordingReporter : public ErrorReporter {
  public:
    void ShowError(const QString& message) override { errors.append(message); }
    QStringList errors;
};

const std::int64_t kStart = QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
// The window's 24 hours end here; the store has read on for some minutes more.
const std::int64_t kEnd = kStart + 26 * history::kHourMs;

std::optional<std::int64_t> Scaled(const std::optional<double>& rate, int factor) {
    if (!rate) {
        return std::nullopt;
    }
    return std::llround(*rate * factor);
}

}  // namespace

// The window over a store filled through its storing path: 26 hours of one
// interface at 10 s, an hour of it without polls, some polls without a value.
class HistoryWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        ReadingGenerator generator(kStart, 10'000, 34);
        std::int64_t clock = kStart;
        store_ = std::make_unique<history::HistoryStore>(
            (home_.ProgramFolder() + QStringLiteral("history.sqlite")).toStdString(),
            history::Retention{}, [](const std::string& text) { QFAIL(text.c_str()); },
            [&clock] { return clock; });
        while (generator.Now() < kEnd + 10 * history::kMinuteMs) {
            if (generator.Now() == kStart + 12 * history::kHourMs) {
                generator.Skip(history::kHourMs);
            }
            const history::Reading reading = generator.Next(2);
            clock = reading.timeMs;
            store_->Record(reading);
            expected_.Add(reading);
            generator.NextPoll();
        }
        series_ = store_->FindSeries("10.0.0.1", "2")->id;
    }

    void shows24Hours_data() {
        QTest::addColumn<bool>("showBytes");
        QTest::addColumn<int>("factor");
        QTest::addColumn<QString>("unit");
        QTest::newRow("bits") << false << 8 << QStringLiteral("Bit/sec");
        QTest::newRow("bytes") << true << 1 << QStringLiteral("Bytes/sec");
    }

    // The figures, the graph's points and the exported rows, all of the last 24 hours.
    void shows24Hours() {
        QFETCH(bool, showBytes);
        QFETCH(int, factor);
        QFETCH(QString, unit);
        test::RecordingMessageBoxes boxes;
        RecordingReporter reporter;
        HistoryWindow window(*store_, QStringLiteral("10.0.0.1"), QStringLiteral("2"), showBytes,
                             boxes, reporter, [] { return kEnd; });
        const std::int64_t from = kEnd - history::kDayMs;
        const QLocale locale;

        const auto [inRank, outRank] = expected_.Percentile95(from, kEnd);
        const auto text = [&](const char* name) {
            return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(text("inPercentile"),
                 QStringLiteral("IN 95th percentile: %1 %2")
                     .arg(locale.toString(std::llround(inRank * factor)), unit));
        QCOMPARE(text("outPercentile"),
                 QStringLiteral("OUT 95th percentile: %1 %2")
                     .arg(locale.toString(std::llround(outRank * factor)), unit));
        const history::Volume volume = expected_.VolumeOf(from, kEnd);
        QCOMPARE(text("volume"), QStringLiteral("Volume IN: %1 bytes; OUT: %2 bytes")
                                     .arg(locale.toString(volume.in), locale.toString(volume.out)));

        const std::vector<history::Point> points =
            store_->Range(series_, from, kEnd, history::Step::Minute);
        const TRAG& engine = window.Graph().Engine();
        const auto check = [&](int series, auto rate) {
            const TRAGGraph& graph = engine.Graphs()[series];
            QCOMPARE(graph.Values().Count(), static_cast<int>(points.size()));
            int gaps = 0;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const auto value = Scaled(points[i].*rate, factor);
                QCOMPARE(graph.IsGap(i), !value.has_value());
                if (value) {
                    QCOMPARE(graph.Values().GetItem(static_cast<int>(i)), *value);
                }
                gaps += value ? 0 : 1;
            }
            // The hour without polls at least.
            QVERIFY2(gaps >= 60, qPrintable(QString::number(gaps)));
        };
        check(HistoryGraphPicture::In, &history::Point::inRate);
        check(HistoryGraphPicture::Out, &history::Point::outRate);
        QCOMPARE(engine.Graphs()[HistoryGraphPicture::InPercentile].Values().GetItem(0),
                 std::llround(inRank * factor));

        // Export graph data: a header, then one row per point of the range.
        const QString path = home_.ProgramFolder() + QStringLiteral("range.csv");
        boxes.answers = {path};
        window.findChild<QPushButton*>(QStringLiteral("exportHistoryButton"))->click();
        QVERIFY2(reporter.errors.isEmpty(), qPrintable(reporter.errors.join(u'\n')));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList rows = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(rows.takeLast(), QString());
        rows.removeFirst();
        QCOMPARE(rows.size(), static_cast<qsizetype>(points.size()));
        const auto field = [&](const std::optional<double>& rate) {
            const auto value = Scaled(rate, factor);
            return value ? QString::number(*value) : QString();
        };
        for (std::size_t i = 0; i < points.size(); ++i) {
            const QStringList fields = rows[static_cast<qsizetype>(i)].split(u',');
            QCOMPARE(fields.size(), 4);
            QCOMPARE(QDateTime::fromString(fields[0], Qt::ISODate).toMSecsSinceEpoch(),
                     points[i].timeMs);
            QCOMPARE(fields[2], field(points[i].inRate));
            QCOMPARE(fields[3], field(points[i].outRate));
        }
    }

  private:
    test::TempHome home_;
    Expectation expected_;
    std::unique_ptr<history::HistoryStore> store_;
    std::int64_t series_ = 0;
};

QTEST_MAIN(HistoryWindowTest)
#include "HistoryWindowTest.moc"
