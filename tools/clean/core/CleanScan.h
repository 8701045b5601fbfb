#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

#include "framework/core/FileTextFormatter.h"
#include "framework/core/WalkStrategy.h"
#include "tools/clean/core/TempPatterns.h"

namespace rw
{

// The cleaner's columns: size, modified date, time, access date, full path
// (tagged when its folder is on the search path) and type.
enum CleanColumn {
    ccSize = 0,
    ccModified = 1,
    ccTime = 2,
    ccAccess = 3,
    ccFileName = 4,
    ccType = 5,
    ccColumnCount = 6
};

// The cleaner's part of the folder walk: every file whose name matches one of
// the chosen temporary-file patterns becomes one result line (the columns
// above, tab-separated). Hidden and read-only files are examined; folders,
// links and special files are not. A file whose folder is on the program
// search path gets the marker ResultGridController::searchPathTag() after its
// path, so the user sees that it may belong to an installed program.
//
// Lines go to the line sink as they are found (the window writes them into
// its grid); without a sink they are kept and returned by lines().
class CleanScan : public WalkStrategy
{
public:
    using LineSink = std::function<void(const QString& line)>;
    using SearchPathTest = std::function<bool(const QString& folder)>;

    // `patterns`: the selected list lines (or bare patterns).
    explicit CleanScan(const QStringList& patterns);

    // Replaces the patterns; takes effect from the next file.
    void setPatterns(const QStringList& patterns) { m_matcher.setPatterns(patterns); }
    void setLineSink(LineSink sink) { m_sink = std::move(sink); }
    // Replaces the search-path test (default: IsOnSearchPath of the program's
    // list).
    void setSearchPathTest(SearchPathTest test) { m_onSearchPath = std::move(test); }
    // Replaces the type texts (default: FileTypeDescription).
    void setTypeDescriber(std::function<QString(const QString& extension)> describer)
    {
        m_formatter.setTypeDescriber(std::move(describer));
    }

    // The marker the path of a file on the search path carries.
    static QString searchPathTag();

    // Lines found (with a sink, only counted).
    std::int64_t foundCount() const { return m_found; }
    const QStringList& lines() const { return m_lines; }

    // The result line of a file, tagged or not.
    QString lineFor(const FileRecord& file, bool onSearchPath);

    std::uint32_t excludedAttributes() const override { return faSysFile; }
    void filesStarting(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;

private:
    TempFileMatcher m_matcher;
    FileTextFormatter m_formatter;
    LineSink m_sink;
    SearchPathTest m_onSearchPath;
    QStringList m_lines;
    std::int64_t m_found = 0;
    bool m_folderOnSearchPath = false;
};

} // namespace rw
