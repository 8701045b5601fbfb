#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "framework/core/SizeFilter.h"
#include "tools/mods/core/ModsScan.h"

namespace rw
{

// The tools the command-line report can run, one sub-command each.
enum class ReportTool { Hogs, Dups, DirHogs, Dates, Clean, Stats };

// tsv: for machines (raw numbers, ISO 8601 times, the full path as a
// field); text: the window's clipboard copy; json: one typed document.
enum class ReportFormat { Tsv, Text, Json };

// The keys rows can be sorted by (--sort), each in its natural direction:
// size largest first, name, path and type A to Z, date newest first.
// Default is the tool's own order: largest first for file hogs, folder hogs
// and the groups of duplicates (ties as the window orders them), the
// window's order for the others.
enum class ReportSortKey { Default, Size, Name, Path, Date, Type };

// Everything one run of the report is asked to do, as read from its command
// line.
struct ReportRequest {
    ReportTool tool = ReportTool::Hogs;
    QStringList paths; // absolute, cleaned folders to walk, in the order given

    SizeFilter sizeFilter{SizeCondition::LargerOrEqual, 0};
    QString pattern = QStringLiteral("*.*");
    int matchMode = 0;       // dups: index into the finder's match rules (--by)
    QString scriptFile;      // dups --by contents: where --script writes the removal script
    bool allFolders = false; // dirhogs: every folder instead of the main ones
    bool saveHistory = true; // dirhogs: keep the folder totals in the scan history
    QString store;           // dirhogs --store: the history store (default: the settings')
    TestedTime testedTime = TestedTime::LastModified;
    DateRange dateRange = DateRange::OnOrBefore;
    QDate start;
    QDate end;

    ReportFormat format = ReportFormat::Tsv;
    ReportSortKey sortKey = ReportSortKey::Default;
    bool reverse = false;
    bool nulTerminated = false; // --null: TSV records end with NUL, not newline
    bool quiet = false;
    bool failIfEmpty = false; // --fail-if-empty: exit 3 when no rows are found

    QList<QByteArray> excludes; // --exclude patterns, as given
    QStringList excludeFiles;   // --exclude-from files, read before the walk
    bool diskUsage = false;     // sizes from allocated blocks instead of lengths
    int threads = -1;           // helper threads (--threads N); -1: the default
    // Things said about the command line that are no error (a date range
    // given latest first), for standard error.
    QStringList notes;
};

// What reading a command line came to.
struct ParsedReportCommand {
    enum class Outcome { Run, Help, Version, UsageError };
    Outcome outcome = Outcome::UsageError;
    ReportRequest request;
    QString text; // the help text, the version line or the usage error
};

// Reads the arguments (argv without the program name): a sub-command and
// its options and paths. Paths are made absolute against the current folder
// and cleaned; they are not checked here. Never touches the file system
// (--exclude-from files are named, not read).
ParsedReportCommand parseReportCommand(const QStringList& arguments);

// The --help text: the sub-commands, their options, the output formats and
// how a name that is not valid UTF-8 is written.
QString reportHelpText();

// A size argument: a whole number with an optional suffix K, M, G or T
// (powers of 1024, either case, an optional trailing B or iB); a bare number
// is multiplied by `bareFactor` (1024 with --kb). False when it is no such
// number or does not fit 64 bits.
bool parseSizeArgument(const QString& text, std::int64_t bareFactor, std::int64_t* out);

// The --by words in the order of the finder's match rules.
const QStringList& reportMatchWords();

} // namespace rw
