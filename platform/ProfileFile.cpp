#include "platform/ProfileFile.h"

#include "platform/AtomicFileWrite.h"
#include "platform/DirListing.h"
#include "platform/Folders.h"
#include "platform/ProfileAlerts.h"
#include "platform/ProfileLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

namespace
{
// The messages of this file, translated as one context.
struct ProfileFileTexts {
    Q_DECLARE_TR_FUNCTIONS(ProfileFileTexts)
};
} // namespace

namespace
{

// The file as raw lines. A line keeps its bytes exactly as read (a CR of a
// CR LF end included), so a write reproduces every line it does not change,
// junk and all. Only the lines a write makes are encoded anew.
struct Content {
    QList<QByteArray> lines;
    QByteArray eol = QByteArrayLiteral("\n"); // the file's own line end, for new lines
    bool finalNewline = true;
};

enum class LoadResult { Missing, Read, Failed };

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Reads the whole file at `path` into `data`. Only a regular file of at most
// kMaxProfileFileSize bytes is taken: the open never blocks (O_NONBLOCK, so
// a FIFO put at the path cannot hang the program), and the read stops at the
// limit however far a device or a growing file would go on. `why` gets the
// reason of a failure, for the user.
LoadResult readWhole(const QString& path, QByteArray* data, QString* why)
{
    const QByteArray name = QFile::encodeName(path);
    const FileDescriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isValid()) {
        // A folder of the path that is a file stands for a missing file too:
        // nothing there to read, and a write will say why it cannot make it.
        if (errno == ENOENT || errno == ENOTDIR)
            return LoadResult::Missing;
        *why = reason(errno);
        return LoadResult::Failed;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) {
        *why = reason(errno);
        return LoadResult::Failed;
    }
    if (!S_ISREG(st.st_mode)) {
        *why = S_ISDIR(st.st_mode) ? ProfileFileTexts::tr("it is a folder, not a file")
                                   : ProfileFileTexts::tr("it is not a regular file");
        return LoadResult::Failed;
    }
    const auto tooLarge = [why] {
        *why = ProfileFileTexts::tr("it is larger than %1 MiB").arg(kMaxProfileFileSize >> 20);
        return LoadResult::Failed;
    };
    if (st.st_size > kMaxProfileFileSize)
        return tooLarge();
    // One byte more than the limit is asked for, to see a file that grew
    // past it while being read.
    data->resize(qsizetype(st.st_size) + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == data->size()) {
            if (used > kMaxProfileFileSize)
                return tooLarge();
            data->resize(std::min<qsizetype>(used * 2 + 4096, kMaxProfileFileSize + 1));
        }
        const ssize_t n = ::read(fd.get(), data->data() + used, std::size_t(data->size() - used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *why = reason(errno);
            return LoadResult::Failed;
        }
        if (n == 0)
            break;
        used += n;
    }
    if (used > kMaxProfileFileSize)
        return tooLarge();
    data->truncate(used);
    return LoadResult::Read;
}

// Loads the file into lines. A file that exists but cannot be taken is
// reported (once, through ProfileAlerts) and read as empty: the defaults
// are used, and every write refuses, so the file is never overwritten with
// what little the program knows.
LoadResult load(const QString& path, Content* out, QString* error)
{
    *out = Content();
    if (path.isEmpty())
        return LoadResult::Missing; // no settings folder: defaults, nothing to read
    QByteArray data;
    QString why;
    const LoadResult r = readWhole(path, &data, &why);
    if (r == LoadResult::Failed) {
        *error = ProfileFileTexts::tr(
                     "The settings file %1 could not be read: %2; the defaults are used.")
                     .arg(path, why);
        ProfileAlerts::readFailed(path, *error);
        return r;
    }
    ProfileAlerts::readSucceeded(path);
    if (r == LoadResult::Missing || data.isEmpty())
        return r;
    const qsizetype firstLf = data.indexOf('\n');
    if (firstLf > 0 && data[firstLf - 1] == '\r')
        out->eol = QByteArrayLiteral("\r\n");
    out->lines = data.split('\n');
    out->finalNewline = data.endsWith('\n');
    if (out->finalNewline)
        out->lines.removeLast();
    return LoadResult::Read;
}

// "[name]" -> name; a null QString for a line that is no section header.
// The last ']' closes the name, so a section named after a path that holds
// ']' still matches its own header.
QString sectionName(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (t.size() < 2 || t[0] != '[')
        return QString();
    const qsizetype close = t.lastIndexOf(']');
    if (close < 1)
        return QString();
    QString name = QString::fromUtf8(t.mid(1, close - 1)).trimmed();
    if (name.isNull())
        name = QLatin1String(""); // "[]" is a header too, of the empty name
    return name;
}

// Splits "key = value"; false for blank lines, comments, headers and lines
// without a key. Blanks around the key and the value are not part of them.
bool splitKey(const QByteArray& line, QString* key, QString* value)
{
    const QByteArray t = line.trimmed();
    if (t.isEmpty() || t[0] == ';' || t[0] == '[')
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return false;
    *key = QString::fromUtf8(t.left(eq)).trimmed();
    if (value)
        *value = QString::fromUtf8(t.mid(eq + 1)).trimmed();
    return !key->isEmpty();
}

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The first section of that name: its header line and the end of its body
// (the next header or the end of the file). header = -1 when missing; a
// later duplicate of the section is never looked at.
void findSection(const QList<QByteArray>& lines, const QString& section, qsizetype* header,
                 qsizetype* end)
{
    *header = -1;
    *end = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString name = sectionName(lines[i]);
        if (name.isNull())
            continue;
        if (*header >= 0) {
            *end = i;
            return;
        }
        if (same(name, section))
            *header = i;
    }
}

qsizetype findKey(const QList<QByteArray>& lines, qsizetype header, qsizetype end,
                  const QString& key)
{
    for (qsizetype i = header + 1; i < end; ++i) {
        QString k;
        if (splitKey(lines[i], &k, nullptr) && same(k, key))
            return i;
    }
    return -1;
}

// One line made by a write, ended like the file's other lines.
QByteArray newLine(const Content& c, const QString& text)
{
    QByteArray l = text.toUtf8();
    if (c.eol.size() == 2)
        l += '\r';
    return l;
}

// Index after the section's last non-blank line, so blank separators before
// the next section stay where they are.
qsizetype bodyEnd(const Content& c, qsizetype header, qsizetype end)
{
    qsizetype at = end;
    while (at - 1 > header && c.lines[at - 1].trimmed().isEmpty())
        --at;
    return at;
}

void appendSection(Content* c, const QList<QByteArray>& body)
{
    if (!c->lines.isEmpty() && !c->lines.last().trimmed().isEmpty())
        c->lines << newLine(*c, QString());
    c->lines << body;
    c->finalNewline = true;
}

// The sentence for the user when a write failed for `why`.
QString notSaved(const QString& why)
{
    return ProfileFileTexts::tr("The settings could not be saved: %1").arg(why);
}

// A write that could not be done: `error` gets the text, which is reported
// once (see ProfileAlerts).
bool failWrite(QString* error, const QString& text)
{
    *error = text;
    ProfileAlerts::writeFailed(
        text.startsWith(QLatin1String("The settings could not be saved")) ? text : notSaved(text));
    return false;
}

// Replaces the file with `c`, all or nothing. The caller holds the file's
// ProfileLock. A link (or anything but a regular file) at the path is
// refused and left as it is: writing through a link would change whatever
// file it points to.
bool save(const QString& path, const Content& c, QString* error)
{
    QByteArray data = c.lines.join('\n');
    if (c.finalNewline && !c.lines.isEmpty())
        data += '\n';
    AtomicFileWrite file(QFile::encodeName(path));
    // Under the lock no other writer is at work, so temporary files of this
    // file are what killed writers left.
    file.removeLeftovers();
    switch (file.replace(data)) {
    case AtomicFileWrite::Result::Written:
        error->clear();
        ProfileAlerts::writeSucceeded();
        return true;
    case AtomicFileWrite::Result::IsLink:
        return failWrite(error,
                         ProfileFileTexts::tr("The settings file %1 is a symbolic link; it was "
                                              "left as it is.")
                             .arg(path));
    case AtomicFileWrite::Result::NotRegular:
        return failWrite(error,
                         ProfileFileTexts::tr("The settings file %1 is not a regular file; it "
                                              "was left as it is.")
                             .arg(path));
    case AtomicFileWrite::Result::Failed:
        break;
    }
    return failWrite(error, notSaved(reason(file.error())) + '.');
}

// Whether a write may go on: `lock` (of `path`) must be held. Otherwise
// `error` gets why, and it is reported.
bool lockedForWrite(const QString& path, const ProfileLock& lock, QString* error)
{
    if (lock.isHeld())
        return true;
    if (path.isEmpty())
        return failWrite(error, notSaved(ProfileFileTexts::tr(
                                    "there is no absolute home folder (HOME or XDG_CONFIG_HOME) "
                                    "to keep them in.")));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return failWrite(
            error, notSaved(ProfileFileTexts::tr("the folder %1 cannot be made.").arg(folder)));
    return failWrite(error,
                     notSaved(ProfileFileTexts::tr("the lock file %1 cannot be made or locked: %2.")
                                  .arg(ProfileLock::lockFilePath(path), reason(lock.error()))));
}

bool hasLineBreak(const QString& s)
{
    return s.contains('\n') || s.contains('\r');
}

// A key or value that would break the line structure (and so could forge
// other keys or sections) is refused rather than written.
bool validEntry(const QString& key, const QString& value, QString* error)
{
    const QString k = key.trimmed();
    if (k.isEmpty() || k.contains('=') || k.startsWith('[') || k.startsWith(';') ||
        hasLineBreak(key) || hasLineBreak(value)) {
        *error = ProfileFileTexts::tr("Invalid profile entry \"%1\"").arg(key);
        return false;
    }
    return true;
}

bool validSection(const QString& section, QString* error)
{
    if (hasLineBreak(section)) {
        *error = ProfileFileTexts::tr("Invalid profile section \"%1\"").arg(section);
        return false;
    }
    return true;
}

} // namespace

ProfileFile::ProfileFile(const QString& name) : m_path(resolveProfilePath(name)) {}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const
{
    Content c;
    if (load(m_path, &c, &m_error) != LoadResult::Read)
        return defaultValue;
    qsizetype header = -1, end = 0;
    findSection(c.lines, section, &header, &end);
    if (header < 0)
        return defaultValue;
    const qsizetype i = findKey(c.lines, header, end, key);
    if (i < 0)
        return defaultValue;
    QString k, v;
    splitKey(c.lines[i], &k, &v);
    return v;
}

long long ProfileFile::readInt(const QString& section, const QString& key,
                               long long defaultValue) const
{
    bool ok = false;
    const long long v = readString(section, key).toLongLong(&ok);
    return ok ? v : defaultValue;
}

QList<QPair<QString, QString>> ProfileFile::readSection(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    Content c;
    if (load(m_path, &c, &m_error) != LoadResult::Read)
        return out;
    qsizetype header = -1, end = 0;
    findSection(c.lines, section, &header, &end);
    if (header < 0)
        return out;
    for (qsizetype i = header + 1; i < end; ++i) {
        QString k, v;
        if (splitKey(c.lines[i], &k, &v))
            out.append({k, v});
    }
    return out;
}

QStringList ProfileFile::keys(const QString& section) const
{
    QStringList out;
    for (const auto& kv : readSection(section))
        out << kv.first;
    return out;
}

bool ProfileFile::hasSection(const QString& section) const
{
    Content c;
    if (load(m_path, &c, &m_error) != LoadResult::Read)
        return false;
    qsizetype header = -1, end = 0;
    findSection(c.lines, section, &header, &end);
    return header >= 0;
}

bool ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    return writeValues(section, {{key, value}});
}

bool ProfileFile::writeValues(const QString& section, const QList<QPair<QString, QString>>& entries)
{
    if (!validSection(section, &m_error))
        return false;
    for (const auto& e : entries) {
        if (!validEntry(e.first, e.second, &m_error))
            return false;
    }
    ProfileLock lock(m_path);
    if (!lockedForWrite(m_path, lock, &m_error))
        return false;
    Content c;
    if (load(m_path, &c, &m_error) == LoadResult::Failed)
        return false;
    qsizetype header = -1, end = 0;
    findSection(c.lines, section, &header, &end);
    if (header < 0) {
        QList<QByteArray> body{newLine(c, '[' + section + ']')};
        for (const auto& e : entries) {
            // A key given twice is written once, with its last value.
            bool replaced = false;
            for (qsizetype i = 1; i < body.size(); ++i) {
                QString k;
                if (splitKey(body[i], &k, nullptr) && same(k, e.first)) {
                    body[i] = newLine(c, e.first + '=' + e.second);
                    replaced = true;
                }
            }
            if (!replaced)
                body << newLine(c, e.first + '=' + e.second);
        }
        appendSection(&c, body);
        return save(m_path, c, &m_error);
    }
    for (const auto& e : entries) {
        const QByteArray line = newLine(c, e.first + '=' + e.second);
        const qsizetype i = findKey(c.lines, header, end, e.first);
        if (i >= 0) {
            c.lines[i] = line;
            if (i == c.lines.size() - 1)
                c.finalNewline = true;
        } else {
            const qsizetype at = bodyEnd(c, header, end);
            c.lines.insert(at, line);
            if (at == c.lines.size() - 1)
                c.finalNewline = true;
            ++end;
        }
    }
    return save(m_path, c, &m_error);
}

bool ProfileFile::writeInt(const QString& section, const QString& key, long long value)
{
    return writeString(section, key, QString::number(value));
}

bool ProfileFile::removeKey(const QString& section, const QString& key)
{
    ProfileLock lock(m_path);
    if (!lockedForWrite(m_path, lock, &m_error))
        return false;
    Content c;
    const LoadResult r = load(m_path, &c, &m_error);
    if (r == LoadResult::Failed)
        return false;
    if (r == LoadResult::Missing)
        return true;
    qsizetype header = -1, end = 0;
    findSection(c.lines, section, &header, &end);
    if (header < 0)
        return true;
    const qsizetype i = findKey(c.lines, header, end, key);
    if (i < 0)
        return true;
    c.lines.removeAt(i);
    return save(m_path, c, &m_error);
}

bool ProfileFile::writeSection(const QString& section,
                               const QList<QPair<QString, QString>>& entries)
{
    if (!validSection(section, &m_error))
        return false;
    for (const auto& e : entries) {
        if (!validEntry(e.first, e.second, &m_error))
            return false;
    }
    ProfileLock lock(m_path);
    if (!lockedForWrite(m_path, lock, &m_error))
        return false;
    Content c;
    if (load(m_path, &c, &m_error) == LoadResult::Failed)
        return false;
    qsizetype header = -1, end = 0;
    findSection(c.lines, section, &header, &end);
    QList<QByteArray> body;
    for (const auto& e : entries)
        body << newLine(c, e.first + '=' + e.second);
    if (header < 0) {
        body.prepend(newLine(c, '[' + section + ']'));
        appendSection(&c, body);
    } else {
        // The header line stays as it was; its body is replaced.
        const qsizetype last = bodyEnd(c, header, end);
        c.lines.remove(header + 1, last - header - 1);
        for (qsizetype i = 0; i < body.size(); ++i)
            c.lines.insert(header + 1 + i, body[i]);
        if (header + qsizetype(body.size()) == c.lines.size() - 1)
            c.finalNewline = true;
    }
    return save(m_path, c, &m_error);
}

} // namespace rw
