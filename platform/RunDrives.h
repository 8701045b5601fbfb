#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

namespace rw
{

// The folders given for this run only (on the command line, dropped on a
// window or chosen with "Add folder..."): each is a drive of its own under
// the next letter no other drive uses, listed by driveList() like any other
// drive and ticked in every drive list that is filled while it is here.
// Nothing of it is written anywhere; the table goes with the process.
//
// A folder is kept as the file system's bytes, so a name with a tab, a line
// break or bytes that are not UTF-8 is the folder it names. The table is
// shared by every thread (walks look drives up on helper threads).
class RunDrives
{
public:
    enum class Outcome {
        Added,        // a new drive
        AlreadyThere, // the folder already is a drive (its letter is given)
        Missing,      // nothing of that name
        NotAFolder,   // a file or something else that is no folder
        NotReadable,  // a folder its entries cannot be listed from
        NoFreeLetter  // every letter up to Z is taken
    };

    struct Entry {
        QChar letter;
        QByteArray folder; // absolute, cleaned; no trailing '/' except "/"
        bool kept = false; // written to [Drives]: the settings list it now
    };

    // Adds `folder` (made absolute against the working folder and cleaned).
    // `letter` gets the new drive's letter, or the existing drive's for
    // AlreadyThere.
    static Outcome add(const QByteArray& folder, QChar* letter = nullptr);
    // Takes a run-only drive away; false when `letter` is none (or kept).
    static bool remove(QChar letter);
    // The drive is now kept in [Drives]: it stays ticked this run, but the
    // settings list it.
    static void markKept(QChar letter);

    // Every folder added this run, in the order added.
    static QList<Entry> entries();
    // True for a run-only drive (added and not kept).
    static bool isRunOnly(QChar letter);
    // Forgets every folder (for a fresh start in tests).
    static void clear();

    // What a box says when `folder` was not added ("" for Added and
    // AlreadyThere).
    static QString refusalText(Outcome outcome, const QByteArray& folder);
};

} // namespace rw
