// The program's options as the bytes given: --map and --grew name their
// folders, PATHs stay folders of the run, whatever bytes the names hold.
#include <gtest/gtest.h>

#include "launcher/CommandLine.h"

using rw::CommandLine;

TEST(CommandLine, FolderOptionsAndPathsKeepTheirBytes)
{
    const QByteArray odd("/srv/d\xff\tx", 9);
    const struct {
        QList<QByteArray> arguments;
        QByteArray map, grew;
        QList<QByteArray> folders;
    } table[] = {
        {{"roomwise", "--grew", odd}, {}, odd, {}},
        {{"roomwise", "--grew=/home/ann", "/srv"}, {}, "/home/ann", {"/srv"}},
        {{"roomwise", "--map", "/a", "--grew", "/b", odd}, "/a", "/b", {odd}},
        {{"roomwise", odd}, {}, {}, {odd}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        CommandLine commandLine(row.arguments);
        commandLine.process();
        EXPECT_EQ(commandLine.mapFolder(), row.map);
        EXPECT_EQ(commandLine.growthFolder(), row.grew);
        EXPECT_EQ(commandLine.folders(), row.folders);
    }
}
