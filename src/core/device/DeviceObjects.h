#pragma once

#include <QString>

// Every object the program reads from a device. Names ending in a dot take
// the interface index (or the duplex object's index) behind them.
namespace pulsewell::objects {

// SNMPv2-MIB's system group.
inline const QString kSysDescr = QStringLiteral("1.3.6.1.2.1.1.1.0");
inline const QString kSysObjectId = QStringLiteral("1.3.6.1.2.1.1.2.0");
inline const QString kSysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");
inline const QString kSysContact = QStringLiteral("1.3.6.1.2.1.1.4.0");
inline const QString kSysName = QStringLiteral("1.3.6.1.2.1.1.5.0");
inline const QString kSysLocation = QStringLiteral("1.3.6.1.2.1.1.6.0");
inline const QString kSysServices = QStringLiteral("1.3.6.1.2.1.1.7.0");

// IF-MIB's ifNumber and ifTable.
inline const QString kIfNumber = QStringLiteral("1.3.6.1.2.1.2.1.0");
inline const QString kIfIndexColumn = QStringLiteral("1.3.6.1.2.1.2.2.1.1");
inline const QString kIfDescr = QStringLiteral("1.3.6.1.2.1.2.2.1.2.");
inline const QString kIfType = QStringLiteral("1.3.6.1.2.1.2.2.1.3.");
inline const QString kIfMtu = QStringLiteral("1.3.6.1.2.1.2.2.1.4.");
inline const QString kIfSpeed = QStringLiteral("1.3.6.1.2.1.2.2.1.5.");
inline const QString kIfPhysAddress = QStringLiteral("1.3.6.1.2.1.2.2.1.6.");
inline const QString kIfAdminStatus = QStringLiteral("1.3.6.1.2.1.2.2.1.7.");
inline const QString kIfOperStatus = QStringLiteral("1.3.6.1.2.1.2.2.1.8.");
inline const QString kIfLastChange = QStringLiteral("1.3.6.1.2.1.2.2.1.9.");
inline const QString kIfInOctets = QStringLiteral("1.3.6.1.2.1.2.2.1.10.");
inline const QString kIfInDiscards = QStringLiteral("1.3.6.1.2.1.2.2.1.13.");
inline const QString kIfInErrors = QStringLiteral("1.3.6.1.2.1.2.2.1.14.");
inline const QString kIfOutOctets = QStringLiteral("1.3.6.1.2.1.2.2.1.16.");
inline const QString kIfOutDiscards = QStringLiteral("1.3.6.1.2.1.2.2.1.19.");
inline const QString kIfOutErrors = QStringLiteral("1.3.6.1.2.1.2.2.1.20.");

// IF-MIB's ifXTable: names, the 64-bit counters and the speed past ifSpeed's
// ceiling; and when an entry of the table last came or went.
inline const QString kIfName = QStringLiteral("1.3.6.1.2.1.31.1.1.1.1.");
inline const QString kIfHCInOctets = QStringLiteral("1.3.6.1.2.1.31.1.1.1.6.");
inline const QString kIfHCOutOctets = QStringLiteral("1.3.6.1.2.1.31.1.1.1.10.");
inline const QString kIfHighSpeed = QStringLiteral("1.3.6.1.2.1.31.1.1.1.15.");
inline const QString kIfAlias = QStringLiteral("1.3.6.1.2.1.31.1.1.1.18.");
inline const QString kIfTableLastChange = QStringLiteral("1.3.6.1.2.1.31.1.5.0");

// The duplex mode column of a vendor's port table (Cabletron/Enterasys).
inline const QString kDuplexColumn = QStringLiteral("1.3.6.1.4.1.52.4.1.2.4.2.3.1.1.6");
inline const QString kDuplex = kDuplexColumn + u'.';

}  // namespace pulsewell::objects
