#include "snmp/V3Exchange.h"

#include "snmp/Ber.h"

#include <openssl/rand.h>

#include <cerrno>
#include <chrono>

#include "snmp/SnmpSend.h"
#include "snmp/V3Message.h"

namespace pulsewell::snmp {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t kAuthorizationError = 16;
// RFC 3414's time window, in seconds.
constexpr std::int32_t kTimeWindow = 150;
constexpr std::size_t kShortestPassphrase = 8;

// Silence by the time-out, or a request too big for a datagram; not an
// interrupted wait or another socket error.
TV3Problem Unanswered(const TSNMPSend& send) {
    switch (send.Sock.ErrorCode) {
        case kErrorTimedOut:
            return TV3Problem::NoResponse;
        case EMSGSIZE:
            return TV3Problem::RequestTooBig;
        default:
            return TV3Problem::None;
    }
}

std::int32_t RandomMessageId() {
    std::uint32_t value = 0;
    if (RAND_bytes(reinterpret_cast<unsigned char*>(&value), sizeof value) != 1) {
        value = static_cast<std::uint32_t>(Clock::now().time_since_epoch().count());
    }
    return static_cast<std::int32_t>(value & 0x7FFFFFFF);
}

}  // namespace

TV3Exchange::TV3Exchange() : nextMessageId_(RandomMessageId()) {}

bool TV3Exchange::Run(TSNMPSend& send, const std::string& host) {
    problem_ = TV3Problem::None;
    const TV3Security& security = send.Security;
    if (security.UserName.empty()) {
        problem_ = TV3Problem::MissingUser;
        return false;
    }
    if ((security.Level != TV3Flags::NoAuthNoPriv &&
         security.AuthPassphrase.size() < kShortestPassphrase) ||
        (security.Level == TV3Flags::AuthPriv &&
         security.PrivPassphrase.size() < kShortestPassphrase)) {
        problem_ = TV3Problem::ShortPassphrase;
        return false;
    }
    if (send.Sock.ErrorCode != 0) {
        return false;  // the host did not resolve
    }
    // The engine as this client last knew it; another host's from the cache.
    if (host != engineHost_ || engine_.EngineID.empty()) {
        engineHost_.clear();
        if (const auto known = FindEngine(host)) {
            engine_ = *known;
        } else if (!Discover(send, host)) {
            return false;
        }
        engineHost_ = host;
    }
    bool resent = false;
    while (true) {
        const TUsmKeys* keys = Keys(security);
        if (security.Level != TV3Flags::NoAuthNoPriv && keys == nullptr) {
            problem_ = TV3Problem::CryptoUnavailable;
            return false;
        }
        // A discovery Report without the engine's clock: ask for it first.
        if (keys != nullptr && !keys->AuthConfirmed && engine_.Boots == 0 && engine_.Time == 0 &&
            !Synchronise(send, host)) {
            return false;
        }
        Fill(send.Query, security, security.Level);
        Heard heard;
        switch (Ask(send, send.Query, keys, heard)) {
            case Arrival::Response:
                if (send.Reply.ErrorStatus == kAuthorizationError) {
                    problem_ = TV3Problem::AccessDenied;
                }
                return true;
            case Arrival::Unsendable:
                problem_ = TV3Problem::CryptoUnavailable;
                return false;
            case Arrival::Nothing:
                if (send.Sock.ErrorCode == kErrorTimedOut) {
                    ExplainSilence(send, host);
                } else {
                    problem_ = Unanswered(send);
                }
                return false;
            case Arrival::Report:
                break;
        }
        // A restarted agent (boots up, new clock) or a new engine at this
        // host: take what its Report says and send once more.
        const bool follow = heard.cause == TV3Problem::UnknownEngineID ||
                            heard.cause == TV3Problem::NotInTimeWindow;
        if (follow && !resent && !heard.engineId.empty()) {
            if (heard.authenticated && keys != nullptr) {
                keys->AuthConfirmed = true;
            }
            if (heard.engineId != engine_.EngineID) {
                engine_ = TEngineState();
                engine_.EngineID = heard.engineId;
            }
            Remember(host, heard.boots, heard.time);
            resent = true;
            continue;
        }
        problem_ = heard.cause;
        return false;
    }
}

bool TV3Exchange::Discover(TSNMPSend& send, const std::string& host) {
    probe_.Reset();
    probe_.Version = version::V3;
    probe_.ID = send.Query.ID;
    probe_.PDUType = pdu::GetRequest;
    probe_.FlagReportable = true;
    Heard heard;
    const Arrival arrival = Ask(send, probe_, nullptr, heard);
    if ((arrival == Arrival::Report || arrival == Arrival::Response) && !heard.engineId.empty()) {
        engine_ = TEngineState();
        engine_.EngineID = heard.engineId;
        Remember(host, heard.boots, heard.time);
        return true;
    }
    problem_ = arrival == Arrival::Report ? heard.cause : Unanswered(send);
    return false;
}

bool TV3Exchange::Synchronise(TSNMPSend& send, const std::string& host) {
    const TUsmKeys* keys = Keys(send.Security);
    if (keys == nullptr) {
        problem_ = TV3Problem::CryptoUnavailable;
        return false;
    }
    probe_.Reset();
    probe_.ID = send.Query.ID;
    probe_.PDUType = pdu::GetRequest;
    Fill(probe_, send.Security, TV3Flags::AuthNoPriv);
    probe_.AuthEngineBoots = 0;
    probe_.AuthEngineTime = 0;
    Heard heard;
    const Arrival arrival = Ask(send, probe_, keys, heard);
    // An unauthenticated Report gives the clock too, but confirms nothing.
    if ((arrival == Arrival::Report &&
         (heard.authenticated || heard.cause == TV3Problem::NotInTimeWindow)) ||
        (arrival == Arrival::Response && heard.authenticated)) {
        if (heard.authenticated) {
            keys->AuthConfirmed = true;
        }
        Remember(host, heard.boots, heard.time);
        return true;
    }
    problem_ = arrival == Arrival::Report       ? heard.cause
               : arrival == Arrival::Unsendable ? TV3Problem::CryptoUnavailable
                                                : Unanswered(send);
    return false;
}

void TV3Exchange::ExplainSilence(TSNMPSend& send, const std::string& host) {
    problem_ = TV3Problem::NoResponse;
    if (send.Security.Level != TV3Flags::AuthPriv) {
        return;
    }
    const TUsmKeys* keys = Keys(send.Security);
    // Encrypted requests were answered before: the privacy key is not why.
    if (keys == nullptr || keys->PrivConfirmed) {
        return;
    }
    // Not yet known whether the authentication key is right: ask the engine
    // with it alone, which also tells a wrong authentication passphrase.
    if (!keys->AuthConfirmed) {
        Synchronise(send, host);
    }
    if (keys->AuthConfirmed) {
        problem_ = TV3Problem::PrivacyProbablyWrong;
    }
    send.Reply.Reset();
    send.HostIP = "0.0.0.0";
    send.Sock.ErrorCode = kErrorTimedOut;
}

TV3Exchange::Arrival TV3Exchange::Ask(TSNMPSend& send, TSNMPRec& message, const TUsmKeys* keys,
                                      Heard& heard) {
    message.MessageID = nextMessageId_;
    nextMessageId_ = (nextMessageId_ + 1) & 0x7FFFFFFF;
    if (!EncodeV3Message(message, keys, cipher_, send.Buffer)) {
        return Arrival::Unsendable;
    }
    send.Sock.SendDatagram(send.Buffer);
    if (send.Sock.ErrorCode != 0) {
        return Arrival::Nothing;
    }
    const bool endless = send.Timeout < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(send.Timeout);
    // Once these keys were confirmed, anyone can forge an unauthenticated
    // Report: it counts only if no authenticated answer comes in time.
    const bool confirmed = keys != nullptr && keys->AuthConfirmed;
    std::optional<Heard> setAside;
    while (true) {
        send.Reply.Reset();
        send.HostIP = "0.0.0.0";
        int wait = -1;
        if (!endless) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            wait = static_cast<int>(left > 0 ? left : 0);
        }
        send.Buffer = send.Sock.ReceiveDatagram(wait);
        if (send.Sock.ErrorCode == kErrorTimedOut) {
            return TimedOut(send, setAside, heard);
        }
        if (send.Sock.ErrorCode != 0) {
            return Arrival::Nothing;
        }
        // Anything else than the answer to this msgID, authentic and whole, is
        // dropped and the wait goes on: late answers, forgeries, garbage.
        TV3Envelope envelope;
        if (DecodeV3Envelope(send.Buffer, envelope) && envelope.MessageID == message.MessageID &&
            envelope.SecurityModel == kUsmSecurityModel) {
            const bool authenticated = (envelope.Flags & v3flag::Auth) != 0;
            // An authentic message of another engine answers no request of ours.
            const bool trusted = authenticated
                                     ? keys != nullptr && envelope.UserName == message.UserName &&
                                           envelope.EngineID == message.AuthEngineID &&
                                           VerifyV3Digest(send.Buffer, envelope, *keys)
                                     : (envelope.Flags & v3flag::Priv) == 0;
            if (trusted && ReadScopedPdu(envelope, authenticated ? keys : nullptr, cipher_, plain_,
                                         send.Reply)) {
                Heard got;
                got.authenticated = authenticated;
                got.engineId.assign(envelope.EngineID);
                got.boots = envelope.Boots;
                got.time = envelope.Time;
                const TSNMPRec& reply = send.Reply;
                if (reply.PDUType == pdu::Report) {
                    got.cause = ReportProblem(reply.WireBindings().empty()
                                                  ? ""
                                                  : BytesToOid(reply.WireBindings().front().Oid));
                    if (!confirmed || authenticated) {
                        heard = std::move(got);
                        send.HostIP = send.Sock.PeerAddress();
                        return Arrival::Report;
                    }
                    if (!setAside) {
                        setAside = std::move(got);
                    }
                }
                const Clock::time_point now = Clock::now();
                // A reply older than the engine's clock as known is a replay.
                const bool inWindow = !authenticated || envelope.Boots > engine_.Boots ||
                                      (envelope.Boots == engine_.Boots &&
                                       envelope.Time >= engine_.TimeAt(now) - kTimeWindow);
                if (reply.PDUType == pdu::GetResponse && reply.Flags == message.Flags &&
                    reply.ID == message.ID && inWindow) {
                    if (authenticated) {
                        keys->AuthConfirmed = true;
                        if (message.Flags == TV3Flags::AuthPriv) {
                            keys->PrivConfirmed = true;
                        }
                        if (envelope.Boots > engine_.Boots || envelope.Time > engine_.TimeAt(now)) {
                            engine_.Sync(envelope.Boots, envelope.Time, now);
                        }
                    }
                    heard = std::move(got);
                    send.HostIP = send.Sock.PeerAddress();
                    return Arrival::Response;
                }
            }
        }
        if (!endless && Clock::now() >= deadline) {
            return TimedOut(send, setAside, heard);
        }
    }
}

TV3Exchange::Arrival TV3Exchange::TimedOut(TSNMPSend& send, const std::optional<Heard>& setAside,
                                           Heard& heard) {
    send.Reply.Reset();
    if (setAside) {
        heard = *setAside;
        send.HostIP = send.Sock.PeerAddress();
        send.Sock.ErrorCode = 0;
        return Arrival::Report;
    }
    send.HostIP = "0.0.0.0";
    send.Sock.ErrorCode = kErrorTimedOut;
    return Arrival::Nothing;
}

const TUsmKeys* TV3Exchange::Keys(const TV3Security& security) {
    if (security.Level == TV3Flags::NoAuthNoPriv) {
        return nullptr;
    }
    if (keys_ == nullptr || keysEngine_ != engine_.EngineID || !(keysFor_ == security)) {
        keys_ = UsmKeysFor(security, engine_.EngineID);
        keysFor_ = security;
        keysEngine_ = engine_.EngineID;
    }
    return keys_ != nullptr && keys_->Valid() ? keys_.get() : nullptr;
}

void TV3Exchange::Fill(TSNMPRec& message, const TV3Security& security, TV3Flags level) {
    message.Version = version::V3;
    message.Flags = level;
    message.FlagReportable = true;
    message.AuthEngineID = engine_.EngineID;
    message.AuthEngineBoots = engine_.Boots;
    message.AuthEngineTime = engine_.TimeAt(Clock::now());
    message.UserName = security.UserName;
    message.ContextEngineID = engine_.EngineID;
    message.ContextName = security.ContextName;
    message.AuthMode = security.AuthProtocol;
    message.PrivMode = security.PrivProtocol;
}

void TV3Exchange::Remember(const std::string& host, std::int32_t boots, std::int32_t time) {
    engine_.Sync(boots, time, Clock::now());
    StoreEngine(host, engine_);
}

}  // namespace pulsewell::snmp
