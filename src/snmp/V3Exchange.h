#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "snmp/EngineCache.h"
#include "snmp/SnmpRec.h"
#include "snmp/UsmCrypto.h"
#include "snmp/UsmKeys.h"
#include "snmp/V3Security.h"

// One SNMPv3 request and its reply over a TSNMPSend's socket: discovers the
// agent's engine the first time, synchronises with its clock when needed,
// signs and encrypts, follows an agent that restarted or changed its engine
// ID by one resend, and turns Reports into causes.
namespace pulsewell::snmp {

class TSNMPSend;

class TV3Exchange {
  public:
    TV3Exchange();

    // send.Query goes out as SNMPv3 for send.Security to host (the engine
    // cache's key); the answer lands in send.Reply. True for a Response.
    bool Run(TSNMPSend& send, const std::string& host);
    TV3Problem Problem() const { return problem_; }

  private:
    enum class Arrival { Nothing, Response, Report, Unsendable };
    struct Heard {
        bool authenticated = false;
        std::string engineId;
        std::int32_t boots = 0;
        std::int32_t time = 0;
        TV3Problem cause = TV3Problem::None;  // of a Report
    };

    bool Discover(TSNMPSend& send, const std::string& host);
    // The RFC 3414 time synchronisation: an authenticated probe with boots and
    // time 0 draws an authenticated Report with the engine's clock. True when
    // these keys were confirmed and the clock taken.
    bool Synchronise(TSNMPSend& send, const std::string& host);
    // Sends message and waits for what answers its msgID within the time-out.
    // Once keys are confirmed, an unauthenticated Report is set aside until
    // the time-out: only then, without an authenticated answer, it counts.
    Arrival Ask(TSNMPSend& send, TSNMPRec& message, const TUsmKeys* keys, Heard& heard);
    // The end of Ask's wait: the Report set aside, if any, or silence.
    static Arrival TimedOut(TSNMPSend& send, const std::optional<Heard>& setAside, Heard& heard);
    // A timed-out request: says why as well as can be told.
    void ExplainSilence(TSNMPSend& send, const std::string& host);
    // Keys of send.Security at the current engine; null for noAuthNoPriv.
    const TUsmKeys* Keys(const TV3Security& security);
    void Fill(TSNMPRec& message, const TV3Security& security, TV3Flags level);
    void Remember(const std::string& host, std::int32_t boots, std::int32_t time);

    std::int32_t nextMessageId_;
    TV3Problem problem_ = TV3Problem::None;
    std::string engineHost_;
    TEngineState engine_;
    TUsmCipher cipher_;
    std::string plain_;
    TSNMPRec probe_;
    // The keys last used, and what they were made for.
    TV3Security keysFor_;
    std::string keysEngine_;
    std::shared_ptr<const TUsmKeys> keys_;
};

}  // namespace pulsewell::snmp
