#include "tools/dup/core/DupScan.h"

#include "framework/core/LineRankKeys.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <vector>

#include "framework/core/FileTypes.h"

namespace rw
{

namespace
{

int validMode(int matchMode)
{
    return matchMode >= 0 && matchMode < kMatchModeCount ? matchMode : mmFilename;
}

} // namespace

QStringList dupMatchChoices()
{
    // Formed on every call, in the language of the moment.
    return {
        QCoreApplication::translate("DupScan", "Filename only"),
        QCoreApplication::translate("DupScan", "Filename and size"),
        QCoreApplication::translate("DupScan", "Filename, size and modify date/time"),
        QCoreApplication::translate("DupScan", "Size only"),
        QCoreApplication::translate("DupScan", "Size and modify date/time"),
        QCoreApplication::translate("DupScan", "Size and type"),
        QCoreApplication::translate("DupScan", "Type and modify date/time"),
        QCoreApplication::translate("DupScan", "Size and contents"),
        QCoreApplication::translate("DupScan", "Folders with the same contents"),
    };
}

QList<int> dupFieldOrder(int matchMode)
{
    switch (validMode(matchMode)) {
    case mmSize:
    case mmSizeDate:
    case mmSizeType:
    case mmContents:
    case mmFolders:
        return {2, 1, 3, 4, 5, 6, 7};
    case mmTypeDate:
        return {4, 5, 2, 3, 6, 7, 1};
    default:
        return {1, 2, 3, 4, 5, 6, 7};
    }
}

QList<int> dupKeyFields(int matchMode)
{
    switch (validMode(matchMode)) {
    case mmFilenameSize:
        return {1, 2};
    case mmFilenameSizeDate:
        return {1, 2, 3, 4};
    case mmSizeDate:
        return {1, 3, 4};
    case mmSizeType:
        return {1, 7};
    case mmTypeDate:
        return {1, 2, 3};
    default: // the name alone, or the size alone: field 1 either way
        return {1};
    }
}

QList<ResultField> dupLineLayout(bool duplicates, int matchMode)
{
    using F = ResultField;
    if (!duplicates)
        return {F::Size, F::ModifiedDate, F::ModifiedTime, F::AccessDate, F::FullPath, F::Type};
    switch (validMode(matchMode)) {
    case mmSize:
    case mmSizeDate:
    case mmSizeType:
    case mmContents:
    case mmFolders:
        return {F::Size,       F::Name,   F::ModifiedDate, F::ModifiedTime,
                F::AccessDate, F::Folder, F::Type};
    case mmTypeDate:
        return {F::Type, F::ModifiedDate, F::ModifiedTime, F::Name,
                F::Size, F::AccessDate,   F::Folder};
    default:
        return {F::Name,       F::Size,   F::ModifiedDate, F::ModifiedTime,
                F::AccessDate, F::Folder, F::Type};
    }
}

QString dupKey(const ResultLines& lines, std::uint32_t record, int matchMode)
{
    QString key;
    bool first = true;
    for (int n : dupKeyFields(matchMode)) {
        if (!first)
            key.append(u'\t');
        first = false;
        key.append(lines.field(record, n - 1).trimmed());
    }
    return key.toUpper();
}

void sortCollection(const ResultLines& lines, std::vector<std::uint32_t>& records)
{
    lines.sortByLines(records, false);
}

std::vector<std::uint32_t> addDups(const ResultLines& lines,
                                   const std::vector<std::uint32_t>& sorted, int matchMode)
{
    // Group the records by key, the groups in the order of their first
    // record; a hash finds the group, so records of one key need not be
    // neighbours.
    QHash<QString, std::size_t> groupOf;
    groupOf.reserve(qsizetype(sorted.size()));
    std::vector<std::vector<std::uint32_t>> groups;
    for (std::uint32_t rec : sorted) {
        const QString key = dupKey(lines, rec, matchMode);
        auto it = groupOf.find(key);
        if (it == groupOf.end()) {
            it = groupOf.insert(key, groups.size());
            groups.emplace_back();
        }
        groups[it.value()].push_back(rec);
    }
    std::vector<std::uint32_t> out;
    for (const std::vector<std::uint32_t>& group : groups) {
        if (group.size() < 2)
            continue;
        out.insert(out.end(), group.begin(), group.end());
    }
    return out;
}

DupScan::DupScan(bool duplicates, int matchMode, const SizeFilter& filter, const QString& pattern)
    : m_duplicates(duplicates), m_matchMode(validMode(matchMode)), m_filter(filter),
      m_pattern(pattern), m_set(std::make_shared<ResultSet>()),
      m_lines(std::make_shared<ResultLines>(m_set, dupLineLayout(duplicates, m_matchMode)))
{
}

void DupScan::setTypeDescriber(std::function<QString(const QString&)> describer)
{
    m_lines->setTypeDescriber(std::move(describer));
}

QString DupScan::filePattern(const WalkFolder& folder)
{
    (void)folder;
    return m_pattern;
}

Verdict DupScan::fileMatched(const FileRecord& file)
{
    if (!m_filter.passes(file.size()))
        return Verdict::Skip;
    m_sorted = false;
    m_collection.push_back(m_set->add(file));
    return Verdict::Keep;
}

void DupScan::sortLines()
{
    sortCollection(*m_lines, m_collection);
    m_sorted = true;
}

std::vector<std::uint32_t> DupScan::hogGridOrder() const
{
    // Largest first by the sizes alone (a compact key, so the big sort stays
    // in the cache); then each run of one size in the order resultRecords()
    // gives it: the ascending line order, stable, reversed, so equal lines
    // come later record first. The lines of one size agree in their first
    // field (the size), so their comparison starts at the second, whose
    // leading fields (dates and times) are ranked once instead of being
    // formed per comparison.
    struct Keyed {
        std::int64_t size;
        std::uint32_t at; // position in m_collection
    };
    const ResultLines& lines = *m_lines;
    std::vector<Keyed> keyed;
    keyed.reserve(m_collection.size());
    for (std::uint32_t i = 0; i < m_collection.size(); ++i)
        keyed.push_back({lines.set().record(m_collection[i]).size, i});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) {
        return x.size != y.size ? x.size > y.size : x.at < y.at;
    });

    const LineRankKeys ranks(lines, m_collection, 1);
    const bool ranked = ranks.decidedUpTo() > 1;
    const int tieFrom = ranked && ranks.exact() ? ranks.decidedUpTo() : 1;
    const auto later = [&](const Keyed& x, const Keyed& y) {
        if (ranked) {
            if (ranks.high(x.at) != ranks.high(y.at))
                return ranks.high(x.at) > ranks.high(y.at);
            if (ranks.low(x.at) != ranks.low(y.at))
                return ranks.low(x.at) > ranks.low(y.at);
        }
        const std::uint32_t a = m_collection[x.at];
        const std::uint32_t b = m_collection[y.at];
        const int c = lines.compareLinesFrom(a, b, tieFrom);
        return c != 0 ? c > 0 : a > b;
    };
    for (std::size_t i = 0; i < keyed.size();) {
        std::size_t end = i + 1;
        while (end < keyed.size() && keyed[end].size == keyed[i].size)
            ++end;
        if (end - i > 1)
            std::sort(keyed.begin() + std::ptrdiff_t(i), keyed.begin() + std::ptrdiff_t(end),
                      later);
        i = end;
    }
    std::vector<std::uint32_t> rows;
    rows.reserve(keyed.size());
    for (const Keyed& k : keyed)
        rows.push_back(m_collection[k.at]);
    return rows;
}

std::vector<std::uint32_t> DupScan::resultRecords()
{
    if (!m_sorted)
        sortLines();
    if (m_duplicates)
        return addDups(*m_lines, m_collection, m_matchMode);
    return std::vector<std::uint32_t>(m_collection.rbegin(), m_collection.rend());
}

} // namespace rw
