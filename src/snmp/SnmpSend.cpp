#include "snmp/SnmpSend.h"

#include <chrono>
#include <cstdlib>

#include "snmp/HostPort.h"
#include "snmp/V3Exchange.h"

namespace pulsewell::snmp {

std::int32_t DefaultTimeout(std::int32_t standardMs) {
    const char* text = std::getenv("PULSEWELL_SNMP_TIMEOUT_MS");
    if (text == nullptr) {
        return standardMs;
    }
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    constexpr long kLongest = 600000;
    return end != text && *end == '\0' && value > 0 && value <= kLongest
               ? static_cast<std::int32_t>(value)
               : standardMs;
}

TSNMPSend::TSNMPSend() {
    Query.Reset();
    Reply.Reset();
}

TSNMPSend::~TSNMPSend() = default;

bool TSNMPSend::Exchange() {
    v3Problem_ = TV3Problem::None;
    // Nothing is sent, and no name looked up, once the exchanges were called off.
    if (Sock.Interrupted()) {
        Sock.ErrorCode = kErrorInterrupted;
        return false;
    }
    Sock.BindLocal(IPInterface, "0");
    const HostPort target = SplitHostPort(TargetHost);
    const std::string& port = target.port.empty() ? TargetPort : target.port;
    Sock.SetRemote(target.host, port);
    if (Query.Version == version::V3) {
        if (v3_ == nullptr) {
            v3_ = std::make_unique<TV3Exchange>();
        }
        const bool answered = v3_->Run(*this, "[" + target.host + "]:" + port);
        v3Problem_ = v3_->Problem();
        return answered;
    }
    if (!SendQuery()) {
        return false;
    }
    return ReceiveReply();
}

bool TSNMPSend::SendQuery() {
    Buffer = Query.EncodeMessage();
    if (Buffer.empty()) {
        return false;
    }
    Sock.SendDatagram(Buffer);
    return Sock.ErrorCode == 0;
}

bool TSNMPSend::ReceiveReply() {
    using Clock = std::chrono::steady_clock;
    const bool endless = Timeout < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(Timeout);
    while (true) {
        Reply.Reset();
        HostIP = "0.0.0.0";
        int wait = -1;
        if (!endless) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            wait = static_cast<int>(left > 0 ? left : 0);
        }
        Buffer = Sock.ReceiveDatagram(wait);
        if (Sock.ErrorCode != 0) {
            return false;
        }
        HostIP = Sock.PeerAddress();
        // A message without a request-id (a trap) must not pass for ours.
        Reply.ID = ~Query.ID;
        if (!Reply.DecodeMessage(Buffer)) {
            return false;
        }
        if (Reply.ID == Query.ID) {
            return true;
        }
        // A late answer to an earlier request on this socket: not ours.
        if (!endless && Clock::now() >= deadline) {
            Reply.Reset();
            HostIP = "0.0.0.0";
            Sock.ErrorCode = kErrorTimedOut;
            return false;
        }
    }
}

}  // namespace pulsewell::snmp
