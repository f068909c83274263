// Wildcard matcher: first byte splits mask and text. Both text overloads must agree.
#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "search/Wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t cut = std::min<size_t>(data[0], size - 1);
    const char* mask = reinterpret_cast<const char*>(data + 1);
    const char* text = mask + cut;
    const qsizetype textSize = qsizetype(size - 1 - cut);
    try {
        const tk::Wildcard w(tk::fromCp1252(mask, qsizetype(cut)));
        const bool a = w.matches(tk::fromCp1252(text, textSize));
        const bool b = w.matches(text, textSize);
        if (a != b)
            abort();
    } catch (const tk::Error&) {
    }
    return 0;
}
