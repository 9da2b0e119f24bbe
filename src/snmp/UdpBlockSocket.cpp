#include "snmp/UdpBlockSocket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace pulsewell::snmp {

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool FillLiteral(int family, std::string_view host, std::string_view port, ResolvedAddress& out,
                 bool any) {
    const auto number = [&]() -> int {
        int value = 0;
        if (port.empty() || port.size() > 5) {
            return -1;
        }
        for (char c : port) {
            if (c < '0' || c > '9') {
                return -1;
            }
            value = value * 10 + (c - '0');
        }
        return value <= 65535 ? value : -1;
    }();
    if (number < 0) {
        return false;  // a service name: leave it to getaddrinfo
    }
    (void)host;
    out = ResolvedAddress{};
    if (family == AF_INET) {
        auto* in = reinterpret_cast<sockaddr_in*>(&out.address);
        in->sin_family = AF_INET;
        in->sin_port = htons(static_cast<std::uint16_t>(number));
        in->sin_addr.s_addr = htonl(any ? INADDR_ANY : INADDR_LOOPBACK);
        out.length = sizeof(sockaddr_in);
    } else {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&out.address);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(static_cast<std::uint16_t>(number));
        in6->sin6_addr = any ? in6addr_any : in6addr_loopback;
        out.length = sizeof(sockaddr_in6);
    }
    return true;
}

bool LookUp(std::string_view host, std::string_view port, int family, bool passive,
            ResolvedAddress& out) {
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_protocol = IPPROTO_UDP;
    if (passive) {
        hints.ai_flags = AI_PASSIVE;
    }
    const std::string hostText(host);
    const std::string portText(port);
    addrinfo* result = nullptr;
    if (getaddrinfo(hostText.empty() ? nullptr : hostText.c_str(), portText.c_str(), &hints,
                    &result) != 0 ||
        result == nullptr) {
        return false;
    }
    out = ResolvedAddress{};
    std::memcpy(&out.address, result->ai_addr, result->ai_addrlen);
    out.length = result->ai_addrlen;
    freeaddrinfo(result);
    return true;
}

}  // namespace

bool IsIPv4Literal(std::string_view text) {
    int parts = 0;
    while (true) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        if (part.empty() || part.size() > 3) {
            return false;
        }
        int value = 0;
        for (char c : part) {
            if (c < '0' || c > '9') {
                return false;
            }
            value = value * 10 + (c - '0');
        }
        if (value > 255) {
            return false;
        }
        ++parts;
        if (dot == std::string_view::npos) {
            break;
        }
        text.remove_prefix(dot + 1);
    }
    return parts == 4;
}

bool IsIPv6Literal(std::string_view text) {
    if (text.find(':') == std::string_view::npos) {
        return false;
    }
    const std::size_t gap = text.find("::");
    if (gap != std::string_view::npos && text.find("::", gap + 1) != std::string_view::npos) {
        return false;
    }
    int groups = 0;
    std::size_t i = 0;
    while (i <= text.size()) {
        const std::size_t colon = text.find(':', i);
        const std::string_view group =
            text.substr(i, colon == std::string_view::npos ? std::string_view::npos : colon - i);
        if (group.size() > 4) {
            return false;
        }
        for (char c : group) {
            if (!IsHexDigit(c)) {
                return false;
            }
        }
        if (!group.empty()) {
            ++groups;
        }
        if (colon == std::string_view::npos) {
            break;
        }
        i = colon + 1;
    }
    if (groups > 8 || (gap == std::string_view::npos && groups != 8)) {
        return false;
    }
    // Single colons may not open or close the text; "::" may.
    if ((text.front() == ':' && text.substr(0, 2) != "::") ||
        (text.back() == ':' && text.substr(text.size() - 2) != "::")) {
        return false;
    }
    return true;
}

bool ResolveAddress(std::string_view host, std::string_view port, bool passive,
                    ResolvedAddress& out) {
    if ((host == "0.0.0.0" && FillLiteral(AF_INET, host, port, out, true)) ||
        (host == "::0" && FillLiteral(AF_INET6, host, port, out, true)) ||
        (host == "127.0.0.1" && FillLiteral(AF_INET, host, port, out, false)) ||
        (host == "::1" && FillLiteral(AF_INET6, host, port, out, false))) {
        return true;
    }
    if (IsIPv4Literal(host)) {
        return LookUp(host, port, AF_INET, passive, out);
    }
    if (IsIPv6Literal(host)) {
        return LookUp(host, port, AF_INET6, passive, out);
    }
    return LookUp(host, port, AF_INET, passive, out) || LookUp(host, port, AF_INET6, passive, out);
}

TUDPBlockSocket::~TUDPBlockSocket() {
    Close();
}

void TUDPBlockSocket::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        family_ = 0;
    }
}

bool TUDPBlockSocket::Open(int family) {
    if (fd_ >= 0 && family_ == family) {
        return true;
    }
    // A socket of the other family cannot reach this address: replace it.
    Close();
    fd_ = ::socket(family, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd_ < 0) {
        ErrorCode = errno;
        return false;
    }
    family_ = family;
    return true;
}

void TUDPBlockSocket::BindLocal(std::string_view ip, std::string_view port) {
    ErrorCode = 0;
    if (fd_ < 0 && ip == "0.0.0.0" && port == "0") {
        return;
    }
    ResolvedAddress local;
    if (!ResolveAddress(ip, port, true, local)) {
        ErrorCode = kErrorHostNotFound;
        return;
    }
    // An open socket stays: its local port is the one every exchange leaves from.
    if (fd_ < 0 && !Open(local.address.ss_family)) {
        return;
    }
    if (::bind(fd_, reinterpret_cast<const sockaddr*>(&local.address), local.length) != 0) {
        ErrorCode = errno;
    }
}

void TUDPBlockSocket::SetRemote(std::string_view host, std::string_view port) {
    ErrorCode = 0;
    remote_ = ResolvedAddress{};
    ResolvedAddress resolved;
    if (!ResolveAddress(host, port, false, resolved)) {
        ErrorCode = kErrorHostNotFound;
        return;
    }
    if (Open(resolved.address.ss_family)) {
        remote_ = resolved;
    }
}

void TUDPBlockSocket::SendDatagram(std::string_view bytes) {
    ErrorCode = 0;
    if (fd_ < 0 || remote_.length == 0) {
        ErrorCode = EDESTADDRREQ;
        return;
    }
    const ssize_t sent =
        ::sendto(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                 reinterpret_cast<const sockaddr*>(&remote_.address), remote_.length);
    if (sent < 0) {
        ErrorCode = errno;
    }
}

std::string TUDPBlockSocket::ReceiveDatagram(int timeoutMs) {
    ErrorCode = 0;
    if (fd_ < 0) {
        ErrorCode = EBADF;
        return {};
    }
    // No zero-length sleep and no pending count before the wait: on Linux the
    // sleep hands the processor to any runnable process, and the wait returns at
    // once when a datagram is already queued, so asking first saves nothing.
    const auto pending = [this]() {
        int count = 0;
        if (::ioctl(fd_, FIONREAD, &count) != 0) {
            return 0;
        }
        return count;
    };
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            wait = static_cast<int>(left > 0 ? left : 0);
        }
        // poll rather than select: a descriptor above FD_SETSIZE must not break the wait.
        pollfd waits[2] = {{fd_, POLLIN, 0}, {interrupt_ ? interrupt_->Fd() : -1, POLLIN, 0}};
        int ready;
        do {
            ready = ::poll(waits, 2, wait);
        } while (ready < 0 && errno == EINTR);
        if (waits[1].revents != 0) {
            ErrorCode = kErrorInterrupted;
            return {};
        }
        if (ready <= 0) {
            ErrorCode = kErrorTimedOut;
            return {};
        }
        // The sender goes into a place of its own: the remote address is where
        // later requests go, whoever else sends to this port.
        sockaddr_storage from{};
        socklen_t fromLength = sizeof from;
        const int size = pending();
        std::string buffer(static_cast<std::size_t>(std::max(size, 1)), '\0');
        const ssize_t got = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                       reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (got >= 0 && !IsRemote(from, fromLength)) {
            continue;  // not from the agent asked: no answer
        }
        if (size <= 0) {
            // The empty datagram (or pending error) is off the queue now, so
            // that it cannot make every later wait end at once.
            ErrorCode = kErrorNothingPending;
            return {};
        }
        if (got < 0) {
            ErrorCode = errno;
            return {};
        }
        buffer.resize(static_cast<std::size_t>(got));
        return buffer;
    }
}

bool TUDPBlockSocket::IsRemote(const sockaddr_storage& from, socklen_t length) const {
    const sockaddr_storage& remote = remote_.address;
    if (remote_.length == 0 || length < remote_.length || from.ss_family != remote.ss_family) {
        return false;
    }
    if (from.ss_family == AF_INET) {
        const auto& a = reinterpret_cast<const sockaddr_in&>(from);
        const auto& b = reinterpret_cast<const sockaddr_in&>(remote);
        return a.sin_port == b.sin_port && a.sin_addr.s_addr == b.sin_addr.s_addr;
    }
    if (from.ss_family == AF_INET6) {
        const auto& a = reinterpret_cast<const sockaddr_in6&>(from);
        const auto& b = reinterpret_cast<const sockaddr_in6&>(remote);
        return a.sin6_port == b.sin6_port &&
               std::memcmp(&a.sin6_addr, &b.sin6_addr, sizeof a.sin6_addr) == 0;
    }
    return false;
}

std::string TUDPBlockSocket::PeerAddress() const {
    if (remote_.length == 0) {
        return "0.0.0.0";
    }
    // Asked after every reply: the text is made once a peer.
    if (remote_.length != named_.length ||
        std::memcmp(&remote_.address, &named_.address, remote_.length) != 0) {
        char host[NI_MAXHOST] = {};
        if (getnameinfo(reinterpret_cast<const sockaddr*>(&remote_.address), remote_.length, host,
                        sizeof host, nullptr, 0, NI_NUMERICHOST) != 0) {
            return "0.0.0.0";
        }
        named_ = remote_;
        peerText_ = host;
    }
    return peerText_;
}

int TUDPBlockSocket::LocalPort() const {
    if (fd_ < 0) {
        return 0;
    }
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return 0;
    }
    if (local.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in*>(&local)->sin_port);
    }
    return ntohs(reinterpret_cast<const sockaddr_in6*>(&local)->sin6_port);
}

}  // namespace pulsewell::snmp
