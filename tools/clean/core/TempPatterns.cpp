#include "tools/clean/core/TempPatterns.h"

#include "base/Settings.h"
#include "framework/core/FileTypes.h"
#include "framework/core/StatFileLists.h"

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

QStringList missingSectionTempPatterns()
{
    return latin1List({"*.tmp", "*.fts", "*.bak", "*.$$$"});
}

QStringList defaultButtonTempPatterns()
{
    return latin1List({"*.tmp", "*.temp", "*.fts", "*.bak", "*.old", "*.$$$"});
}

QString TempPatternLine(const QString& value)
{
    return value + QLatin1Char('\t') + FileTypeDescription(ExtensionOf(TypeLinePattern(value)));
}

void sortTempPatternLines(QStringList& lines)
{
    std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

QStringList ReadTempFilesFromDisk(MessageResponder& reporter)
{
    const QString section = QString::fromLatin1(kTempFilesSection);
    QStringList lines;
    if (readListCount(section) < 0) {
        for (const QString& p : missingSectionTempPatterns())
            lines << TempPatternLine(p);
    } else {
        for (const QString& value : readListSection(section, reporter)) {
            if (!value.isEmpty())
                lines << TempPatternLine(value);
        }
    }
    sortTempPatternLines(lines);
    return lines;
}

bool WriteTempFilesToDisk(const QStringList& lines)
{
    return WriteTypeListSection(QString::fromLatin1(kTempFilesSection), lines);
}

TempFileMatcher::TempFileMatcher(const QStringList& linesOrPatterns)
{
    setPatterns(linesOrPatterns);
}

void TempFileMatcher::setPatterns(const QStringList& linesOrPatterns)
{
    m_extensions.clear();
    for (const QString& line : linesOrPatterns) {
        // The entry's text from its second character: "*.tmp" gives ".tmp".
        const QString extension = TypeLinePattern(line).mid(1).toLower();
        // Nothing left names no extension; it would take every file without
        // one (all of /usr/bin, say) for a temporary file.
        if (extension.isEmpty())
            continue;
        m_extensions.push_back({extension, extension.toUtf8()});
    }
}

bool TempFileMatcher::isThisFileTemporary(std::string_view name) const
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const QByteArray extension(name.data() + dot, qsizetype(name.size() - dot));
    // A name's bytes that are UTF-8 are compared as text, so letters beyond
    // ASCII match without regard to case too; other bytes only as they are
    // (ASCII letters without case), so "\xff" never matches its U+FFFD
    // look-alike.
    if (QUtf8StringView(extension).isValidUtf8()) {
        const QString text = QString::fromUtf8(extension).toLower();
        return std::any_of(m_extensions.begin(), m_extensions.end(),
                           [&text](const Extension& e) { return e.text == text; });
    }
    const QByteArray lower = extension.toLower();
    return std::any_of(m_extensions.begin(), m_extensions.end(),
                       [&lower](const Extension& e) { return e.bytes == lower; });
}

bool TempFileMatcher::isThisFileTemporary(const QString& name) const
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString text = name.mid(dot).toLower();
    return std::any_of(m_extensions.begin(), m_extensions.end(),
                       [&text](const Extension& e) { return e.text == text; });
}

} // namespace rw
