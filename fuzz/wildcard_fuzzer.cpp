// Feeds arbitrary patterns and names to the wildcard matcher (the bytes up
// to the first NUL are the pattern, the rest the name). It must never read
// out of bounds or take more than polynomial time, and must agree with
// itself: the byte and the text forms give the same answer for UTF-8 names,
// and "*" and "*.*" (and any pattern that says it matches everything) match
// every name.
#include "platform/Wildcard.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const auto* nul = static_cast<const char*>(std::memchr(bytes, 0, size));
    const std::size_t patternLength = nul ? std::size_t(nul - bytes) : size;
    const QString pattern = QString::fromUtf8(bytes, qsizetype(patternLength));
    const std::string_view name =
        nul ? std::string_view(nul + 1, size - patternLength - 1) : std::string_view();

    const rw::Wildcard wildcard(pattern);
    const bool byBytes = wildcard.matches(name);
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    if (text.toUtf8() == QByteArray(name.data(), qsizetype(name.size())) &&
        wildcard.matches(text) != byBytes)
        std::abort();
    if (wildcard.matchesEverything() && !byBytes)
        std::abort();
    if (!rw::Wildcard(QStringLiteral("*")).matches(name) ||
        !rw::Wildcard(QStringLiteral("*.*")).matches(name))
        std::abort();
    return 0;
}
