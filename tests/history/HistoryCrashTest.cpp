#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/GeneratedHistory.h"

namespace pulsewell {
namespace {

// A writer killed at any moment loses at most the reading it was writing,
// and leaves a file that opens without complaint.
TEST(HistoryCrash, KilledWriterLosesAtMostTheReadingBeingWritten) {
    for (const int killAfter : {50, 400, 1500}) {
        SCOPED_TRACE(killAfter);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("history.sqlite"));
        QProcess writer;
        // Built beside this test.
        writer.start(QCoreApplication::applicationDirPath() + QStringLiteral("/history_writer"),
                     {path});
        ASSERT_TRUE(writer.waitForStarted());
        long acknowledged = 0;
        while (acknowledged < killAfter) {
            while (!writer.canReadLine()) {
                ASSERT_TRUE(writer.waitForReadyRead(10000));
            }
            acknowledged = writer.readLine().trimmed().toLong();
        }
        writer.kill();  // SIGKILL
        ASSERT_TRUE(writer.waitForFinished());
        while (writer.canReadLine()) {
            acknowledged = writer.readLine().trimmed().toLong();
        }

        std::vector<std::string> messages;
        std::int64_t clock = history::UtcMidnightMs({2026, 12, 1});
        history::HistoryStore store(
            path.toStdString(), {}, [&](const std::string& text) { messages.push_back(text); },
            [&clock] { return clock; });
        EXPECT_TRUE(messages.empty());
        const auto series = store.FindSeries("10.0.0.1", "1");
        ASSERT_TRUE(series);
        const auto stored = static_cast<long>(
            store.Range(series->id, clock, clock + history::kDayMs, history::Step::Raw).size());
        EXPECT_GE(stored, acknowledged);
        EXPECT_LE(stored, acknowledged + 1);
    }
}

}  // namespace
}  // namespace pulsewell
