#pragma once

#include <QByteArray>

#include <string_view>

namespace rw
{

// A shell wildcard (fnmatch(3): `*`, `?`, `[...]`, backslash quoting) matched
// against raw name or path bytes, case-sensitively, as du and find match
// their exclude patterns. A `*` also matches a `/` (so `cache/*` takes the
// whole tree below `cache`) and a leading dot needs no special match.
class GlobPattern
{
public:
    explicit GlobPattern(const QByteArray& pattern);

    const QByteArray& pattern() const { return m_pattern; }
    bool matches(std::string_view text) const;

private:
    QByteArray m_pattern;
    bool m_literal = false; // no wildcard characters: a byte comparison
};

} // namespace rw
