// Any bytes as a design file: they are parsed, checked and, when they pass, replayed on a
// fresh model, as the window's Open does. Nothing may crash, hang or trip a sanitizer.
#include "io/designFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ivc::io::Opened opened = ivc::io::openDesign(bytes, QStringLiteral("fuzz.ivc"));
    // Whatever opens must save and open again to the same design.
    if (opened.model) {
        const ivc::Design design = ivc::capture(*opened.model);
        const ivc::io::Opened again =
            ivc::io::openDesign(ivc::io::toJson(design), QStringLiteral("again.ivc"));
        if (!again.model || ivc::capture(*again.model) != design)
            __builtin_trap();
    }
    return 0;
}
