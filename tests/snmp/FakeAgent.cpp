#include "tests/snmp/FakeAgent.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace pulsewell::test {

namespace {

int BoundSocket(const char* ip, int& port) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = 0;
    ::inet_pton(AF_INET, ip, &address.sin_addr);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error(std::string("cannot bind a UDP socket on ") + ip);
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

FakeAgent::FakeAgent(Script script) : FakeAgent(std::move(script), nullptr) {}

FakeAgent::FakeAgent(RawScript script) : FakeAgent(nullptr, std::move(script)) {}

FakeAgent::FakeAgent(Script script, RawScript raw)
    : script_(std::move(script)), raw_(std::move(raw)) {
    socket_ = BoundSocket("127.0.0.1", port_);
    int otherPort = 0;
    other_ = BoundSocket("127.0.0.1", otherPort);
    thread_ = std::thread([this] { Run(); });
}

FakeAgent::~FakeAgent() {
    stop_ = true;
    thread_.join();
    ::close(socket_);
    ::close(other_);
}

std::string FakeAgent::Address() const {
    return "127.0.0.1:" + std::to_string(port_);
}

int FakeAgent::RequestCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(ids_.size());
}

std::vector<int> FakeAgent::RequestIds() const {
    std::lock_guard lock(mutex_);
    return ids_;
}

std::vector<int> FakeAgent::RequestPduTypes() const {
    std::lock_guard lock(mutex_);
    return pduTypes_;
}

std::vector<int> FakeAgent::SourcePorts() const {
    std::lock_guard lock(mutex_);
    return ports_;
}

void FakeAgent::Run() {
    int number = 0;
    while (!stop_) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval wait{0, 20000};  // how often the stop flag is looked at
        if (::select(socket_ + 1, &readable, nullptr, nullptr, &wait) <= 0) {
            continue;
        }
        char buffer[65536];
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t got = ::recvfrom(socket_, buffer, sizeof buffer, 0,
                                       reinterpret_cast<sockaddr*>(&from), &length);
        if (got < 0) {
            continue;
        }
        snmp::TSNMPRec request;
        request.DecodeMessage(std::string(buffer, static_cast<std::size_t>(got)));
        {
            std::lock_guard lock(mutex_);
            ids_.push_back(request.ID);
            pduTypes_.push_back(request.PDUType);
            ports_.push_back(ntohs(from.sin_port));
        }
        const std::string_view datagram(buffer, static_cast<std::size_t>(got));
        for (const Datagram& d : raw_ ? raw_(datagram, number++) : script_(request, number++)) {
            ::sendto(d.fromOtherPort ? other_ : socket_, d.bytes.data(), d.bytes.size(), 0,
                     reinterpret_cast<sockaddr*>(&from), length);
        }
    }
}

std::string ResponseWithId(const snmp::TSNMPRec& request, int id,
                           const std::vector<snmp::TSNMPMib>& bindings) {
    snmp::TSNMPRec reply;
    reply.Community = request.Community;
    reply.PDUType = snmp::pdu::GetResponse;
    reply.ID = id;
    for (const snmp::TSNMPMib& mib : bindings) {
        reply.AddBinding(mib.ObjectId, mib.ValueText, mib.TypeCode);
    }
    return reply.EncodeMessage();
}

std::string ResponseTo(const snmp::TSNMPRec& request, const std::vector<snmp::TSNMPMib>& bindings,
                       int errorStatus, int errorIndex) {
    snmp::TSNMPRec reply;
    reply.Community = request.Community;
    reply.PDUType = snmp::pdu::GetResponse;
    reply.ID = request.ID;
    reply.ErrorStatus = errorStatus;
    reply.ErrorIndex = errorIndex;
    for (const snmp::TSNMPMib& mib : bindings) {
        reply.AddBinding(mib.ObjectId, mib.ValueText, mib.TypeCode);
    }
    return reply.EncodeMessage();
}

}  // namespace pulsewell::test
