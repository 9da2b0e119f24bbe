// Feeds arbitrary datagrams to the reply decoder and to a bare item walk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Ber.h"
#include "SnmpRec.h"

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
