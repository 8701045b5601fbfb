#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

#include "framework/core/WalkStrategy.h"

class QIODevice;

namespace rw
{

// A walk written out as it goes in ncdu's JSON export format (version 1),
// so `ncdu -f`, `gdu -f` and our own import read it: one folder tree per
// export, every file with its size, disk use, change time and mode, hard
// links with their inode and link count, unreadable folders marked. Names
// are written as the file system's bytes: quote, backslash and control
// characters escaped, every other byte as it is (as ncdu writes them).
//
// The output is streamed: memory does not grow with the tree. `out` is not
// owned and must stay open for the walk.
class NcduExportScan : public WalkStrategy
{
public:
    explicit NcduExportScan(QIODevice* out);

    // Writes the header (the time of the scan and this machine's name);
    // call once before the walk.
    void begin(std::int64_t taken, const QString& host);
    // Closes the export after the walk and writes out what is buffered.
    // False when any write failed (error() says why) or no tree was written.
    bool finish();
    QString error() const { return m_error; }

    std::uint32_t excludedAttributes() const override { return 0; }
    void folderEntered(const WalkFolder& folder) override;
    void folderUnreadable(const WalkFolder& folder, int error) override;
    Verdict fileMatched(const FileRecord& file) override;
    Verdict folderDone(const WalkFolder& folder, const FolderTotals& totals) override;

private:
    void appendName(const char* data, std::size_t size);
    void appendNumber(const char* key, std::int64_t value);
    void flushIfFull();

    QIODevice* m_out;
    QByteArray m_buffer;
    QString m_error;
    int m_depth = 0;
    bool m_rootWritten = false;
};

} // namespace rw
