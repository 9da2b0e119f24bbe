#include "snmp/V3Message.h"

#include <openssl/crypto.h>

#include "snmp/Ber.h"
#include "snmp/ReverseWriter.h"

namespace pulsewell::snmp {

namespace {

void WriteOctets(ReverseWriter& out, std::string_view bytes) {
    const std::size_t mark = out.Size();
    out.Bytes(bytes);
    out.Header(ber::OctetString, mark);
}

void WriteInteger(ReverseWriter& out, std::int32_t n) {
    const std::size_t mark = out.Size();
    out.Signed(n);
    out.Header(ber::Integer, mark);
}

void WriteScopedPdu(ReverseWriter& out, const TSNMPRec& rec) {
    const std::size_t mark = out.Size();
    rec.EncodePdu(out);
    WriteOctets(out, rec.ContextName);
    WriteOctets(out, rec.ContextEngineID);
    out.Header(ber::Sequence, mark);
}

int FlagsOf(const TSNMPRec& rec) {
    int flags = rec.FlagReportable ? v3flag::Reportable : 0;
    if (rec.Flags != TV3Flags::NoAuthNoPriv) {
        flags |= v3flag::Auth;
    }
    if (rec.Flags == TV3Flags::AuthPriv) {
        flags |= v3flag::Priv;
    }
    return flags;
}

// One whole item of the given type at pos; pos moves past it.
bool Item(std::string_view data, std::size_t& pos, int type, std::string_view& contents) {
    int got = 0;
    if (!ReadItemHeader(data, pos, got, contents) || got != type) {
        return false;
    }
    if ((got & ber::Constructed) != 0) {
        pos += contents.size();
    }
    return true;
}

bool Integer(std::string_view data, std::size_t& pos, std::int32_t& value) {
    std::string_view contents;
    if (!Item(data, pos, ber::Integer, contents) || contents.empty() || contents.size() > 5) {
        return false;
    }
    value = SignedValue(contents);
    return true;
}

bool Octets(std::string_view data, std::size_t& pos, std::string_view& value) {
    return Item(data, pos, ber::OctetString, value);
}

}  // namespace

bool EncodeV3Message(const TSNMPRec& rec, const TUsmKeys* keys, TUsmCipher& cipher,
                     std::string& out) {
    const int flags = FlagsOf(rec);
    const bool auth = (flags & v3flag::Auth) != 0;
    const bool priv = (flags & v3flag::Priv) != 0;
    if ((auth && (keys == nullptr || !keys->Hmac.Valid())) ||
        (priv && keys->PrivKey.size() != PrivKeyLength(keys->Priv))) {
        return false;
    }
    ReverseWriter writer;
    std::string privParams;
    if (priv) {
        ReverseWriter plain;
        WriteScopedPdu(plain, rec);
        std::string encrypted;
        if (!cipher.Encrypt(keys->Priv, keys->PrivKey, rec.AuthEngineBoots, rec.AuthEngineTime,
                            plain.View(), encrypted, privParams)) {
            return false;
        }
        WriteOctets(writer, encrypted);
    } else {
        WriteScopedPdu(writer, rec);
    }
    // USM parameters, inside an OCTET STRING; the MAC's place is zeros until signed.
    std::size_t mark = writer.Size();
    WriteOctets(writer, privParams);
    const std::size_t macLength = auth ? keys->Hmac.MacLength() : 0;
    const std::size_t macEnd = writer.Size();
    static const char zeros[64] = {};
    writer.Bytes(std::string_view(zeros, macLength));
    const std::size_t macStart = writer.Size();
    writer.Header(ber::OctetString, macEnd);
    WriteOctets(writer, rec.UserName);
    WriteInteger(writer, rec.AuthEngineTime);
    WriteInteger(writer, rec.AuthEngineBoots);
    WriteOctets(writer, rec.AuthEngineID);
    writer.Header(ber::Sequence, mark);
    writer.Header(ber::OctetString, mark);
    mark = writer.Size();
    WriteInteger(writer, kUsmSecurityModel);
    WriteOctets(writer, std::string(1, static_cast<char>(flags)));
    WriteInteger(writer, rec.MaxSize);
    WriteInteger(writer, rec.MessageID);
    writer.Header(ber::Sequence, mark);
    WriteInteger(writer, version::V3);
    writer.Header(ber::Sequence, 0);
    out = writer.Take();
    if (auth) {
        return keys->Hmac.Sign(out, out.data() + (out.size() - macStart));
    }
    return true;
}

bool DecodeV3Envelope(std::string_view datagram, TV3Envelope& out) {
    out = TV3Envelope();
    std::size_t pos = 0;
    std::string_view message;
    if (!Item(datagram, pos, ber::Sequence, message)) {
        return false;
    }
    pos = 0;
    std::int32_t version = 0;
    std::string_view global;
    std::string_view flags;
    std::string_view security;
    if (!Integer(message, pos, version) || version != version::V3 ||
        !Item(message, pos, ber::Sequence, global)) {
        return false;
    }
    std::size_t g = 0;
    if (!Integer(global, g, out.MessageID) || !Integer(global, g, out.MaxSize) ||
        !Octets(global, g, flags) || flags.size() != 1 || !Integer(global, g, out.SecurityModel) ||
        !Octets(message, pos, security)) {
        return false;
    }
    out.Flags = static_cast<unsigned char>(flags[0]);
    std::size_t s = 0;
    std::string_view usm;
    if (!Item(security, s, ber::Sequence, usm)) {
        return false;
    }
    std::size_t u = 0;
    if (!Octets(usm, u, out.EngineID) || !Integer(usm, u, out.Boots) ||
        !Integer(usm, u, out.Time) || !Octets(usm, u, out.UserName) ||
        !Octets(usm, u, out.AuthParams) || !Octets(usm, u, out.PrivParams)) {
        return false;
    }
    if ((out.Flags & v3flag::Priv) != 0) {
        return Octets(message, pos, out.Data);
    }
    const std::size_t start = pos;
    std::string_view scoped;
    if (!Item(message, pos, ber::Sequence, scoped)) {
        return false;
    }
    out.Data = message.substr(start, pos - start);
    return true;
}

bool VerifyV3Digest(std::string_view datagram, const TV3Envelope& envelope, const TUsmKeys& keys) {
    const std::size_t length = keys.Hmac.MacLength();
    if ((envelope.Flags & v3flag::Auth) == 0 || envelope.AuthParams.size() != length ||
        envelope.AuthParams.data() < datagram.data() ||
        envelope.AuthParams.data() + length > datagram.data() + datagram.size()) {
        return false;
    }
    const auto offset = static_cast<std::size_t>(envelope.AuthParams.data() - datagram.data());
    char mac[64];
    return keys.Hmac.Sign(datagram, mac, offset) &&
           CRYPTO_memcmp(mac, envelope.AuthParams.data(), length) == 0;
}

bool ReadScopedPdu(const TV3Envelope& envelope, const TUsmKeys* keys, TUsmCipher& cipher,
                   std::string& scratch, TSNMPRec& rec) {
    rec.Reset();
    std::string_view bytes = envelope.Data;
    if ((envelope.Flags & v3flag::Priv) != 0) {
        if (keys == nullptr || keys->Level != TV3Flags::AuthPriv ||
            !cipher.Decrypt(keys->Priv, keys->PrivKey, envelope.Boots, envelope.Time,
                            envelope.PrivParams, envelope.Data, scratch)) {
            return false;
        }
        bytes = scratch;  // padding after the scoped PDU is ignored
    }
    std::size_t pos = 0;
    std::string_view scoped;
    std::string_view engine;
    std::string_view context;
    std::string_view pduContents;
    if (!Item(bytes, pos, ber::Sequence, scoped)) {
        return false;
    }
    pos = 0;
    if (!Octets(scoped, pos, engine) || !Octets(scoped, pos, context)) {
        return false;
    }
    const std::size_t pduStart = pos;
    int type = 0;
    if (!ReadItemHeader(scoped, pos, type, pduContents) || (type & 0xE0) != 0xA0) {
        return false;
    }
    rec.DecodePdu(scoped.substr(pduStart, pos - pduStart + pduContents.size()));
    rec.Version = version::V3;
    rec.MessageID = envelope.MessageID;
    rec.MaxSize = envelope.MaxSize;
    const bool auth = (envelope.Flags & v3flag::Auth) != 0;
    const bool priv = (envelope.Flags & v3flag::Priv) != 0;
    rec.Flags = priv ? TV3Flags::AuthPriv : auth ? TV3Flags::AuthNoPriv : TV3Flags::NoAuthNoPriv;
    rec.FlagReportable = (envelope.Flags & v3flag::Reportable) != 0;
    rec.AuthEngineID.assign(envelope.EngineID);
    rec.AuthEngineBoots = envelope.Boots;
    rec.AuthEngineTime = envelope.Time;
    rec.UserName.assign(envelope.UserName);
    rec.ContextEngineID.assign(engine);
    rec.ContextName.assign(context);
    if (keys != nullptr) {
        rec.AuthMode = keys->Auth;
        rec.PrivMode = keys->Priv;
    }
    return true;
}

TV3Problem ReportProblem(std::string_view oid) {
    constexpr std::string_view usmStats = "1.3.6.1.6.3.15.1.1.";
    if (oid.substr(0, usmStats.size()) != usmStats) {
        return TV3Problem::OtherReport;
    }
    const std::string_view which = oid.substr(usmStats.size());
    if (which == "1.0") {
        return TV3Problem::UnsupportedSecurityLevel;
    }
    if (which == "2.0") {
        return TV3Problem::NotInTimeWindow;
    }
    if (which == "3.0") {
        return TV3Problem::UnknownUser;
    }
    if (which == "4.0") {
        return TV3Problem::UnknownEngineID;
    }
    if (which == "5.0") {
        return TV3Problem::AuthenticationFailed;
    }
    if (which == "6.0") {
        return TV3Problem::DecryptionError;
    }
    return TV3Problem::OtherReport;
}

}  // namespace pulsewell::snmp
