#pragma once

#include <QByteArray>
#include <QStringList>

#include "framework/core/WalkStrategy.h"
#include "tools/map/core/MapTree.h"
#include "tools/map/core/MapTypeClass.h"

namespace rw
{

// The folder map's walk: a WalkStrategy that builds a MapTree of every
// file and folder under one root, hidden files included (the walk's rules
// hold: links are not followed, the file system is not left, hidden
// folders are not entered). A folder that cannot be read marks the folder
// above it as incomplete; the walk names it to the user.
class MapScan : public WalkStrategy
{
public:
    MapScan();

    // The tree seen so far, finished (folders still open are closed); the
    // scan starts over empty afterwards.
    MapTree takeTree();

    // The folders that could not be read, as the walk named them.
    const QList<QByteArray>& unreadable() const { return m_unreadable; }

    std::uint32_t excludedAttributes() const override { return 0; }
    void folderUnreadable(const WalkFolder& folder, int error) override;
    void folderEntered(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;
    Verdict folderDone(const WalkFolder& folder, const FolderTotals& totals) override;

private:
    MapTreeBuilder m_builder;
    MapTypeClassifier m_classifier;
    QList<QByteArray> m_unreadable;
    int m_open = 0;
};

} // namespace rw
