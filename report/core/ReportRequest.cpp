#include "report/core/ReportRequest.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace rw
{

const QStringList& reportMatchWords()
{
    static const QStringList words = {QStringLiteral("name"),           QStringLiteral("name-size"),
                                      QStringLiteral("name-size-time"), QStringLiteral("size"),
                                      QStringLiteral("size-time"),      QStringLiteral("size-type"),
                                      QStringLiteral("type-time"),      QStringLiteral("contents")};
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
        "      duplicate files by the chosen rule, one group after another\n"
        "  dirhogs PATH... [--all]\n"
        "      folder hogs: the main folders of each PATH (every folder with --all)\n"
        "  dates PATH... --what accessed|created|modified\n"
        "                (--before D|--after D|--between D1 D2) [--match PATTERN]\n"
        "      files by date; dates as YYYY-MM-DD, each bound included\n"
        "  clean PATH...\n"
        "      temporary files, by the stored (or default) patterns of the cleaner\n"
        "  stats PATH...\n"
        "      the statistics counters: size, age, hour, attribute and type tables, slack\n"
        "\n"
        "Size filters: --larger N (size >= N), --smaller N (size <= N), --between N M;\n"
        "N in bytes, or in KB with --kb. PATTERN is a wildcard such as *.log (default *.*).\n"
        "\n"
        "Output:\n"
        "  --format tsv   one line per row, fields separated by tabs, as the window's\n"
        "                 clipboard copy has them (default)\n"
        "  --format json  one JSON document with typed fields: sizes and times as numbers\n"
        "                 (seconds since 1970 UTC) and ISO 8601 texts; dups as groups\n"
        "  --null         end each TSV record with a NUL byte instead of a newline\n"
        "  --sort size|name|path|date|type   sort the rows (date: last modification)\n"
        "  --reverse      reverse the order\n"
        "  --quiet        no progress on standard error\n"
        "\n"
        "File names: TSV shows a byte that is not UTF-8 as \\xHH and a tab, newline or\n"
        "carriage return as \\t, \\n, \\r, as the windows do. In JSON every row has\n"
        "\"path\" as text; where the name is not valid UTF-8 (or holds a byte the text\n"
        "cannot carry) the row also has \"path_base64\", the exact bytes of the path in\n"
        "base64 (RFC 4648): decode it to get the file's real name.\n"
        "\n"
        "Exit status: 0 rows were found, 1 none were, 2 a usage error or a PATH that\n"
        "cannot be read. Nothing is ever deleted, written or changed.\n"
        "\n"
        "  -h, --help     this text\n"
        "  -v, --version  the program's version\n");
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

QDate readDate(const QString& text)
{
    return QDate::fromString(text, Qt::ISODate);
}

} // namespace

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
    p.addOptions({help, version, larger, smaller, betweenLow, betweenHigh, kb, match, by, all, what,
                  before, after, format, sort, reverse, null, quiet});
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
    for (const QCommandLineOption* o : {&larger, &smaller, &betweenLow, &kb})
        if (refuse(*o, sizeTool))
            return usageError(
                QStringLiteral("%1: --%2 does not apply").arg(command, o->names().constLast()));
    if (refuse(match, matchTool) || refuse(by, r.tool == ReportTool::Dups) ||
        refuse(all, r.tool == ReportTool::DirHogs) || refuse(what, r.tool == ReportTool::Dates) ||
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
        if (p.isSet(smaller)) {
            condition = SizeCondition::SmallerOrEqual;
            ok = readCount(p.value(smaller), &low);
        } else if (p.isSet(betweenLow)) {
            condition = SizeCondition::Between;
            ok = readCount(p.value(betweenLow), &low) && readCount(p.value(betweenHigh), &high);
        } else if (p.isSet(larger)) {
            ok = readCount(p.value(larger), &low);
        }
        if (!ok)
            return usageError(QStringLiteral("sizes are whole numbers of bytes (or KB with --kb)"));
        r.sizeFilter = SizeFilter::fromInput(
            condition, low, high, p.isSet(kb) ? QStringLiteral("KB") : QStringLiteral("bytes"));
    }
    if (p.isSet(match))
        r.pattern = p.value(match);

    if (r.tool == ReportTool::Dups) {
        if (!p.isSet(by))
            return usageError(QStringLiteral("dups: --by is required"));
        r.matchMode = int(reportMatchWords().indexOf(p.value(by)));
        if (r.matchMode < 0)
            return usageError(QStringLiteral("dups: unknown rule '%1'").arg(p.value(by)));
    }
    r.allFolders = p.isSet(all);

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
        }
        if (!r.start.isValid())
            return usageError(QStringLiteral("dates are written YYYY-MM-DD"));
    }

    if (p.isSet(format)) {
        if (p.value(format) == QLatin1String("tsv"))
            r.format = ReportFormat::Tsv;
        else if (p.value(format) == QLatin1String("json"))
            r.format = ReportFormat::Json;
        else
            return usageError(QStringLiteral("--format is tsv or json"));
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
    out.outcome = ParsedReportCommand::Outcome::Run;
    return out;
}

} // namespace rw
