#include <gtest/gtest.h>

#include "base/SearchPath.h"

#include <QByteArray>

#include <cstdlib>

using rw::GetSearchPath;

namespace
{

struct SplitCase {
    const char* path;
    QStringList lines; // before the system and OS folders
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << '"' << c.path << '"';
}

class SearchPathSplit : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SearchPathSplit, SplitsOnColonsAndAppendsTheSystemFolders)
{
    const SplitCase& c = GetParam();
    QStringList expected = c.lines;
    expected << "/USR/LIB"
             << "/ETC";
    EXPECT_EQ(GetSearchPath(QString::fromUtf8(c.path), "/usr/lib", "/etc"), expected);
}

INSTANTIATE_TEST_SUITE_P(Values, SearchPathSplit,
                         ::testing::Values(SplitCase{"/bin:/usr/bin", {"/BIN", "/USR/BIN"}},
                                           // A final separator adds nothing.
                                           SplitCase{"/bin:/usr/bin:", {"/BIN", "/USR/BIN"}},
                                           // An empty part stays as an empty line.
                                           SplitCase{"/bin::/usr/bin", {"/BIN", "", "/USR/BIN"}},
                                           SplitCase{":/bin", {"", "/BIN"}},
                                           SplitCase{"/opt/MyApp/bin", {"/OPT/MYAPP/BIN"}},
                                           SplitCase{"", {}}));

TEST(SearchPath, EmptySystemFoldersAreLeftOut)
{
    EXPECT_EQ(GetSearchPath("/bin", "", ""), QStringList{"/BIN"});
    EXPECT_EQ(GetSearchPath("/bin", "", "/etc"), (QStringList{"/BIN", "/ETC"}));
}

TEST(SearchPath, IsOnSearchPathComparesUpperCasedAndExactly)
{
    const QStringList lines{"/USR/BIN", "", "/OPT/APP"};
    EXPECT_TRUE(rw::IsOnSearchPath(lines, "/usr/bin"));
    EXPECT_TRUE(rw::IsOnSearchPath(lines, "/Opt/App"));
    // A trailing separator makes it another folder.
    EXPECT_FALSE(rw::IsOnSearchPath(lines, "/usr/bin/"));
    EXPECT_FALSE(rw::IsOnSearchPath(lines, "/usr"));
    EXPECT_FALSE(rw::IsOnSearchPath(QStringList{}, "/usr/bin"));
}

TEST(SearchPath, EnvironmentListFeedsTheProgramList)
{
    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", "/usr/local/bin:/usr/bin");
    const QStringList lines = GetSearchPath();
    qputenv("PATH", saved);
    EXPECT_EQ(lines, (QStringList{"/USR/LOCAL/BIN", "/USR/BIN", "/USR/LIB", "/ETC"}));

    rw::setSearchPathFolders(lines);
    EXPECT_EQ(rw::searchPathFolders(), lines);
    EXPECT_TRUE(rw::IsOnSearchPath("/usr/local/bin"));
    EXPECT_TRUE(rw::IsOnSearchPath("/etc"));
    EXPECT_FALSE(rw::IsOnSearchPath("/usr/local/bin/"));
}

} // namespace
