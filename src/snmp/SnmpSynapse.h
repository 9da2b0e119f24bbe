#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "snmp/DefaultCommunity.h"
#include "snmp/Interrupt.h"
#include "snmp/Oid.h"
#include "snmp/SnmpSend.h"

// The query component: reads one value by object identifier from every host
// of its host list, with retries, a request-rate throttle and a list of hosts
// that stopped answering. It never throws; failure shows in the result text.
namespace pulsewell::snmp {

class TSNMPSynapse {
  public:
    using TBlockNoResponseEvent =
        std::function<void(TSNMPSynapse& sender, const std::string& host)>;
    using TProgressEvent = std::function<void(TSNMPSynapse& sender, int position, int max)>;
    using TThrottleEvent = std::function<void(TSNMPSynapse& sender)>;
    using TTimeoutEvent =
        std::function<void(TSNMPSynapse& sender, const std::string& host, int retry)>;

    // Time source and sleep of the throttle; replaceable so that tests need not wait.
    using Clock = std::chrono::steady_clock;
    using NowFunction = std::function<Clock::time_point()>;
    using SleepFunction = std::function<void(std::chrono::milliseconds)>;

    TSNMPSynapse();
    explicit TSNMPSynapse(NowFunction now, SleepFunction sleep);

    // Value text of the one host, "None" for a reply without bindings,
    // "Failure" when an attempt failed; empty for a skipped host or no hosts.
    std::string QueryValue(const std::string& oid);
    std::string QueryHosts(const std::string& oid, int pduType);
    // Whether the last host asked by QueryValue answered, so that a value
    // text of "Failure" from the device is not taken for the failure.
    bool LastAnswered() const { return lastAnswered_; }
    // The values of several objects of the one host, each as QueryValue
    // alone would give it, asked up to Width objects per GetRequest: an
    // object the agent lacks (an error naming it) is taken out and the rest
    // asked again, a reply too big for the agent splits the request. An
    // object whose request of several went unanswered has no value here, so
    // a caller can ask it alone if it still needs it.
    std::vector<std::optional<std::string>> QueryValues(const std::vector<std::string>& oids);
    // One GetBulkRequest (non-repeaters 0) to the one host: up to
    // `repetitions` successors of each object, as many as should fit a
    // reply of the agent's message size. The reply's bindings, repetition by
    // repetition; none when it went unanswered or the agent answered with an
    // error, and then a caller walks on with GetNext. A reply too big for the
    // agent, or none at all, halves the repetitions for this host from then on.
    std::optional<std::vector<TSNMPMib>> QueryBulk(const std::vector<std::string>& oids,
                                                   int repetitions);
    // The same request with the reply's bindings left where they lie in its
    // datagram, valid until the next request: a sweep of many counters makes
    // no texts and no copies.
    std::optional<std::span<const TWireBinding>> QueryBulkWire(const std::vector<TOid>& oids,
                                                               int repetitions);
    // Whether walks go by GetBulk (SNMPv2c and SNMPv3 only; on by default).
    bool BulkWalks() const { return bulkWalks_ && version_ != version::V1; }
    void SetBulkWalks(bool value) { bulkWalks_ = value; }

    bool BlockHost(const std::string& host);
    bool UnblockHost(const std::string& host);
    bool IsHostBlocked(const std::string& host) const;

    bool BlockNoResponse() const { return blockNoResponse_; }
    void SetBlockNoResponse(bool value) { blockNoResponse_ = value; }
    const std::string& Community() const { return community_; }
    void SetCommunity(const std::string& value) { community_ = value; }
    const std::string& Host() const { return host_; }
    // The host list becomes exactly this host; the results are emptied and
    // what was learnt of the last agent's message size is forgotten.
    void SetHost(const std::string& value);
    const std::vector<std::string>& HostList() const { return hostList_; }
    void SetHostList(const std::vector<std::string>& value) { hostList_ = value; }
    bool Progress() const { return progress_; }
    void SetProgress(bool value) { progress_ = value; }
    std::int32_t Retry() const { return retry_; }
    void SetRetry(std::int32_t value) { retry_ = value; }
    std::int32_t Throttle() const { return throttle_; }
    void SetThrottle(std::int32_t value) { throttle_ = value; }
    std::int32_t Timeout() const { return timeout_; }
    void SetTimeout(std::int32_t value);
    // Most objects in one request of QueryValues; 1 asks each on its own.
    int Width() const { return width_; }
    void SetWidth(int value);
    // The version field of every request (version::V1, version::V2c or version::V3).
    std::int32_t Version() const { return version_; }
    void SetVersion(std::int32_t value) { version_ = value; }
    // Who asks in SNMPv3 and how; the community is not used there.
    const TV3Security& Security() const { return client_.Security; }
    void SetSecurity(const TV3Security& value) { client_.Security = value; }
    // Why the last SNMPv3 request failed, TV3Problem::None after an answer.
    // A Report that names a cause ends the request without further attempts.
    TV3Problem LastV3Problem() const { return client_.LastV3Problem(); }
    // Ends waits for replies and throttle pauses at once while raised; null for none.
    void SetInterrupt(const Interrupt* interrupt);

    TBlockNoResponseEvent OnBlockNoResponse;
    TProgressEvent OnProgress;
    TThrottleEvent OnThrottle;
    TTimeoutEvent OnTimeout;

    const std::vector<std::string>& Results() const { return results_; }
    const std::vector<std::string>& BlockedHosts() const { return blockedHosts_; }
    const TSNMPSend& Client() const { return client_; }
    TSNMPSend& Client() { return client_; }

    std::int32_t LastErrorStatus = 0;
    std::int32_t LastErrorIndex = 0;
    std::string LastOid;
    std::int32_t LastVersion = 0;
    int LastValueKind = 0;

  private:
    enum class Outcome { Skipped, Answered, Unanswered };
    // One request for these objects to host: the skip of a blocked host,
    // the throttle step, the attempts and the request-id's step. The reply
    // stays in the client. A GetBulk asks `repetitions` of each.
    // The reply's bindings are copied as texts unless `texts` is false.
    // Identifiers as texts or as TOids.
    template <typename Oid>
    Outcome Ask(const std::string& host, const std::vector<Oid>& oids, int pduType,
                int& failedAttempts, int repetitions = 0, bool texts = true);
    // One GetBulkRequest; true when its reply, left in the client, is one to read.
    template <typename Oid>
    bool AskBulk(const std::vector<Oid>& oids, int repetitions, bool texts);
    // Fills values for the objects at positions `chunk` of oids with one
    // request; what is left to ask goes to `rest`, in order.
    void AskChunk(const std::vector<std::string>& oids, const std::vector<std::size_t>& chunk,
                  std::vector<std::optional<std::string>>& values,
                  std::vector<std::vector<std::size_t>>& rest);
    void ThrottleStep();
    std::vector<std::string>::const_iterator FindBlocked(const std::string& host) const;

    NowFunction now_;
    SleepFunction sleep_;
    bool blockNoResponse_ = false;
    std::string community_ = kDefaultCommunity;
    std::string host_;
    std::vector<std::string> hostList_;
    bool progress_ = false;
    std::int32_t retry_ = 1;
    std::int32_t throttle_ = 20;
    std::int32_t timeout_ = DefaultTimeout(2000);
    int width_ = 16;
    // Narrowed for the current host when its agent found a request too big.
    int fittingWidth_ = 16;
    // Most bindings in a GetBulk reply for the current host: a guess from the
    // agent's message size until a reply too big or lost narrows it.
    std::optional<int> fittingBindings_;
    bool bulkWalks_ = true;
    std::int32_t version_ = version::V1;
    TSNMPSend client_;
    std::vector<std::string> results_;
    std::vector<std::string> blockedHosts_;
    int throttleCount_ = 0;
    bool lastAnswered_ = false;
    const Interrupt* interrupt_ = nullptr;
    Clock::time_point throttleWindowStart_;
};

// Kind number of a BER type code as the component records it.
int ValueKind(int typeCode);

}  // namespace pulsewell::snmp
