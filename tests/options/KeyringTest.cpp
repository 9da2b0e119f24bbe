// The SNMPv3 passphrases in the desktop's keyring. Run twice by CTest: inside
// a D-Bus session with an unlocked GNOME Keyring (with-keyring.sh), where they
// are stored and read back, and with no session bus at all, where the window
// asks for them once per run and says they will not be kept.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

#include "app/MainWindow.h"
#include "core/settings/SettingsKey.h"
#include "options/OptionsDialog.h"
#include "options/PassphraseKeyring.h"
#include "options/V3PassphraseKeeper.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/support/RecordingMessageBoxes.h"
#include "tests/support/RecordingOptionsPrompts.h"
#include "tests/support/TempHome.h"

using namespace pulsewell;

namespace {

using Outcome = PassphraseKeyring::Outcome;

// Waits for a keyring call's answer.
template <typename Result>
class Answer {
  public:
    auto Callback() {
        return [this](auto... values) { result_ = Result{values...}; };
    }
    Result Wait() {
        const bool answered = QTest::qWaitFor([this] { return result_.has_value(); }, 30000);
        if (!answered) {
            qFatal("the keyring did not answer");
        }
        return *result_;
    }

  private:
    std::optional<Result> result_;
};

using ReadResult = std::pair<Outcome, V3Passphrases>;

bool KeyringExpected() {
    return qEnvironmentVariable("PULSEWELL_KEYRING") == QStringLiteral("reachable");
}

}  // namespace

class KeyringTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        // Each case its own service, so that cases and runs never meet.
        service_ = QStringLiteral("Pulsewell test %1").arg(++cases_);
    }

    void PassphrasesAreStoredAndReadBack() {
        SecretServiceKeyring keyring(service_);
        Answer<std::tuple<Outcome>> written;
        keyring.Write("tester", {"auth-secret-1", "priv-secret-2"},
                      [&](Outcome outcome) { written.Callback()(outcome); });
        const Outcome writeOutcome = std::get<0>(written.Wait());

        Answer<ReadResult> read;
        keyring.Read("tester", [&](Outcome outcome, const V3Passphrases& passphrases) {
            read.Callback()(outcome, passphrases);
        });
        const ReadResult result = read.Wait();
        Answer<ReadResult> unknown;
        keyring.Read("nobody", [&](Outcome outcome, const V3Passphrases& passphrases) {
            unknown.Callback()(outcome, passphrases);
        });
        const Outcome unknownOutcome = unknown.Wait().first;

        if (!KeyringExpected()) {
            QCOMPARE(writeOutcome, Outcome::Unreachable);
            QCOMPARE(result.first, Outcome::Unreachable);
            QCOMPARE(unknownOutcome, Outcome::Unreachable);
            return;
        }
        QCOMPARE(writeOutcome, Outcome::Done);
        QCOMPARE(result.first, Outcome::Done);
        QCOMPARE(result.second, (V3Passphrases{"auth-secret-1", "priv-secret-2"}));
        QCOMPARE(unknownOutcome, Outcome::NotFound);

        // Another client of the Secret Service sees the same entry.
        const QString tool = QStandardPaths::findExecutable("secret-tool");
        if (!tool.isEmpty()) {
            QProcess lookup;
            lookup.start(tool, {"lookup", "user", "snmpv3/tester/auth", "server", service_});
            QVERIFY(lookup.waitForFinished());
            QCOMPARE(lookup.readAllStandardOutput(), QByteArray("auth-secret-1"));
        }
    }

    // OK in the options dialog keeps the passphrases where the keyring is,
    // never in the settings file, and the window reads them back at its next
    // start.
    void TheDialogKeepsThemAndTheWindowFindsThem() {
        test::TempHome home;
        SecretServiceKeyring keyring(service_);
        test::RecordingOptionsPrompts prompts;
        prompts.passphraseAnswer = V3Passphrases{"asked-auth-1", "asked-priv-2"};
        V3PassphraseKeeper keeper(keyring, prompts);
        test::RecordingMessageBoxes boxes;
        test::ScriptedDeviceReader reader;
        test::RecordingSoundPlayer player;
        {
            TForm1 window(boxes, reader, player);
            TForm3 dialog(window.monitor(), prompts, &window);
            dialog.SetPassphraseKeeper(keeper);
            dialog.ShowOptions();
            dialog.findChild<QRadioButton*>("snmpV3Radio")->click();
            dialog.findChild<QLineEdit*>("snmpV3UserEdit")->setText("keeper");
            dialog.findChild<QLineEdit*>("snmpV3AuthPassphraseEdit")->setText("typed-auth-3");
            dialog.findChild<QLineEdit*>("snmpV3PrivPassphraseEdit")->setText("typed-priv-4");
            dialog.accept();
            QCOMPARE(window.monitor().State().Device.Version, SnmpVersion::V3);
            QCOMPARE(window.monitor().State().Device.Security.AuthPassphrase,
                     QString("typed-auth-3"));
            QVERIFY(!window.findChild<QLineEdit*>("communityEdit")->isEnabled());
            QTest::qWait(KeyringExpected() ? 2000 : 200);  // the write runs meanwhile
            QCOMPARE(!dialog.findChild<QLabel*>("keyringNote")->isHidden(), !KeyringExpected());
        }
        QFile settings(home.ConfigFolder() + "/Tarnwick/Pulsewell.conf");
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray stored = settings.readAll();
        QVERIFY(stored.contains("snmpv3user=keeper"));
        QVERIFY(!stored.contains("typed-auth"));
        QVERIFY(!stored.contains("typed-priv"));

        // The next start: a keeper of its own, as a new run has.
        V3PassphraseKeeper nextRun(keyring, prompts);
        TForm1 window(boxes, reader, player);
        window.SetPassphraseKeeper(nextRun);
        Monitor& monitor = window.monitor();
        QVERIFY(QTest::qWaitFor([&] { return !monitor.IsAwaitingV3Passphrases(); }, 30000));
        if (KeyringExpected()) {
            QCOMPARE(monitor.State().Device.Security.AuthPassphrase, QString("typed-auth-3"));
            QCOMPARE(monitor.State().Device.Security.PrivPassphrase, QString("typed-priv-4"));
            QVERIFY(prompts.passphraseQuestions.isEmpty());
            return;
        }
        // No keyring: asked once, and not again on "Reset all" in the same run.
        QCOMPARE(prompts.passphraseQuestions, QStringList("keeper"));
        QCOMPARE(monitor.State().Device.Security.AuthPassphrase, QString("asked-auth-1"));
        monitor.ResetAll();
        QVERIFY(QTest::qWaitFor([&] { return !monitor.IsAwaitingV3Passphrases(); }, 30000));
        QCOMPARE(prompts.passphraseQuestions.size(), 1);
        QCOMPARE(monitor.State().Device.Security.PrivPassphrase, QString("asked-priv-2"));
    }

    // A start profile over SNMPv3 whose user the keyring does not know: the
    // window asks once, and with a keyring keeps the answer there, so that
    // the next run polls without asking.
    void AnEmptyKeyringAsksForTheProfilesPassphrases() {
        test::TempHome home;
        QFile profile(home.ProgramFolder() + "site.ini");
        QVERIFY(profile.open(QIODevice::WriteOnly));
        profile.write("[Details]\nIP=192.0.2.7\nversion=3\nuser=profiled\n");
        profile.close();
        SecretServiceKeyring keyring(service_);
        prompts_.passphraseAnswer = V3Passphrases{"asked-auth-5", "asked-priv-6"};
        const QString question = KeyringExpected() ? "profiled (keyring)" : "profiled";
        for (const QStringList& asked : {QStringList(question), QStringList()}) {
            V3PassphraseKeeper keeper(keyring, prompts_);  // a run of its own
            prompts_.passphraseQuestions.clear();
            TForm1 window(boxes_, reader_, player_, "site.ini");
            window.SetPassphraseKeeper(keeper);
            Monitor& monitor = window.monitor();
            QVERIFY(QTest::qWaitFor([&] { return !monitor.IsAwaitingV3Passphrases(); }, 30000));
            QCOMPARE(monitor.State().Device.Security.PrivPassphrase, QString("asked-priv-6"));
            QCOMPARE(prompts_.passphraseQuestions,
                     KeyringExpected() ? asked : QStringList(question));
            QTest::qWait(KeyringExpected() ? 2000 : 0);  // the write runs meanwhile
        }
    }

    // The community of a host that polled is kept in the keyring, never in
    // the settings file; choosing the host in the next run brings it back.
    void TheHostsCommunityComesBackFromTheKeyring() {
        test::TempHome home;
        SecretServiceKeyring keyring(service_);
        reader_.Answer("1.3.6.1.2.1.2.2.1.5.1", "1000000");
        {
            V3PassphraseKeeper keeper(keyring, prompts_);
            TForm1 window(boxes_, reader_, player_);
            window.SetPassphraseKeeper(keeper);
            QTest::keyClicks(window.findChild<QComboBox*>("hostCombo"), "Router-7");
            window.findChild<QLineEdit*>("communityEdit")->setText("kept-secret-9");
            window.monitor().StartPolling();
            QVERIFY(window.monitor().IsPolling());
            QTest::qWait(KeyringExpected() ? 2000 : 200);  // the write runs meanwhile
        }
        QFile settings(home.ConfigFolder() + "/Tarnwick/Pulsewell.conf");
        QVERIFY(settings.open(QIODevice::ReadOnly) && !settings.readAll().contains("kept-secret"));

        V3PassphraseKeeper nextRun(keyring, prompts_);
        TForm1 window(boxes_, reader_, player_);
        window.SetPassphraseKeeper(nextRun);
        QCOMPARE(window.monitor().State().Device.Host, QString("Router-7"));
        const QString expected = KeyringExpected() ? "kept-secret-9" : "cobalt";
        QTRY_COMPARE_WITH_TIMEOUT(window.monitor().State().Device.Community, expected, 10000);
        QCOMPARE(window.findChild<QLineEdit*>("communityEdit")->text(), expected);
    }

  private:
    QString service_;
    int cases_ = 0;
    test::RecordingOptionsPrompts prompts_;
    test::RecordingMessageBoxes boxes_;
    test::ScriptedDeviceReader reader_;
    test::RecordingSoundPlayer player_;
};

QTEST_MAIN(KeyringTest)
#include "KeyringTest.moc"
