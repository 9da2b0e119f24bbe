#include <gtest/gtest.h>

#include "core/OperationError.h"
#include "core/discovery/InterfaceCells.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

TEST(InterfaceCellsTest, SpeedIsGroupedUnsignedWithTheLocaleSeparator) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(SpeedCell("100000000", us), "100,000,000");
    EXPECT_EQ(SpeedCell("0", us), "0");
    EXPECT_EQ(SpeedCell("999", us), "999");
    EXPECT_EQ(SpeedCell("1000", us), "1,000");
    EXPECT_EQ(SpeedCell("-1", us), "4,294,967,295");
    EXPECT_EQ(SpeedCell("-2147483648", us), "2,147,483,648");
    EXPECT_EQ(SpeedCell("10000000", QLocale(QLocale::German, QLocale::Germany)), "10.000.000");
    // The C locale leaves numbers ungrouped by default; the cell groups anyway.
    EXPECT_EQ(SpeedCell("10000000", QLocale::c()), "10,000,000");
    // Beyond 15 significant digits the rest reads as zeros.
    EXPECT_EQ(SpeedCell("1234567890123456789", us), "1,234,567,890,123,460,000");
}

TEST(InterfaceCellsTest, NumbersThatAreNoneStopWithTheConversionError) {
    for (const char* text : {"", "Failure", "12a", "1.5"}) {
        try {
            SpeedCell(QString::fromLatin1(text));
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.Message(),
                      QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
        }
    }
    EXPECT_THROW(DuplexCell(""), ConversionError);
    EXPECT_THROW(StatusCell("None"), ConversionError);
    EXPECT_THROW(TypeCell("Failure"), ConversionError);
    EXPECT_THROW(StatusCell("4294967296"), ConversionError);  // not a 32-bit number
    EXPECT_EQ(UptimeTicksText("up 3 days"), "");              // unknown
}

TEST(InterfaceCellsTest, DuplexAndStatusMappings) {
    EXPECT_EQ(DuplexCell("1"), "unknown");
    EXPECT_EQ(DuplexCell("2"), "half");
    EXPECT_EQ(DuplexCell("3"), "full");
    EXPECT_EQ(DuplexCell("0"), "");
    EXPECT_EQ(DuplexCell("4"), "");
    EXPECT_EQ(StatusCell("1"), "up");
    EXPECT_EQ(StatusCell("2"), "down");
    EXPECT_EQ(StatusCell("3"), "testing");
    EXPECT_EQ(StatusCell("7"), "7");
    EXPECT_EQ(StatusCell("-1"), "-1");
}

TEST(InterfaceCellsTest, TypeTableNamesThirteenTypes) {
    const std::pair<int, const char*> named[] = {{6, "ethernet-csmacd (6)"},
                                                 {7, "iso88023-csmacd (7)"},
                                                 {11, "starLan (11)"},
                                                 {23, "ppp (23)"},
                                                 {24, "softwareLoopback (24)"},
                                                 {25, "eon (25)"},
                                                 {26, "ethernet-3Mbit (26)"},
                                                 {27, "nsip (27)"},
                                                 {28, "slip (28)"},
                                                 {29, "ultra (29)"},
                                                 {30, "ds3 (30)"},
                                                 {31, "sip (31)"},
                                                 {32, "frame-relay (32)"}};
    for (const auto& [type, text] : named) {
        EXPECT_EQ(TypeCell(QString::number(type)), QString::fromLatin1(text));
    }
    for (int bare : {1, 5, 8, 10, 12, 22, 33, 117, 0, -6}) {
        EXPECT_EQ(TypeCell(QString::number(bare)), QString::number(bare));
    }
}

TEST(InterfaceCellsTest, MacAddressAsUpperCaseHexPairs) {
    EXPECT_EQ(MacCell(""), "No MAC available");
    EXPECT_EQ(MacCell(QString::fromLatin1("\x00\x1a\x2b\xff\x00\x01", 6)), "00 1A 2B FF 00 01 ");
    EXPECT_EQ(MacCell(QString::fromLatin1("\x0a")), "0A ");
}

TEST(InterfaceCellsTest, DescriptionIsTrimmedAndDecoded) {
    EXPECT_EQ(DescriptionCell(" \t eth0 uplink\r\n"), "eth0 uplink");
    EXPECT_EQ(DescriptionCell(QString::fromLatin1("\x01lo\x00", 4)), "lo");
    EXPECT_EQ(DescriptionCell("  "), "");
    EXPECT_EQ(DescriptionCell("Failure"), "Failure");
    // UTF-8 from the device reads as such; bytes that are not UTF-8 stay one character each.
    EXPECT_EQ(DescriptionCell(QString::fromLatin1("Uplink Z\xc3\xbcrich")),
              QString::fromUtf8("Uplink Z\xc3\xbcrich"));
    EXPECT_EQ(DescriptionCell(QString::fromLatin1("Uplink Z\xfcrich")),
              QString::fromUtf8("Uplink Z\xc3\xbcrich"));
}

TEST(InterfaceCellsTest, UptimeReadsAsUnsigned32) {
    EXPECT_EQ(UptimeTicksText("-1"), "4294967295");
    EXPECT_EQ(UptimeTicksText("-2147483648"), "2147483648");
    EXPECT_EQ(UptimeTicksText("123456"), "123456");
}

}  // namespace
}  // namespace pulsewell
