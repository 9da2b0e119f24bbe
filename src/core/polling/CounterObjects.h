#pragma once

#include <QString>

#include "snmp/Oid.h"

namespace pulsewell {

// The four counters a poll reads of the polled interface, turned into their
// wire bytes once for each interface rather than on every poll.
class CounterObjects {
  public:
    // The objects of this interface; nothing is parsed again while it stays.
    void Follow(const QString& interface);

    snmp::TOid wideOut;
    snmp::TOid wideIn;
    snmp::TOid out;
    snmp::TOid in;

  private:
    QString interface_;
    bool parsed_ = false;
};

}  // namespace pulsewell
