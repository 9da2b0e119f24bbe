#pragma once

// Ends one thread's waits for replies from another thread: once raised, every
// wait that watches it returns at once, until it is cleared. Raise is safe
// from any thread and from a signal handler.
namespace pulsewell::snmp {

class Interrupt {
  public:
    Interrupt();
    ~Interrupt();
    Interrupt(const Interrupt&) = delete;
    Interrupt& operator=(const Interrupt&) = delete;

    void Raise() const;
    void Clear() const;
    bool Raised() const;
    // Readable while raised; for poll() beside other descriptors.
    int Fd() const { return fd_; }

  private:
    int fd_ = -1;
};

// Sleeps for milliseconds, or less when the interrupt is (or gets) raised.
void SleepUnlessRaised(const Interrupt* interrupt, int milliseconds);

}  // namespace pulsewell::snmp
