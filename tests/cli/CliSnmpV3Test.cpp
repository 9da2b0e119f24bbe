#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/support/CliCommand.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

QString V3AgentHost() {
    return QString::fromStdString(test::TestAgentAddress());
}

// pulsewell-cli over SNMPv3 against the private agent, the passphrases in the
// environment as a script would give them.
class CliSnmpV3 : public test::CliCommand {
  protected:
    void Passphrases(const QString& auth, const QString& priv) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PULSEWELL_AUTH_PASSPHRASE", auth);
        environment.insert("PULSEWELL_PRIV_PASSPHRASE", priv);
        process.setProcessEnvironment(environment);
    }
    QStringList Discover(const QStringList& arguments) {
        Launch("discover", QStringList{"--host", V3AgentHost()} + arguments);
        EXPECT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
        return out;
    }
};

TEST_F(CliSnmpV3, DiscoveryGivesTheTableOfSnmpV1ForEveryProtocolPair) {
    const QStringList v1 = Discover({"--community", "public"});
    ASSERT_GE(v1.size(), 3);
    Passphrases(test::kTestAgentAuthPassphrase, test::kTestAgentPrivPassphrase);
    const QStringList users[] = {
        {"v3des", "MD5", "DES"},
        {"v3aes", "SHA", "AES"},
        {"v3sha256aes256", "SHA-256", "AES-256"},
        {"v3sha512aes192c", "SHA-512", "AES-192-C"},
    };
    for (const QStringList& user : users) {
        EXPECT_EQ(
            Discover({"--user", user[0], "--auth-protocol", user[1], "--priv-protocol", user[2]}),
            v1)
            << user.join(u' ').toStdString();
        EXPECT_TRUE(err.isEmpty()) << err.join(u'\n').toStdString();
    }
}

TEST_F(CliSnmpV3, FailuresExitWithOneLineNamingTheCause) {
    const QString auth = test::kTestAgentAuthPassphrase;
    const QString priv = test::kTestAgentPrivPassphrase;
    struct Case {
        const char* what;
        QStringList arguments;
        QString auth;
        QString priv;
        const char* cause;
    };
    const Case cases[] = {
        {"wrong authentication passphrase",
         {"--user", "v3aes", "--auth-protocol", "SHA", "--priv-protocol", "AES"},
         "not-the-passphrase",
         priv,
         "authentication failed"},
        {"wrong authentication protocol",
         {"--user", "v3aes", "--auth-protocol", "SHA-256", "--priv-protocol", "AES"},
         auth,
         priv,
         "authentication failed"},
        {"unknown user",
         {"--user", "nobody-here", "--auth-protocol", "SHA", "--priv-protocol", "AES"},
         auth,
         priv,
         "unknown user"},
        {"a level the user lacks",
         {"--user", "v3sha", "--auth-protocol", "SHA", "--priv-protocol", "AES"},
         auth,
         priv,
         "security level"},
        {"a level too low for the user's access",
         {"--user", "v3aes", "--auth-protocol", "SHA"},
         auth,
         priv,
         "security level"},
        {"wrong privacy passphrase",
         {"--user", "v3aes", "--auth-protocol", "SHA", "--priv-protocol", "AES"},
         auth,
         "not-the-passphrase",
         "privacy"},
    };
    for (const Case& c : cases) {
        Passphrases(c.auth, c.priv);
        Launch("discover", QStringList{"--host", V3AgentHost()} + c.arguments);
        EXPECT_EQ(Finish(), 1) << c.what;
        EXPECT_TRUE(out.isEmpty()) << c.what;
        ASSERT_EQ(err.size(), 1) << c.what << ": " << err.join(u'\n').toStdString();
        EXPECT_TRUE(err[0].startsWith("status: ")) << err[0].toStdString();
        EXPECT_TRUE(err[0].contains("SNMPv3: ")) << err[0].toStdString();
        EXPECT_TRUE(err[0].contains(QLatin1String(c.cause)))
            << c.what << ": " << err[0].toStdString();
        // check names the same cause, also without --bandwidth.
        const QString cause = err[0].mid(err[0].indexOf("SNMPv3: "));
        for (const QStringList& bandwidth : {QStringList(), QStringList{"--bandwidth", "1000"}}) {
            Launch("check", QStringList{"--host", V3AgentHost(), "--interface", "1"} + c.arguments +
                                bandwidth);
            EXPECT_EQ(Finish(), 3) << c.what;
            EXPECT_EQ(out, QStringList("PULSEWELL UNKNOWN - Failure contacting host! " + cause))
                << c.what;
        }
    }

    // The poll's probe says the same.
    Passphrases("not-the-passphrase", priv);
    Launch("poll", {"--host", V3AgentHost(), "--interface", "1", "--user", "v3aes",
                    "--auth-protocol", "SHA", "--priv-protocol", "AES"});
    EXPECT_EQ(Finish(), 1);
    EXPECT_EQ(err, QStringList("status: Failure contacting host! SNMPv3: authentication failed "
                               "(wrong authentication passphrase or protocol)"));
}

TEST_F(CliSnmpV3, PollMeasuresTheLoopbackOverAuthPriv) {
    Passphrases(test::kTestAgentAuthPassphrase, test::kTestAgentPrivPassphrase);
    Launch("poll", {"--host", V3AgentHost(), "--interface", "1", "--interval", "1", "--count", "3",
                    "--user", "v3aes", "--auth-protocol", "SHA", "--priv-protocol", "AES"});
    ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
    static const QRegularExpression traffic(
        QStringLiteral("; IN bits/s: [1-9][0-9]*; OUT bits/s: [1-9][0-9]*; utilization: "));
    ASSERT_EQ(out.size(), 3) << out.join(u'\n').toStdString();  // two polls measured, totals
    EXPECT_TRUE(traffic.match(out[0]).hasMatch()) << out[0].toStdString();
    EXPECT_TRUE(traffic.match(out[1]).hasMatch()) << out[1].toStdString();
    EXPECT_TRUE(out[2].startsWith("Total traffic transferred IN: "));
}

TEST_F(CliSnmpV3, AnAgentRestartCostsAtMostOnePoll) {
    QTemporaryDir folder;
    const std::string agent = folder.path().toStdString() + "/agent";
    const QString host = QString::fromStdString(test::StartAgentIn(agent));
    ASSERT_FALSE(host.isEmpty());
    Passphrases(test::kTestAgentAuthPassphrase, test::kTestAgentPrivPassphrase);
    Launch("poll", {"--host", host, "--interface", "2", "--interval", "1", "--count", "8",
                    "--continue-on-errors", "--user", "v3aes256c", "--auth-protocol", "MD5",
                    "--priv-protocol", "AES-256-C"});
    WaitForStdoutLine();  // polling runs: the engine is known, its clock followed
    const bool restarted = test::RestartAgentIn(agent);  // engine boots one up, time from 0
    const int exitCode = Finish(40000);
    test::StopAgentIn(agent);
    ASSERT_TRUE(restarted);
    EXPECT_EQ(exitCode, 0) << err.join(u'\n').toStdString();
    // A poll whose request went out while the agent was down loses its reading,
    // once for each counter at most; every other poll measures.
    const qsizetype lost = out.count(QStringLiteral(
        "No value from host, calculation continues with old value! Sequential error probable!!"));
    EXPECT_LE(lost, 2) << out.join(u'\n').toStdString();
    EXPECT_GE(out.filter(QStringLiteral("; IN bits/s: ")).size(), 6)
        << out.join(u'\n').toStdString();
}

}  // namespace
}  // namespace pulsewell
