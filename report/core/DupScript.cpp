#include "report/core/DupScript.h"

#include <QFile>
#include <QSaveFile>

#include <unordered_set>

#include "framework/core/ResultSet.h"
#include "report/core/ReportRun.h"

namespace rw
{

QByteArray DupScript::shellQuoted(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + 2);
    out.append('\'');
    for (const char c : bytes) {
        if (c == '\'')
            out.append("'\\''");
        else
            out.append(c);
    }
    out.append('\'');
    return out;
}

QByteArray DupScript::text(const ReportTable& table)
{
    QByteArray out;
    out += "#!/bin/sh\n"
           "# Written by roomwise-report dups --by contents. Read it, then run it with sh.\n"
           "# Each group keeps its first file; every other file of the group is removed\n"
           "# only while it still holds the same bytes as the kept one (cmp), so a file\n"
           "# changed since the report, or a kept file that is gone, stays where it is.\n"
           "# Other names of a kept file (hard links) stay: removing them frees nothing.\n"
           "# Every file left is named on standard error, and the exit status is then 1.\n";
    if (!table.lines || table.rows.empty()) {
        out += "# No duplicates were found.\n";
        return out;
    }
    const ResultSet& set = table.lines->set();
    std::int64_t removals = 0;
    std::int64_t bytes = 0;
    QByteArray body;
    std::size_t begin = 0;
    std::size_t group = 0;
    for (const std::size_t end : table.groupEnds) {
        ++group;
        const std::uint32_t first = table.rows[begin];
        const ResultRecord& kept = set.record(first);
        const QByteArray keptPath = shellQuoted(set.pathBytes(first));
        std::unordered_set<InodeKey, InodeKeyHash> removed;
        body += "\n# group " + QByteArray::number(qulonglong(group)) + ": " +
                QByteArray::number(qlonglong(end - begin)) + " names of " +
                QByteArray::number(qlonglong(kept.size)) + " bytes\n";
        for (std::size_t i = begin + 1; i < end; ++i) {
            const std::uint32_t rec = table.rows[i];
            const ResultRecord& r = set.record(rec);
            if (r.dev == kept.dev && r.ino == kept.ino) {
                body += "# (another name of the kept file stays)\n";
                continue;
            }
            const QByteArray dup = shellQuoted(set.pathBytes(rec));
            body +=
                "cmp -s -- " + keptPath + ' ' + dup + " && rm -- " + dup + " || left " + dup + '\n';
            ++removals;
            // The names of one file free its bytes once.
            if (removed.insert(InodeKey{r.dev, r.ino}).second)
                bytes += r.size;
        }
        begin = end;
    }
    out += "# " + QByteArray::number(qlonglong(removals)) + " files to remove, " +
           QByteArray::number(qlonglong(bytes)) + " bytes to free.\n";
    out += "\nstatus=0\n"
           "left() {\n"
           "    printf 'not removed (not the same as the kept copy, or gone): %s\\n' \"$1\" >&2\n"
           "    status=1\n"
           "}\n";
    out += body;
    out += "\nexit $status\n";
    return out;
}

bool DupScript::write(const QString& file, const ReportTable& table, QString* error)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    const QByteArray script = text(table);
    if (out.write(script) != script.size() || !out.commit()) {
        *error = out.errorString();
        return false;
    }
    // Runnable by its owner only: it removes files, so nobody else should
    // run it by mistake.
    QFile written(file);
    if (!written.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ExeOwner)) {
        *error = written.errorString();
        return false;
    }
    return true;
}

} // namespace rw
