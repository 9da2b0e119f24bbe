#include <gtest/gtest.h>

#include <cstdlib>

#include "snmp/OneShot.h"
#include "snmp/SnmpSynapse.h"
#include "tests/support/TestAgent.h"

using namespace pulsewell::snmp;
using namespace pulsewell::test;

namespace {

const char* kSysDescr = "1.3.6.1.2.1.1.1.0";
const char* kSysContact = "1.3.6.1.2.1.1.4.0";
const char* kEngineBoots = "1.3.6.1.6.3.10.2.1.2.0";

// The users of tests/agent/v3users.conf, at the level their access needs.
struct User {
    const char* name;
    TV3Flags level;
    TV3Auth auth;
    TV3Priv priv;
};
const User kUsers[] = {
    {"v3noauth", TV3Flags::NoAuthNoPriv, TV3Auth::AuthMD5, TV3Priv::PrivDES},
    {"v3md5", TV3Flags::AuthNoPriv, TV3Auth::AuthMD5, TV3Priv::PrivDES},
    {"v3sha", TV3Flags::AuthNoPriv, TV3Auth::AuthSHA1, TV3Priv::PrivDES},
    {"v3sha224", TV3Flags::AuthNoPriv, TV3Auth::AuthSHA224, TV3Priv::PrivDES},
    {"v3sha256", TV3Flags::AuthNoPriv, TV3Auth::AuthSHA256, TV3Priv::PrivDES},
    {"v3sha384", TV3Flags::AuthNoPriv, TV3Auth::AuthSHA384, TV3Priv::PrivDES},
    {"v3sha512", TV3Flags::AuthNoPriv, TV3Auth::AuthSHA512, TV3Priv::PrivDES},
    {"v3des", TV3Flags::AuthPriv, TV3Auth::AuthMD5, TV3Priv::PrivDES},
    {"v3aes", TV3Flags::AuthPriv, TV3Auth::AuthSHA1, TV3Priv::PrivAES},
    {"v3aes192", TV3Flags::AuthPriv, TV3Auth::AuthSHA1, TV3Priv::PrivAES192},
    {"v3aes256", TV3Flags::AuthPriv, TV3Auth::AuthMD5, TV3Priv::PrivAES256},
    {"v3aes256sha512", TV3Flags::AuthPriv, TV3Auth::AuthSHA512, TV3Priv::PrivAES256},
    {"v3aes192c", TV3Flags::AuthPriv, TV3Auth::AuthSHA1, TV3Priv::PrivAES192C},
    {"v3aes256c", TV3Flags::AuthPriv, TV3Auth::AuthMD5, TV3Priv::PrivAES256C},
};

TV3Security SecurityOf(const User& user) {
    TV3Security security;
    security.UserName = user.name;
    security.Level = user.level;
    security.AuthProtocol = user.auth;
    security.AuthPassphrase = kTestAgentAuthPassphrase;
    security.PrivProtocol = user.priv;
    security.PrivPassphrase = kTestAgentPrivPassphrase;
    return security;
}

std::string V1(const std::string& address, const char* oid) {
    std::string value;
    EXPECT_TRUE(ReadOneValue(oid, kTestAgentCommunity, address, value)) << oid;
    return value;
}

class AgentV3 : public ::testing::Test {
  protected:
    void SetUp() override {
        address_ = TestAgentAddress();
        ASSERT_FALSE(address_.empty()) << "no test agent: run through ctest (fixture snmp_agent)";
    }
    std::string address_;
};

}  // namespace

TEST_F(AgentV3, EveryUserReadsWhatSnmpV1Reads) {
    const char* oids[] = {kSysDescr, "1.3.6.1.2.1.2.2.1.2.2", "1.3.6.1.2.1.2.2.1.10.2"};
    for (const char* oid : oids) {
        const std::string expected = V1(address_, oid);
        ASSERT_FALSE(expected.empty()) << oid;
        for (const User& user : kUsers) {
            std::string value;
            TV3Problem problem = TV3Problem::OtherReport;
            EXPECT_TRUE(ReadOneValue(oid, "", address_, value, version::V3, nullptr,
                                     SecurityOf(user), &problem))
                << user.name << " " << V3ProblemText(problem);
            EXPECT_EQ(problem, TV3Problem::None) << user.name;
            EXPECT_EQ(value, expected) << user.name << " " << oid;
        }
    }
}

TEST_F(AgentV3, QueryComponentAndWalkAskInSnmpV3) {
    const std::vector<std::string> oids = {"1.3.6.1.2.1.2.2.1.2.1", "1.3.6.1.2.1.2.2.1.5.2",
                                           "1.3.6.1.2.1.1.99.0", kSysContact};
    TSNMPSynapse v1;
    v1.SetCommunity(kTestAgentCommunity);
    v1.SetHost(address_);
    TSNMPSynapse v3;
    v3.SetHost(address_);
    v3.SetVersion(version::V3);
    v3.SetSecurity(SecurityOf(kUsers[12]));
    EXPECT_EQ(v3.QueryValues(oids), v1.QueryValues(oids));
    EXPECT_EQ(v3.LastVersion, version::V3);
    EXPECT_EQ(v3.QueryValue("1.3.6.1.2.1.2.2.1.2.2"), "eth0");

    std::string oid1 = "1.3.6.1.2.1.2.2.1.2";
    std::string oid3 = oid1;
    std::string value1;
    std::string value3;
    for (int step = 0; step < 4; ++step) {
        ASSERT_TRUE(ReadNextValue(oid1, kTestAgentCommunity, address_, value1));
        ASSERT_TRUE(
            ReadNextValue(oid3, "", address_, value3, version::V3, nullptr, SecurityOf(kUsers[7])));
        EXPECT_EQ(oid3, oid1);
        EXPECT_EQ(value3, value1);
    }
}

TEST_F(AgentV3, ReportsAndSilenceBecomeCauses) {
    using L = TV3Flags;
    using A = TV3Auth;
    using P = TV3Priv;
    using Why = TV3Problem;
    const auto as = [](const char* name, L level, A auth, P priv) {
        return User{name, level, auth, priv};
    };
    // Passphrases: nullptr for the user's own.
    struct Case {
        const char* what;
        User user;
        const char* authPassphrase;
        const char* privPassphrase;
        Why want;
        int attempts;  // of the component's two
    } cases[] = {
        {"wrong auth passphrase", kUsers[2], "pulsewell-xxxx", nullptr, Why::AuthenticationFailed,
         1},
        {"wrong auth protocol", as("v3sha256", L::AuthNoPriv, A::AuthSHA512, P::PrivDES), nullptr,
         nullptr, Why::AuthenticationFailed, 1},
        {"unknown user", as("v3nobody", L::NoAuthNoPriv, A::AuthMD5, P::PrivDES), nullptr, nullptr,
         Why::UnknownUser, 1},
        {"unknown user, authPriv", as("v3nobody", L::AuthPriv, A::AuthSHA1, P::PrivAES), nullptr,
         nullptr, Why::UnknownUser, 1},
        {"privacy for a user without", as("v3md5", L::AuthPriv, A::AuthMD5, P::PrivDES), nullptr,
         nullptr, Why::UnsupportedSecurityLevel, 1},
        {"noAuthNoPriv for an authPriv user", as("v3aes", L::NoAuthNoPriv, A::AuthMD5, P::PrivDES),
         nullptr, nullptr, Why::AccessDenied, 0},
        {"wrong privacy protocol", as("v3des", L::AuthPriv, A::AuthMD5, P::PrivAES), nullptr,
         nullptr, Why::DecryptionError, 1},
        {"wrong privacy passphrase", kUsers[8], nullptr, "pulsewell-xxxx",
         Why::PrivacyProbablyWrong, 2},
        {"short passphrase", kUsers[1], "short", nullptr, Why::ShortPassphrase, 1},
        {"no user", as("", L::NoAuthNoPriv, A::AuthMD5, P::PrivDES), nullptr, nullptr,
         Why::MissingUser, 1},
    };
    for (const Case& c : cases) {
        TV3Security security = SecurityOf(c.user);
        security.AuthPassphrase = c.authPassphrase ? c.authPassphrase : security.AuthPassphrase;
        security.PrivPassphrase = c.privPassphrase ? c.privPassphrase : security.PrivPassphrase;
        TSNMPSynapse synapse;
        synapse.SetHost(address_);
        synapse.SetVersion(version::V3);
        synapse.SetSecurity(security);
        // Long enough for a busy machine's agent to answer a Report in time.
        synapse.SetTimeout(1000);
        int attempts = 0;
        synapse.OnTimeout = [&](TSNMPSynapse&, const std::string&, int) { ++attempts; };
        const std::string value = synapse.QueryValue(kSysContact);
        EXPECT_EQ(synapse.LastV3Problem(), c.want)
            << c.what << ": " << V3ProblemText(synapse.LastV3Problem());
        EXPECT_EQ(attempts, c.attempts) << c.what;
        EXPECT_EQ(value, c.attempts > 0 ? "Failure" : "") << c.what;
    }
}

TEST(AgentV3Restart, ARestartedAgentCostsAtMostOneRequest) {
    const char* base = std::getenv("PULSEWELL_TEST_AGENT");
    ASSERT_NE(base, nullptr) << "run through ctest";
    const std::string folder = std::string(base) + "-restart";
    const std::string address = StartAgentIn(folder);
    ASSERT_FALSE(address.empty());
    TSNMPSynapse synapse;
    synapse.SetHost(address);
    synapse.SetVersion(version::V3);
    synapse.SetSecurity(SecurityOf(kUsers[10]));
    synapse.SetRetry(0);
    synapse.SetTimeout(1000);
    const std::string boots = synapse.QueryValue(kEngineBoots);
    ASSERT_EQ(boots, "1");

    for (const bool newEngine : {false, true}) {
        ASSERT_TRUE(RestartAgentIn(folder, newEngine));
        int lost = 0;
        std::string answer;
        for (int request = 0; request < 2; ++request) {
            answer = synapse.QueryValue(kSysContact);
            lost += answer == "tests@pulsewell.invalid" ? 0 : 1;
        }
        EXPECT_LE(lost, 1) << (newEngine ? "new engine" : "same engine");
        EXPECT_EQ(answer, "tests@pulsewell.invalid");
        EXPECT_EQ(synapse.QueryValue(kEngineBoots), newEngine ? "1" : "2");
    }
    StopAgentIn(folder);
}
