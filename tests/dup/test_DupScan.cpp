#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

#include "framework/core/FolderWalker.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/dup/core/DupScan.h"

using namespace rw;

namespace
{

QString typeOf(const QString& ext)
{
    return ext.isEmpty() ? QString() : ext.mid(1).toUpper() + QStringLiteral(" File");
}

// Walks drive D: (mapped to the fixture's "tree") with `scan`; false when
// there is no drive D.
bool walkD(DupScan& scan)
{
    bool abort = false;
    FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    DriveInfo drive;
    if (!findDrive(QChar('D'), &drive))
        return false;
    walker.scanAllDrives({drive.entryText()});
    return true;
}

// Walks drive D: (mapped to the fixture's "tree") with the finder's strategy
// and returns the grid lines.
QStringList scanD(bool duplicates, int mode, const SizeFilter& filter,
                  QStringList* collected = nullptr)
{
    DupScan scan(duplicates, mode, filter, QStringLiteral("*.*"));
    scan.setTypeDescriber(&typeOf);
    bool abort = false;
    FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    DriveInfo drive;
    EXPECT_TRUE(findDrive(QChar('D'), &drive));
    walker.scanAllDrives({drive.entryText()});
    QStringList lines;
    for (std::uint32_t rec : scan.resultRecords())
        lines.append(scan.lines()->line(rec));
    if (collected) {
        collected->clear();
        for (std::uint32_t rec : scan.collection())
            collected->append(scan.lines()->line(rec));
    }
    return lines;
}

// The full path of a duplicate line, relative to the tree ("a/same.txt").
QString relPath(const QString& line, int mode, const QString& root)
{
    const QStringList f = line.split('\t');
    const QList<int> order = dupFieldOrder(mode);
    const QString name = f.at(order[0] - 1);
    const QString folder = f.at(order[5] - 1);
    return QDir(root).relativeFilePath(folder + '/' + name);
}

const QDateTime kT1(QDate(2020, 1, 5), QTime(10, 0, 0));
const QDateTime kT2(QDate(2020, 2, 5), QTime(11, 0, 0));
const QDateTime kT3(QDate(2020, 3, 5), QTime(12, 0, 0));

// Files that each rule groups differently. Under "Size" rules the sorted
// lines of 100 bytes are other.dat, same.txt x3, zzz.dat: equal keys of the
// rules 4 and 5 are separated by lines with other keys.
QString buildRuleTree(rwtest::FixtureBuilder& fb)
{
    struct F {
        const char* rel;
        int size;
        QDateTime modified;
    };
    const F files[] = {
        {"tree/a/same.txt", 100, kT1},   {"tree/b/same.txt", 100, kT1},
        {"tree/c/same.txt", 100, kT2},   {"tree/d/SAME.TXT", 200, kT1},
        {"tree/e/other.dat", 100, kT2},  {"tree/f/third.dat", 300, kT2},
        {"tree/g/fourth.dat", 300, kT3}, {"tree/h/zzz.dat", 100, kT1},
    };
    for (const F& f : files) {
        fb.file(QString::fromLatin1(f.rel), f.size);
        fb.setTimes(QString::fromLatin1(f.rel), f.modified, kT3);
    }
    fb.mapDrive('D', QStringLiteral("tree"));
    return fb.path(QStringLiteral("tree"));
}

} // namespace

TEST(DupScan, EachRuleGroupsExactlyTheFilesWithEqualKeys)
{
    rwtest::FixtureBuilder fb;
    const QString root = buildRuleTree(fb);
    struct Case {
        int mode;
        QStringList expected; // grid order
    };
    const Case cases[] = {
        {mmFilename, {"a/same.txt", "b/same.txt", "c/same.txt", "d/SAME.TXT"}},
        {mmFilenameSize, {"a/same.txt", "b/same.txt", "c/same.txt"}},
        {mmFilenameSizeDate, {"a/same.txt", "b/same.txt"}},
        {mmSize,
         {"e/other.dat", "a/same.txt", "b/same.txt", "c/same.txt", "h/zzz.dat", "g/fourth.dat",
          "f/third.dat"}},
        // (100, 2/5) starts with other.dat; c/same.txt joins it across the
        // lines of (100, 1/5) in between.
        {mmSizeDate, {"e/other.dat", "c/same.txt", "a/same.txt", "b/same.txt", "h/zzz.dat"}},
        {mmSizeType,
         {"e/other.dat", "h/zzz.dat", "a/same.txt", "b/same.txt", "c/same.txt", "g/fourth.dat",
          "f/third.dat"}},
        {mmTypeDate, {"e/other.dat", "f/third.dat", "a/same.txt", "b/same.txt", "d/SAME.TXT"}},
    };
    for (const Case& c : cases) {
        QStringList got;
        for (const QString& line : scanD(true, c.mode, SizeFilter()))
            got.append(relPath(line, c.mode, root));
        EXPECT_EQ(got, c.expected) << "mode " << c.mode;
    }
}

TEST(DupScan, NameRuleIgnoresCaseAndEachRowKeepsItsOwnFolderAndCase)
{
    rwtest::FixtureBuilder fb;
    fb.file(QStringLiteral("tree/README.TXT"), 10);
    fb.file(QStringLiteral("tree/DOC/readme.txt"), 20);
    fb.file(QStringLiteral("tree/DOC/ünïcode.txt"), 5);
    fb.file(QStringLiteral("tree/Other/ünïcode.txt"), 6);
    fb.file(QStringLiteral("tree/Other/single.txt"), 7);
    fb.mapDrive('D', QStringLiteral("tree"));
    const QString root = fb.path(QStringLiteral("tree"));

    const QStringList lines = scanD(true, mmFilename, SizeFilter());
    ASSERT_EQ(lines.size(), 4);
    // Sorted case-insensitively: readme before ünïcode.
    EXPECT_EQ(lines[0].split('\t').mid(0, 2), QStringList({"README.TXT", "10"}));
    EXPECT_EQ(lines[0].split('\t').at(5), root);
    EXPECT_EQ(lines[1].split('\t').mid(0, 2), QStringList({"readme.txt", "20"}));
    EXPECT_EQ(lines[1].split('\t').at(5), root + "/DOC");
    EXPECT_EQ(lines[2].split('\t').at(0), QStringLiteral("ünïcode.txt"));
    EXPECT_EQ(lines[3].split('\t').at(5), root + "/Other");
}

TEST(DupScan, HogLinesKeepRealCaseAndTheKilobyteBound)
{
    rwtest::FixtureBuilder fb;
    fb.file(QStringLiteral("tree/DATA/A.DAT"), 256000);
    fb.file(QStringLiteral("tree/DATA/b.dat"), 300000);
    fb.file(QStringLiteral("tree/DATA/C.dat"), 255999);
    fb.sparseFile(QStringLiteral("tree/big.iso"), 5'000'000'000LL);
    fb.mapDrive('D', QStringLiteral("tree"));
    const QString root = fb.path(QStringLiteral("tree"));

    const SizeFilter filter =
        SizeFilter::fromInput(SizeCondition::LargerOrEqual, 250, 0, QStringLiteral("KB"));
    const QStringList lines = scanD(false, 0, filter);
    QStringList paths, sizes;
    for (const QString& line : lines) {
        const QStringList f = line.split('\t');
        ASSERT_EQ(f.size(), 6);
        sizes.append(f[0]);
        paths.append(f[4]);
    }
    // Text order of the lines, last first; the window sorts by size after.
    EXPECT_EQ(sizes, QStringList({"5,000,000,000", "300,000", "256,000"}));
    EXPECT_EQ(paths, QStringList({root + "/big.iso", root + "/DATA/b.dat", root + "/DATA/A.DAT"}));
}

TEST(DupScan, HiddenSpecialAndLinkedFilesAreNotListed)
{
    rwtest::FixtureBuilder fb;
    fb.file(QStringLiteral("tree/x/plain.txt"), 50);
    fb.file(QStringLiteral("tree/x/.hidden.txt"), 50);
    fb.file(QStringLiteral("tree/.secret/inside.txt"), 50);
    fb.symlink(QStringLiteral("tree/y/link.txt"), fb.path(QStringLiteral("tree/x/plain.txt")));
    fb.symlink(QStringLiteral("tree/y/dirlink"), fb.path(QStringLiteral("tree/x")));
    fb.fifo(QStringLiteral("tree/y/pipe"));
    fb.file(QStringLiteral("tree/y/plain.txt"), 50);
    fb.mapDrive('D', QStringLiteral("tree"));
    const QString root = fb.path(QStringLiteral("tree"));

    QStringList collected;
    const QStringList lines = scanD(true, mmSize, SizeFilter(), &collected);
    EXPECT_EQ(collected.size(), 2);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(relPath(lines[0], mmSize, root), QStringLiteral("x/plain.txt"));
    EXPECT_EQ(relPath(lines[1], mmSize, root), QStringLiteral("y/plain.txt"));
}

TEST(DupScan, NoSharedKeyGivesNoLinesAndKeysDoNotRunTogether)
{
    // "a1" of 23 bytes and "a12" of 3 bytes must not share a name-and-size key.
    auto set = std::make_shared<ResultSet>();
    ResultLines lines(set, dupLineLayout(true, mmFilenameSize));
    const std::uint32_t f = set->addFolder("/f", {});
    FileStatus st;
    st.size = 23;
    const std::uint32_t a = set->add(f, "a1", st);
    st.size = 3;
    const std::uint32_t b = set->add(f, "a12", st);
    EXPECT_NE(dupKey(lines, a, mmFilenameSize), dupKey(lines, b, mmFilenameSize));
    std::vector<std::uint32_t> sorted = {b, a};
    sortCollection(lines, sorted);
    EXPECT_EQ(sorted, (std::vector<std::uint32_t>{a, b}));
    EXPECT_TRUE(addDups(lines, sorted, mmFilenameSize).empty());
}

TEST(DupScan, NamesThatAreNotTextStayApartFromTheirLookAlikes)
{
    // "same\xff" and "same\uFFFD" look alike when decoded naively; as
    // bytes they are different names, so "Filename only" does not pair them.
    rwtest::FixtureBuilder fb;
    const QString root = fb.path("tree");
    for (const char* dir : {"a", "b"}) {
        QDir().mkpath(root + "/" + dir);
        for (const QByteArray& name :
             {QByteArray("same\xff"), QByteArray("same\xef\xbf\xbd"), QByteArray("tab\there")}) {
            const QByteArray path = QFile::encodeName(root + "/" + dir + "/") + name;
            FILE* out = std::fopen(path.constData(), "wb");
            ASSERT_NE(out, nullptr);
            std::fputs("x", out);
            std::fclose(out);
        }
    }
    fb.mapDrive('D', QStringLiteral("tree"));
    DupScan scan(true, mmFilename, SizeFilter(), QStringLiteral("*.*"));
    scan.setTypeDescriber(&typeOf);
    ASSERT_TRUE(walkD(scan));
    const std::vector<std::uint32_t> rows = scan.resultRecords();
    ASSERT_EQ(rows.size(), 6u);
    // Each group is one name in both folders, its bytes exactly.
    for (std::size_t i = 0; i < rows.size(); i += 2) {
        const std::string_view n1 = scan.lines()->set().name(rows[i]);
        const std::string_view n2 = scan.lines()->set().name(rows[i + 1]);
        EXPECT_EQ(n1, n2);
        EXPECT_NE(scan.lines()->set().record(rows[i]).folder,
                  scan.lines()->set().record(rows[i + 1]).folder);
        EXPECT_EQ(scan.lines()->line(rows[i]).count(u'\t'), 6);
    }
}

TEST(DupScan, HogGridOrderIsTheSizeSortOfTheSortedCollection)
{
    // What the finder used to do: sort every line as text, take them last
    // first, then sort by size keeping equal sizes in that order.
    rwtest::FixtureBuilder fb;
    const struct {
        const char* rel;
        int size;
    } files[] = {{"tree/a/b.txt", 10}, {"tree/a/A.txt", 10},  {"tree/a/a.txt", 10},
                 {"tree/b/x.dat", 9},  {"tree/b/y.dat", 100}, {"tree/c/b.txt", 10},
                 {"tree/c/z", 1000},   {"tree/c/Z", 1000},    {"tree/d/e.txt", 0}};
    for (const auto& f : files)
        fb.file(QString::fromLatin1(f.rel), f.size);
    fb.mapDrive('D', QStringLiteral("tree"));
    DupScan scan(false, 0, SizeFilter(), QStringLiteral("*.*"));
    scan.setTypeDescriber(&typeOf);
    ASSERT_TRUE(walkD(scan));

    const std::vector<std::uint32_t> fast = scan.hogGridOrder();
    std::vector<std::uint32_t> old = scan.resultRecords();
    const ResultSet& set = scan.lines()->set();
    std::stable_sort(old.begin(), old.end(), [&set](std::uint32_t a, std::uint32_t b) {
        return set.record(a).size > set.record(b).size;
    });
    EXPECT_EQ(fast, old);
    EXPECT_EQ(fast.size(), 9u);
}
