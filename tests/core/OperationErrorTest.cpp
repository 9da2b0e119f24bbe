#include <gtest/gtest.h>
#include <QStringList>

#include "core/OperationError.h"
#include "core/numbers/NumberText.h"

namespace pulsewell {
namespace {

struct RecordingReporter : ErrorReporter {
    void ShowError(const QString& message) override { shown.append(message); }
    QStringList shown;
};

TEST(RunGuarded, StopsTheHandlerAtTheErrorAndReportsIt) {
    RecordingReporter reporter;
    int stepsDone = 0;
    const bool finished = RunGuarded(reporter, [&] {
        ++stepsDone;
        ParseInt64("x");
        ++stepsDone;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(stepsDone, 1);
    EXPECT_EQ(reporter.shown, QStringList{QString::fromUtf8("'x' ist kein gültiger Integerwert")});
}

TEST(RunGuarded, NextHandlerRunsNormally) {
    RecordingReporter reporter;
    RunGuarded(reporter, [] { throw OperationError("disk full"); });
    bool ran = false;
    EXPECT_TRUE(RunGuarded(reporter, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(reporter.shown, QStringList{"disk full"});
}

}  // namespace
}  // namespace pulsewell
