#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/HistoryWindow.h"
#include "app/MessageBoxes.h"
#include "core/device/SnmpDeviceReader.h"
#include "tests/support/TestAgent.h"
#include "tests/support/WindowFinders.h"
#include "tests/support/WindowUnderTest.h"

using pulsewell::TForm1;

using pulsewell::test::Button;
using pulsewell::test::LabelText;

// Polling in the window against the private snmpd, on an interface whose
// counters the test moves between polls. A start profile makes the window
// ready to poll without discovery.
class PollingWindowTest : public QObject {
    Q_OBJECT
    static constexpr int kIfIndex = 13;

  private slots:
    void init() {
        pulsewell::test::SetAgentInterfaceValue(kIfIndex, "ifSpeed", "1000000");
        pulsewell::test::SetAgentInterfaceValue(kIfIndex, "ifInOctets", "1000");
        pulsewell::test::SetAgentInterfaceValue(kIfIndex, "ifOutOctets", "2000");
        ui_.emplace();
        QVERIFY(WriteProfile("site.ini", "bandwidth=1.000.000\r\n"));
        // As the program runs: the device's exchanges on a thread of their own.
        QVERIFY(ui_->Open(reader_, "site.ini", pulsewell::DeviceWorker::Threading::OwnThread));
    }
    void cleanup() {
        ui_.reset();
        pulsewell::test::ResetAgentState();
    }

    void profileStartsPollingAndStopReportsTheTotals() {
        TForm1& w = ui_->Window();
        auto* community = w.findChild<QLineEdit*>("communityEdit");
        auto* bandwidth = w.findChild<QLineEdit*>("bandwidthEdit");
        QCOMPARE(community->text(), QString::fromLatin1(pulsewell::test::kTestAgentCommunity));
        QCOMPARE(w.findChild<QComboBox*>("interfaceList")->currentText(),
                 QString::number(kIfIndex));
        QVERIFY(w.findChildren<QRadioButton*>().at(1)->isChecked());  // every 3 sec
        QVERIFY(Button(w, "&Start polling")->isEnabled());
        QVERIFY(!w.monitor().IsPolling());
        QSignalSpy polls(&w.monitor(), &pulsewell::Monitor::PollFinished);

        // A second after the window opened.
        QTRY_COMPARE_WITH_TIMEOUT(polls.count(), 1, 3000);
        QVERIFY(w.monitor().IsPolling());
        QVERIFY(!Button(w, "&Start polling")->isEnabled());
        QVERIFY(!Button(w, "&First contact")->isEnabled());
        QVERIFY(Button(w, "Sto&p polling")->isEnabled());
        QVERIFY(community->isReadOnly());
        QCOMPARE(bandwidth->text(), QStringLiteral("1000000"));  // separators removed
        QCOMPARE(LabelText(w, "statusPanel0"), QString());
        QCOMPARE(LabelText(w, "statusPanel1"), QStringLiteral("Next poll in 3 seconds"));

        pulsewell::test::SetAgentInterfaceValue(kIfIndex, "ifInOctets", "4000");
        pulsewell::test::SetAgentInterfaceValue(kIfIndex, "ifOutOctets", "8000");
        QTRY_COMPARE_WITH_TIMEOUT(LabelText(w, "statusPanel1"),
                                  QStringLiteral("Next poll in 1 second"), 4000);
        QTRY_COMPARE_WITH_TIMEOUT(polls.count(), 2, 4000);
        const QString line = w.findChild<QPlainTextEdit*>("messageList")->toPlainText();
        QVERIFY2(line.endsWith("; IN bits/s: 8000; OUT bits/s: 16000; utilization: 2.40 %"),
                 qPrintable(line));
        QCOMPARE(LabelText(w, "totalIn"), QStringLiteral("3000"));
        QCOMPARE(LabelText(w, "totalOut"), QStringLiteral("6000"));
        QCOMPARE(LabelText(w, "totalCombined"), QStringLiteral("9000"));

        // File > History...: the bytes the polls counted, as stored.
        pulsewell::test::FindAction(w, "History...")->trigger();
        auto* history = w.findChild<pulsewell::HistoryWindow*>();
        QVERIFY(history && history->isVisible());
        QCOMPARE(LabelText(*history, "volume"),
                 QStringLiteral("Volume IN: %1 bytes; OUT: %2 bytes")
                     .arg(QLocale().toString(3000), QLocale().toString(6000)));

        QTest::mouseClick(Button(w, "Sto&p polling"), Qt::LeftButton);
        QVERIFY(!w.monitor().IsPolling());
        QCOMPARE(LabelText(w, "statusPanel0"), QStringLiteral("Polling stopped by user."));
        QCOMPARE(LabelText(w, "statusPanel1"), QString());
        QVERIFY(w.findChild<QPlainTextEdit*>("messageList")
                    ->toPlainText()
                    .endsWith("\nTotal traffic transferred IN: 3000 bytes; OUT: 6000 bytes; "
                              "combined: 9000 bytes"));
        QCOMPARE(LabelText(w, "totalCombined"), QStringLiteral("0"));
        QVERIFY(Button(w, "&Start polling")->isEnabled());
        QVERIFY(Button(w, "&First contact")->isEnabled());
        QVERIFY(!community->isReadOnly());

        // Stop zeroed the counters, so polling again starts with a new
        // baseline: a poll at once, but no traffic line yet.
        QTest::mouseClick(Button(w, "&Start polling"), Qt::LeftButton);
        QTRY_VERIFY(w.monitor().IsPolling());
        QTRY_COMPARE(polls.count(), 3);
        QCOMPARE(w.findChild<QPlainTextEdit*>("messageList")->toPlainText(), QString());
        QVERIFY(!Button(w, "&Start polling")->isEnabled());
        QVERIFY2(ui_->boxes.errors.isEmpty(), qPrintable(ui_->boxes.errors.join("; ")));
    }

    // A profile choosing SNMPv2c: the window polls the 64-bit counters, and a
    // difference of more than 2^32 octets in one interval comes out exact.
    void versionTwoCProfileMeasuresBeyondThirtyTwoBits() {
        using pulsewell::test::SetAgentInterfaceValue;
        SetAgentInterfaceValue(kIfIndex, "ifHCInOctets", "5000000000");
        SetAgentInterfaceValue(kIfIndex, "ifHCOutOctets", "1000");
        QVERIFY(WriteProfile("v2c.ini", "bandwidth=100000000000\r\nversion=2c\r\n"));
        TForm1& w = ui_->Window();
        w.monitor().SetStartProfile("v2c.ini");
        pulsewell::test::FindAction(w, "Reset all")->trigger();
        QSignalSpy polls(&w.monitor(), &pulsewell::Monitor::PollFinished);
        QTRY_COMPARE_WITH_TIMEOUT(polls.count(), 1, 3000);

        // 3 s at 40 Gbit/s in, three times 2^32 octets out.
        SetAgentInterfaceValue(kIfIndex, "ifHCInOctets", "20000000000");
        SetAgentInterfaceValue(kIfIndex, "ifHCOutOctets", "12884902888");
        QTRY_COMPARE_WITH_TIMEOUT(polls.count(), 2, 5000);
        const QString line = w.findChild<QPlainTextEdit*>("messageList")->toPlainText();
        QVERIFY2(line.endsWith(
                     "; IN bits/s: 40000000000; OUT bits/s: 34359738368; utilization: 74.36 %"),
                 qPrintable(line));
        QCOMPARE(LabelText(w, "totalOut"), QStringLiteral("12884901888"));
        QVERIFY2(ui_->boxes.errors.isEmpty(), qPrintable(ui_->boxes.errors.join("; ")));
        // For looking at: the graph's scale at 40 Gbit/s.
        QVERIFY(w.grab().save(QCoreApplication::applicationDirPath() + "/polling-v2c.png"));
    }

    // With the program's own boxes: an error box a poll raises waits for the
    // user without holding up the polls after it, and the same fault every
    // poll leaves one box.
    void pollingGoesOnWhileAnErrorBoxIsOpen() {
        QVERIFY(WriteProfile("site.ini", ""));
        ui_->options.reset();
        ui_->window.reset();
        pulsewell::QtMessageBoxes boxes;
        TForm1 w(boxes, reader_, ui_->player, "site.ini");
        w.show();
        QSignalSpy polls(&w.monitor(), &pulsewell::Monitor::PollFinished);
        QTRY_VERIFY_WITH_TIMEOUT(w.monitor().IsPolling(), 5000);
        // A profile without a bandwidth polls at 0, as the window's field would.
        QTRY_VERIFY_WITH_TIMEOUT(polls.count() >= 1, 5000);
        QVERIFY(w.findChildren<QMessageBox*>().isEmpty());
        QCOMPARE(w.findChild<QLineEdit*>("bandwidthEdit")->text(), QStringLiteral("0"));

        // With a bandwidth that is no number every poll ends with the conversion error.
        auto* bandwidth = w.findChild<QLineEdit*>("bandwidthEdit");
        bandwidth->selectAll();
        QTest::keyClicks(bandwidth, "fast");
        const qsizetype before = polls.count();
        QTRY_VERIFY_WITH_TIMEOUT(polls.count() >= before + 3, 15000);
        const QList<QMessageBox*> open = w.findChildren<QMessageBox*>();
        QCOMPARE(open.size(), 1);
        QVERIFY(open.first()->isVisible());
        QCOMPARE(open.first()->text(), QStringLiteral("'fast' ist kein gültiger Integerwert"));
        QVERIFY(w.monitor().IsPolling());
    }

  private:
    // A start profile in the program's folder that polls interface kIfIndex
    // of the private agent every 3 seconds, plus the lines `more`.
    bool WriteProfile(const QString& name, const QString& more) {
        QFile profile(ui_->home.ProgramFolder() + name);
        return profile.open(QIODevice::WriteOnly) &&
               profile.write(QStringLiteral("[Details]\r\nIP=%1\r\ncommunity=%2\r\n"
                                            "Interface=%3\r\ninterval=3\r\n%4")
                                 .arg(QString::fromStdString(pulsewell::test::TestAgentAddress()),
                                      QString::fromLatin1(pulsewell::test::kTestAgentCommunity))
                                 .arg(kIfIndex)
                                 .arg(more)
                                 .toLatin1()) > 0;
    }

    pulsewell::SnmpDeviceReader reader_;
    std::optional<pulsewell::test::WindowUnderTest> ui_;
};

QTEST_MAIN(PollingWindowTest)
#include "PollingWindowTest.moc"
