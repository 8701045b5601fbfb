#pragma once

#include <QList>
#include <QString>

#include <cstdint>

#include "framework/core/DeleteTarget.h"

namespace rw
{

class MessageResponder;

// The folders a deletion run left empty, offered for removal in one
// question after the run. Only a folder from which the run removed a file is
// a candidate, so a folder that was empty before the run is never offered;
// one is offered when it is empty now, is still the folder the scan saw, and
// is no protected folder (a drive root, "/", a system folder, the home
// folder). Each is removed like every delete: its parent opened from "/"
// without any link and checked to be the parent seen when the question was
// formed, the folder checked to be the one the scan saw, then removed with
// unlinkat(AT_REMOVEDIR), which refuses a folder that is no longer empty.
class EmptiedFolders
{
public:
    // Notes the folder of a file the run removed (its folder path and
    // folder identity as the scan saw them).
    void addGone(const DeleteTarget& file);
    void addGone(const QList<DeleteTarget>& files);

    // The candidates that are empty now, each as a target naming the folder
    // by its parent's path and its own name (identity: the folder as the scan
    // saw it; folderIdentity: its parent now), sorted by path.
    QList<DeleteTarget> emptyNow() const;

    // "These folders are empty now:" + the folders, one a line +
    // "Remove them?"
    static QString questionText(const QList<DeleteTarget>& folders);

    // Asks the question about emptyNow() through `responder` (nothing is
    // asked when there are none) and on Yes removes them; each that cannot
    // be removed is reported in one box afterwards. Returns the number of
    // folders removed.
    int offer(MessageResponder& responder) const;
    // The same for the folders of the files `gone` that a run removed.
    static int offerAfter(const QList<DeleteTarget>& gone, MessageResponder& responder);

    // Removes the folders of emptyNow() without asking; the shown paths of
    // those that could not be removed go to `failed` (may be null).
    static int remove(const QList<DeleteTarget>& folders, QStringList* failed = nullptr);

private:
    struct Seen {
        QByteArray path;
        FileIdentity identity;
    };
    QList<Seen> m_folders;
};

} // namespace rw
