#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/device/SnmpDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/fakes/ToneFile.h"
#include "tests/support/TestAgent.h"
#include "tests/support/WindowFinders.h"
#include "tests/support/WindowUnderTest.h"

using namespace pulsewell::test;

// The desktop's notification service on the test's own session bus.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    QStringList notices;  // "application|summary|body"
  public slots:
    uint Notify(const QString& application, uint, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int) {
        notices.append(application + '|' + summary + '|' + body);
        return static_cast<uint>(notices.size());
    }
    int Count() const { return static_cast<int>(notices.size()); }  // after earlier notices
};

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
        UseSteppingClock(ui_->Window().monitor());
        ui_->player.alsoPlayOn = &alsa_;
    }
    void cleanup() {
        ui_.reset();
        ResetAgentState();
    }

  private:
    // Polls the agent's interface as 1 Mbit/s with the high alarm on at `threshold` %.
    void SwitchOnHighAlarm(const QString& threshold, const QString& toneName = "tone.wav") {
        pulsewell::TForm1& w = ui_->Window();
        pulsewell::TForm3& options = ui_->Options();
        const QString tone = ui_->home.ProgramFolder() + toneName;
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
        options.findChild<QLineEdit*>("highValueEdit")->setText(threshold);
        Button(options, "OK")->click();
        QVERIFY(!options.isVisible());
    }

  private slots:
    void highAlarmSoundsWhenTheUtilizationReachesTheThreshold() {
        SwitchOnHighAlarm("50");
        pulsewell::TForm1& w = ui_->Window();
        pulsewell::TForm3& options = ui_->Options();
        const QString tone = ui_->home.ProgramFolder() + "tone.wav";

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

    // Without a sound device the alarm still shows on the desktop, once per crossing.
    void highAlarmIsNoticedOncePerCrossing() {
        NotificationService service;
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "service");
        QVERIFY(bus.registerObject("/org/freedesktop/Notifications", &service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.Notifications"));
        ui_->player.alsoPlayOn = &noDevice_;
        // The notice quotes the file's name, which the service must not take for markup.
        SwitchOnHighAlarm("50", "tone <b>&amp;<i>.wav");
        const int steps[][2] = {{0, 0},     {450000, 1}, {450000, 1},  // +bytes, notices
                                {60000, 1}, {450000, 2}, {300000, 2}};
        QDBusMessage count = QDBusMessage::createMethodCall(
            "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
            "org.freedesktop.Notifications", "Count");
        for (const auto& step : steps) {
            Poll(step[0]);
            QCOMPARE(QDBusConnection::sessionBus().call(count, QDBus::BlockWithGui).arguments(),
                     QVariantList{step[1]});
        }
        const QString notice = QStringLiteral(
                                   "Pulsewell|Utilization 60 % reached the high threshold|"
                                   "Host %1, interface %2: the utilization of 60 % "
                                   "reached the high threshold of 50 %.\nThe alarm "
                                   "sound could not play: ")
                                   .arg(QString::fromStdString(TestAgentAddress()))
                                   .arg(kIfIndex);
        QVERIFY(service.notices.value(0).startsWith(notice + "MCI-Fehler"));
        QVERIFY2(service.notices.value(0).endsWith("/tone &lt;b&gt;&amp;amp;&lt;i&gt;.wav"),
                 qPrintable(service.notices.value(0)));
        QCOMPARE(service.notices.value(1), notice + "it failed before");
        QCOMPARE(ui_->boxes.errors.size(), 1);  // the sound's error, once
    }

  private:
    void Poll(int addedBytes) {
        in_ += addedBytes;
        SetAgentInterfaceValue(kIfIndex, "ifInOctets", QByteArray::number(in_).toStdString());
        ui_->Window().monitor().PollOnce();
    }

    pulsewell::SnmpDeviceReader reader_;
    pulsewell::AlsaSoundPlayer alsa_{QStringLiteral("null")};
    pulsewell::AlsaSoundPlayer noDevice_{QStringLiteral("no_such_pcm_device")};
    std::optional<WindowUnderTest> ui_;
    qint64 in_ = 5000;
};

QTEST_MAIN(AlarmAgainstAgentTest)
#include "AlarmAgainstAgentTest.moc"
