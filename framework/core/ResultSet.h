#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/core/FileRecord.h"
#include "platform/FileAttributes.h"
#include "platform/FileIdentity.h"

namespace rw
{

// One result row as a scan saw it: which file (its folder, its name as the
// file system's bytes, device and inode) and what it was (size, times,
// attributes). No display text is kept; the grid forms its cells from these
// fields when they are drawn. 64 bytes, so a million rows stay small.
struct ResultRecord {
    enum Flag : std::uint8_t {
        Marked = 0x01,   // marked for deletion in the grid
        Tagged = 0x02,   // its folder is on the program search path (cleaner)
        IsFolder = 0x04, // the row names a folder, not a file
        Shaded = 0x08,   // drawn on the alternate background (every other group of a list)
        // The file had more than one name when it was scanned (or its link
        // count was not told): other rows may name the same inode.
        MaybeLinked = 0x10,
    };

    std::int64_t size = 0;
    std::int64_t mtime = 0; // seconds since the epoch (UTC); 0 = not recorded
    std::int64_t atime = 0;
    std::int64_t btime = 0;
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    std::uint32_t folder = 0;     // index into the set's folders
    std::uint32_t nameOffset = 0; // into the set's name store
    std::uint32_t markOrder = 0;  // when it was marked (ResultGridController)
    std::uint16_t attributes = 0; // FileAttribute flags
    std::uint8_t nameLength = 0;  // a name is at most 255 bytes
    std::uint8_t flags = 0;

    bool has(Flag f) const { return (flags & f) != 0; }
    void set(Flag f, bool on) { flags = on ? std::uint8_t(flags | f) : std::uint8_t(flags & ~f); }
};
static_assert(sizeof(ResultRecord) == 64, "a result row is meant to stay 64 bytes");

// The rows of one scan: records, the folders they lie in (each kept once)
// and their names. Records keep the order they were added in; the grid
// shows them through an order of its own. A record index never changes.
class ResultSet
{
public:
    struct Folder {
        QByteArray path; // as the file system gave it, e.g. "/home/ann/doc"
        FileIdentity identity;
    };

    ResultSet();

    // The folder with this path and identity, added when new. The walk hands
    // one WalkFolder per folder, so a pointer and path check finds the last
    // one without hashing.
    std::uint32_t folderOf(const WalkFolder& folder);
    std::uint32_t addFolder(const QByteArray& path, const FileIdentity& identity);

    // Appends a file of the walk; returns its record index.
    std::uint32_t add(const FileRecord& file);
    // Appends an entry of folder `folder`; returns its record index.
    std::uint32_t add(std::uint32_t folder, std::string_view name, const FileStatus& status);

    std::uint32_t size() const { return std::uint32_t(m_records.size()); }
    bool empty() const { return m_records.empty(); }
    const ResultRecord& record(std::uint32_t i) const { return m_records[i]; }
    ResultRecord& record(std::uint32_t i) { return m_records[i]; }

    const Folder& folder(std::uint32_t f) const { return m_folders[f]; }
    std::uint32_t folderCount() const { return std::uint32_t(m_folders.size()); }
    // True when the same folder (device and inode) is in the set under
    // another path too (a bind mount, a link, a path written another way):
    // its entries may then be listed twice.
    bool folderHasOtherPath(std::uint32_t f) const { return m_folderHasOtherPath[f] != 0; }
    // The folder's path as shown (see displayName), formed once.
    const QString& folderText(std::uint32_t f) const;
    // Makes every folder's text now, so that threads may then read them
    // together (folderText makes them on first use otherwise).
    void makeFolderTexts() const;

    // The record's name as the file system's bytes (valid while the set lives).
    std::string_view name(std::uint32_t i) const;
    // Asks the processor to fetch record `i` ahead (`withName`: its name too,
    // which reads the record), for loops that visit records in an order of
    // their own (sorted output); no effect on the results.
    void prefetch(std::uint32_t i, bool withName) const
    {
        const ResultRecord& r = m_records[i];
        if (!withName) {
            __builtin_prefetch(&r);
            return;
        }
        __builtin_prefetch(name(i).data());
    }
    // Folder and name joined by one '/'.
    QByteArray pathBytes(std::uint32_t i) const;
    // Display texts of the name and the full path.
    QString nameText(std::uint32_t i) const;
    QString pathText(std::uint32_t i) const;
    // The extension of the name from its last '.', dot included; empty
    // without a dot.
    std::string_view extension(std::uint32_t i) const;
    FileIdentity identity(std::uint32_t i) const;

    // Which directory entry the record names, whatever path reached it: the
    // device and inode of its folder and its name's bytes (the folder's
    // path where the scan did not record the folder's identity). Equal keys
    // name one entry.
    std::string entryKey(std::uint32_t i) const;
    // True when records `a` and `b` name one directory entry: the same
    // entry key, or the same file (device and inode) that had a single name
    // when it was scanned. Two names of a hard-linked file are two entries.
    bool sameEntry(std::uint32_t a, std::uint32_t b) const;

    // Numbers a tool keeps per record beyond the common fields (folder hogs:
    // file and sub-folder counts). `perRecord` is fixed before the first add.
    void setExtraCount(int perRecord) { m_extraPerRecord = perRecord; }
    int extraCount() const { return m_extraPerRecord; }
    std::int64_t extra(std::uint32_t i, int k) const
    {
        return m_extra[std::size_t(i) * std::size_t(m_extraPerRecord) + std::size_t(k)];
    }
    void setExtra(std::uint32_t i, int k, std::int64_t v)
    {
        m_extra[std::size_t(i) * std::size_t(m_extraPerRecord) + std::size_t(k)] = v;
    }

    // Bytes held, for the benchmark.
    std::size_t memoryUse() const;

private:
    std::uint32_t storeName(std::string_view name);

    // Names live in blocks that never move, so growing never copies them
    // and a name view stays valid.
    static constexpr std::size_t kNameBlock = 1 << 20;
    std::vector<std::unique_ptr<char[]>> m_nameBlocks;
    std::size_t m_nameUsed = kNameBlock; // in the last block

    std::deque<ResultRecord> m_records;
    std::vector<Folder> m_folders;
    mutable std::vector<QString> m_folderTexts;
    mutable std::vector<bool> m_folderTextMade;
    std::unordered_map<std::string, std::uint32_t> m_folderIndex;
    // The first folder of each known identity, to tell when another path
    // leads to it.
    std::unordered_map<InodeKey, std::uint32_t, InodeKeyHash> m_folderOfIdentity;
    std::vector<std::uint8_t> m_folderHasOtherPath;
    const WalkFolder* m_lastWalkFolder = nullptr;
    QByteArray m_lastWalkPath;
    std::uint32_t m_lastFolder = 0;
    int m_extraPerRecord = 0;
    std::vector<std::int64_t> m_extra;
};

} // namespace rw
