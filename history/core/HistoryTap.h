#pragma once

#include <QByteArray>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "framework/core/WalkStrategy.h"
#include "history/core/FolderGrowth.h"
#include "platform/FileIdentity.h"

namespace rw
{

// What one walk saw of one root, for the history.
struct TappedRoot {
    QByteArray root; // the root as walked, trailing '/' left off ("/" stays)
    // One row per folder the walk entered, the root's first (empty path),
    // each over its whole sub-tree.
    std::vector<FolderTotalsRow> rows;
    bool complete = false; // the walk of the root ran to its end (no abort)
    // Folders below the root that could not be read (paths relative to the
    // root): they have no row and their parents' totals miss what they hold.
    std::vector<QByteArray> unreadable;
};

// A strategy that sits between the walk and a tool's own strategy and,
// besides handing every call on unchanged, totals each folder's sub-tree for
// the scan history: bytes, disk usage (allocated blocks), files, sub-folders
// (directory entries at every depth, as the walk counts them) and the newest
// last-write time below it. It sees the files the tool's strategy sees
// (its excludedAttributes and filePattern rule), so a folder hog walk totals
// hidden and special files as the folder hogs do.
//
// A file with several names (hard links) adds its bytes and disk usage once
// to every folder whose sub-tree holds one of its names, as du counts a
// folder walked by itself; each name counts as a file. The cost per file is
// a few additions, and a hash lookup for a file with more than one name.
class HistoryTap : public WalkStrategy
{
public:
    // `inner` is not owned and must outlive the tap.
    explicit HistoryTap(WalkStrategy& inner);

    // The roots walked so far, in walk order (a root the walk passed over
    // because it had walked it already is not among them).
    const std::vector<TappedRoot>& roots() const { return m_roots; }
    std::vector<TappedRoot> takeRoots();

    // A root's path as the history keys it: trailing '/' left off, except
    // for "/" itself.
    static QByteArray rootKey(const QByteArray& path);

    void driveStarted(const DriveInfo& drive, const QString& entryText) override;
    void folderEntered(const WalkFolder& folder) override;
    void folderUnreadable(const WalkFolder& folder, int error) override;
    QString filePattern(const WalkFolder& folder) override;
    std::uint32_t excludedAttributes() const override;
    void filesStarting(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;
    Verdict folderDone(const WalkFolder& folder, const FolderTotals& totals) override;

private:
    QByteArray relativePath(const QByteArray& path) const;

    WalkStrategy& m_inner;
    std::vector<TappedRoot> m_roots;
    TappedRoot* m_current = nullptr;
    qsizetype m_rootPrefix = 0; // bytes of a path before its part below the root
    // The rows of the folders being walked, by depth (indices into rows).
    std::vector<std::uint32_t> m_open;
    // Per row of the current root: its parent's row and its depth.
    std::vector<std::uint32_t> m_parent;
    std::vector<std::uint32_t> m_depth;
    // Files with several names met in this root: the row of the folder of
    // the name met last.
    std::unordered_map<InodeKey, std::uint32_t, InodeKeyHash> m_linked;
};

} // namespace rw
