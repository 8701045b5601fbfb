#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace rw
{

// The program's command line: `roomwise [--map FOLDER] [--grew FOLDER] [PATH...]`,
// --help and
// --version.
// Each PATH is a folder to look at this run. The arguments are taken as the
// bytes the program was given, so a folder whose name is not UTF-8 is the
// folder it names.
class CommandLine
{
public:
    // The arguments as given to main() (the program's name first).
    CommandLine(int argc, const char* const* argv);
    explicit CommandLine(const QList<QByteArray>& arguments);

    // Reads the arguments. --help and --version print their text and end the
    // process with status 0; an unknown option prints the error and the
    // usage and ends it with status 2. Otherwise returns.
    void process();

    // The PATHs, in the order given.
    const QList<QByteArray>& folders() const { return m_folders; }
    // The folder --map names (the file system's bytes); empty without it.
    const QByteArray& mapFolder() const { return m_mapFolder; }
    // The folder --grew names (the file system's bytes); empty without it.
    const QByteArray& growthFolder() const { return m_growthFolder; }

private:
    QList<QByteArray> m_arguments;
    QList<QByteArray> m_folders;
    QByteArray m_mapFolder;
    QByteArray m_growthFolder;
};

} // namespace rw
