// Feeds arbitrary bytes to the strings listing's block scanner, in blocks of
// 2048 as the listing reads a file; the first two bytes choose the shortest
// and longest run. Every line must hold only letters, digits and blanks,
// be minLen + 1 to maxLen + 1 bytes long, differ from the line before, and
// be found in its block.
#include "viewer/core/ExtractStrings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int minLen = data[0] % 16;
    const int maxLen = minLen + data[1] % 64;
    const auto* bytes = reinterpret_cast<const char*>(data + 2);
    const std::size_t length = size - 2;
    QByteArray last;
    QByteArray previous;
    constexpr std::size_t kBlock = 2048;
    for (std::size_t at = 0; at < length; at += kBlock) {
        const std::size_t got = std::min(kBlock, length - at);
        const std::string_view block(bytes + at, got);
        const bool ok = rw::stringsOfBlock(
            bytes + at, std::int64_t(got), minLen, maxLen, last, [&](const QByteArray& line) {
                if (line.size() <= minLen || line.size() > maxLen + 1 || line == previous)
                    std::abort();
                for (const char c : line)
                    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == ' '))
                        std::abort();
                if (block.find(std::string_view(line.constData(), std::size_t(line.size()))) ==
                    std::string_view::npos)
                    std::abort();
                previous = line;
                return true;
            });
        if (!ok || last != previous)
            std::abort();
    }
    return 0;
}
