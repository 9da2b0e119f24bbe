#pragma once

#include <sys/socket.h>

#include <string>
#include <string_view>

#include "snmp/Interrupt.h"

// A thin blocking UDP socket over POSIX calls. The socket is opened by the
// first operation that needs it and kept until destruction, so every datagram
// leaves from one local port. ErrorCode is set afresh by every operation.
namespace pulsewell::snmp {

inline constexpr int kErrorTimedOut = 10060;
inline constexpr int kErrorNothingPending = 10054;
// A host text that does not resolve.
inline constexpr int kErrorHostNotFound = 11001;
// The wait was ended by the socket's interrupt.
inline constexpr int kErrorInterrupted = 10004;

struct ResolvedAddress {
    sockaddr_storage address{};
    socklen_t length = 0;
};

// Resolves host and port (number or service name) for UDP. IPv4 literals ask
// for IPv4, IPv6 literals for IPv6, names try IPv4 first. "0.0.0.0"/"::0" give
// the wildcard and "127.0.0.1"/"::1" the loopback without a lookup.
bool ResolveAddress(std::string_view host, std::string_view port, bool passive,
                    ResolvedAddress& out);
bool IsIPv4Literal(std::string_view text);
bool IsIPv6Literal(std::string_view text);

class TUDPBlockSocket {
  public:
    TUDPBlockSocket() = default;
    ~TUDPBlockSocket();
    TUDPBlockSocket(const TUDPBlockSocket&) = delete;
    TUDPBlockSocket& operator=(const TUDPBlockSocket&) = delete;

    void BindLocal(std::string_view ip, std::string_view port);
    void SetRemote(std::string_view host, std::string_view port);
    void SendDatagram(std::string_view bytes);
    // One datagram from the remote address, or empty with ErrorCode
    // kErrorTimedOut after timeoutMs (-1 waits without limit),
    // kErrorNothingPending when readable but empty, or kErrorInterrupted when
    // the interrupt is raised. Datagrams from any other address or port are
    // dropped and the wait goes on.
    std::string ReceiveDatagram(int timeoutMs);
    // The remote address as numeric text, "0.0.0.0" while none is set.
    std::string PeerAddress() const;
    // Local port of the open socket, 0 while none is open.
    int LocalPort() const;
    void Close();
    // Watched by every wait from now on; null for none.
    void SetInterrupt(const Interrupt* interrupt) { interrupt_ = interrupt; }
    bool Interrupted() const { return interrupt_ != nullptr && interrupt_->Raised(); }

    int ErrorCode = 0;

  private:
    bool Open(int family);
    bool IsRemote(const sockaddr_storage& from, socklen_t length) const;

    int fd_ = -1;
    int family_ = 0;
    ResolvedAddress remote_;
    // The peer whose address PeerAddress made last, and its text.
    mutable ResolvedAddress named_;
    mutable std::string peerText_;
    const Interrupt* interrupt_ = nullptr;
};

}  // namespace pulsewell::snmp
