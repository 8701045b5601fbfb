// Exports read from other machines are untrusted input: the reader must
// refuse garbage with a reason, never crash, hang or build a path that
// climbs out of its root. The packed totals of a stored scan go through
// the same mill, since a store may be shared.
#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "history/core/NcduJson.h"
#include "history/core/ScanTotalsBlob.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        rw::NcduScan scan;
        QString error;
        if (rw::readNcduExport(buffer, &scan, &error)) {
            for (const rw::FolderTotalsRow& row : scan.rows)
                if (row.path.startsWith('/') || row.path.contains("/../") ||
                    row.path.startsWith("../") || row.path == "..")
                    __builtin_trap();
        } else if (error.isEmpty()) {
            __builtin_trap(); // a refusal always says why
        }
    }
    std::vector<rw::PackedTotals> rows;
    rw::unpackScanTotals(bytes, 1'700'000'000, &rows);
    return 0;
}
