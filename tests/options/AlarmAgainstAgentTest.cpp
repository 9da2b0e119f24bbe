#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "SnmpDeviceReader.h"
#include "TestAgent.h"
#include "ToneFile.h"
#include "WindowFinders.h"
#include "WindowUnderTest.h"

using namespace pulsewell::test;

// The high alarm, switched on in the options dialog, sounds in the window's
// polls against the private snmpd exactly when the utilization reaches the
// threshold; the sounds go to ALSA's "null" device.
class AlarmAgainstAgentTest : public QObject {
    Q_OBJECT
    static constexpr int kIfIndex = 15;

  private slots:
    void init() {
        SetAgentInterfaceValue(kIfIndex, "ifSpeed", "1000000");
        SetAgentInterfaceValue(kIfIndex, "ifOutOctets", "1000");
        SetAgentInterfaceValue(kIfIndex, "ifInOctets", QByteArray::number(in_).toStdString());
        ui_.emplace();
        QVERIFY(ui_->Open(reader_));
        ui_->player.alsoPlayOn = &alsa_;
    }
    void cleanup() {
        ui_.reset();
        ResetAgentState();
    }

    void highAlarmSoundsWhenTheUtilizationReachesTheThreshold() {
        pulsewell::TForm1& w = ui_->Window();
        pulsewell::TForm3& options = ui_->Options();
        const QString tone = ui_->home.ProgramFolder() + "tone.wav";
        QVERIFY(WriteTone(tone, 800));  // a tenth of a second
        QTest::keyClicks(w.findChild<QComboBox*>("hostCombo"),
                         QString::fromStdString(TestAgentAddress()));
        auto* community = w.findChild<QLineEdit*>("communityEdit");
        community->selectAll();
        QTest::keyClicks(community, QString::fromLatin1(kTestAgentCommunity));
        auto* bandwidth = w.findChild<QLineEdit*>("bandwidthEdit");
        bandwidth->selectAll();
        QTest::keyClicks(bandwidth, "1000000");
        w.monitor().OfferInterfaces({QString::number(kIfIndex)});

        FindAction(w, "Options")->trigger();
        FindByText<QCheckBox>(options, "High threshold sound alarm")->click();
        ui_->prompts.chosenFile = tone;
        options.findChild<QPushButton*>("highAlarmFileButton")->click();
        options.findChild<QLineEdit*>("highValueEdit")->setText("50");
        Button(options, "OK")->click();
        QVERIFY(!options.isVisible());

        // Six seconds between polls: 75000 bytes/s more are 60 % of 1 Mbit/s.
        struct Step {
            int addedBytes;
            int soundsSoFar;
        } steps[] = {{0, 0}, {450000, 1}, {60000, 1}, {300000, 1}};
        for (const Step& step : steps) {
            Poll(step.addedBytes);
            QCOMPARE(ui_->player.played.size(), step.soundsSoFar);
        }

        // While the dialog is open the poll reads its edits as they stand.
        FindAction(w, "Options")->trigger();
        options.findChild<QLineEdit*>("highValueEdit")->setText("40");
        Poll(300000);  // 40 %
        QCOMPARE(ui_->player.played, QStringList({tone, tone}));
        Button(options, "Cancel")->click();
        Poll(300000);
        QCOMPARE(ui_->player.played.size(), 2);
        QVERIFY2(ui_->boxes.errors.isEmpty(), qPrintable(ui_->boxes.errors.join("; ")));
    }

  private:
    void Poll(int addedBytes) {
        in_ += addedBytes;
        SetAgentInterfaceValue(kIfIndex, "ifInOctets", QByteArray::number(in_).toStdString());
        ui_->Window().monitor().PollOnce();
    }

    pulsewell::SnmpDeviceReader reader_;
    pulsewell::AlsaSoundPlayer alsa_{QStringLiteral("null")};
    std::optional<WindowUnderTest> ui_;
    qint64 in_ = 5000;
};

QTEST_MAIN(AlarmAgainstAgentTest)
#include "AlarmAgainstAgentTest.moc"
