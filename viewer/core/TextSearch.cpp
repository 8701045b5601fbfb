#include "viewer/core/TextSearch.h"

#include "viewer/core/Utf8Text.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace rw
{

unsigned char TextSearch::foldCase(unsigned char b)
{
    if (b >= 'A' && b <= 'Z')
        return static_cast<unsigned char>(b + 32);
    // Latin-1 capitals except the multiplication sign.
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<unsigned char>(b + 32);
    // The three capitals of 1252's extra range.
    if (b == 0x8A || b == 0x8C || b == 0x8E)
        return static_cast<unsigned char>(b + 16);
    if (b == 0x9F)
        return 0xFF;
    return b;
}

namespace
{

bool matchesAt(const unsigned char* at, const QByteArray& needle, bool matchCase)
{
    const auto* n = reinterpret_cast<const unsigned char*>(needle.constData());
    if (matchCase)
        return std::memcmp(at, n, static_cast<size_t>(needle.size())) == 0;
    for (qsizetype i = 0; i < needle.size(); ++i)
        if (TextSearch::foldCase(at[i]) != TextSearch::foldCase(n[i]))
            return false;
    return true;
}

// The upper-case partner of a lower-case byte, or the byte itself.
unsigned char otherCase(unsigned char b)
{
    for (int c = 0; c < 256; ++c)
        if (c != b &&
            TextSearch::foldCase(static_cast<unsigned char>(c)) == TextSearch::foldCase(b))
            return static_cast<unsigned char>(c);
    return b;
}

} // namespace

namespace
{

// Scans for the candidates of a match, the places where one of `firsts`
// (the bytes a match may begin with) stands, and asks `matchAt` at each:
// forward the first match starting at or after `from`, backward the last
// one starting before it; no match starts after `lastStart`. Each first
// byte keeps its next hit until the scan passes it, so a rare one is not
// searched for again at every candidate. memchr and memrchr do the
// scanning, so a miss over a large mapped file costs little more than
// reading it.
template <typename MatchAt>
TextSearch::Match scanCandidates(const unsigned char* data, std::int64_t lastStart,
                                 const std::vector<unsigned char>& firsts, std::int64_t from,
                                 bool backward, MatchAt matchAt)
{
    TextSearch::Match none;
    if (lastStart < 0 || firsts.empty())
        return none;
    // -2: not searched yet, -1: none left.
    std::vector<std::int64_t> hits(firsts.size(), -2);
    if (!backward) {
        std::int64_t pos = std::max<std::int64_t>(0, from);
        while (pos <= lastStart) {
            std::int64_t hit = -1;
            for (std::size_t k = 0; k < firsts.size(); ++k) {
                if (hits[k] != -1 && hits[k] < pos) {
                    const void* p = std::memchr(data + pos, firsts[k],
                                                static_cast<size_t>(lastStart - pos + 1));
                    hits[k] = p ? static_cast<const unsigned char*>(p) - data : -1;
                }
                if (hits[k] >= 0 && (hit < 0 || hits[k] < hit))
                    hit = hits[k];
            }
            if (hit < 0)
                return none;
            const std::int64_t length = matchAt(hit);
            if (length > 0)
                return {hit, length};
            pos = hit + 1;
        }
        return none;
    }
    // Backward: candidates start below `from` and no later than lastStart.
    std::int64_t end = std::min(from, lastStart + 1); // exclusive
    while (end > 0) {
        std::int64_t hit = -1;
        for (std::size_t k = 0; k < firsts.size(); ++k) {
            if (hits[k] == -2 || hits[k] >= end) {
                const void* p = ::memrchr(data, firsts[k], static_cast<size_t>(end));
                hits[k] = p ? static_cast<const unsigned char*>(p) - data : -1;
            }
            hit = std::max(hit, hits[k]);
        }
        if (hit < 0)
            return none;
        const std::int64_t length = matchAt(hit);
        if (length > 0)
            return {hit, length};
        end = hit;
    }
    return none;
}

// Every character whose case folding is not itself, by its folding: the
// characters that fold to one another, looked up once per program.
const std::vector<std::pair<char32_t, char32_t>>& foldedCharacters()
{
    static const std::vector<std::pair<char32_t, char32_t>> table = [] {
        std::vector<std::pair<char32_t, char32_t>> t;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char32_t f = QChar::toCaseFolded(c);
            if (f != c)
                t.emplace_back(f, c);
        }
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

// The first byte of a character in UTF-8.
unsigned char leadByte(char32_t c)
{
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c < 0x800)
        return static_cast<unsigned char>(0xC0 | (c >> 6));
    if (c < 0x10000)
        return static_cast<unsigned char>(0xE0 | (c >> 12));
    return static_cast<unsigned char>(0xF0 | (c >> 18));
}

} // namespace

std::int64_t TextSearch::find(const unsigned char* data, std::int64_t size,
                              const QByteArray& needle, std::int64_t from, bool backward,
                              bool matchCase)
{
    const std::int64_t n = needle.size();
    if (n == 0 || !data || n > size)
        return -1;
    const auto first = static_cast<unsigned char>(needle[0]);
    const unsigned char alt = matchCase ? first : otherCase(first);
    std::vector<unsigned char> firsts{first};
    if (alt != first)
        firsts.push_back(alt);
    return scanCandidates(data, size - n, firsts, from, backward,
                          [&](std::int64_t at) {
                              return matchesAt(data + at, needle, matchCase) ? n : std::int64_t(0);
                          })
        .offset;
}

TextSearch::Match TextSearch::findUtf8(const unsigned char* data, std::int64_t size,
                                       const QString& text, std::int64_t from, bool backward,
                                       bool matchCase)
{
    if (matchCase) {
        const QByteArray needle = text.toUtf8();
        const std::int64_t at = find(data, size, needle, from, backward, true);
        return at < 0 ? Match{} : Match{at, needle.size()};
    }
    std::vector<char32_t> folded;
    for (const char32_t c : text.toUcs4())
        folded.push_back(QChar::toCaseFolded(c));
    // Each character takes at least one byte.
    const auto chars = static_cast<std::int64_t>(folded.size());
    if (chars == 0 || !data || chars > size)
        return Match{};
    // A match begins with a character that folds as the text's first does.
    std::vector<unsigned char> firsts{leadByte(folded[0])};
    const auto& table = foldedCharacters();
    const auto range =
        std::equal_range(table.begin(), table.end(), std::pair<char32_t, char32_t>(folded[0], 0),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto it = range.first; it != range.second; ++it)
        firsts.push_back(leadByte(it->second));
    std::sort(firsts.begin(), firsts.end());
    firsts.erase(std::unique(firsts.begin(), firsts.end()), firsts.end());

    return scanCandidates(data, size - chars, firsts, from, backward, [&](std::int64_t at) {
        std::int64_t pos = at;
        for (const char32_t want : folded) {
            char32_t c = 0;
            const int n = Utf8Text::decode(data + pos, size - pos, &c);
            if (n == 0 || QChar::toCaseFolded(c) != want)
                return std::int64_t(0);
            pos += n;
        }
        return pos - at;
    });
}

} // namespace rw
