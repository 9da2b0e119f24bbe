#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include "tests/support/CliProgram.h"
#include "tests/support/TempHome.h"

namespace pulsewell::test {

// pulsewell-cli as a user starts it, in the test's own program folder.
class CliCommand : public ::testing::Test {
  protected:
    void Launch(const QString& command, const QStringList& arguments) {
        process.start(CliProgram(), QStringList{command} + arguments);
        ASSERT_TRUE(process.waitForStarted());
    }
    // For a device that never answers: its time-outs are not waited out for real.
    void ShortenTimeouts() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PULSEWELL_SNMP_TIMEOUT_MS"), QStringLiteral("300"));
        process.setProcessEnvironment(environment);
    }
    void WaitForStdoutLine() {
        while (!process.canReadLine()) {
            ASSERT_TRUE(process.waitForReadyRead(10000)) << "no line from pulsewell-cli";
        }
    }
    // Waits for the end; out and err get the lines printed. The exit code, -1 after a crash.
    int Finish(int timeoutMs = 20000) {
        EXPECT_TRUE(process.waitForFinished(timeoutMs));
        outBytes = process.readAllStandardOutput();
        out = QString::fromLocal8Bit(outBytes).split(u'\n', Qt::SkipEmptyParts);
        err =
            QString::fromLocal8Bit(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    TempHome home;
    QProcess process;
    QByteArray outBytes;
    QStringList out;
    QStringList err;
};

}  // namespace pulsewell::test
