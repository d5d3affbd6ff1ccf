// Any bytes as a force file: they are parsed and every entry checked and priced through the
// rules, as opening a force does. Nothing may crash, hang or trip a sanitizer.
#include "io/forceFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ivc::io::OpenedForce opened = ivc::io::openForce(bytes, QStringLiteral("fuzz.ivf"));
    // Whatever opens must save and open again to the same force, its total unchanged.
    if (opened.force) {
        const ivc::io::OpenedForce again =
            ivc::io::openForce(ivc::io::toJson(*opened.force), QStringLiteral("again.ivf"));
        if (!again.force || *again.force != *opened.force ||
            again.force->total() != opened.force->total())
            __builtin_trap();
    }
    return 0;
}
