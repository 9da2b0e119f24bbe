#include "SnmpRec.h"

#include "Ber.h"
#include "NumberText.h"

namespace pulsewell::snmp {

namespace {

std::int32_t AsInt(const std::string& text) {
    return static_cast<std::int32_t>(
        ParseDecimal(text, -0x7FFFFFFFLL - 1, 0x7FFFFFFF).value_or(0));
}

std::string IntegerItem(std::int32_t n) { return MakeItem(EncodeSigned(n), ber::Integer); }

}  // namespace

TSNMPRec::TSNMPRec() {
    Reset();
    ID = 1;
    MaxSize = 1472;
}

void TSNMPRec::Reset() {
    Version = 0;
    Community = "cobalt";
    PDUType = 0;
    ErrorStatus = 0;
    ErrorIndex = 0;
    bindings_.clear();
    Flags = TV3Flags::NoAuthNoPriv;
    FlagReportable = false;
    ContextEngineID.clear();
    ContextName.clear();
    AuthMode = TV3Auth::AuthMD5;
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

void TSNMPRec::AddBinding(std::string_view oid, std::string_view value, std::int32_t type) {
    bindings_.push_back(TSNMPMib{std::string(oid), std::string(value), type});
}

std::string TSNMPRec::FindValue(std::string_view oid) const {
    for (const TSNMPMib& mib : bindings_) {
        if (mib.ObjectId == oid) {
            return mib.ValueText;
        }
    }
    return {};
}

std::string TSNMPRec::EncodeMessage() const {
    if (Version == 3) {
        return {};
    }
    std::string list;
    for (const TSNMPMib& mib : bindings_) {
        std::string binding = MakeItem(OidToBytes(mib.ObjectId), ber::ObjectId);
        binding += MakeItem(EncodeValue(mib.TypeCode, mib.ValueText), mib.TypeCode);
        list += MakeItem(binding, ber::Sequence);
    }
    std::string contents;
    if (PDUType == pdu::Trap) {
        contents = MakeItem(OidToBytes(OldTrapEnterprise), ber::ObjectId);
        contents += MakeItem(IpToBytes(OldTrapHost), ber::IpAddress);
        contents += IntegerItem(OldTrapGen);
        contents += IntegerItem(OldTrapSpec);
        contents += MakeItem(EncodeUnsigned(static_cast<std::uint32_t>(OldTrapTimeTicks)),
                             ber::TimeTicks);
    } else {
        contents = IntegerItem(ID) + IntegerItem(ErrorStatus) + IntegerItem(ErrorIndex);
    }
    contents += MakeItem(list, ber::Sequence);
    std::string message = IntegerItem(Version);
    message += MakeItem(Community, ber::OctetString);
    message += MakeItem(contents, PDUType);
    return MakeItem(message, ber::Sequence);
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
    Version = AsInt(DecodeItem(data, pos, type));
    if (Version == 3) {
        Reset();
        return false;
    }
    Community = DecodeItem(data, pos, type);
    std::string_view skipped;
    ReadItemHeader(data, pos, type, skipped);  // the PDU, entered
    PDUType = type;
    if (PDUType == pdu::Trap) {
        OldTrapEnterprise = DecodeItem(data, pos, type);
        OldTrapHost = DecodeItem(data, pos, type);
        OldTrapGen = AsInt(DecodeItem(data, pos, type));
        OldTrapSpec = AsInt(DecodeItem(data, pos, type));
        OldTrapTimeTicks = AsInt(DecodeItem(data, pos, type));
    } else {
        ID = AsInt(DecodeItem(data, pos, type));
        ErrorStatus = AsInt(DecodeItem(data, pos, type));
        ErrorIndex = AsInt(DecodeItem(data, pos, type));
    }
    ReadItemHeader(data, pos, type, skipped);  // the binding list, entered
    // Position counted from 1: bindings start while it is below the outer length.
    while (static_cast<std::int64_t>(pos) + 1 < outer) {
        ReadItemHeader(data, pos, type, skipped);  // the binding, entered
        const std::string oid = DecodeItem(data, pos, type);
        const std::string value = DecodeItem(data, pos, type);
        AddBinding(oid, value, type);
    }
    return true;
}

}  // namespace pulsewell::snmp
