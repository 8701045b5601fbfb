#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/ResultLines.h"
#include "framework/core/ResultSet.h"
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

// The line layout of the cleaner, one field per column above.
QList<ResultField> cleanLineLayout();

// The cleaner's part of the folder walk: every file whose name matches one of
// the chosen temporary-file patterns becomes one record; its line (see
// lines()) holds the columns above, tab-separated. Hidden and read-only files
// are examined; folders, links and special files are not. A file whose
// folder is on the program search path carries the Tagged flag, and its path
// is shown with searchPathTag() after it, so the user sees that it may belong
// to an installed program.
//
// Each record goes to the record sink as it is found (the window adds it to
// its grid at once); all records stay in records() either way.
class CleanScan : public WalkStrategy
{
public:
    using RecordSink = std::function<void(std::uint32_t record)>;
    using SearchPathTest = std::function<bool(const QString& folder)>;

    // `patterns`: the selected list lines (or bare patterns).
    explicit CleanScan(const QStringList& patterns);

    // Replaces the patterns; takes effect from the next file.
    void setPatterns(const QStringList& patterns) { m_matcher.setPatterns(patterns); }
    void setRecordSink(RecordSink sink) { m_sink = std::move(sink); }
    // Replaces the search-path test (default: IsOnSearchPath of the program's
    // list).
    void setSearchPathTest(SearchPathTest test) { m_onSearchPath = std::move(test); }
    // Replaces the type texts (default: FileTypeDescription).
    void setTypeDescriber(std::function<QString(const QString& extension)> describer)
    {
        m_lines->setTypeDescriber(std::move(describer));
    }

    // The marker the path of a file on the search path carries.
    static QString searchPathTag();

    // Files found.
    std::int64_t foundCount() const { return m_set->size(); }
    // The records found in walk order, and their lines in the cleaner's
    // layout (shared with the grid).
    const std::shared_ptr<ResultSet>& records() const { return m_set; }
    const std::shared_ptr<ResultLines>& lines() const { return m_lines; }

    std::uint32_t excludedAttributes() const override { return faSysFile; }
    void filesStarting(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;

private:
    TempFileMatcher m_matcher;
    RecordSink m_sink;
    SearchPathTest m_onSearchPath;
    std::shared_ptr<ResultSet> m_set;
    std::shared_ptr<ResultLines> m_lines;
    bool m_folderOnSearchPath = false;
};

} // namespace rw
