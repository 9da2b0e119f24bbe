// Counts under callgrind what one GET of ifInOctets.2 costs through the query
// component, as a poll asks it, in SNMPv1 and in SNMPv3 (bench/v3-callgrind.sh):
//   snmp_get_count HOST MODE COUNT
// MODE: v1, or LEVEL:AUTH:PRIV such as authPriv:SHA:AES (the test agent's
// users and passphrases). The first GET, not counted, discovers the engine
// and derives the keys; MeasuredGets then asks COUNT times.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "snmp/SnmpSynapse.h"

namespace {

using namespace pulsewell::snmp;

const char* kInOctets = "1.3.6.1.2.1.2.2.1.10.2";

// The user of tests/agent/v3users.conf with these protocols.
std::string UserFor(TV3Flags level, TV3Auth auth, TV3Priv priv) {
    if (level == TV3Flags::NoAuthNoPriv) {
        return "v3noauth";
    }
    if (level == TV3Flags::AuthNoPriv) {
        return auth == TV3Auth::AuthSHA1 ? "v3sha" : "v3" + std::string(AuthProtocolName(auth));
    }
    std::string name = "v3" + std::string(PrivProtocolName(priv));
    std::string user;
    for (char c : name) {
        if (c != '-') {
            user += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
    }
    return user == "v3aes256" && auth == TV3Auth::AuthSHA512 ? "v3aes256sha512" : user;
}

__attribute__((noinline)) int MeasuredGets(TSNMPSynapse& snmp, int count) {
    int answered = 0;
    for (int i = 0; i < count; ++i) {
        answered += snmp.QueryValue(kInOctets).empty() ? 0 : 1;
    }
    return answered;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s HOST v1|LEVEL:AUTH:PRIV COUNT\n", argv[0]);
        return 2;
    }
    TSNMPSynapse snmp;
    snmp.SetHost(argv[1]);
    snmp.SetCommunity("public");
    snmp.SetThrottle(0);
    const std::string mode = argv[2];
    if (mode != "v1") {
        const auto first = mode.find(':');
        const auto second = mode.find(':', first + 1);
        TV3Security security;
        security.Level = ParseSecurityLevel(mode.substr(0, first)).value_or(TV3Flags::AuthPriv);
        security.AuthProtocol = ParseAuthProtocol(mode.substr(first + 1, second - first - 1))
                                    .value_or(TV3Auth::AuthSHA1);
        security.PrivProtocol =
            ParsePrivProtocol(mode.substr(second + 1)).value_or(TV3Priv::PrivAES);
        security.UserName = UserFor(security.Level, security.AuthProtocol, security.PrivProtocol);
        security.AuthPassphrase = "pulsewell-auth";
        security.PrivPassphrase = "pulsewell-priv";
        snmp.SetVersion(version::V3);
        snmp.SetSecurity(security);
    }
    const int count = std::atoi(argv[3]);
    if (snmp.QueryValue(kInOctets).empty()) {
        std::fprintf(stderr, "no answer: %s\n", V3ProblemText(snmp.LastV3Problem()).c_str());
        return 1;
    }
    const int answered = MeasuredGets(snmp, count);
    std::printf("%d of %d answered\n", answered, count);
    return answered == count ? 0 : 1;
}
