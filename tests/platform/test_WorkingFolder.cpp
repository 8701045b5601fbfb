#include "platform/WorkingFolder.h"

#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace
{

// Restores the working folder a test changed.
class WorkingFolderKeeper
{
public:
    WorkingFolderKeeper() : m_saved(rw::workingFolderBytes()) {}
    ~WorkingFolderKeeper() { rw::changeWorkingFolder(m_saved); }

private:
    QByteArray m_saved;
};

TEST(WorkingFolder, ChangesAndReportsTheFolderByItsBytes)
{
    WorkingFolderKeeper keep;
    rwtest::FixtureBuilder fx;
    const QByteArray odd = QByteArray("odd\tname\xff");
    const QByteArray base = QFile::encodeName(QDir(fx.base()).canonicalPath());
    const QByteArray folder = rwtest::rawFolder(base + '/' + odd);

    ASSERT_TRUE(rw::changeWorkingFolder(folder));
    EXPECT_EQ(rw::workingFolderBytes(), folder);
    // A folder that is not there leaves the working folder alone.
    EXPECT_FALSE(rw::changeWorkingFolder(base + "/missing"));
    EXPECT_EQ(rw::workingFolderBytes(), folder);
}

TEST(WorkingFolder, FolderTestAndResolutionFollowLinks)
{
    rwtest::FixtureBuilder fx;
    fx.folder("real");
    fx.file("plain.txt", 3);
    fx.symlink("toReal", "real");
    fx.symlink("dangling", "nowhere");
    const QByteArray base = QFile::encodeName(QDir(fx.base()).canonicalPath());

    const struct {
        const char* name;
        bool isFolder;
        bool resolves;
        const char* resolved;
    } cases[] = {
        {"real", true, true, "/real"},
        {"toReal", true, true, "/real"},
        {"plain.txt", false, true, "/plain.txt"},
        {"dangling", false, false, ""},
        {"missing", false, false, ""},
    };
    for (const auto& c : cases) {
        const QByteArray path = base + '/' + c.name;
        EXPECT_EQ(rw::isFolderPath(path), c.isFolder) << c.name;
        QByteArray out = "untouched";
        EXPECT_EQ(rw::resolvedPathBytes(path, &out), c.resolves) << c.name;
        EXPECT_EQ(out, c.resolves ? base + c.resolved : QByteArray("untouched")) << c.name;
    }
}

} // namespace
