#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "snmp/SnmpRec.h"

// A scriptable UDP responder on 127.0.0.1 for what a real agent will not do:
// stay silent, answer late, send garbage, answer from another port.
namespace pulsewell::test {

class FakeAgent {
  public:
    struct Datagram {
        std::string bytes;
        bool fromOtherPort = false;  // sent from another port of 127.0.0.1
    };
    // Called for every request with the decoded request and its 0-based number.
    using Script = std::function<std::vector<Datagram>(const snmp::TSNMPRec& request, int number)>;

    // Called with the datagram as it came, for what the SNMPv1 record cannot hold.
    using RawScript = std::function<std::vector<Datagram>(std::string_view request, int number)>;

    explicit FakeAgent(Script script);
    explicit FakeAgent(RawScript script);
    ~FakeAgent();
    FakeAgent(const FakeAgent&) = delete;
    FakeAgent& operator=(const FakeAgent&) = delete;

    std::string Address() const;  // "127.0.0.1:PORT"
    int RequestCount() const;
    std::vector<int> RequestIds() const;
    std::vector<int> RequestPduTypes() const;
    std::vector<int> SourcePorts() const;

  private:
    FakeAgent(Script script, RawScript raw);
    void Run();

    Script script_;
    RawScript raw_;
    int socket_ = -1;
    int other_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<int> ids_;
    std::vector<int> pduTypes_;
    std::vector<int> ports_;
    std::thread thread_;
};

// A GetResponse to request with the given bindings (value text, type code).
std::string ResponseTo(const snmp::TSNMPRec& request, const std::vector<snmp::TSNMPMib>& bindings,
                       int errorStatus = 0, int errorIndex = 0);
// Same, with another request-id.
std::string ResponseWithId(const snmp::TSNMPRec& request, int id,
                           const std::vector<snmp::TSNMPMib>& bindings);

}  // namespace pulsewell::test
