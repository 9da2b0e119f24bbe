#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "snmp/SnmpRec.h"
#include "snmp/UdpBlockSocket.h"
#include "snmp/V3Security.h"

// One SNMP request/response exchange over UDP. All exchanges of one TSNMPSend
// use the same socket and local port.
namespace pulsewell::snmp {

class TV3Exchange;

// The time-out in ms of an exchange whose caller sets none: standardMs, or
// the positive number in PULSEWELL_SNMP_TIMEOUT_MS, with which tests of
// silent devices need not wait out the real time-outs.
std::int32_t DefaultTimeout(std::int32_t standardMs);

class TSNMPSend {
  public:
    TSNMPSend();
    ~TSNMPSend();

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

    // With Query.Version == version::V3, Exchange asks as this user: the first
    // exchange with a host discovers its engine, every message is protected
    // as Security.Level says, and a Report ends the exchange with its cause.
    // A Query without a user name is not sent.
    TV3Security Security;
    // Why the last exchange failed in SNMPv3 (or was refused access);
    // TV3Problem::None after success and for SNMPv1/v2c.
    TV3Problem LastV3Problem() const { return v3Problem_; }

  private:
    std::unique_ptr<TV3Exchange> v3_;
    TV3Problem v3Problem_ = TV3Problem::None;
};

}  // namespace pulsewell::snmp
