#include "tools/dup/core/DupScan.h"

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

// Field n (from 1) of a tab-separated line, trimmed; empty when missing.
QStringView fieldView(QStringView line, int n)
{
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype tab = line.indexOf(u'\t', start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    const qsizetype end = line.indexOf(u'\t', start);
    return line.mid(start, end < 0 ? -1 : end - start).trimmed();
}

} // namespace

const QStringList& dupMatchChoices()
{
    static const QStringList choices = {
        QStringLiteral("Filename only"),
        QStringLiteral("Filename and size"),
        QStringLiteral("Filename, size and modify date/time"),
        QStringLiteral("Size only"),
        QStringLiteral("Size and modify date/time"),
        QStringLiteral("Size and type"),
        QStringLiteral("Type and modify date/time"),
    };
    return choices;
}

QList<int> dupFieldOrder(int matchMode)
{
    switch (validMode(matchMode)) {
    case mmSize:
    case mmSizeDate:
    case mmSizeType:
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

QString dupKey(const QString& line, int matchMode)
{
    QString key;
    bool first = true;
    for (int n : dupKeyFields(matchMode)) {
        if (!first)
            key.append(u'\t');
        first = false;
        key.append(fieldView(line, n));
    }
    return key.toUpper();
}

void sortCollection(QStringList& lines)
{
    std::sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList reSort(const QStringList& sorted)
{
    QStringList out;
    out.reserve(sorted.size());
    for (qsizetype i = sorted.size() - 1; i >= 0; --i)
        out.append(sorted.at(i));
    return out;
}

QStringList addDups(const QStringList& sorted, int matchMode)
{
    // Group the line numbers by key, the groups in the order of their first
    // line; a hash finds the group, so lines of one key need not be
    // neighbours.
    QHash<QString, qsizetype> groupOf;
    groupOf.reserve(sorted.size());
    std::vector<std::vector<qsizetype>> groups;
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        const QString key = dupKey(sorted.at(i), matchMode);
        auto it = groupOf.find(key);
        if (it == groupOf.end()) {
            it = groupOf.insert(key, qsizetype(groups.size()));
            groups.emplace_back();
        }
        groups[std::size_t(it.value())].push_back(i);
    }
    QStringList out;
    for (const std::vector<qsizetype>& group : groups) {
        if (group.size() < 2)
            continue;
        for (qsizetype i : group)
            out.append(sorted.at(i));
    }
    return out;
}

DupScan::DupScan(bool duplicates, int matchMode, const SizeFilter& filter, const QString& pattern)
    : m_duplicates(duplicates), m_matchMode(validMode(matchMode)), m_filter(filter),
      m_pattern(pattern)
{
    m_texts.setTypeDescriber(&FileTypeDescription);
}

void DupScan::setTypeDescriber(std::function<QString(const QString&)> describer)
{
    m_texts.setTypeDescriber(std::move(describer));
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
    if (!m_duplicates) {
        m_lines.append(m_texts.hogLine(file));
        return Verdict::Keep;
    }
    const PackedDateTime modified = m_texts.pack(file.status.mtime);
    const PackedDateTime accessed = m_texts.pack(file.status.atime);
    // Plain ASCII names (the usual case) go in without decoding.
    bool ascii = true;
    for (char c : file.name)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    const QString name =
        ascii ? QString(QLatin1StringView(file.name.data(), qsizetype(file.name.size())))
              : file.displayName();
    m_lines.append(dupLine(m_matchMode, name, m_texts.sizeText(file.size()),
                           m_texts.dateText(modified), m_texts.timeText(modified),
                           m_texts.dateText(accessed), file.folder->displayPath(),
                           m_texts.typeText(file)));
    return Verdict::Keep;
}

QStringList DupScan::resultLines()
{
    if (!m_sorted) {
        sortLines();
        m_sorted = true;
    }
    return m_duplicates ? addDups(m_lines, m_matchMode) : reSort(m_lines);
}

QString DupScan::dupLine(int matchMode, const QString& name, const QString& size,
                         const QString& mdate, const QString& mtime, const QString& adate,
                         const QString& folder, const QString& type)
{
    const QChar tab(u'\t');
    QString line;
    line.reserve(name.size() + size.size() + mdate.size() + mtime.size() + adate.size() +
                 folder.size() + type.size() + 6);
    switch (validMode(matchMode)) {
    case mmSize:
    case mmSizeDate:
    case mmSizeType:
        line.append(size).append(tab).append(name);
        line.append(tab).append(mdate).append(tab).append(mtime).append(tab).append(adate);
        line.append(tab).append(folder).append(tab).append(type);
        break;
    case mmTypeDate:
        line.append(type).append(tab).append(mdate).append(tab).append(mtime);
        line.append(tab).append(name).append(tab).append(size).append(tab).append(adate);
        line.append(tab).append(folder);
        break;
    default:
        line.append(name).append(tab).append(size);
        line.append(tab).append(mdate).append(tab).append(mtime).append(tab).append(adate);
        line.append(tab).append(folder).append(tab).append(type);
        break;
    }
    return line;
}

} // namespace rw
