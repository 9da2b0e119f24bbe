#pragma once

#include <QString>

#include "core/ProgramDefaults.h"

// Every stored option: its name in the settings file and the text stored when
// it is missing.
namespace pulsewell::settings {

struct Setting {
    QString name;
    QString defaultText;
};

inline const Setting kHighValue{QStringLiteral("highvalue"),
                                QString::number(defaults::kHighThreshold)};
inline const Setting kLowValue{QStringLiteral("lowvalue"),
                               QString::number(defaults::kLowThreshold)};
inline const Setting kShow{QStringLiteral("show"), QStringLiteral("bits")};
inline const Setting kHighValueColor{QStringLiteral("highvaluecolor"), QStringLiteral("clred")};
inline const Setting kNormalValueColor{QStringLiteral("normalvaluecolor"),
                                       QStringLiteral("clYellow")};
inline const Setting kLowValueColor{QStringLiteral("lowvaluecolor"), QStringLiteral("clLime")};
inline const Setting kOnErrors{QStringLiteral("onerrors"), QStringLiteral("continue")};
inline const Setting kHighAlarmActive{QStringLiteral("highalarmactive"), QStringLiteral("no")};
inline const Setting kLowAlarmActive{QStringLiteral("lowalarmactive"), QStringLiteral("no")};
// No default is stored for the sound files: an emptied edit keeps the stored one.
inline const Setting kHighAlarmFile{QStringLiteral("highalarmfile"), QString()};
inline const Setting kLowAlarmFile{QStringLiteral("lowalarmfile"), QString()};
// Never written when missing: a store without it is one from before SNMPv2c,
// and SNMPv1 is what it always meant.
inline const Setting kSnmpVersion{QStringLiteral("snmpversion"), QStringLiteral("1")};

// Who asks over SNMPv3 (SnmpV3Settings.h); never written when missing. The
// passphrases are never stored here: the desktop's keyring keeps them.
inline const Setting kSnmpV3User{QStringLiteral("snmpv3user"), QString()};
inline const Setting kSnmpV3Level{QStringLiteral("snmpv3level"), QStringLiteral("authPriv")};
inline const Setting kSnmpV3AuthProtocol{QStringLiteral("snmpv3authprotocol"),
                                         QStringLiteral("SHA")};
inline const Setting kSnmpV3PrivProtocol{QStringLiteral("snmpv3privprotocol"),
                                         QStringLiteral("AES")};
inline const Setting kSnmpV3Context{QStringLiteral("snmpv3context"), QString()};

// The main window's place and size (WindowGeometry.h); never written when
// missing: the window then opens centred at its usual size.
inline const Setting kWindowLeft{QStringLiteral("windowleft"), QString()};
inline const Setting kWindowTop{QStringLiteral("windowtop"), QString()};
inline const Setting kWindowWidth{QStringLiteral("windowwidth"), QString()};
inline const Setting kWindowHeight{QStringLiteral("windowheight"), QString()};
// The folder where the graph's picture and data were last saved.
inline const Setting kGraphFolder{QStringLiteral("graphfolder"), QString()};

// The history of readings (history.sqlite in the program's folder): whether
// polls are recorded, and how long each resolution is kept; never written
// when missing.
inline const Setting kHistoryRecording{QStringLiteral("historyrecording"), QStringLiteral("yes")};
inline const Setting kHistoryRawHours{QStringLiteral("historyrawhours"), QStringLiteral("48")};
inline const Setting kHistoryMinuteDays{QStringLiteral("historyminutedays"), QStringLiteral("30")};
inline const Setting kHistoryHourDays{QStringLiteral("historyhourdays"), QStringLiteral("730")};
inline const Setting kHistorySweptMinuteDays{QStringLiteral("historysweptminutedays"),
                                             QStringLiteral("7")};

}  // namespace pulsewell::settings
