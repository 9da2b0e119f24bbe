#include <gtest/gtest.h>

#include <string>

#include "core/sweep/SweepReading.h"
#include "core/sweep/SweepResult.h"
#include "core/text/OctetString.h"
#include "snmp/Ber.h"

using namespace pulsewell;
namespace ber = pulsewell::snmp::ber;

namespace {
// "01 FF" as its bytes.
std::string Bytes(const char* hex) {
    std::string bytes;
    for (const char* p = hex; *p != 0; p += p[2] == ' ' ? 3 : 2) {
        bytes += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
        if (p[2] == 0) {
            break;
        }
    }
    return bytes;
}
}  // namespace

// A value taken from its BER contents reads as the same value taken from
// its text, in every column, for what agents send and what broken ones do.
TEST(SweepCells, ContentsReadAsTheirTexts) {
    struct Value {
        int type;
        std::string contents;
    };
    const Value values[] = {
        {ber::Integer, Bytes("01")},
        {ber::Integer, Bytes("FF")},              // -1
        {ber::Integer, Bytes("80 00 00 00")},     // the least
        {ber::Counter, Bytes("00 FF FF FF FF")},  // reads as -1
        {ber::Gauge, Bytes("3B 9A CA 00")},
        {ber::TimeTicks, Bytes("7F FF FF FF")},
        {ber::Counter64, Bytes("00 FF FF FF FF FF FF FF FF")},  // past int64
        {ber::Counter64, Bytes("7F FF FF FF FF FF FF FF")},
        {ber::Counter64, Bytes("01 02 03 04 05 06 07 08 09")},  // low 64 bits
        {ber::Counter64, ""},
        {ber::OctetString, "123"},
        {ber::OctetString, "-5"},
        {ber::OctetString, "Gi1/0/1 \xE9"},
        {ber::Null, ""},
        {ber::NoSuchInstance, ""},
        {ber::EndOfMibView, ""},
        {ber::ObjectId, Bytes("2B 06 01")},
    };
    for (int c = 0; c < kSweepColumns; ++c) {
        const auto column = static_cast<SweepColumn>(c);
        for (const Value& v : values) {
            SweepCells byText;
            byText.Set(column, OctetText(snmp::ValueText(v.type, v.contents)));
            SweepCells byContents;
            byContents.SetContents(column, v.type, v.contents);
            const std::string what = "column " + std::to_string(c) + ", type " +
                                     std::to_string(v.type) + ", " +
                                     std::to_string(v.contents.size()) + " bytes";
            ASSERT_EQ(byContents.Has(column), byText.Has(column)) << what;
            if (c < kSweepNumberColumns) {
                EXPECT_EQ(byContents.Number(column), byText.Number(column)) << what;
            } else {
                EXPECT_EQ(byContents.Text(column), byText.Text(column)) << what;
            }
        }
    }
}

// Interface names are the device's text: a "%1" in one stays as it is.
TEST(SweepEventText, NamesAreNotSubstitutionMarkers) {
    struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"ge-0/0/1", "Link down: ge-0/0/1 (ifIndex 7)"},
        {"x%1", "Link down: x%1 (ifIndex 7)"},
        {"%2%3", "Link down: %2%3 (ifIndex 7)"},
    };
    for (const Case& c : cases) {
        SweepEvent event;
        event.kind = SweepEvent::LinkDown;
        event.index = 7;
        event.name = QString::fromUtf8(c.name);
        EXPECT_EQ(SweepEventText(event, event.name), QString::fromUtf8(c.text)) << c.name;
    }
}
