#include "tools/clean/core/CleanScan.h"

#include "app/core/SearchPath.h"
#include "framework/core/FileTypes.h"

namespace rw
{

CleanScan::CleanScan(const QStringList& patterns)
    : m_matcher(patterns),
      m_onSearchPath([](const QString& folder) { return IsOnSearchPath(folder); })
{
    m_formatter.setTypeDescriber(&FileTypeDescription);
}

QString CleanScan::searchPathTag()
{
    // Must stay equal to the tag the result grid strips before a file
    // operation.
    return QStringLiteral("*(SEARCHPATH)*");
}

void CleanScan::filesStarting(const WalkFolder& folder)
{
    // Once per folder: every file of it shares the answer.
    m_folderOnSearchPath = m_onSearchPath && m_onSearchPath(folder.displayPath());
}

QString CleanScan::lineFor(const FileRecord& file, bool onSearchPath)
{
    const QString& type = m_formatter.typeText(file);
    QString line = m_formatter.hogLine(file, type);
    if (onSearchPath) {
        // The path is the field just before the type; the tag ends it.
        line.insert(line.size() - type.size() - 1, searchPathTag());
    }
    return line;
}

Verdict CleanScan::fileMatched(const FileRecord& file)
{
    if (!m_matcher.isThisFileTemporary(file.name))
        return Verdict::Skip;
    QString line = lineFor(file, m_folderOnSearchPath);
    ++m_found;
    if (m_sink)
        m_sink(line);
    else
        m_lines << std::move(line);
    return Verdict::Keep;
}

} // namespace rw
