#pragma once

#include <QLocale>
#include <QString>

// The texts of the interface table's cells, made from the agent's value
// texts. Where a number is needed a text that is none raises ConversionError.
namespace pulsewell {

// Leading and trailing blanks and control characters removed.
QString TrimmedText(const QString& value);
// An octet string, which arrives one byte per character, as text: decoded
// where its bytes are valid in the user's locale (UTF-8 on any current
// desktop), otherwise byte for byte, so nothing is lost.
QString DeviceText(const QString& bytes);
QString DescriptionCell(const QString& value);

// Read as 64 bits, negative values as the unsigned 32-bit number they stand
// for; grouped in thousands with the locale's separator, 15 digits at most.
QString SpeedCell(const QString& value, const QLocale& locale = QLocale());

// An ifSpeed that says only "4294967295 or more" (its value text as the agent
// sends it), which ifHighSpeed then tells more precisely.
bool IsSpeedCeiling(const QString& value);
// The speed cell from ifHighSpeed, in Mbit/s: that number times 1,000,000,
// written as SpeedCell writes it.
QString HighSpeedCell(const QString& value, const QLocale& locale = QLocale());

// The value of the duplex object when it has one: 1 "unknown", 2 "half",
// 3 "full", anything else an empty cell.
QString DuplexCell(const QString& value);

// Each byte as two upper-case hex digits and a blank; "No MAC available"
// for an empty address.
QString MacCell(const QString& value);

// Admin and oper status: "up", "down", "testing" or the number.
QString StatusCell(const QString& value);

// An entry of the interface list: "index - description (status)".
QString InterfaceLabel(const QString& index, const QString& description, const QString& status);

// The interface type's name and number, or the bare number.
QString TypeCell(const QString& value);

// The agent's sysUpTime, a 32-bit number that arrives signed, as its unsigned
// decimal text; empty (unknown) when the agent sent none or no number.
QString UptimeTicksText(const QString& value);

}  // namespace pulsewell
