#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace rw
{

// A file-name pattern with the matching rules users know from the DOS and
// Windows command line:
//  - letters compare without regard to case (Unicode case folding);
//  - '*' matches any run of characters, '?' exactly one character;
//  - "*" and "*.*" match every name, also names without a dot;
//  - a pattern ending in ".*" also matches a name without a dot when the
//    part before ".*" matches it ("read*.*" matches "readme");
//  - a pattern ending in a lone '.' matches only names without a dot
//    ("*." matches names without an extension).
class Wildcard
{
public:
    explicit Wildcard(const QString& pattern = QStringLiteral("*.*"));

    const QString& pattern() const { return m_pattern; }
    bool matchesEverything() const { return m_all; }

    // `name` is the file name as raw bytes (UTF-8 on Linux).
    bool matches(std::string_view name) const;
    bool matches(const QString& name) const;

private:
    bool matchCodePoints(const std::u32string& name) const;

    QString m_pattern;
    bool m_all = false;
    bool m_noDot = false;       // trailing lone '.': the name must have no dot
    bool m_dotStarTail = false; // trailing ".*": may also match a dot-less name
    bool m_ascii = true;
    std::string m_asciiBody;     // lower-cased pattern without the tail rule
    std::u32string m_foldedBody; // case-folded code points, same body
};

// Convenience: true when `name` matches `pattern` by the rules above.
bool WildcardMatch(const QString& pattern, const QString& name);

} // namespace rw
