#include "SnmpSynapse.h"

#include <algorithm>
#include <thread>

#include "Ber.h"

namespace pulsewell::snmp {

namespace {

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
                   [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }) {}

TSNMPSynapse::TSNMPSynapse(NowFunction now, SleepFunction sleep)
    : now_(std::move(now)), sleep_(std::move(sleep)) {
    client_.Timeout = timeout_;
    throttleWindowStart_ = now_();
}

void TSNMPSynapse::SetHost(const std::string& value) {
    host_ = value;
    hostList_.assign(1, value);
    results_.clear();
}

void TSNMPSynapse::SetTimeout(std::int32_t value) {
    timeout_ = value;
    client_.Timeout = value;
}

std::string TSNMPSynapse::QueryValue(const std::string& oid) {
    return QueryHosts(oid, pdu::GetRequest);
}

std::string TSNMPSynapse::QueryHosts(const std::string& oid, int pduType) {
    std::string result;
    results_.clear();
    const int count = static_cast<int>(hostList_.size());
    for (int i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(i) >= hostList_.size()) {
            break;  // an event handler shortened the list
        }
        const std::string host = hostList_[static_cast<std::size_t>(i)];
        if (progress_ && OnProgress) {
            OnProgress(*this, i + 1, count);
        }
        host_ = host;
        results_.emplace_back();
        std::string& line = results_.back();
        if (blockNoResponse_ && IsHostBlocked(host)) {
            if (OnBlockNoResponse) {
                OnBlockNoResponse(*this, host);
            }
            continue;
        }
        client_.TargetHost = host;
        client_.Query.Reset();
        client_.Query.Version = version_;
        client_.Query.Community = community_;
        client_.Query.PDUType = pduType;
        client_.Query.AddBinding(oid, "", ber::Null);
        ThrottleStep();
        int attempts = 0;
        bool answered = false;
        for (int attempt = 0; attempt <= retry_; ++attempt) {
            ++attempts;
            if (client_.Exchange()) {
                answered = true;
                UnblockHost(host);
                const TSNMPRec& reply = client_.Reply;
                if (reply.BindingCount() > 0) {
                    const TSNMPMib& first = reply.Bindings().front();
                    line = reply.FindValue(first.ObjectId);
                    if (count == 1) {
                        result = line;
                    } else if (result != "Failure") {
                        result = "Success";
                    }
                    LastOid = first.ObjectId;
                    LastVersion = reply.Version;
                    LastValueKind = ValueKind(first.TypeCode);
                } else {
                    line = "None";
                    if (result != "Failure") {
                        result = "None";
                    }
                }
                break;
            }
            line = "Failure";
            result = "Failure";
            if (OnTimeout) {
                OnTimeout(*this, host, attempt);
            }
        }
        if (attempts > 0 && !answered) {
            BlockHost(host);
        }
        LastErrorStatus = client_.Reply.ErrorStatus;
        LastErrorIndex = client_.Reply.ErrorIndex;
        ++client_.Query.ID;
    }
    return result;
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
