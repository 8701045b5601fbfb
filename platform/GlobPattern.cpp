#include "platform/GlobPattern.h"

#include <fnmatch.h>

#include <string>

namespace rw
{

GlobPattern::GlobPattern(const QByteArray& pattern)
    : m_pattern(pattern), m_literal(!pattern.contains('*') && !pattern.contains('?') &&
                                    !pattern.contains('[') && !pattern.contains('\\'))
{
}

bool GlobPattern::matches(std::string_view text) const
{
    if (m_literal)
        return text == std::string_view(m_pattern.constData(), std::size_t(m_pattern.size()));
    // fnmatch needs a terminated string; names are short, paths below a root
    // rarely long, and a thread-local buffer spares an allocation per call.
    thread_local std::string buffer;
    buffer.assign(text.data(), text.size());
    return ::fnmatch(m_pattern.constData(), buffer.c_str(), 0) == 0;
}

} // namespace rw
