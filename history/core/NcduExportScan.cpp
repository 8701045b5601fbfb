#include "history/core/NcduExportScan.h"

#include <QCoreApplication>
#include <QIODevice>

#include "framework/core/FileRecord.h"

namespace rw
{

namespace
{

// The last component of a folder's path: what its parent lists it as.
QByteArray lastComponent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

} // namespace

NcduExportScan::NcduExportScan(QIODevice* out) : m_out(out)
{
    m_buffer.reserve(1 << 20);
}

void NcduExportScan::begin(std::int64_t taken, const QString& host)
{
    m_buffer += "[1,2,{\"progname\":\"roomwise\",\"progver\":\"" RW_VERSION "\"";
    appendNumber("timestamp", taken);
    m_buffer += ",\"host\":";
    const QByteArray name = host.toUtf8();
    appendName(name.constData(), std::size_t(name.size()));
    m_buffer += "}";
}

void NcduExportScan::appendName(const char* data, std::size_t size)
{
    static const char hex[] = "0123456789abcdef";
    m_buffer += '"';
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c == '"' || c == '\\') {
            m_buffer += '\\';
            m_buffer += char(c);
        } else if (c < 0x20 || c == 0x7F) {
            m_buffer += "\\u00";
            m_buffer += hex[c >> 4];
            m_buffer += hex[c & 15];
        } else {
            m_buffer += char(c);
        }
    }
    m_buffer += '"';
}

void NcduExportScan::appendNumber(const char* key, std::int64_t value)
{
    m_buffer += ",\"";
    m_buffer += key;
    m_buffer += "\":";
    m_buffer += QByteArray::number(qlonglong(value));
}

void NcduExportScan::flushIfFull()
{
    if (m_buffer.size() < (1 << 20) - 4096)
        return;
    if (m_error.isEmpty() && m_out->write(m_buffer) != m_buffer.size())
        m_error = m_out->errorString();
    m_buffer.clear();
}

void NcduExportScan::folderEntered(const WalkFolder& folder)
{
    // The tree's root is named by its whole path, every other folder by its
    // name in its parent.
    const QByteArray name = m_depth == 0 ? folder.path : lastComponent(folder.path);
    m_buffer += m_depth == 0 ? ",\n[{\"name\":" : ",\n[{\"name\":";
    appendName(name.constData(), std::size_t(name.size()));
    if (m_depth == 0)
        appendNumber("dev", qint64(folder.dev));
    m_buffer += '}';
    ++m_depth;
    m_rootWritten = true;
    flushIfFull();
}

void NcduExportScan::folderUnreadable(const WalkFolder& folder, int error)
{
    (void)error;
    const QByteArray name = lastComponent(folder.path);
    m_buffer += ",\n[{\"name\":";
    appendName(name.constData(), std::size_t(name.size()));
    m_buffer += ",\"read_error\":true}]";
    flushIfFull();
}

Verdict NcduExportScan::fileMatched(const FileRecord& file)
{
    const FileStatus& s = file.status;
    m_buffer += ",\n{\"name\":";
    appendName(file.name.data(), file.name.size());
    appendNumber("asize", s.size);
    appendNumber("dsize", std::int64_t(s.blocks) * 512);
    appendNumber("mode", s.mode);
    appendNumber("mtime", s.mtime);
    if (s.nlink > 1) {
        appendNumber("ino", qint64(s.ino));
        m_buffer += ",\"hlnkc\":true";
        appendNumber("nlink", qint64(s.nlink));
    }
    if ((s.mode & 0170000) != 0100000)
        m_buffer += ",\"notreg\":true";
    m_buffer += '}';
    flushIfFull();
    return Verdict::Skip;
}

Verdict NcduExportScan::folderDone(const WalkFolder& folder, const FolderTotals& totals)
{
    (void)folder;
    (void)totals;
    m_buffer += ']';
    --m_depth;
    return Verdict::Skip;
}

bool NcduExportScan::finish()
{
    m_buffer += "]\n";
    if (m_error.isEmpty() && m_out->write(m_buffer) != m_buffer.size())
        m_error = m_out->errorString();
    m_buffer.clear();
    if (m_error.isEmpty() && !m_rootWritten)
        m_error = QCoreApplication::translate("NcduJson", "nothing was scanned");
    return m_error.isEmpty();
}

} // namespace rw
