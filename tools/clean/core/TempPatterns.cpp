#include "tools/clean/core/TempPatterns.h"

#include <QMimeDatabase>
#include <QMimeType>

#include "app/core/Settings.h"
#include "framework/core/FileTypes.h"
#include "framework/core/StatFileLists.h"
#include "platform/ProfileFile.h"

#include <algorithm>

namespace rw
{

namespace
{

QStringList latin1List(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << QString::fromLatin1(s);
    return out;
}

} // namespace

// "*~" stands where Windows had "*.fts" (its help search index, which does
// not exist here): the backup copies text editors leave behind are this
// platform's everyday throwaway files.
QStringList missingSectionTempPatterns()
{
    return latin1List({"*.tmp", "*~", "*.bak", "*.$$$"});
}

QStringList defaultButtonTempPatterns()
{
    return latin1List({"*.tmp", "*.temp", "*~", "*.bak", "*.old", "*.$$$"});
}

QString TempPatternLine(const QString& value)
{
    const QString pattern = TypeLinePattern(value);
    const QString ext = ExtensionOf(pattern);
    QString description;
    if (ext.isEmpty() && !pattern.isEmpty()) {
        // A pattern without an extension ("*~") is described by the file
        // type whose name pattern covers it, when there is one.
        QString sample = pattern;
        sample.replace(QLatin1Char('*'), QLatin1Char('x'))
            .replace(QLatin1Char('?'), QLatin1Char('x'));
        const QMimeType type =
            QMimeDatabase().mimeTypeForFile(sample, QMimeDatabase::MatchExtension);
        if (!type.isDefault())
            description = type.comment().isEmpty() ? type.name() : type.comment();
    } else {
        description = FileTypeDescription(ext);
    }
    return value + QLatin1Char('\t') + description;
}

void sortTempPatternLines(QStringList& lines)
{
    std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

QStringList ReadTempFilesFromDisk()
{
    const QString section = QString::fromLatin1(kTempFilesSection);
    QStringList lines;
    if (readListCount(section) < 0) {
        for (const QString& p : missingSectionTempPatterns())
            lines << TempPatternLine(p);
    } else {
        for (const QString& value : readListSection(section)) {
            if (!value.isEmpty())
                lines << TempPatternLine(value);
        }
    }
    sortTempPatternLines(lines);
    return lines;
}

bool WriteTempFilesToDisk(const QStringList& lines)
{
    // Only Number and File1..FileN are set: keys of a longer earlier list
    // stay in the file, where nothing reads them (reading stops at Number).
    QList<QPair<QString, QString>> kv;
    kv.reserve(lines.size() + 1);
    kv.append({QStringLiteral("Number"), QString::number(lines.size())});
    for (qsizetype i = 0; i < lines.size(); ++i)
        kv.append({QStringLiteral("File") + QString::number(i + 1), TypeLinePattern(lines[i])});
    return ProfileFile(QString::fromLatin1(kSettingsFileName))
        .writeValues(QString::fromLatin1(kTempFilesSection), kv);
}

TempFileMatcher::TempFileMatcher(const QStringList& linesOrPatterns)
{
    setPatterns(linesOrPatterns);
}

void TempFileMatcher::setPatterns(const QStringList& linesOrPatterns)
{
    m_patterns.clear();
    for (const QString& line : linesOrPatterns) {
        const QString pattern = TypeLinePattern(line).trimmed();
        if (pattern.isEmpty())
            continue;
        Wildcard w(pattern);
        if (!w.matchesEverything())
            m_patterns.push_back(std::move(w));
    }
}

bool TempFileMatcher::isThisFileTemporary(std::string_view name) const
{
    return std::any_of(m_patterns.begin(), m_patterns.end(),
                       [name](const Wildcard& w) { return w.matches(name); });
}

bool TempFileMatcher::isThisFileTemporary(const QString& name) const
{
    return std::any_of(m_patterns.begin(), m_patterns.end(),
                       [&name](const Wildcard& w) { return w.matches(name); });
}

} // namespace rw
