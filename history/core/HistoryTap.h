#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

#include "framework/core/WalkStrategy.h"
#include "history/core/FolderGrowth.h"
#include "history/core/FolderTotalsBuilder.h"

namespace rw
{

// What one walk saw of one root, for the history.
struct TappedRoot {
    QByteArray root; // the root as walked, trailing '/' left off ("/" stays)
    // One row per folder the walk entered or could not read, the root's
    // first (empty path), each over its whole sub-tree.
    std::vector<FolderTotalsRow> rows;
    bool complete = false; // the walk of the root ran to its end (no abort)
    // Folders below the root that could not be read (paths relative to the
    // root): their rows hold nothing and their parents' totals miss what
    // they hold.
    std::vector<QByteArray> unreadable;
};

// A strategy that sits between the walk and a tool's own strategy and,
// besides handing every call on unchanged, totals each folder's sub-tree for
// the scan history through FolderTotalsBuilder (the rule an imported scan is
// added up by too): bytes, disk usage (allocated blocks), files, sub-folders
// and the newest last-write time below it. It sees the files the tool's
// strategy sees (its excludedAttributes and filePattern rule), so a folder
// hog walk totals hidden and special files as the folder hogs do; folders
// the walk does not enter (hidden ones, other file systems) are not rows.
//
// A file with several names (hard links) counts once in every folder whose
// sub-tree holds one of its names. The cost per file is a few additions
// (and a hash lookup for a file with more than one name); per folder, one
// hash lookup of its path.
class HistoryTap : public WalkStrategy
{
public:
    // `inner` is not owned and must outlive the tap.
    explicit HistoryTap(WalkStrategy& inner);

    // The roots walked so far, in walk order (a root the walk passed over
    // because it had walked it already is not among them), with their rows
    // added up; the tap starts over empty.
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
    std::vector<FolderTotalsBuilder> m_builders; // one per root
    bool m_inRoot = false;      // between a root's folderEntered and its folderDone
    qsizetype m_rootPrefix = 0; // bytes of a path before its part below the root
    // The builder's folders of the folders being walked, by depth.
    std::vector<int> m_open;
};

} // namespace rw
