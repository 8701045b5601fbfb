#include "report/core/ReportRequest.h"

#include "report/core/HistoryCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include "tools/dup/core/DupScan.h"

#include <limits>
#include <utility>

namespace rw
{

const QStringList& reportMatchWords()
{
    static const QStringList words = {
        QStringLiteral("name"),      QStringLiteral("name-size"), QStringLiteral("name-size-time"),
        QStringLiteral("size"),      QStringLiteral("size-time"), QStringLiteral("size-type"),
        QStringLiteral("type-time"), QStringLiteral("contents"),  QStringLiteral("folders")};
    return words;
}

QString reportHelpText()
{
    return QStringLiteral(
        "Usage: roomwise-report COMMAND PATH... [OPTIONS]\n"
        "Lists what a Roomwise tool window would list for the folders PATH..., read-only.\n"
        "\n"
        "Commands:\n"
        "  hogs PATH... [--larger N|--smaller N|--between N M] [--kb] [--match PATTERN]\n"
        "      file hogs: files by size, largest first\n"
        "  dups PATH... --by name|name-size|name-size-time|size|size-time|size-type|\n"
        "                    type-time|contents [size filters] [--match PATTERN]\n"
        "      duplicate files by the chosen rule, one group after another, the group\n"
        "      with the largest file first\n"
        "  dups PATH... --by contents --script FILE\n"
        "      also writes FILE, a sh script to read and then run: it removes every\n"
        "      file of a group but the first as listed, each only while 'cmp' still\n"
        "      finds it equal to the kept one\n"
        "  dups PATH... --by folders [size filters]\n"
        "      folders whose whole trees hold the same names and contents, largest\n"
        "      first; a copy's sub-folders are not listed again. Folders holding\n"
        "      links, special files, hidden or unreadable sub-folders are never listed\n"
        "  dirhogs PATH... [--all] [--no-save] [--store LOCATION]\n"
        "      folder hogs: the main folders of each PATH (every folder with --all),\n"
        "      largest first; the totals of every folder are kept in the scan history\n"
        "      (see grew) unless --no-save is given or the settings turn it off\n"
        "  dates PATH... --what accessed|created|modified\n"
        "                (--before D|--after D|--between D1 D2) [--match PATTERN]\n"
        "      files by date; dates as YYYY-MM-DD, each bound included\n"
        "  clean PATH...\n"
        "      temporary files, by the stored (or default) patterns of the cleaner\n"
        "  stats PATH...\n"
        "      the statistics counters: size, age, hour, attribute and type tables, slack\n"
        "\n"
        "%1"
        "\n"
        "Size filters: --larger N (size >= N), --smaller N (size <= N), --between N M.\n"
        "N in bytes, or with a suffix K, M, G, T (powers of 1024: 10M, 1G); a bare N is\n"
        "in KB with --kb. PATTERN is a wildcard such as *.log (default *.*).\n"
        "\n"
        "What is walked:\n"
        "  --exclude PATTERN   leave out entries whose name matches PATTERN (a shell\n"
        "                      wildcard), or, when PATTERN holds a '/', whose path below\n"
        "                      the PATH does; an excluded folder is not entered\n"
        "                      (repeatable)\n"
        "  --exclude-from FILE the patterns of FILE, one a line ('#' starts a comment)\n"
        "  --disk-usage        sizes are the space files take on disk (allocated blocks),\n"
        "                      not their length; folder totals count hard links once\n"
        "                      (not with dups --by contents or folders)\n"
        "  --threads N         helper threads for the walk and for reading contents\n"
        "                      (0: none)\n"
        "Each file is listed once, even when PATHs overlap or one is reached through a\n"
        "link or a bind mount of another. Hidden folders, links and other file systems\n"
        "are not entered.\n"
        "\n"
        "Output:\n"
        "  --format tsv   for scripts (default): one record a line, fields separated by\n"
        "                 tabs; sizes and counts as plain integers, times as ISO 8601\n"
        "                 local date-times, the path last. The fields:\n"
        "                   hogs     size, modified, path\n"
        "                   dups     group, size, modified, path (group counts from 1)\n"
        "                   dirhogs  size, files, subfolders, latest access, path\n"
        "                   dates    size, modified, accessed, created, path\n"
        "                   clean    size, modified, on search path (1 or 0), path\n"
        "                   stats    table, class, count, bytes\n"
        "                 A time that is not recorded is an empty field.\n"
        "  --format text  the tool window's clipboard copy, line for line\n"
        "  --format json  one JSON document with typed fields: sizes and times as numbers\n"
        "                 (seconds since 1970 UTC) and ISO 8601 texts; dups as groups\n"
        "  --null         end each tsv or text record with a NUL byte, not a newline\n"
        "  --sort size|name|path|date|type   sort the rows: size largest first, name,\n"
        "                 path and type A to Z, date (last modification) newest first;\n"
        "                 duplicates are sorted within each group\n"
        "  --reverse      reverse the order\n"
        "  --quiet        no progress on standard error\n"
        "  --fail-if-empty  exit with 3 when nothing is found\n"
        "\n"
        "File names: a byte that is not UTF-8 shows as \\xHH, a tab, newline or carriage\n"
        "return as \\t, \\n, \\r and a backslash as \\\\, as the windows show them. In JSON\n"
        "every row has \"path\" as text; where the name is not valid UTF-8 (or holds a\n"
        "byte the text cannot carry) the row also has \"path_base64\", the exact bytes of\n"
        "the path in base64 (RFC 4648): decode it to get the file's real name.\n"
        "\n"
        "Exit status: 0 the run completed (with rows or without), 1 it completed but a\n"
        "folder or PATH could not be read (each is named on standard error with the\n"
        "reason), 2 a usage error or no PATH could be read, 3 nothing was found and\n"
        "--fail-if-empty was given. Nothing in the trees read is ever deleted, written\n"
        "or changed: dirhogs and import write only to the scan history, export only\n"
        "the file it is given, --script only the script it names.\n"
        "\n"
        "  -h, --help     this text\n"
        "  -v, --version  the program's version\n")
        .arg(historyHelpText());
}

namespace
{

ParsedReportCommand usageError(const QString& text)
{
    ParsedReportCommand out;
    out.outcome = ParsedReportCommand::Outcome::UsageError;
    out.text = text + QStringLiteral("\nTry 'roomwise-report --help'.");
    return out;
}

bool readCount(const QString& text, std::int64_t* out)
{
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < 0)
        return false;
    *out = v;
    return true;
}

bool readThreads(const QString& text, int* out)
{
    std::int64_t n = 0;
    if (!readCount(text, &n) || n > 64)
        return false;
    *out = int(n);
    return true;
}

QDate readDate(const QString& text)
{
    return QDate::fromString(text, Qt::ISODate);
}

} // namespace

bool parseSizeArgument(const QString& text, std::int64_t bareFactor, std::int64_t* out)
{
    QString digits = text.trimmed();
    std::int64_t factor = bareFactor;
    // "10M", "10MB", "10MiB" alike.
    if (digits.endsWith(QLatin1String("iB"), Qt::CaseInsensitive))
        digits.chop(2);
    else if (digits.size() > 1 && digits.endsWith(QLatin1Char('B'), Qt::CaseInsensitive) &&
             !digits.at(digits.size() - 2).isDigit())
        digits.chop(1);
    if (!digits.isEmpty()) {
        static const QString suffixes = QStringLiteral("KMGT");
        const qsizetype at = suffixes.indexOf(digits.back().toUpper());
        if (at >= 0) {
            digits.chop(1);
            factor = std::int64_t(1) << (10 * (at + 1));
        }
    }
    std::int64_t n = 0;
    if (digits.isEmpty() || !digits.at(0).isDigit() || !readCount(digits, &n))
        return false;
    if (n > std::numeric_limits<std::int64_t>::max() / factor)
        return false;
    *out = n * factor;
    return true;
}

ParsedReportCommand parseReportCommand(const QStringList& arguments)
{
    // The two-value options (--between N M) become two one-value options,
    // which QCommandLineParser reads.
    QStringList args{QStringLiteral("roomwise-report")};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--between")) {
            if (i + 2 >= arguments.size())
                return usageError(QStringLiteral("--between needs two values"));
            args << QStringLiteral("--between-low=") + arguments[i + 1]
                 << QStringLiteral("--between-high=") + arguments[i + 2];
            i += 2;
        } else {
            args << a;
        }
    }

    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption larger(QStringLiteral("larger"), QString(), QStringLiteral("N"));
    const QCommandLineOption smaller(QStringLiteral("smaller"), QString(), QStringLiteral("N"));
    const QCommandLineOption betweenLow(QStringLiteral("between-low"), QString(),
                                        QStringLiteral("N"));
    const QCommandLineOption betweenHigh(QStringLiteral("between-high"), QString(),
                                         QStringLiteral("M"));
    const QCommandLineOption kb(QStringLiteral("kb"), QString());
    const QCommandLineOption match(QStringLiteral("match"), QString(), QStringLiteral("PATTERN"));
    const QCommandLineOption by(QStringLiteral("by"), QString(), QStringLiteral("RULE"));
    const QCommandLineOption all(QStringLiteral("all"), QString());
    const QCommandLineOption what(QStringLiteral("what"), QString(), QStringLiteral("TIME"));
    const QCommandLineOption before(QStringLiteral("before"), QString(), QStringLiteral("D"));
    const QCommandLineOption after(QStringLiteral("after"), QString(), QStringLiteral("D"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("F"));
    const QCommandLineOption sort(QStringLiteral("sort"), QString(), QStringLiteral("KEY"));
    const QCommandLineOption reverse(QStringLiteral("reverse"), QString());
    const QCommandLineOption null(QStringLiteral("null"), QString());
    const QCommandLineOption quiet(QStringLiteral("quiet"), QString());
    const QCommandLineOption failIfEmpty(QStringLiteral("fail-if-empty"), QString());
    const QCommandLineOption exclude(QStringLiteral("exclude"), QString(),
                                     QStringLiteral("PATTERN"));
    const QCommandLineOption excludeFrom(QStringLiteral("exclude-from"), QString(),
                                         QStringLiteral("FILE"));
    const QCommandLineOption diskUsage(QStringLiteral("disk-usage"), QString());
    const QCommandLineOption threads(QStringLiteral("threads"), QString(), QStringLiteral("N"));
    const QCommandLineOption noSave(QStringLiteral("no-save"), QString());
    const QCommandLineOption store(QStringLiteral("store"), QString(), QStringLiteral("LOCATION"));
    const QCommandLineOption script(QStringLiteral("script"), QString(), QStringLiteral("FILE"));
    p.addOptions({help,      version, larger, smaller, betweenLow,  betweenHigh, kb,
                  match,     by,      all,    what,    before,      after,       format,
                  sort,      reverse, null,   quiet,   failIfEmpty, exclude,     excludeFrom,
                  diskUsage, threads, noSave, store,   script});
    if (!p.parse(args))
        return usageError(p.errorText());

    ParsedReportCommand out;
    if (p.isSet(help)) {
        out.outcome = ParsedReportCommand::Outcome::Help;
        out.text = reportHelpText();
        return out;
    }
    if (p.isSet(version)) {
        out.outcome = ParsedReportCommand::Outcome::Version;
        out.text = QStringLiteral("roomwise-report ") + QCoreApplication::applicationVersion();
        return out;
    }

    QStringList positional = p.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString command = positional.takeFirst();
    static const QStringList commands = {QStringLiteral("hogs"),    QStringLiteral("dups"),
                                         QStringLiteral("dirhogs"), QStringLiteral("dates"),
                                         QStringLiteral("clean"),   QStringLiteral("stats")};
    const qsizetype toolIndex = commands.indexOf(command);
    if (toolIndex < 0)
        return usageError(QStringLiteral("unknown command '%1'").arg(command));
    if (positional.isEmpty())
        return usageError(QStringLiteral("%1: no PATH given").arg(command));

    // An empty operand would become the working folder through the path
    // cleaning below, so "$UNSET_VARIABLE" would walk wherever the script
    // happens to stand.
    if (positional.contains(QString()))
        return usageError(QStringLiteral("%1: an empty PATH was given").arg(command));

    ReportRequest& r = out.request;
    r.tool = ReportTool(toolIndex);
    for (const QString& path : positional)
        r.paths << QDir::cleanPath(QDir::current().absoluteFilePath(path));

    // Options only some tools take are refused elsewhere, so a mistyped
    // command line never runs as something else.
    const bool sizeTool = r.tool == ReportTool::Hogs || r.tool == ReportTool::Dups;
    const bool matchTool = sizeTool || r.tool == ReportTool::Dates;
    const auto refuse = [&](const QCommandLineOption& o, bool allowed) {
        return !allowed && p.isSet(o);
    };
    for (const QCommandLineOption* o : {&larger, &smaller, &kb})
        if (refuse(*o, sizeTool))
            return usageError(
                QStringLiteral("%1: --%2 does not apply").arg(command, o->names().constLast()));
    if (refuse(betweenLow, matchTool))
        return usageError(QStringLiteral("%1: --between does not apply").arg(command));
    if (refuse(match, matchTool) || refuse(by, r.tool == ReportTool::Dups) ||
        refuse(all, r.tool == ReportTool::DirHogs) ||
        refuse(noSave, r.tool == ReportTool::DirHogs) ||
        refuse(store, r.tool == ReportTool::DirHogs) || refuse(what, r.tool == ReportTool::Dates) ||
        refuse(before, r.tool == ReportTool::Dates) || refuse(after, r.tool == ReportTool::Dates))
        return usageError(
            QStringLiteral("%1: an option was given that does not apply").arg(command));

    if (sizeTool) {
        const int given = int(p.isSet(larger)) + int(p.isSet(smaller)) + int(p.isSet(betweenLow));
        if (given > 1)
            return usageError(QStringLiteral("give one of --larger, --smaller, --between"));
        SizeCondition condition = SizeCondition::LargerOrEqual;
        std::int64_t low = 0;
        std::int64_t high = 0;
        bool ok = true;
        // Suffixes are read here, so the filter gets bytes.
        const std::int64_t bare = p.isSet(kb) ? 1024 : 1;
        if (p.isSet(smaller)) {
            condition = SizeCondition::SmallerOrEqual;
            ok = parseSizeArgument(p.value(smaller), bare, &low);
        } else if (p.isSet(betweenLow)) {
            condition = SizeCondition::Between;
            ok = parseSizeArgument(p.value(betweenLow), bare, &low) &&
                 parseSizeArgument(p.value(betweenHigh), bare, &high);
        } else if (p.isSet(larger)) {
            ok = parseSizeArgument(p.value(larger), bare, &low);
        }
        if (!ok)
            return usageError(QStringLiteral(
                "sizes are whole numbers of bytes, with K, M, G or T for powers of 1024 "
                "(or KB with --kb)"));
        r.sizeFilter = SizeFilter::fromInput(condition, low, high, QStringLiteral("bytes"));
    }
    if (p.isSet(match))
        r.pattern = p.value(match);

    if (r.tool == ReportTool::Dups) {
        if (!p.isSet(by))
            return usageError(QStringLiteral("dups: --by is required"));
        r.matchMode = int(reportMatchWords().indexOf(p.value(by)));
        if (r.matchMode < 0)
            return usageError(QStringLiteral("dups: unknown rule '%1'").arg(p.value(by)));
        // Contents are read by the files' lengths: allocated sizes would make
        // every file look changed, and nothing would be found.
        if ((r.matchMode == mmContents || r.matchMode == mmFolders) && p.isSet(diskUsage))
            return usageError(
                QStringLiteral("dups: --disk-usage does not apply to --by contents or folders"));
        // Whole trees are compared: a pattern would leave part of them out.
        if (r.matchMode == mmFolders && p.isSet(match))
            return usageError(QStringLiteral("dups: --match does not apply to --by folders"));
        if (p.isSet(script)) {
            if (r.matchMode != mmContents)
                return usageError(QStringLiteral("dups: --script needs --by contents"));
            if (p.value(script).isEmpty())
                return usageError(QStringLiteral("dups: --script needs a file name"));
            r.scriptFile = p.value(script);
        }
    } else if (p.isSet(script)) {
        return usageError(QStringLiteral("%1: --script does not apply").arg(command));
    }
    r.allFolders = p.isSet(all);
    r.saveHistory = !p.isSet(noSave);
    r.store = p.value(store);

    if (r.tool == ReportTool::Dates) {
        static const QStringList times = {QStringLiteral("accessed"), QStringLiteral("created"),
                                          QStringLiteral("modified")};
        const qsizetype t = times.indexOf(p.value(what));
        if (t < 0)
            return usageError(
                QStringLiteral("dates: --what accessed|created|modified is required"));
        r.testedTime = TestedTime(t);
        const int given = int(p.isSet(before)) + int(p.isSet(after)) + int(p.isSet(betweenLow));
        if (given != 1)
            return usageError(QStringLiteral("dates: give one of --before, --after, --between"));
        if (p.isSet(before)) {
            r.dateRange = DateRange::OnOrBefore;
            r.start = readDate(p.value(before));
        } else if (p.isSet(after)) {
            r.dateRange = DateRange::OnOrAfter;
            r.start = readDate(p.value(after));
        } else {
            r.dateRange = DateRange::InBetween;
            r.start = readDate(p.value(betweenLow));
            r.end = readDate(p.value(betweenHigh));
            if (!r.end.isValid())
                return usageError(QStringLiteral("dates are written YYYY-MM-DD"));
            // Either order names the same days; say which were read.
            if (r.start.isValid() && r.end < r.start) {
                r.notes << QStringLiteral("dates: the later date was given first; the files "
                                          "from %1 to %2 are listed")
                               .arg(r.end.toString(Qt::ISODate), r.start.toString(Qt::ISODate));
                std::swap(r.start, r.end);
            }
        }
        if (!r.start.isValid())
            return usageError(QStringLiteral("dates are written YYYY-MM-DD"));
    }

    if (p.isSet(format)) {
        if (p.value(format) == QLatin1String("tsv"))
            r.format = ReportFormat::Tsv;
        else if (p.value(format) == QLatin1String("text"))
            r.format = ReportFormat::Text;
        else if (p.value(format) == QLatin1String("json"))
            r.format = ReportFormat::Json;
        else
            return usageError(QStringLiteral("--format is tsv, text or json"));
    }
    if (p.isSet(sort)) {
        static const QStringList keys = {QStringLiteral("size"), QStringLiteral("name"),
                                         QStringLiteral("path"), QStringLiteral("date"),
                                         QStringLiteral("type")};
        const qsizetype k = keys.indexOf(p.value(sort));
        if (k < 0)
            return usageError(QStringLiteral("--sort is size, name, path, date or type"));
        r.sortKey = ReportSortKey(k + 1);
    }
    r.reverse = p.isSet(reverse);
    r.nulTerminated = p.isSet(null);
    r.quiet = p.isSet(quiet);
    r.failIfEmpty = p.isSet(failIfEmpty);
    for (const QString& pattern : p.values(exclude)) {
        if (pattern.isEmpty())
            return usageError(QStringLiteral("--exclude needs a pattern"));
        r.excludes << pattern.toLocal8Bit();
    }
    r.excludeFiles = p.values(excludeFrom);
    r.diskUsage = p.isSet(diskUsage);
    if (p.isSet(threads) && !readThreads(p.value(threads), &r.threads))
        return usageError(QStringLiteral("--threads is a whole number from 0 to 64"));
    out.outcome = ParsedReportCommand::Outcome::Run;
    return out;
}

} // namespace rw
