#include "snmp/SnmpSynapse.h"

#include <algorithm>
#include <span>
#include <thread>

#include "snmp/Ber.h"

namespace pulsewell::snmp {

namespace {

constexpr std::int32_t kNoError = 0;
constexpr std::int32_t kTooBig = 1;
// What a GetBulk asks of an agent that does not say its message size (SNMPv2c):
// the largest UDP datagram; agents cut a GetBulk reply to what they can send.
constexpr std::int32_t kLargestDatagram = 65507;
// Room for the message around the bindings, and a binding's likely size
// (a table column's identifier and a short value).
constexpr int kMessageOverhead = 200;
constexpr int kBindingBytes = 24;

bool SameHost(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

int ValueKind(int typeCode) {
    switch (typeCode) {
        case ber::Integer:
            return 0;
        case ber::OctetString:
            return 1;
        case ber::ObjectId:
            return 3;
        case ber::Sequence:
            return 4;
        case ber::IpAddress:
            return 5;
        case ber::Counter:
            return 6;
        case ber::Gauge:
            return 7;
        case ber::TimeTicks:
            return 8;
        default:
            return 2;
    }
}

TSNMPSynapse::TSNMPSynapse()
    : TSNMPSynapse([] { return Clock::now(); },
                   [this](std::chrono::milliseconds ms) {
                       SleepUnlessRaised(interrupt_, static_cast<int>(ms.count()));
                   }) {}

void TSNMPSynapse::SetInterrupt(const Interrupt* interrupt) {
    interrupt_ = interrupt;
    client_.Sock.SetInterrupt(interrupt);
}

TSNMPSynapse::TSNMPSynapse(NowFunction now, SleepFunction sleep)
    : now_(std::move(now)), sleep_(std::move(sleep)) {
    client_.Timeout = timeout_;
    throttleWindowStart_ = now_();
}

void TSNMPSynapse::SetHost(const std::string& value) {
    host_ = value;
    hostList_.assign(1, value);
    results_.clear();
    fittingWidth_ = width_;
    fittingBindings_.reset();
}

void TSNMPSynapse::SetTimeout(std::int32_t value) {
    timeout_ = value;
    client_.Timeout = value;
}

void TSNMPSynapse::SetWidth(int value) {
    width_ = std::max(value, 1);
    fittingWidth_ = width_;
}

std::string TSNMPSynapse::QueryValue(const std::string& oid) {
    return QueryHosts(oid, pdu::GetRequest);
}

std::string TSNMPSynapse::QueryHosts(const std::string& oid, int pduType) {
    std::string result;
    results_.clear();
    lastAnswered_ = false;
    const int count = static_cast<int>(hostList_.size());
    for (int i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(i) >= hostList_.size()) {
            break;  // an event handler shortened the list
        }
        const std::string host = hostList_[static_cast<std::size_t>(i)];
        if (progress_ && OnProgress) {
            OnProgress(*this, i + 1, count);
        }
        results_.emplace_back();
        std::string& line = results_.back();
        int failed = 0;
        const Outcome outcome = Ask(host, std::vector{oid}, pduType, failed);
        if (failed > 0) {
            line = "Failure";
            result = "Failure";
        }
        lastAnswered_ = outcome == Outcome::Answered;
        if (outcome != Outcome::Answered) {
            continue;
        }
        const TSNMPRec& reply = client_.Reply;
        if (reply.BindingCount() > 0) {
            line = reply.FindValue(reply.Bindings().front().ObjectId);
            if (count == 1) {
                result = line;
            } else if (result != "Failure") {
                result = "Success";
            }
        } else {
            line = "None";
            if (result != "Failure") {
                result = "None";
            }
        }
    }
    return result;
}

template <typename Oid>
TSNMPSynapse::Outcome TSNMPSynapse::Ask(const std::string& host, const std::vector<Oid>& oids,
                                        int pduType, int& failedAttempts, int repetitions,
                                        bool texts) {
    host_ = host;
    failedAttempts = 0;
    if (blockNoResponse_ && IsHostBlocked(host)) {
        if (OnBlockNoResponse) {
            OnBlockNoResponse(*this, host);
        }
        return Outcome::Skipped;
    }
    client_.TargetHost = host;
    client_.Query.Reset();
    client_.Query.Version = version_;
    client_.Query.Community = community_;
    client_.Query.PDUType = pduType;
    // A GetBulk reply may be as large as the agent can make it.
    client_.Query.MaxSize = pduType == pdu::GetBulkRequest ? kLargestDatagram : 1472;
    client_.Query.MaxRepetitions() = repetitions;
    client_.Reply.OidTexts = texts;
    client_.Reply.CopyBindings = texts;
    for (const Oid& oid : oids) {
        client_.Query.AddBinding(oid, "", ber::Null);
    }
    ThrottleStep();
    Outcome outcome = Outcome::Unanswered;
    for (int attempt = 0; attempt <= retry_; ++attempt) {
        if (client_.Exchange()) {
            outcome = Outcome::Answered;
            UnblockHost(host);
            const TSNMPRec& reply = client_.Reply;
            if (!reply.WireBindings().empty()) {
                const TWireBinding& first = reply.WireBindings().front();
                LastOid = texts ? reply.Bindings().front().ObjectId : BytesToOid(first.Oid);
                LastVersion = reply.Version;
                LastValueKind = ValueKind(first.Type);
            }
            break;
        }
        ++failedAttempts;
        if (OnTimeout) {
            OnTimeout(*this, host, attempt);
        }
        if (V3ProblemIsFinal(client_.LastV3Problem())) {
            break;  // the agent said why: asking again would only repeat it
        }
    }
    if (failedAttempts > 0 && outcome == Outcome::Unanswered) {
        BlockHost(host);
    }
    LastErrorStatus = client_.Reply.ErrorStatus;
    LastErrorIndex = client_.Reply.ErrorIndex;
    ++client_.Query.ID;
    return outcome;
}

std::vector<std::optional<std::string>> TSNMPSynapse::QueryValues(
    const std::vector<std::string>& oids) {
    if (hostList_.empty()) {  // as QueryValue: nothing sent, empty texts
        return std::vector<std::optional<std::string>>(oids.size(), std::string());
    }
    std::vector<std::optional<std::string>> values(oids.size());
    std::vector<std::vector<std::size_t>> pending;  // requests still to make, the next one last
    for (std::size_t i = 0; i < oids.size(); ++i) {
        if (i % static_cast<std::size_t>(fittingWidth_) == 0) {
            pending.emplace_back();
        }
        pending.back().push_back(i);
    }
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        std::vector<std::size_t> chunk = std::move(pending.back());
        pending.pop_back();
        const auto fitting = static_cast<std::size_t>(fittingWidth_);
        if (chunk.size() > fitting) {  // narrowed since this request was planned
            pending.emplace_back(chunk.begin() + static_cast<std::ptrdiff_t>(fitting), chunk.end());
            chunk.resize(fitting);
        }
        std::vector<std::vector<std::size_t>> rest;
        AskChunk(oids, chunk, values, rest);
        pending.insert(pending.end(), rest.rbegin(), rest.rend());
    }
    return values;
}

void TSNMPSynapse::AskChunk(const std::vector<std::string>& oids,
                            const std::vector<std::size_t>& chunk,
                            std::vector<std::optional<std::string>>& values,
                            std::vector<std::vector<std::size_t>>& rest) {
    if (chunk.size() == 1) {
        values[chunk.front()] = QueryValue(oids[chunk.front()]);
        return;
    }
    std::vector<std::string> asked;
    for (const std::size_t i : chunk) {
        asked.push_back(oids[i]);
    }
    int failed = 0;
    const Outcome outcome = Ask(host_, asked, pdu::GetRequest, failed);
    if (outcome == Outcome::Skipped) {
        for (const std::size_t i : chunk) {
            values[i] = std::string();  // as QueryValue gives for a skipped host
        }
        return;
    }
    const auto halves = [&] {
        const auto middle = chunk.begin() + static_cast<std::ptrdiff_t>(chunk.size() / 2);
        rest.emplace_back(chunk.begin(), middle);
        rest.emplace_back(middle, chunk.end());
    };
    if (outcome == Outcome::Unanswered) {
        // An agent that drops what it cannot answer is asked less at a time.
        fittingWidth_ = std::max(1, static_cast<int>(chunk.size() / 2));
        return;
    }
    const TSNMPRec& reply = client_.Reply;
    const std::span<const TSNMPMib> bindings = reply.Bindings();
    const auto errorIndex = static_cast<std::size_t>(reply.ErrorIndex);
    if (reply.ErrorStatus == kNoError && bindings.size() == chunk.size()) {
        for (std::size_t j = 0; j < chunk.size(); ++j) {
            values[chunk[j]] = bindings[j].ValueText;
        }
    } else if (reply.ErrorStatus == kTooBig) {
        fittingWidth_ = std::max(1, static_cast<int>(chunk.size() / 2));
        halves();
    } else if (reply.ErrorStatus != kNoError && errorIndex >= 1 && errorIndex <= chunk.size()) {
        // The named object alone would have had this error reply: its echoed value.
        values[chunk[errorIndex - 1]] =
            errorIndex <= bindings.size() ? bindings[errorIndex - 1].ValueText : std::string();
        std::vector<std::size_t> others = chunk;
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(errorIndex - 1));
        rest.push_back(std::move(others));
    } else {
        halves();  // an answer that names no object: down to single objects if need be
    }
}

std::optional<std::vector<TSNMPMib>> TSNMPSynapse::QueryBulk(const std::vector<std::string>& oids,
                                                             int repetitions) {
    if (!AskBulk(oids, repetitions, true)) {
        return std::nullopt;
    }
    const std::span<const TSNMPMib> bindings = client_.Reply.Bindings();
    return std::vector<TSNMPMib>(bindings.begin(), bindings.end());
}

std::optional<std::span<const TWireBinding>> TSNMPSynapse::QueryBulkWire(
    const std::vector<TOid>& oids, int repetitions) {
    if (!AskBulk(oids, repetitions, false)) {
        return std::nullopt;
    }
    return client_.Reply.WireBindings();
}

template <typename Oid>
bool TSNMPSynapse::AskBulk(const std::vector<Oid>& oids, int repetitions, bool texts) {
    if (hostList_.empty() || oids.empty()) {
        return false;
    }
    if (!fittingBindings_) {
        // An SNMPv3 agent says its message size in every message it sends.
        const TSNMPRec& last = client_.Reply;
        const std::int32_t size = last.Version == version::V3 && last.MaxSize > kMessageOverhead
                                      ? std::min(last.MaxSize, kLargestDatagram)
                                      : kLargestDatagram;
        fittingBindings_ = (size - kMessageOverhead) / kBindingBytes;
    }
    const int columns = static_cast<int>(oids.size());
    const int asked = std::clamp(*fittingBindings_ / columns, 1, std::max(repetitions, 1));
    const auto narrow = [&] { fittingBindings_ = std::max(1, asked / 2) * columns; };
    int failed = 0;
    const Outcome outcome = Ask(hostList_.front(), oids, pdu::GetBulkRequest, failed, asked, texts);
    if (outcome != Outcome::Answered) {
        if (outcome == Outcome::Unanswered) {
            narrow();  // an agent may drop what it cannot send
        }
        return false;
    }
    const TSNMPRec& reply = client_.Reply;
    if (reply.ErrorStatus == kTooBig) {
        narrow();
        return false;
    }
    return reply.ErrorStatus == kNoError;
}

void TSNMPSynapse::ThrottleStep() {
    if (throttle_ <= 0) {
        return;
    }
    if (throttleCount_ == throttle_) {
        using std::chrono::milliseconds;
        const auto elapsed = [this] {
            return std::chrono::duration_cast<milliseconds>(now_() - throttleWindowStart_);
        };
        if (elapsed() < milliseconds(1000)) {
            if (OnThrottle) {
                OnThrottle(*this);
            }
            const milliseconds rest = milliseconds(1000) - elapsed();
            if (rest > milliseconds(0)) {
                sleep_(std::min(rest, milliseconds(1000)));
            }
        }
        throttleCount_ = 0;
        return;
    }
    if (throttleCount_ == 0) {
        throttleWindowStart_ = now_();
    }
    ++throttleCount_;
}

std::vector<std::string>::const_iterator TSNMPSynapse::FindBlocked(const std::string& host) const {
    return std::find_if(blockedHosts_.begin(), blockedHosts_.end(),
                        [&](const std::string& blocked) { return SameHost(blocked, host); });
}

bool TSNMPSynapse::BlockHost(const std::string& host) {
    if (FindBlocked(host) != blockedHosts_.end()) {
        return false;
    }
    blockedHosts_.push_back(host);
    return true;
}

bool TSNMPSynapse::UnblockHost(const std::string& host) {
    const auto found = FindBlocked(host);
    if (found == blockedHosts_.end()) {
        return false;
    }
    blockedHosts_.erase(found);
    return true;
}

bool TSNMPSynapse::IsHostBlocked(const std::string& host) const {
    return FindBlocked(host) != blockedHosts_.end();
}

}  // namespace pulsewell::snmp
