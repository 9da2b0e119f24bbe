#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "snmp/OneShot.h"
#include "snmp/SnmpSynapse.h"
#include "tests/snmp/Hex.h"
#include "tests/support/TestAgent.h"

using namespace pulsewell::snmp;
using pulsewell::test::Hex;
using pulsewell::test::kTestAgentCommunity;
using pulsewell::test::TestAgentAddress;

namespace {

// Standard output only: the tools' standard error (such as the notes Net-SNMP
// prints when it first creates its state folder) passes through to the log.
std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, got);
    }
    ::pclose(pipe);
    return out;
}

std::string NetSnmp(const std::string& tool, const std::string& options, const std::string& oid) {
    return Run("MIBS= " + tool + " -v1 -c " + kTestAgentCommunity + " " + options + " " +
               TestAgentAddress() + " " + oid);
}

std::string Squeeze(std::string text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' && c != '\n' && c != '"') {
            out += c;
        }
    }
    return out;
}

class Agent : public ::testing::Test {
  protected:
    void SetUp() override {
        address_ = TestAgentAddress();
        ASSERT_FALSE(address_.empty()) << "no test agent: run through ctest (fixture snmp_agent)";
    }
    std::string address_;
};

TEST_F(Agent, EveryValueTypeMatchesSnmpget) {
    struct Case {
        const char* oid;
        const char* kind;
    };
    const Case cases[] = {
        {"1.3.6.1.2.1.1.7.0", "INTEGER"},
        {"1.3.6.1.2.1.2.2.1.3.2", "INTEGER"},
        {"1.3.6.1.2.1.1.6.0", "OCTET STRING"},
        {"1.3.6.1.2.1.2.2.1.2.2", "OCTET STRING"},
        {"1.3.6.1.2.1.2.2.1.6.2", "OCTET STRING with zero bytes"},
        {"1.3.6.1.2.1.2.2.1.6.1", "empty OCTET STRING"},
        {"1.3.6.1.2.1.1.2.0", "OBJECT IDENTIFIER"},
        {"1.3.6.1.2.1.2.2.1.10.2", "Counter32 above 2^31"},
        {"1.3.6.1.2.1.2.2.1.16.2", "Counter32"},
        {"1.3.6.1.2.1.2.2.1.5.2", "Gauge32"},
        {"1.3.6.1.2.1.2.2.1.9.2", "TimeTicks"},
        {"1.3.6.1.2.1.4.20.1.1.127.0.0.1", "IpAddress"},
    };
    for (const Case& c : cases) {
        std::string value;
        ASSERT_TRUE(ReadOneValue(c.oid, kTestAgentCommunity, address_, value)) << c.kind;
        // -On: numeric identifiers; -Oqv: value only; -Ox: strings in hex; -Ot: ticks as a number;
        // -Oe: no enum names
        const std::string expected = Squeeze(NetSnmp("snmpget", "-On -Oqv -Ox -Ot -Oe", c.oid));
        std::string ours = value;
        const std::string kind = c.kind;
        if (kind.find("OCTET") != std::string::npos) {
            ours = Squeeze(Hex(value));
        } else if (kind.find("Counter") != std::string::npos || kind == "Gauge32" ||
                   kind == "TimeTicks") {
            long long n = std::stoll(value);
            ours = std::to_string(n < 0 ? n + 4294967296LL : n);
        } else if (kind == "OBJECT IDENTIFIER") {
            ours = "." + value;
        }
        EXPECT_EQ(ours, expected) << c.kind << " " << c.oid;
    }
}

TEST_F(Agent, CounterAbove2To31ArrivesAsNegativeText) {
    std::string value;
    ASSERT_TRUE(ReadOneValue("1.3.6.1.2.1.2.2.1.10.2", kTestAgentCommunity, address_, value));
    EXPECT_EQ(value, "-1294967296");  // 3000000000 in the fake interface's state
}

TEST_F(Agent, ReadNextWalkVisitsWhatSnmpwalkVisits) {
    std::vector<std::string> expected;
    std::istringstream lines(NetSnmp("snmpwalk", "-On -Oq", ".1.3.6.1.2.1.2.2"));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '.') {
            expected.push_back(line.substr(1, line.find(' ') - 1));
        }
    }
    ASSERT_GT(expected.size(), 10u);

    std::vector<std::string> walked;
    std::string oid = "1.3.6.1.2.1.2.2";
    std::string value;
    while (ReadNextValue(oid, kTestAgentCommunity, address_, value) &&
           oid.rfind("1.3.6.1.2.1.2.2.", 0) == 0 && walked.size() < 1000) {
        walked.push_back(oid);
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(Agent, QueryValueThroughTheComponent) {
    TSNMPSynapse synapse;
    synapse.SetCommunity(kTestAgentCommunity);
    synapse.SetHost(address_);
    EXPECT_EQ(synapse.QueryValue("1.3.6.1.2.1.2.2.1.2.2"), "eth0");
    EXPECT_EQ(synapse.QueryValue("1.3.6.1.2.1.2.2.1.5.2"), "100000000");
    EXPECT_EQ(synapse.LastVersion, 0);
    // noSuchName: a successful exchange with an empty value.
    EXPECT_EQ(synapse.QueryValue("1.3.6.1.2.1.1.99.0"), "");
    EXPECT_EQ(synapse.LastErrorStatus, 2);
    EXPECT_FALSE(synapse.IsHostBlocked(address_));
}

TEST_F(Agent, WrongCommunityIsSilence) {
    std::string value = "stale";
    TSNMPSynapse synapse;
    synapse.SetCommunity("not-the-community");
    synapse.SetTimeout(300);
    synapse.SetRetry(0);
    synapse.SetHost(address_);
    EXPECT_EQ(synapse.QueryValue("1.3.6.1.2.1.1.5.0"), "Failure");
}

TEST_F(Agent, StateFolderDrivesTheFakeInterface) {
    // Only values change here: other cases walk the same table at the same time.
    const char* mtu = "1.3.6.1.2.1.2.2.1.4.2";
    std::string value;
    pulsewell::test::SetAgentInterfaceValue(2, "ifMtu", "9000");
    EXPECT_TRUE(ReadOneValue(mtu, kTestAgentCommunity, address_, value));
    EXPECT_EQ(value, "9000");
    pulsewell::test::SetAgentInterfaceValue(2, "ifMtu", "1500");
    EXPECT_TRUE(ReadOneValue(mtu, kTestAgentCommunity, address_, value));
    EXPECT_EQ(value, "1500");
}

TEST_F(Agent, VersionTwoCExceptionsAreAnswersWithoutValue) {
    std::string value;
    ASSERT_TRUE(ReadOneValue("1.3.6.1.2.1.31.1.1.1.6.1", kTestAgentCommunity, address_, value,
                             version::V2c));
    EXPECT_FALSE(value.empty());
    EXPECT_EQ(value.find_first_not_of("0123456789"), std::string::npos) << value;
    // Interface 2 has no 64-bit counters: noSuchInstance.
    EXPECT_TRUE(ReadOneValue("1.3.6.1.2.1.31.1.1.1.6.2", kTestAgentCommunity, address_, value,
                             version::V2c));
    EXPECT_EQ(value, "");
    // Past the agent's last object: endOfMibView ends a walk where it stands.
    std::string oid = "1.3.6.1.9";
    EXPECT_TRUE(ReadNextValue(oid, kTestAgentCommunity, address_, value, version::V2c));
    EXPECT_EQ(oid, "1.3.6.1.9");
    EXPECT_EQ(value, "");
}

TEST(AgentAbsent, NothingListeningFailsAfterTheTimeOut) {
    // A port that was just free: bind, learn it, release it.
    TSNMPSend holder;
    holder.Sock.BindLocal("127.0.0.1", "0");
    const int freePort = holder.Sock.LocalPort();
    ASSERT_GT(freePort, 0);
    holder.Sock.Close();

    TSNMPSend send;
    send.TargetHost = "127.0.0.1:" + std::to_string(freePort);
    send.Timeout = 300;
    send.Query.Community = kTestAgentCommunity;
    send.Query.PDUType = pdu::GetRequest;
    send.Query.AddBinding("1.3.6.1.2.1.1.5.0", "", 0x05);
    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.Sock.ErrorCode, kErrorTimedOut);
    EXPECT_EQ(send.HostIP, "0.0.0.0");
}

}  // namespace
