#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "framework/core/SizeFilter.h"
#include "tools/mods/core/ModsScan.h"

namespace rw
{

// The tools the command-line report can run, one sub-command each.
enum class ReportTool { Hogs, Dups, DirHogs, Dates, Clean, Stats };

enum class ReportFormat { Tsv, Json };

// The keys rows can be sorted by (--sort); Default keeps the tool's own order,
// the order its window's clipboard copy has.
enum class ReportSortKey { Default, Size, Name, Path, Date, Type };

// Everything one run of the report is asked to do, as read from its command
// line.
struct ReportRequest {
    ReportTool tool = ReportTool::Hogs;
    QStringList paths; // absolute, cleaned folders to walk, in the order given

    SizeFilter sizeFilter{SizeCondition::LargerOrEqual, 0};
    QString pattern = QStringLiteral("*.*");
    int matchMode = 0;       // dups: index into the finder's match rules (--by)
    bool allFolders = false; // dirhogs: every folder instead of the main ones
    TestedTime testedTime = TestedTime::LastModified;
    DateRange dateRange = DateRange::OnOrBefore;
    QDate start;
    QDate end;

    ReportFormat format = ReportFormat::Tsv;
    ReportSortKey sortKey = ReportSortKey::Default;
    bool reverse = false;
    bool nulTerminated = false; // --null: TSV records end with NUL, not newline
    bool quiet = false;
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
// and cleaned; they are not checked here. Never touches the file system.
ParsedReportCommand parseReportCommand(const QStringList& arguments);

// The --help text: the sub-commands, their options, the output formats and
// how a name that is not valid UTF-8 is written.
QString reportHelpText();

// The --by words in the order of the finder's match rules.
const QStringList& reportMatchWords();

} // namespace rw
