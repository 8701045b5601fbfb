#include "launcher/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace rw
{

CommandLine::CommandLine(int argc, const char* const* argv)
{
    for (int i = 0; i < argc; ++i)
        m_arguments << QByteArray(argv[i]);
}

CommandLine::CommandLine(const QList<QByteArray>& arguments) : m_arguments(arguments) {}

void CommandLine::process()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Find what fills a disk. Each PATH is a folder to look at this run: it "
                       "is listed as a drive of its own and ticked in every tool window."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption map(
        QStringLiteral("map"),
        QCoreApplication::translate("CommandLine", "Open the folder map of FOLDER at start."),
        QStringLiteral("FOLDER"));
    parser.addOption(map);
    const QCommandLineOption grew(
        QStringLiteral("grew"),
        QCoreApplication::translate("CommandLine",
                                    "Open \"What grew\" on the kept scans of FOLDER at start."),
        QStringLiteral("FOLDER"));
    parser.addOption(grew);
    parser.addPositionalArgument(QStringLiteral("PATH"),
                                 QCoreApplication::translate("CommandLine", "A folder to look at."),
                                 QStringLiteral("[PATH...]"));
    // Latin-1 gives every byte a character of its own and back, and the
    // option names are ASCII: the PATHs come out as the bytes that went in.
    QStringList arguments;
    for (const QByteArray& argument : m_arguments)
        arguments << QString::fromLatin1(argument);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(parser.errorText()),
                     qPrintable(parser.helpText()));
        std::exit(2);
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    m_mapFolder = parser.value(map).toLatin1();
    m_growthFolder = parser.value(grew).toLatin1();
    m_folders.clear();
    for (const QString& path : parser.positionalArguments())
        m_folders << path.toLatin1();
}

} // namespace rw
