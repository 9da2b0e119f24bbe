#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

// Net-SNMP's own reading of one object: the bare value, a string's quotes
// and an identifier's leading dot removed.
QString Snmpget(const QString& oid, const QStringList& options = {}) {
    QProcess get;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MIBS", "");
    get.setProcessEnvironment(environment);
    get.start("snmpget", QStringList{"-v1", "-c", test::kTestAgentCommunity, "-On", "-Oqv"} +
                             options +
                             QStringList{QString::fromStdString(test::TestAgentAddress()), oid});
    EXPECT_TRUE(get.waitForFinished(30000));
    EXPECT_EQ(get.exitCode(), 0) << get.readAllStandardError().toStdString();
    QString value = QString::fromUtf8(get.readAllStandardOutput()).chopped(1);
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) {
        value = value.mid(1, value.size() - 2);
    }
    return value.startsWith('.') ? value.mid(1) : value;
}

qint64 Ticks() {
    return Snmpget("1.3.6.1.2.1.1.3.0", {"-Ot"}).toLongLong();
}

TEST(ExportAgainstAgent, FileHoldsWhatNetSnmpReadsLineByLine) {
    test::ResetAgentState();
    test::TempHome home;
    test::RecordingView view;
    SnmpDeviceReader reader;
    test::RecordingSoundPlayer player;
    Monitor monitor(view, reader, player);
    monitor.ResetAll();
    const QString host = QString::fromStdString(test::TestAgentAddress());
    monitor.SetHost(host);
    monitor.SetCommunity(QString::fromLatin1(test::kTestAgentCommunity));

    const qint64 ticksBefore = Ticks();
    monitor.FirstContact();
    const qint64 ticksAfter = Ticks();
    monitor.ExportDeviceInfo();
    ASSERT_EQ(view.errors, QStringList());

    const QString path = home.ProgramFolder() + "device_info.txt";
    EXPECT_EQ(view.openedDocuments, QStringList{path});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QStringList lines = QString::fromUtf8(bytes.chopped(2)).split("\r\n");
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << line.toStdString();
    }

    const QStringList table = monitor.Table().ExportLines();
    ASSERT_EQ(table.size(), 3);
    ASSERT_EQ(lines.size(), 17 + table.size());
    EXPECT_EQ(lines.mid(0, 12), (QStringList{"System description: ", Snmpget("1.3.6.1.2.1.1.1.0"),
                                             "System Name: ", Snmpget("1.3.6.1.2.1.1.5.0"),
                                             "System object ID: ", Snmpget("1.3.6.1.2.1.1.2.0"),
                                             "System IP address: ", host,
                                             "System location: ", Snmpget("1.3.6.1.2.1.1.6.0"),
                                             "System contact: ", Snmpget("1.3.6.1.2.1.1.4.0")}));
    const QRegularExpressionMatch uptime =
        QRegularExpression(
            "^System uptime: (\\d+) ticks \\(\\d+ days, \\d+ hours, \\d+ minutes, "
            "\\d+ seconds\\)$")
            .match(lines[12]);
    ASSERT_TRUE(uptime.hasMatch()) << lines[12].toStdString();
    EXPECT_GE(uptime.captured(1).toLongLong(), ticksBefore);
    EXPECT_LE(uptime.captured(1).toLongLong(), ticksAfter);
    EXPECT_EQ(lines.mid(13), QStringList({"Number of interfaces: " + Snmpget("1.3.6.1.2.1.2.1.0"),
                                          "System services: " + Snmpget("1.3.6.1.2.1.1.7.0"), "",
                                          "Interface information"}) +
                                 table);
}

}  // namespace
}  // namespace pulsewell
