#include "framework/core/ResultSet.h"

#include <cstring>

#include "platform/DisplayName.h"

namespace rw
{

ResultSet::ResultSet() = default;

std::uint32_t ResultSet::addFolder(const QByteArray& path, const FileIdentity& identity)
{
    const std::string key(path.constData(), std::size_t(path.size()));
    auto it = m_folderIndex.find(key);
    if (it != m_folderIndex.end() && m_folders[it->second].identity == identity)
        return it->second;
    const auto index = std::uint32_t(m_folders.size());
    m_folders.push_back(Folder{path, identity});
    m_folderTexts.emplace_back();
    m_folderTextMade.push_back(false);
    m_folderIndex[key] = index;
    m_folderHasOtherPath.push_back(0);
    if (identity.isKnown()) {
        const auto [first, added] =
            m_folderOfIdentity.try_emplace(InodeKey{identity.dev, identity.ino}, index);
        // The same path with a new identity is another folder that took the
        // place of the first, not another path to it.
        if (!added && m_folders[first->second].path != path) {
            m_folderHasOtherPath[first->second] = 1;
            m_folderHasOtherPath[index] = 1;
        }
    }
    return index;
}

std::uint32_t ResultSet::folderOf(const WalkFolder& folder)
{
    // The walk reuses its frames, so the pointer alone does not name a
    // folder; the pointer and the path together do.
    if (m_lastWalkFolder == &folder && m_lastWalkPath == folder.path && !m_folders.empty())
        return m_lastFolder;
    m_lastFolder =
        addFolder(folder.path, FileIdentity{folder.dev, folder.ino, FileIdentity::Type::Folder});
    m_lastWalkFolder = &folder;
    m_lastWalkPath = folder.path;
    return m_lastFolder;
}

std::uint32_t ResultSet::storeName(std::string_view name)
{
    // An empty name (a drive root's own row) takes no room anywhere.
    if (name.empty())
        return 0;
    if (m_nameUsed + name.size() > kNameBlock) {
        m_nameBlocks.emplace_back(new char[kNameBlock]);
        m_nameUsed = 0;
    }
    const std::size_t offset = (m_nameBlocks.size() - 1) * kNameBlock + m_nameUsed;
    std::memcpy(m_nameBlocks.back().get() + m_nameUsed, name.data(), name.size());
    m_nameUsed += name.size();
    return std::uint32_t(offset);
}

std::uint32_t ResultSet::add(const FileRecord& file)
{
    return add(folderOf(*file.folder), file.name, file.status);
}

std::uint32_t ResultSet::add(std::uint32_t folder, std::string_view name, const FileStatus& status)
{
    // NAME_MAX is 255 on every Linux file system; a longer name cannot come
    // from a listing.
    if (name.size() > 255)
        name = name.substr(0, 255);
    ResultRecord r;
    r.size = status.size;
    r.mtime = status.mtime;
    r.atime = status.atime;
    r.btime = status.btime;
    r.dev = status.dev;
    r.ino = status.ino;
    r.folder = folder;
    r.nameOffset = storeName(name);
    r.nameLength = std::uint8_t(name.size());
    r.attributes = std::uint16_t(status.attributes);
    if (status.attributes & faDirectory)
        r.flags |= ResultRecord::IsFolder;
    if (status.nlink != 1) // more names, or not told
        r.flags |= ResultRecord::MaybeLinked;
    m_records.push_back(r);
    if (m_extraPerRecord > 0)
        m_extra.resize(m_extra.size() + std::size_t(m_extraPerRecord), 0);
    return std::uint32_t(m_records.size() - 1);
}

const QString& ResultSet::folderText(std::uint32_t f) const
{
    if (!m_folderTextMade[f]) {
        m_folderTexts[f] = displayName(m_folders[f].path);
        m_folderTextMade[f] = true;
    }
    return m_folderTexts[f];
}

void ResultSet::makeFolderTexts() const
{
    for (std::uint32_t f = 0; f < folderCount(); ++f)
        folderText(f);
}

std::string_view ResultSet::name(std::uint32_t i) const
{
    const ResultRecord& r = m_records[i];
    if (r.nameLength == 0)
        return std::string_view();
    const char* block = m_nameBlocks[r.nameOffset / kNameBlock].get();
    return std::string_view(block + r.nameOffset % kNameBlock, r.nameLength);
}

QByteArray ResultSet::pathBytes(std::uint32_t i) const
{
    const QByteArray& dir = m_folders[m_records[i].folder].path;
    const std::string_view n = name(i);
    QByteArray p;
    p.reserve(dir.size() + qsizetype(n.size()) + 1);
    p.append(dir);
    if (!n.empty() && !p.endsWith('/'))
        p.append('/');
    p.append(n.data(), qsizetype(n.size()));
    return p;
}

QString ResultSet::nameText(std::uint32_t i) const
{
    const std::string_view n = name(i);
    return displayName(QByteArrayView(n.data(), qsizetype(n.size())));
}

QString ResultSet::pathText(std::uint32_t i) const
{
    QString dir = folderText(m_records[i].folder);
    if (m_records[i].nameLength == 0)
        return dir;
    if (!dir.endsWith(u'/'))
        dir.append(u'/');
    return dir + nameText(i);
}

std::string_view ResultSet::extension(std::uint32_t i) const
{
    const std::string_view n = name(i);
    const std::size_t dot = n.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : n.substr(dot);
}

std::string ResultSet::entryKey(std::uint32_t i) const
{
    const ResultRecord& r = m_records[i];
    const Folder& folder = m_folders[r.folder];
    const std::string_view n = name(i);
    std::string key;
    if (folder.identity.isKnown()) {
        // 'i', the folder's device and inode as raw bytes, the name.
        key.reserve(1 + 2 * sizeof(std::uint64_t) + n.size());
        key.push_back('i');
        key.append(reinterpret_cast<const char*>(&folder.identity.dev), sizeof(std::uint64_t));
        key.append(reinterpret_cast<const char*>(&folder.identity.ino), sizeof(std::uint64_t));
    } else {
        // 'p', the folder's path, a '/' (no name holds one), the name.
        key.reserve(2 + std::size_t(folder.path.size()) + n.size());
        key.push_back('p');
        key.append(folder.path.constData(), std::size_t(folder.path.size()));
        key.push_back('/');
    }
    key.append(n);
    return key;
}

bool ResultSet::sameEntry(std::uint32_t a, std::uint32_t b) const
{
    if (a == b)
        return true;
    const ResultRecord& ra = m_records[a];
    const ResultRecord& rb = m_records[b];
    const bool known = ra.dev != 0 || ra.ino != 0;
    if (known && ra.dev == rb.dev && ra.ino == rb.ino &&
        (!ra.has(ResultRecord::MaybeLinked) || !rb.has(ResultRecord::MaybeLinked)))
        return true; // one file with one name: both rows name that name
    return ra.nameLength == rb.nameLength && name(a) == name(b) && entryKey(a) == entryKey(b);
}

FileIdentity ResultSet::identity(std::uint32_t i) const
{
    const ResultRecord& r = m_records[i];
    FileIdentity id{r.dev, r.ino, FileIdentity::Type::File};
    if (r.has(ResultRecord::IsFolder))
        id.type = FileIdentity::Type::Folder;
    else if (r.attributes & faSymLink)
        id.type = FileIdentity::Type::SymLink;
    else if (r.attributes & faSysFile)
        id.type = FileIdentity::Type::Other;
    return id;
}

std::size_t ResultSet::memoryUse() const
{
    std::size_t bytes = m_records.size() * sizeof(ResultRecord);
    bytes += m_nameBlocks.size() * kNameBlock;
    bytes += m_extra.capacity() * sizeof(std::int64_t);
    for (const Folder& f : m_folders)
        bytes += sizeof(Folder) + std::size_t(f.path.capacity()) + 64;
    return bytes;
}

} // namespace rw
