#pragma once

#include <cstdint>
#include <string>

#include "SnmpRec.h"
#include "UdpBlockSocket.h"

// One SNMP request/response exchange over UDP. All exchanges of one TSNMPSend
// use the same socket and local port.
namespace pulsewell::snmp {

// The time-out in ms of an exchange whose caller sets none: standardMs, or
// the positive number in PULSEWELL_SNMP_TIMEOUT_MS, with which tests of
// silent devices need not wait out the real time-outs.
std::int32_t DefaultTimeout(std::int32_t standardMs);

class TSNMPSend {
  public:
    TSNMPSend();

    // Sends Query and waits up to Timeout ms for the reply that carries the
    // query's request-id; datagrams with another id are dropped on the way.
    bool Exchange();
    bool SendQuery();
    bool ReceiveReply();

    // "host", "host:port", "[v6]:port"; a port in the text wins over TargetPort.
    std::string TargetHost = "127.0.0.1";
    std::string TargetPort = "161";
    std::string IPInterface = "0.0.0.0";
    std::int32_t Timeout = DefaultTimeout(5000);
    std::string UserName;
    std::string Password;
    TSNMPRec Query;
    TSNMPRec Reply;
    std::string Buffer;
    std::string HostIP;
    TUDPBlockSocket Sock;
};

}  // namespace pulsewell::snmp
