#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/OperationError.h"
#include "core/polling/TrafficLine.h"
#include "core/polling/TrafficLogs.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

class TrafficLogsTest : public ::testing::Test {
  protected:
    TrafficLogsTest() {
        state.Host = "192.168.1.1";
        state.InterfaceNumber = "3";
        state.Bandwidth = "10000000";
    }

    QString Read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return QString::fromLocal8Bit(file.readAll());
    }

    test::TempHome home;
    QString folder = home.ProgramFolder();
    LogSubject state;
    const QDateTime time{QDate(2026, 12, 7), QTime(14, 3, 9)};
};

TEST_F(TrafficLogsTest, NamesComeFromHostAndInterface) {
    EXPECT_EQ(TrafficLogPath(folder, state), folder + "192.168.1.1_i3.log");
    EXPECT_EQ(DebugLogPath(folder, state), folder + "192.168.1.1_i3_debug.log");
}

TEST_F(TrafficLogsTest, FirstPollWritesHeadersAndTheZeroDebugLines) {
    TTrafficSample first;
    first.orgin = 9000;
    first.orgout = 5000;
    WriteTrafficLogEntry(folder, state, first, time);
    WriteDebugLogEntry(folder, state, first, time, QString());
    EXPECT_EQ(Read(TrafficLogPath(folder, state)),
              "Host: 192.168.1.1, Interface: 3, Bandwidth: 10000000\r\n");
    EXPECT_EQ(Read(DebugLogPath(folder, state)),
              "Host: 192.168.1.1, Interface: 3\r\n"
              "DateTime: 07.12.2026, 14:03:09; orgin 9000; inbyte 0; inbit 0; inbytepers 0; "
              "inbitpers 0; utilbit 0; utilbyte 0\r\n"
              "DateTime: 07.12.2026, 14:03:09; orgout 5000; outbyte 0; outbit 0; outbytepers 0; "
              "outbitpers 0; utilbit 0; utilbyte 0\r\n");
}

TEST_F(TrafficLogsTest, LaterPollsAppendWithoutHeader) {
    TTrafficSample s;
    s.inbytepers = 1500;
    s.outbytepers = 700;
    s.utilbit = 12.5;
    WriteTrafficLogEntry(folder, state, s, time);  // first poll: header only
    state.Measured = true;
    state.ShowBytes = true;
    WriteTrafficLogEntry(folder, state, s, time);
    state.ShowBytes = false;
    s.inbitpers = 1200000;
    s.outbitpers = 300000;
    s.utilbit = 15;
    WriteTrafficLogEntry(folder, state, s, time);
    EXPECT_EQ(Read(TrafficLogPath(folder, state)),
              "Host: 192.168.1.1, Interface: 3, Bandwidth: 10000000\r\n"
              "DateTime: 07.12.2026, 14:03:09; IN bytes/s: 1500; OUT bytes/s: 700; "
              "utilization: 12.50 %\r\n"
              "DateTime: 07.12.2026, 14:03:09; IN bits/s: 1200000; OUT bits/s: 300000; "
              "utilization: 15.00 %\r\n");
}

TEST_F(TrafficLogsTest, NotesFollowTheLastMessageOnly) {
    const TTrafficSample s;
    struct Case {
        const char* lastMessage;
        const char* note;
    } cases[] = {
        {"Integer wrap around occured for outgoing traffic", "Integer wrap around has occurred!"},
        {"INTEGER WRAP AROUND occured for incoming traffic", "Integer wrap around has occurred!"},
        {"No value from host, calculation continues with old value! Sequential error probable!!",
         "No value from host, calculation continues with old value! Sequential error "
         "probable!!"},
        {"07.Dec.2026, 14:03:03; IN bits/s: 1; OUT bits/s: 2; utilization: 0.00 %", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        QFile::remove(DebugLogPath(folder, state));
        WriteDebugLogEntry(folder, state, s, time, QString::fromLatin1(c.lastMessage));
        const QStringList lines = Read(DebugLogPath(folder, state)).split("\r\n");
        ASSERT_EQ(lines.size(), c.note ? 5 : 4) << c.lastMessage;
        if (c.note) {
            EXPECT_EQ(lines[3], QString::fromLatin1(c.note));
        }
    }
}

TEST_F(TrafficLogsTest, DeletedFileIsCreatedAgainWithAHeader) {
    TTrafficSample s;
    state.Measured = true;
    WriteTrafficLogEntry(folder, state, s, time);
    QFile::remove(TrafficLogPath(folder, state));
    WriteTrafficLogEntry(folder, state, s, time);
    EXPECT_TRUE(Read(TrafficLogPath(folder, state)).startsWith("Host: 192.168.1.1,"));
    EXPECT_EQ(Read(TrafficLogPath(folder, state)).count("\r\n"), 2);
}

TEST_F(TrafficLogsTest, HostThatWouldLeaveTheFolderIsRefused) {
    TTrafficSample s;
    for (const QString& host : {QString("../../tmp/x"), QString("a/b"), QString("a") + QChar(0)}) {
        state.Host = host;
        EXPECT_THROW(WriteTrafficLogEntry(folder, state, s, time), OperationError);
        EXPECT_THROW(WriteDebugLogEntry(folder, state, s, time, QString()), OperationError);
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 0);
    EXPECT_FALSE(QFile::exists(folder + "../../tmp/x_i3.log"));
}

TEST_F(TrafficLogsTest, UnwritableFolderIsAnError) {
    const QString missing = folder + "no-such-folder/";
    try {
        WriteTrafficLogEntry(missing, state, TTrafficSample{}, time);
        FAIL() << "wrote into a missing folder";
    } catch (const OperationError& e) {
        EXPECT_TRUE(e.Message().contains(missing + "192.168.1.1_i3.log"));
    }
}

TEST(TrafficLine, MessageLineUsesTheShortMonthName) {
    TTrafficSample s;
    s.inbitpers = 1200000;
    s.outbitpers = 300000;
    s.utilbit = 15.0;
    const QDateTime time(QDate(2026, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(TrafficMessageLine(time, s, false),
              "05.Mar.2026, 07:08:09; IN bits/s: 1200000; OUT bits/s: 300000; "
              "utilization: 15.00 %");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    s.utilbit = 12.5;
    EXPECT_EQ(TrafficMessageLine(time, s, true),
              "05.März.2026, 07:08:09; IN bytes/s: 0; OUT bytes/s: 0; utilization: 12,50 %");
    QLocale::setDefault(QLocale::c());
}

TEST(TrafficLine, OneDotEachSideOfTheMonthInEveryLocale) {
    struct Case {
        QLocale locale;
        QDate date;
        const char* stamp;
    };
    const Case cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), QDate(2026, 12, 8), "08.Dez.2026, "},
        {QLocale(QLocale::German, QLocale::Germany), QDate(2026, 5, 8), "08.Mai.2026, "},
        {QLocale(QLocale::French, QLocale::France), QDate(2026, 2, 8), "08.févr.2026, "},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), QDate(2026, 9, 8), "08.Sept.2026, "},
        {QLocale::c(), QDate(2026, 12, 8), "08.Dec.2026, "},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        const QString line = TrafficMessageLine(QDateTime(c.date, QTime(7, 8, 9)), {}, false);
        EXPECT_TRUE(line.startsWith(QString::fromUtf8(c.stamp))) << line.toStdString();
    }
    QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace pulsewell
