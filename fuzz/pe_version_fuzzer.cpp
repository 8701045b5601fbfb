// Feeds arbitrary bytes to the version-resource reader as a PE image. The
// reader must never read out of bounds, hang or crash, and must give either
// no lines or the eleven labelled ones.
#include "platform/PeVersionInfo.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = rw::versionInfoLines(std::span(data, size), true);
    if (!lines.isEmpty() && lines.size() != int(rw::versionFields().size()))
        std::abort();
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].startsWith(QLatin1String(rw::versionFields()[std::size_t(i)].label)))
            std::abort();
    return 0;
}
