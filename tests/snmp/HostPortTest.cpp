#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>

#include "snmp/HostPort.h"
#include "snmp/UdpBlockSocket.h"

using namespace pulsewell::snmp;

TEST(HostPort, SplitsPortOnlyWhereTheTextNamesOne) {
    struct Case {
        const char* text;
        const char* host;
        const char* port;
    };
    const Case cases[] = {
        {"router", "router", ""},
        {"router:1161", "router", "1161"},
        {"10.0.0.1:161", "10.0.0.1", "161"},
        {"10.0.0.1", "10.0.0.1", ""},
        {"[::1]:1161", "::1", "1161"},
        {"[fe80::1]", "fe80::1", ""},
        {"::1", "::1", ""},
        {"fe80::1", "fe80::1", ""},
        {"2001:db8::1:161", "2001:db8::1:161", ""},
        {"router:", "router:", ""},
        {"router:0", "router:0", ""},
        {"router:65536", "router:65536", ""},
        {"router:snmp", "router:snmp", ""},
        {":161", ":161", ""},
        {"[::1]x", "[::1]x", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const HostPort split = SplitHostPort(c.text);
        EXPECT_EQ(split.host, c.host) << c.text;
        EXPECT_EQ(split.port, c.port) << c.text;
    }
}

TEST(HostPort, AddressLiterals) {
    struct Case {
        const char* text;
        bool v4;
        bool v6;
    };
    const Case cases[] = {
        {"127.0.0.1", true, false},
        {"255.255.255.255", true, false},
        {"256.0.0.1", false, false},
        {"1.2.3", false, false},
        {"1.2.3.4.5", false, false},
        {"1..2.3", false, false},
        {"::1", false, true},
        {"::", false, true},
        {"fe80::1", false, true},
        {"1:2:3:4:5:6:7:8", false, true},
        {"1:2:3:4:5:6:7", false, false},
        {"1::2::3", false, false},
        {"12345::1", false, false},
        {"g::1", false, false},
        {"router", false, false},
        {":1", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsIPv4Literal(c.text), c.v4) << c.text;
        EXPECT_EQ(IsIPv6Literal(c.text), c.v6) << c.text;
    }
}

TEST(HostPort, ResolvesShortcutsAndLiterals) {
    struct Case {
        const char* host;
        int family;
        const char* address;
    };
    const Case cases[] = {
        {"0.0.0.0", AF_INET, "0.0.0.0"},
        {"127.0.0.1", AF_INET, "127.0.0.1"},
        {"10.1.2.3", AF_INET, "10.1.2.3"},
        {"::0", AF_INET6, "::"},
        {"::1", AF_INET6, "::1"},
        {"fe80::1", AF_INET6, "fe80::1"},
        {"localhost", AF_INET, "127.0.0.1"},
    };
    for (const Case& c : cases) {
        ResolvedAddress resolved;
        ASSERT_TRUE(ResolveAddress(c.host, "1161", false, resolved)) << c.host;
        ASSERT_EQ(resolved.address.ss_family, c.family) << c.host;
        char text[INET6_ADDRSTRLEN] = {};
        int port;
        if (c.family == AF_INET) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(&resolved.address);
            inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
            port = ntohs(in->sin_port);
        } else {
            const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&resolved.address);
            inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
            port = ntohs(in6->sin6_port);
        }
        EXPECT_STREQ(text, c.address) << c.host;
        EXPECT_EQ(port, 1161) << c.host;
    }
    ResolvedAddress unused;
    EXPECT_FALSE(ResolveAddress("no-such-host.invalid", "161", false, unused));
}
