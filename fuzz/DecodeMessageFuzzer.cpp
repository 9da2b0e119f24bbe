// Feeds arbitrary datagrams to the reply decoder, to the SNMPv3 decoder (the
// envelope, the USM parameters, the digest check, decryption and the scoped
// PDU) and to a bare item walk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "snmp/Ber.h"
#include "snmp/SnmpRec.h"
#include "snmp/V3Message.h"

namespace {

namespace snmp = pulsewell::snmp;

// Keys of every cipher, derived once: a megabyte of hashing per run would
// leave no time for fuzzing.
const snmp::TUsmKeys& Keys(snmp::TV3Priv priv) {
    static const auto all = [] {
        std::vector<std::unique_ptr<snmp::TUsmKeys>> keys;
        for (int i = 0; i < 6; ++i) {
            snmp::TV3Security security;
            security.UserName = "fuzz";
            security.Level = snmp::TV3Flags::AuthPriv;
            security.AuthProtocol = static_cast<snmp::TV3Auth>(i);
            security.AuthPassphrase = "fuzzing-auth";
            security.PrivProtocol = static_cast<snmp::TV3Priv>(i);
            security.PrivPassphrase = "fuzzing-priv";
            keys.push_back(std::make_unique<snmp::TUsmKeys>(security, "\x80\x00\x1f\x88\x04fuzz"));
        }
        return keys;
    }();
    return *all[static_cast<std::size_t>(priv)];
}

void DecodeV3(std::string_view bytes) {
    snmp::TV3Envelope envelope;
    if (!snmp::DecodeV3Envelope(bytes, envelope)) {
        return;
    }
    // The views stay inside the datagram.
    for (std::string_view part : {envelope.EngineID, envelope.UserName, envelope.AuthParams,
                                  envelope.PrivParams, envelope.Data}) {
        if (!part.empty() && (part.data() < bytes.data() ||
                              part.data() + part.size() > bytes.data() + bytes.size())) {
            std::abort();
        }
    }
    // Any cipher, picked by the first byte, over whatever the message holds.
    const auto priv = static_cast<snmp::TV3Priv>(static_cast<unsigned char>(bytes[0]) % 6);
    const snmp::TUsmKeys& keys = Keys(priv);
    (void)snmp::VerifyV3Digest(bytes, envelope, keys);
    snmp::TUsmCipher cipher;
    std::string plain;
    snmp::TSNMPRec rec;
    if (!snmp::ReadScopedPdu(envelope, &keys, cipher, plain, rec)) {
        return;
    }
    // What was read must come back through signing and encryption. (Binding
    // counts may differ: a constructed value is entered, as in SNMPv1.)
    rec.Flags = snmp::TV3Flags::AuthPriv;
    rec.UserName = "fuzz";
    std::string again;
    snmp::TV3Envelope second;
    snmp::TSNMPRec back;
    if (!snmp::EncodeV3Message(rec, &keys, cipher, again) ||
        !snmp::DecodeV3Envelope(again, second) || !snmp::VerifyV3Digest(again, second, keys) ||
        !snmp::ReadScopedPdu(second, &keys, cipher, plain, back) || back.PDUType != rec.PDUType ||
        back.ID != rec.ID || back.ContextName != rec.ContextName) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    pulsewell::snmp::TSNMPRec rec;
    if (rec.DecodeMessage(bytes)) {
        namespace ber = pulsewell::snmp::ber;
        for (const pulsewell::snmp::TSNMPMib& mib : rec.Bindings()) {
            // An exception value is no value; a Counter64 is an unsigned
            // decimal (or empty, as every truncated item).
            if (ber::IsException(mib.TypeCode) && !mib.ValueText.empty()) {
                std::abort();
            }
            if (mib.TypeCode == ber::Counter64 &&
                (mib.ValueText.size() > 20 ||
                 mib.ValueText.find_first_not_of("0123456789") != std::string::npos)) {
                std::abort();
            }
        }
        // Whatever decoded must encode again and decode once more.
        const std::string again = rec.EncodeMessage();
        pulsewell::snmp::TSNMPRec second;
        if (!again.empty() && !second.DecodeMessage(again)) {
            std::abort();
        }
    } else if (rec.BindingCount() != 0) {
        std::abort();  // a rejected datagram leaves a reset record
    }
    DecodeV3(bytes);

    // Every item read from two or more remaining bytes moves on by at least two.
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t before = pos;
        int type = 0;
        pulsewell::snmp::DecodeItem(bytes, pos, type);
        if (pos > bytes.size()) {
            std::abort();
        }
        if (pos == before) {
            if (bytes.size() - pos >= 2) {
                std::abort();
            }
            break;
        }
        if (pos < before + 2) {
            std::abort();
        }
    }
    return 0;
}
