// The SNMP client against Net-SNMP's library, same messages, same agent:
//   build/bench/bench_snmp            (or scripts/bench-snmp.sh for the ratios)
// Codec: build a GetRequest for ifInOctets.2 and parse the agent's captured
// GetResponse. Round trip: one GetRequest for sysUpTime.0 to a private snmpd
// on loopback (started here with tests/agent/start-agent.sh).
#include <benchmark/benchmark.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <type_traits>

#include "snmp/OneShot.h"
#include "snmp/SnmpRec.h"

namespace {

using namespace pulsewell::snmp;

const char* kInOctets = "1.3.6.1.2.1.2.2.1.10.2";
const oid kInOctetsOid[] = {1, 3, 6, 1, 2, 1, 2, 2, 1, 10, 2};
const char* kUpTime = "1.3.6.1.2.1.1.3.0";
const oid kUpTimeOid[] = {1, 3, 6, 1, 2, 1, 1, 3, 0};

std::string CapturedReply() {
    std::ifstream in(std::string(PULSEWELL_SNMP_CORPUS) + "/reply-get-ifinoctets",
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void InitNetSnmp() {
    static const bool done = [] {
        setenv("MIBS", "", 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        init_snmp("pulsewell-bench");
        return true;
    }();
    (void)done;
}

// A GetRequest encoded and the captured GetResponse decoded, the identifier
// given as a TOid or as text, and its value found by it.
template <typename Oid>
void EncodeGetDecodeResponse(benchmark::State& state, const Oid& oid) {
    const std::string reply = CapturedReply();
    TSNMPRec query;
    TSNMPRec response;
    response.OidTexts = !std::is_same_v<Oid, TOid>;
    for (auto _ : state) {
        query.Reset();
        query.Community = "public";
        query.PDUType = pdu::GetRequest;
        query.AddBinding(oid, "", 0x05);
        std::string bytes = query.EncodeMessage();
        benchmark::DoNotOptimize(bytes);
        if (!response.DecodeMessage(reply)) {
            state.SkipWithError("reply did not decode");
            break;
        }
        std::string value = response.FindValue(oid);
        benchmark::DoNotOptimize(value);
    }
}

// The identifier as a poll holds it: parsed once, as Net-SNMP's caller holds its oid array.
void OursEncodeGetDecodeResponse(benchmark::State& state) {
    EncodeGetDecodeResponse(state, TOid(kInOctets));
}
BENCHMARK(OursEncodeGetDecodeResponse);

// From and to identifier texts, as a caller that holds only texts asks.
void OursEncodeGetDecodeResponseTexts(benchmark::State& state) {
    EncodeGetDecodeResponse(state, std::string(kInOctets));
}
BENCHMARK(OursEncodeGetDecodeResponseTexts);

void NetSnmpBuildGetParseResponse(benchmark::State& state) {
    InitNetSnmp();
    std::string reply = CapturedReply();
    netsnmp_session session;
    snmp_sess_init(&session);
    session.version = SNMP_VERSION_1;
    session.community = reinterpret_cast<u_char*>(const_cast<char*>("public"));
    session.community_len = 6;
    u_char* packet = static_cast<u_char*>(malloc(2048));
    for (auto _ : state) {
        netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
        request->version = SNMP_VERSION_1;
        request->reqid = 1;
        request->community = static_cast<u_char*>(malloc(6));
        memcpy(request->community, "public", 6);
        request->community_len = 6;
        snmp_add_null_var(request, kInOctetsOid, OID_LENGTH(kInOctetsOid));
        size_t size = 2048;
        size_t offset = 0;
        if (snmp_build(&packet, &size, &offset, &session, request) != 0) {
            state.SkipWithError("snmp_build failed");
            snmp_free_pdu(request);
            break;
        }
        benchmark::DoNotOptimize(packet);
        snmp_free_pdu(request);

        netsnmp_pdu* response = snmp_pdu_create(SNMP_MSG_RESPONSE);
        if (snmp_parse(nullptr, &session, response, reinterpret_cast<u_char*>(reply.data()),
                       reply.size()) != 0 ||
            response->variables == nullptr) {
            state.SkipWithError("snmp_parse failed");
            snmp_free_pdu(response);
            break;
        }
        benchmark::DoNotOptimize(*response->variables->val.integer);
        snmp_free_pdu(response);
    }
    free(packet);
}
BENCHMARK(NetSnmpBuildGetParseResponse);

// A private snmpd for the round trips, stopped when the program ends.
std::string AgentAddress() {
    static const std::string address = [] {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                          ("pulsewell-bench-" + std::to_string(getpid()));
        const std::string source = PULSEWELL_AGENT_SOURCE;
        if (std::system(
                ("'" + source + "/start-agent.sh' '" + dir.string() + "' >/dev/null").c_str()) !=
            0) {
            return std::string();
        }
        static const std::string stop =
            "'" + source + "/stop-agent.sh' '" + dir.string() + "'; rm -rf '" + dir.string() + "'";
        std::atexit([] {
            if (std::system(stop.c_str()) != 0) {
                std::fputs("stopping the benchmark's agent failed\n", stderr);
            }
        });
        std::ifstream in(dir / "address");
        std::string text;
        std::getline(in, text);
        return text;
    }();
    return address;
}

void OursReadOneValue(benchmark::State& state) {
    const std::string host = AgentAddress();
    if (host.empty()) {
        state.SkipWithError("no snmpd");
        return;
    }
    std::string value;
    for (auto _ : state) {
        if (!ReadOneValue(kUpTime, "public", host, value)) {
            state.SkipWithError("no reply");
            break;
        }
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(OursReadOneValue)->UseRealTime();

// An SNMPv1 session to the agent as ReadOneValue talks to it: community
// "public", one try, five seconds.
netsnmp_session SessionSettings(const std::string& host) {
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_1;
    settings.peername = const_cast<char*>(host.c_str());
    settings.community = reinterpret_cast<u_char*>(const_cast<char*>("public"));
    settings.community_len = 6;
    settings.timeout = 5000000;
    settings.retries = 0;
    return settings;
}

// One synchronous get of the uptime on an open session; false without a reply.
bool GetUpTime(netsnmp_session* session) {
    netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
    snmp_add_null_var(request, kUpTimeOid, OID_LENGTH(kUpTimeOid));
    netsnmp_pdu* response = nullptr;
    const int status = snmp_synch_response(session, request, &response);
    const bool ok = status == STAT_SUCCESS && response != nullptr;
    if (ok) {
        benchmark::DoNotOptimize(*response->variables->val.integer);
    }
    if (response != nullptr) {
        snmp_free_pdu(response);
    }
    return ok;
}

void NetSnmpSynchGet(benchmark::State& state) {
    InitNetSnmp();
    const std::string host = AgentAddress();
    if (host.empty()) {
        state.SkipWithError("no snmpd");
        return;
    }
    netsnmp_session settings = SessionSettings(host);
    netsnmp_session* session = snmp_open(&settings);
    if (session == nullptr) {
        state.SkipWithError("snmp_open failed");
        return;
    }
    for (auto _ : state) {
        if (!GetUpTime(session)) {
            state.SkipWithError("no reply");
            break;
        }
    }
    snmp_close(session);
}
BENCHMARK(NetSnmpSynchGet)->UseRealTime();

// The same one-shot shape as ReadOneValue: open, one get, close.
void NetSnmpOneShotGet(benchmark::State& state) {
    InitNetSnmp();
    const std::string host = AgentAddress();
    if (host.empty()) {
        state.SkipWithError("no snmpd");
        return;
    }
    netsnmp_session settings = SessionSettings(host);
    for (auto _ : state) {
        netsnmp_session* session = snmp_open(&settings);
        if (session == nullptr) {
            state.SkipWithError("snmp_open failed");
            break;
        }
        const bool ok = GetUpTime(session);
        snmp_close(session);
        if (!ok) {
            state.SkipWithError("no reply");
            break;
        }
    }
}
BENCHMARK(NetSnmpOneShotGet)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
