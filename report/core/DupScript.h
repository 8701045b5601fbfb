#pragma once

#include <QByteArray>
#include <QString>

namespace rw
{

struct ReportTable;

// The shell script of `roomwise-report dups --by contents --script FILE`:
// a POSIX sh script for the user to read and then run, which removes every
// duplicate beyond the first file of each group, as the table lists them
// (--sort and --reverse choose which file comes first and stays). Each
// removal is one line guarded by a byte comparison with the kept file,
//     cmp -s -- '/kept' '/dup' && rm -- '/dup' || left '/dup'
// so a file changed since the report, or a kept file gone, leaves the
// duplicate where it is; `left` names it on standard error and makes the
// script end with status 1. Other names of the kept file (hard links) stay:
// removing them would free nothing. Every path is written as its raw
// bytes in single quotes (see shellQuoted), and no name ever appears in a
// comment, so no name can end a line or a quote early.
class DupScript
{
public:
    // The script for the groups of `table` (rows of a content comparison,
    // groupEnds closing each group).
    static QByteArray text(const ReportTable& table);

    // Writes text(table) to `file` through QSaveFile (the whole script or
    // nothing), readable and runnable by its owner. False with `error`
    // set when it cannot be written.
    static bool write(const QString& file, const ReportTable& table, QString* error);

    // `bytes` as one word of sh: in single quotes, each ' written as '\''.
    // Tabs, newlines and bytes that are not UTF-8 stand as they are: inside
    // single quotes sh takes every byte literally.
    static QByteArray shellQuoted(const QByteArray& bytes);
};

} // namespace rw
