#include "platform/Wildcard.h"

#include <QList>

namespace rw
{

namespace
{

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

bool isAscii(std::string_view s)
{
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::u32string foldedCodePoints(const QString& s)
{
    const QList<uint> ucs = s.toCaseFolded().toUcs4();
    return std::u32string(ucs.begin(), ucs.end());
}

// Glob match with '*' and '?' over already case-folded sequences. The
// backtracking keeps only the position of the last '*', which is enough for
// these two wildcards and runs in linear space.
template <typename C, typename Eq>
bool globMatch(const C* p, std::size_t pn, const C* s, std::size_t sn, Eq eq)
{
    std::size_t pi = 0, si = 0;
    std::size_t starP = std::size_t(-1), starS = 0;
    while (si < sn) {
        if (pi < pn && p[pi] == C('*')) {
            starP = pi++;
            starS = si;
        } else if (pi < pn && (p[pi] == C('?') || eq(p[pi], s[si]))) {
            ++pi;
            ++si;
        } else if (starP != std::size_t(-1)) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < pn && p[pi] == C('*'))
        ++pi;
    return pi == pn;
}

} // namespace

Wildcard::Wildcard(const QString& pattern) : m_pattern(pattern)
{
    QString body = pattern.trimmed();
    if (body.isEmpty() || body == QLatin1String("*") || body == QLatin1String("*.*")) {
        m_all = true;
        return;
    }
    if (body.endsWith(QLatin1String(".*"))) {
        m_dotStarTail = true;
    } else if (body.endsWith('.')) {
        m_noDot = true;
        body.chop(1);
    }
    const QByteArray utf8 = body.toUtf8();
    m_ascii = isAscii(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    if (m_ascii) {
        m_asciiBody.reserve(std::size_t(utf8.size()));
        for (char c : utf8)
            m_asciiBody.push_back(asciiLower(c));
    }
    m_foldedBody = foldedCodePoints(body);
}

bool Wildcard::matches(std::string_view name) const
{
    if (m_all)
        return true;
    if (m_ascii && isAscii(name)) {
        const bool hasDot = name.find('.') != std::string_view::npos;
        if (m_noDot && hasDot)
            return false;
        auto eq = [](char p, char s) { return p == asciiLower(s); };
        if (globMatch(m_asciiBody.data(), m_asciiBody.size(), name.data(), name.size(), eq))
            return true;
        // "x.*" also takes a dot-less name matched by "x".
        return m_dotStarTail && !hasDot &&
               globMatch(m_asciiBody.data(), m_asciiBody.size() - 2, name.data(), name.size(), eq);
    }
    return matches(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

bool Wildcard::matches(const QString& name) const
{
    if (m_all)
        return true;
    return matchCodePoints(foldedCodePoints(name));
}

bool Wildcard::matchCodePoints(const std::u32string& name) const
{
    const bool hasDot = name.find(U'.') != std::u32string::npos;
    if (m_noDot && hasDot)
        return false;
    auto eq = [](char32_t p, char32_t s) { return p == s; };
    const char32_t* p = m_foldedBody.data();
    if (globMatch(p, m_foldedBody.size(), name.data(), name.size(), eq))
        return true;
    return m_dotStarTail && !hasDot &&
           globMatch(p, m_foldedBody.size() - 2, name.data(), name.size(), eq);
}

bool WildcardMatch(const QString& pattern, const QString& name)
{
    return Wildcard(pattern).matches(name);
}

} // namespace rw
