#include "snmp/SnmpRec.h"

#include "snmp/Ber.h"
#include "snmp/DecimalText.h"
#include "snmp/DefaultCommunity.h"
#include "snmp/ReverseWriter.h"

namespace pulsewell::snmp {

namespace {

std::int32_t AsInt(const std::string& text) {
    return static_cast<std::int32_t>(ParseDecimal(text, -0x7FFFFFFFLL - 1, 0x7FFFFFFF).value_or(0));
}

std::string IntegerItem(std::int32_t n) {
    return MakeItem(EncodeSigned(n), ber::Integer);
}

// The next item as a number, as its value text would read: integer types
// directly, anything else through its text (0 when that is not a number).
std::int32_t ItemNumber(std::string_view data, std::size_t& pos) {
    int type = 0;
    std::string_view contents;
    if (!ReadItemHeader(data, pos, type, contents)) {
        return 0;
    }
    switch (type) {
        case ber::Boolean:
        case ber::Integer:
        case ber::Enumerated:
            return SignedValue(contents);
        case ber::Counter:
        case ber::Gauge:
        case ber::TimeTicks:
            return UnsignedValue(contents);
        default:
            return AsInt((type & ber::Constructed) != 0 ? std::string(contents)
                                                        : ValueText(type, contents));
    }
}

// A binding as most come, read without the general walk of items: a
// sequence of an identifier and a primitive value, each header in the short
// form, ending together within data. False, and pos as it was, for any other.
bool ReadPlainBinding(std::string_view data, std::size_t& pos, TWireBinding& wire) {
    if (pos > data.size() || data.size() - pos < 6) {
        return false;
    }
    // The binding's header, the identifier's, then the value's after it.
    const auto* at = reinterpret_cast<const unsigned char*>(data.data()) + pos;
    const std::size_t length = at[1];
    const std::size_t oidLength = at[3];
    if (at[0] != ber::Sequence || length >= 0x80 || length > data.size() - pos - 2 ||
        at[2] != ber::ObjectId || oidLength >= 0x80 || oidLength + 4 > length) {
        return false;
    }
    const unsigned char* value = at + 4 + oidLength;
    if ((value[0] & ber::Constructed) != 0 || value[1] >= 0x80 ||
        oidLength + 4 + value[1] != length) {
        return false;
    }
    wire.Oid = std::string_view(data.data() + pos + 4, oidLength);
    wire.Type = value[0];
    wire.Contents = std::string_view(reinterpret_cast<const char*>(value) + 2, value[1]);
    pos += 2 + length;
    return true;
}

}  // namespace

TSNMPRec::TSNMPRec() {
    Reset();
    ID = 1;
    MaxSize = 1472;
}

void TSNMPRec::Reset() {
    Version = 0;
    Community = kDefaultCommunity;
    PDUType = 0;
    ErrorStatus = 0;
    ErrorIndex = 0;
    count_ = 0;
    wire_.clear();
    Flags = TV3Flags::NoAuthNoPriv;
    MessageID = 0;
    FlagReportable = false;
    ContextEngineID.clear();
    ContextName.clear();
    AuthMode = TV3Auth::AuthMD5;
    PrivMode = TV3Priv::PrivDES;
    AuthEngineID.clear();
    AuthEngineBoots = 0;
    AuthEngineTime = 0;
    AuthEngineTimeStamp = 0;
    UserName.clear();
    Password.clear();
    AuthKey.clear();
    PrivKey.clear();
    OldTrapEnterprise.clear();
    OldTrapHost.clear();
    OldTrapGen = 0;
    OldTrapSpec = 0;
    OldTrapTimeTicks = 0;
}

TSNMPMib& TSNMPRec::NextBinding() {
    if (count_ == bindings_.size()) {
        bindings_.emplace_back();
    }
    return bindings_[count_++];
}

void TSNMPRec::AddBinding(std::string_view oid, std::string_view value, std::int32_t type) {
    TSNMPMib& mib = NextBinding();
    mib.ObjectId.assign(oid);
    mib.ValueText.assign(value);
    mib.TypeCode = type;
    mib.OidBytes.clear();
}

void TSNMPRec::AddBinding(const TOid& oid, std::string_view value, std::int32_t type) {
    TSNMPMib& mib = NextBinding();
    mib.ObjectId.clear();
    mib.ValueText.assign(value);
    mib.TypeCode = type;
    mib.OidBytes.assign(oid.Bytes());
}

std::string TSNMPRec::FindValue(std::string_view oid) const {
    for (const TSNMPMib& mib : Bindings()) {
        if (mib.ObjectId == oid) {
            return mib.ValueText;
        }
    }
    return {};
}

std::string TSNMPRec::FindValue(const TOid& oid) const {
    for (const TSNMPMib& mib : Bindings()) {
        if (mib.OidBytes == oid.Bytes()) {
            return mib.ValueText;
        }
    }
    return {};
}

void TSNMPRec::EncodePdu(ReverseWriter& out) const {
    const std::size_t pduEnd = out.Size();
    const std::size_t listEnd = out.Size();
    const auto bindings = Bindings();
    for (auto mib = bindings.rbegin(); mib != bindings.rend(); ++mib) {
        const std::size_t bindingEnd = out.Size();
        std::size_t mark = out.Size();
        // A request's bindings are Null: no contents to make.
        if (mib->TypeCode != ber::Null) {
            out.Bytes(EncodeValue(mib->TypeCode, mib->ValueText));
        }
        out.Header(mib->TypeCode, mark);
        mark = out.Size();
        if (mib->OidBytes.empty()) {
            out.Oid(mib->ObjectId);
        } else {
            out.Bytes(mib->OidBytes);
        }
        out.Header(ber::ObjectId, mark);
        out.Header(ber::Sequence, bindingEnd);
    }
    out.Header(ber::Sequence, listEnd);
    if (PDUType == pdu::Trap) {
        std::string head = MakeItem(OidToBytes(OldTrapEnterprise), ber::ObjectId);
        head += MakeItem(IpToBytes(OldTrapHost), ber::IpAddress);
        head += IntegerItem(OldTrapGen);
        head += IntegerItem(OldTrapSpec);
        head +=
            MakeItem(EncodeUnsigned(static_cast<std::uint32_t>(OldTrapTimeTicks)), ber::TimeTicks);
        out.Bytes(head);
    } else {
        for (std::int32_t n : {ErrorIndex, ErrorStatus, ID}) {
            const std::size_t mark = out.Size();
            out.Signed(n);
            out.Header(ber::Integer, mark);
        }
    }
    out.Header(PDUType, pduEnd);
}

std::string TSNMPRec::EncodeMessage() const {
    if (Version == version::V3) {
        return {};
    }
    ReverseWriter out;
    EncodePdu(out);
    std::size_t mark = out.Size();
    out.Bytes(Community);
    out.Header(ber::OctetString, mark);
    mark = out.Size();
    out.Signed(Version);
    out.Header(ber::Integer, mark);
    out.Header(ber::Sequence, 0);
    return out.Take();
}

bool TSNMPRec::DecodeMessage(std::string_view data) {
    Reset();
    if (data.size() < 2 || (static_cast<unsigned char>(data[0]) & ber::Constructed) == 0) {
        return false;
    }
    std::size_t pos = 1;
    const std::int64_t outer = DecodeLength(data, pos);
    if (outer < 0 || data.size() < static_cast<std::uint64_t>(outer) + 2) {
        return false;
    }
    int type = 0;
    Version = ItemNumber(data, pos);
    if (Version == version::V3) {
        Reset();
        return false;
    }
    DecodeItemInto(data, pos, type, Community);
    // Position counted from 1: bindings start while it is below the outer length.
    ReadPdu(data, pos, outer - 1);
    return true;
}

void TSNMPRec::DecodePdu(std::string_view data) {
    std::size_t pos = 0;
    ReadPdu(data, pos, static_cast<std::int64_t>(data.size()));
}

void TSNMPRec::ReadPdu(std::string_view data, std::size_t& pos, std::int64_t bindingsEnd) {
    int type = 0;
    std::string_view skipped;
    ReadItemHeader(data, pos, type, skipped);  // the PDU, entered
    PDUType = type;
    if (PDUType == pdu::Trap) {
        OldTrapEnterprise = DecodeItem(data, pos, type);
        OldTrapHost = DecodeItem(data, pos, type);
        OldTrapGen = ItemNumber(data, pos);
        OldTrapSpec = ItemNumber(data, pos);
        OldTrapTimeTicks = ItemNumber(data, pos);
    } else {
        ID = ItemNumber(data, pos);
        ErrorStatus = ItemNumber(data, pos);
        ErrorIndex = ItemNumber(data, pos);
    }
    ReadItemHeader(data, pos, type, skipped);  // the binding list, entered
    while (static_cast<std::int64_t>(pos) < bindingsEnd) {
        TWireBinding& wire = wire_.emplace_back();
        bool oidItem = true;
        int oidType = ber::ObjectId;
        bool valueItem = true;
        if (!ReadPlainBinding(data, pos, wire)) {
            const std::size_t before = pos;
            ReadItemHeader(data, pos, type, skipped);  // the binding, entered
            oidItem = ReadItemHeader(data, pos, type, wire.Oid);
            oidType = type;
            valueItem = ReadItemHeader(data, pos, type, wire.Contents);
            wire.Type = type;
            if (pos == before) {
                wire_.pop_back();  // a last byte that is no item: nothing more to read
                break;
            }
        }
        if (ber::IsException(wire.Type)) {
            wire.Contents = {};  // no value, whatever the agent put inside
        }
        if (!CopyBindings) {
            continue;
        }
        TSNMPMib& mib = NextBinding();
        mib.OidBytes.assign(wire.Oid);
        // Texts as DecodeItemInto gives them.
        const auto text = [](std::string& out, bool item, int itemType, std::string_view bytes) {
            out.clear();
            if (item && (itemType & ber::Constructed) == 0) {
                AppendValueText(out, itemType, bytes);
            } else {
                out.append(bytes);
            }
        };
        if (OidTexts) {
            text(mib.ObjectId, oidItem, oidType, wire.Oid);
        } else {
            mib.ObjectId.clear();
        }
        text(mib.ValueText, valueItem, wire.Type, wire.Contents);
        mib.TypeCode = wire.Type;
    }
}

}  // namespace pulsewell::snmp
