#include "tools/clean/core/CleanScan.h"

#include "base/SearchPath.h"
#include "framework/core/FileTypes.h"

namespace rw
{

QList<ResultField> cleanLineLayout()
{
    return {ResultField::Size,       ResultField::ModifiedDate, ResultField::ModifiedTime,
            ResultField::AccessDate, ResultField::FullPath,     ResultField::Type};
}

CleanScan::CleanScan(const QStringList& patterns)
    : m_matcher(patterns),
      m_onSearchPath([](const QString& folder) { return IsOnSearchPath(folder); }),
      m_set(std::make_shared<ResultSet>()),
      m_lines(std::make_shared<ResultLines>(m_set, cleanLineLayout()))
{
    m_lines->setTypeDescriber(&FileTypeDescription);
    m_lines->setPathTag(searchPathTag());
}

QString CleanScan::searchPathTag()
{
    // Shown only: the record, not the text, names the file for every file
    // operation.
    return QStringLiteral("*(SEARCHPATH)*");
}

void CleanScan::filesStarting(const WalkFolder& folder)
{
    // Once per folder: every file of it shares the answer. The search path
    // is a list of texts, so the folder's text is compared; no file is
    // reached through it.
    m_folderOnSearchPath = m_onSearchPath && m_onSearchPath(folder.displayPath());
}

Verdict CleanScan::fileMatched(const FileRecord& file)
{
    if (!m_matcher.isThisFileTemporary(file.name))
        return Verdict::Skip;
    const std::uint32_t rec = m_set->add(file);
    m_set->record(rec).set(ResultRecord::Tagged, m_folderOnSearchPath);
    if (m_sink)
        m_sink(rec);
    return Verdict::Keep;
}

} // namespace rw
