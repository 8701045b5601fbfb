#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

#include "history/core/FolderGrowth.h"

class QIODevice;

namespace rw
{

class HistoryStore;

// A whole scan read from a file in ncdu's JSON export format (version 1:
// what `ncdu -o` writes and `ncdu -f` and `gdu -f` read), added up into
// folder totals the way our own scans add them: files only (a folder's own
// entry is not counted, symbolic links never are), a hard-linked file once
// per folder, sizes and disk use as the export gives them.
struct NcduScan {
    QByteArray root;        // the scanned folder as named in the file
    std::int64_t taken = 0; // the export's timestamp (0 when it has none)
    QString host;           // the exporting machine when the file names it
    bool complete = true;   // false when a folder could not be read (its totals are missing)
    std::vector<FolderTotalsRow> rows;
};

// Reads an export from `in`. Names are taken as bytes: escapes are decoded,
// bytes that are not UTF-8 kept as they are. A name that is empty, ".",
// "..", or holds a '/' or a NUL makes the file invalid, as does a path
// longer than 16 KiB (thousands of levels deep) and anything that is not
// the format. False with `error` set when the file cannot be
// read or is no such export.
bool readNcduExport(QIODevice& in, NcduScan* out, QString* error);

// Reads the export file `file` and stores it as a scan of kind "import".
// The host is `host` when given, else the one the file names, else the
// file's name without its extension. Returns the new scan's id, or 0 with
// `error` set.
std::int64_t importNcduScan(HistoryStore& store, const QString& file, QString* error,
                            const QString& host = {});

} // namespace rw
