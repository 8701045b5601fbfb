#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QMap>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "base/SharedRoutines.h"
#include "framework/core/FolderWalker.h"
#include "platform/DisplayName.h"
#include "tests/platform/TestMount.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/dirhog/core/DirHogScan.h"

// Readable failure output.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using rw::DirHogMode;
using rw::DirHogScan;

namespace
{

constexpr std::int64_t kCapacity = 100'000;

// Scans `root` as drive D: and returns its lines in list order.
QStringList scanDrive(const QString& root, DirHogMode mode)
{
    DirHogScan scan(mode);
    scan.setCapacityOverride(kCapacity);
    bool abort = false;
    rw::FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    const rw::DriveInfo drive{QChar('D'), root};
    walker.walkTree(drive, drive.entryText());
    return scan.linesDescending();
}

// Line fields keyed by the path relative to the root ("" for the root).
QMap<QString, QStringList> byFolder(const QStringList& lines, const QString& root)
{
    QMap<QString, QStringList> out;
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        EXPECT_EQ(f.size(), 6) << line.toStdString();
        QString rel = f.value(5).mid(root.size());
        if (rel.startsWith(QLatin1Char('/')))
            rel.remove(0, 1);
        out.insert(rel, f.mid(0, 5));
    }
    return out;
}

QString day(int d)
{
    return rw::formatShortDate(QDate(2021, 3, d));
}

// A tree with files at every depth, a hidden file and folder, a folder of
// only sub-folders, an empty folder, mixed-case names and hard links.
class DirHogScanTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fx.file("d/rootfile.txt", 100);
        fx.file("d/Alpha/a1", 1000);
        fx.file("d/Alpha/a2", 2000);
        fx.file("d/Alpha/.hidden", 5);
        fx.file("d/Alpha/Sub/s1", 300);
        fx.file("d/Alpha/Sub/Deep/d1", 7);
        fx.file("d/Alpha/.hiddenDir/h", 50);
        fx.folder("d/Beta/One");
        fx.file("d/Beta/Two/f", 10);
        fx.file("d/MixedCase/File", 1);
        fx.file("d/Links/x", 4000);
        fx.hardlink("d/Links/y", "d/Links/x");
        fx.hardlink("d/Links/Inner/z", "d/Links/x");
        const QDateTime noon(QDate(2021, 3, 1), QTime(12, 0));
        for (const char* f : {"d/Alpha/a1", "d/Alpha/.hidden", "d/Alpha/Sub/s1",
                              "d/Alpha/Sub/Deep/d1", "d/Beta/Two/f", "d/MixedCase/File"})
            fx.setTimes(f, noon, noon);
        fx.setTimes("d/Alpha/a2", noon, noon.addDays(4));          // latest in Alpha
        fx.setTimes("d/Alpha/Sub/Deep/d1", noon, noon.addDays(9)); // latest below Alpha
        fx.setTimes("d/Links/x", noon, noon.addDays(1));
        fx.setTimes("d/rootfile.txt", noon, noon.addDays(20));
        root = fx.path("d");
    }

    rwtest::FixtureBuilder fx;
    QString root;
};

} // namespace

TEST_F(DirHogScanTree, AllFoldersCountsTheFilesDirectlyInEachFolder)
{
    const auto lines = byFolder(scanDrive(root, DirHogMode::AllFolders), root);
    // size, % used of 100,000 bytes, files, direct sub-folders (hidden too), latest access
    const QMap<QString, QStringList> expected{
        {"", {"100", "0.10", "1", "4", day(21)}},
        {"Alpha", {"3,005", "3.00", "3", "2", day(5)}},
        {"Alpha/Sub", {"300", "0.30", "1", "1", day(1)}},
        {"Alpha/Sub/Deep", {"7", "0.01", "1", "0", day(10)}},
        {"Beta", {"0", "0.00", "0", "2", ""}},
        {"Beta/One", {"0", "0.00", "0", "0", ""}},
        {"Beta/Two", {"10", "0.01", "1", "0", day(1)}},
        {"MixedCase", {"1", "0.00", "1", "0", day(1)}},
        // Two names of one file: its size once, both names counted.
        {"Links", {"4,000", "4.00", "2", "1", day(2)}},
        {"Links/Inner", {"4,000", "4.00", "1", "0", day(2)}},
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(DirHogScanTree, MainFoldersTotalWholeSubTreesAndLeaveOutRootFiles)
{
    const auto lines = byFolder(scanDrive(root, DirHogMode::MainFolders), root);
    // Hidden folders are not entered; sub-folders are counted at every depth.
    const QMap<QString, QStringList> expected{
        {"Alpha", {"3,312", "3.31", "5", "2", day(10)}},
        {"Beta", {"10", "0.01", "1", "2", day(1)}},
        {"Links", {"4,000", "4.00", "3", "1", day(2)}},
        {"MixedCase", {"1", "0.00", "1", "0", day(1)}},
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(DirHogScanTree, NamesKeepTheirCaseAndLinesComeInDescendingTextOrder)
{
    const QStringList lines = scanDrive(root, DirHogMode::MainFolders);
    QStringList names;
    for (const QString& l : lines)
        names << l.section(QLatin1Char('\t'), 5);
    // "4,000" > "3,312" > "10" > "1" as texts.
    EXPECT_EQ(names,
              (QStringList{root + "/Links", root + "/Alpha", root + "/Beta", root + "/MixedCase"}));
}

TEST(DirHogScan, RootWithoutSubFoldersGivesOnlyItsOwnLine)
{
    rwtest::FixtureBuilder fx;
    fx.file("flat/one", 3);
    fx.file("flat/two", 4);
    const QString root = fx.path("flat");
    const auto lines = byFolder(scanDrive(root, DirHogMode::AllFolders), root);
    EXPECT_EQ(lines.keys(), QStringList{""});
    EXPECT_EQ(lines.value("").mid(0, 4), (QStringList{"7", "0.01", "2", "0"}));
    EXPECT_TRUE(scanDrive(root, DirHogMode::MainFolders).isEmpty());
}

TEST(DirHogScan, TotalsBeyondThirtyTwoBitsAreKept)
{
    rwtest::FixtureBuilder fx;
    fx.sparseFile("big/huge/a", 3'000'000'000LL);
    fx.sparseFile("big/huge/b", 2'500'000'000LL);
    const QString root = fx.path("big");
    const auto lines = byFolder(scanDrive(root, DirHogMode::MainFolders), root);
    EXPECT_EQ(lines.value("huge").value(0), "5,500,000,000");
    // Larger than the (fixed) capacity: no percentage.
    EXPECT_EQ(lines.value("huge").value(1), "???");
}

// A folder of two sparse files that each claim more than half of the 64-bit
// range (tmpfs allows such sizes) totals at the top of the range instead of
// wrapping round to a negative size.
TEST(DirHogScan, TotalsOfHugeSparseFilesStopAtTheTopOfTheRange)
{
    rwtest::FixtureBuilder fx;
    const QString root = fx.folder("huge");
    auto mount = rwtest::TestMount::tmpfs(QFile::encodeName(root));
    if (!mount.ok())
        GTEST_SKIP() << mount.reason().toStdString();
    fx.folder("huge/vm");
    for (const char* name : {"huge/vm/a.img", "huge/vm/b.img"}) {
        QFile f(fx.path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(6'000'000'000'000'000'000LL)) << f.errorString().toStdString();
    }
    const auto lines = byFolder(scanDrive(root, DirHogMode::MainFolders), root);
    EXPECT_EQ(lines.value("vm").value(0), "9,223,372,036,854,775,807");
}

TEST(DirHogScan, PercentAndLineOrderTexts)
{
    struct Case {
        std::int64_t bytes, capacity;
        const char* text;
    };
    for (const Case& c : {Case{1, 3, "33.33"}, Case{0, 1, "0.00"}, Case{5, 5, "???"},
                          Case{6, 5, "???"}, Case{1, 0, "???"}, Case{999, 1000, "99.90"}})
        EXPECT_EQ(rw::percentUsedText(c.bytes, c.capacity), c.text) << c.bytes << "/" << c.capacity;

    // The list order of folder lines: descending whole-line text, case
    // folded first, the case deciding ties.
    auto set = std::make_shared<rw::ResultSet>();
    set->setExtraCount(2);
    const std::uint32_t root = set->addFolder("/", {});
    const struct {
        const char* name;
        std::int64_t size;
    } folders[] = {{"b", 10000}, {"a", 9000}, {"c", 100}, {"B", 10000}};
    std::vector<std::uint32_t> order;
    for (const auto& f : folders) {
        rw::FileStatus st;
        st.size = f.size;
        st.attributes = rw::faDirectory;
        order.push_back(set->add(root, f.name, st));
    }
    rw::ResultLines lines(set, rw::dirHogLineLayout());
    lines.setCapacity(kCapacity);
    lines.sortByLines(order, true);
    QStringList sorted;
    for (std::uint32_t rec : order)
        sorted << lines.line(rec);
    EXPECT_EQ(sorted, (QStringList{"9,000\t9.00\t0\t0\t\t/a", "100\t0.10\t0\t0\t\t/c",
                                   "10,000\t10.00\t0\t0\t\t/b", "10,000\t10.00\t0\t0\t\t/B"}));
}

namespace
{

rw::FileIdentity folderIdentityOf(const QByteArray& path)
{
    struct stat st = {};
    EXPECT_EQ(::lstat(path.constData(), &st), 0) << path.toStdString();
    return rw::FileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino),
                            rw::FileIdentity::Type::Folder};
}

} // namespace

TEST(DirHogScan, RecordsNameEachFolderInItsParentAsTheWalkOpenedIt)
{
    rwtest::FixtureBuilder fx;
    fx.file("r/Alpha/a", 5);
    fx.file("r/Alpha/Sub/s", 6);
    const QByteArray r = QFile::encodeName(fx.path("r"));
    const QByteArray odd = r + "/Bad\xff\tX";
    ASSERT_EQ(::mkdir(odd.constData(), 0755), 0);

    for (const bool slash : {false, true}) {
        // The root as given, with or without a trailing '/'.
        const QString root = fx.path("r") + (slash ? "/" : "");
        DirHogScan scan(DirHogMode::AllFolders);
        scan.setCapacityOverride(kCapacity);
        bool abort = false;
        rw::FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
        const rw::DriveInfo drive{QChar('D'), root};
        walker.walkTree(drive, drive.entryText());

        const rw::ResultSet& set = *scan.records();
        QMap<QByteArray, std::uint32_t> byPath;
        for (std::uint32_t rec = 0; rec < set.size(); ++rec)
            byPath.insert(set.pathBytes(rec), rec);
        const QByteArray rootBytes = QFile::encodeName(root);
        EXPECT_EQ(byPath.keys(),
                  (QList<QByteArray>{rootBytes, r + "/Alpha", r + "/Alpha/Sub", odd}))
            << slash;
        for (auto it = byPath.cbegin(); it != byPath.cend(); ++it) {
            const std::uint32_t rec = it.value();
            const rw::ResultRecord& row = set.record(rec);
            EXPECT_TRUE(row.has(rw::ResultRecord::IsFolder));
            EXPECT_EQ(set.identity(rec), folderIdentityOf(it.key()));
            const rw::ResultSet::Folder& parent = set.folder(row.folder);
            if (it.key() == rootBytes) {
                // The root's line is the root itself, its path as given.
                EXPECT_TRUE(set.name(rec).empty());
                EXPECT_EQ(scan.lines()->field(rec, 5), root);
            } else {
                EXPECT_EQ(parent.identity,
                          folderIdentityOf(it.key().left(it.key().lastIndexOf('/'))));
                EXPECT_EQ(scan.lines()->field(rec, 5), rw::displayName(it.key()));
            }
        }
        // The odd name keeps its bytes and its line its six fields.
        const std::uint32_t oddRec = byPath.value(odd);
        EXPECT_EQ(QByteArray(set.name(oddRec).data(), qsizetype(set.name(oddRec).size())),
                  "Bad\xff\tX");
        EXPECT_EQ(scan.lines()->line(oddRec).split('\t').size(), 6);
        EXPECT_EQ(scan.lines()->field(oddRec, 5), fx.path("r") + "/Bad\\xFF\\tX");
        EXPECT_EQ(set.extra(byPath.value(r + "/Alpha"), 0), 1);
        EXPECT_EQ(set.extra(byPath.value(r + "/Alpha"), 1), 1);
    }
}

namespace
{

// A 20,000-deep chain holds a file in every folder: every folder is a line,
// each with its one file, however long its path is.
TEST(DirHogScanDeep, EveryFolderOfATwentyThousandDeepChainIsListed)
{
    constexpr int kLevels = 20000;
    rwtest::FixtureBuilder fx;
    const QString root = fx.deepChain("d", kLevels, "d", "f");
    DirHogScan scan(DirHogMode::AllFolders);
    scan.setCapacityOverride(kCapacity);
    bool abort = false;
    rw::FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    const rw::DriveInfo drive{QChar('D'), root};
    ASSERT_TRUE(walker.walkTree(drive, drive.entryText()));
    const rw::ResultSet& set = *scan.records();
    ASSERT_EQ(set.size(), std::uint32_t(kLevels + 1));
    std::int64_t files = 0;
    std::int64_t withOneFile = 0;
    for (std::uint32_t rec = 0; rec < set.size(); ++rec) {
        files += set.extra(rec, 0);
        withOneFile += set.extra(rec, 0) == 1 ? 1 : 0;
    }
    EXPECT_EQ(files, kLevels);
    EXPECT_EQ(withOneFile, kLevels); // the root holds only the chain
    EXPECT_EQ(walker.skippedFolderCount(), 0);
}

} // namespace

// A folder that cannot be read keeps its line, with what could be read of it
// (nothing), and the lines say they are incomplete without changing a text.
TEST_F(DirHogScanTree, FoldersThatCannotBeReadKeepTheirLinesMarkedIncomplete)
{
    const QByteArray sub = QFile::encodeName(fx.path("d/Alpha/Sub"));
    const QByteArray beta = QFile::encodeName(fx.path("d/Beta"));
    for (const DirHogMode mode : {DirHogMode::AllFolders, DirHogMode::MainFolders}) {
        SCOPED_TRACE(mode == DirHogMode::AllFolders ? "all folders" : "main folders");
        DirHogScan scan(mode);
        scan.setCapacityOverride(kCapacity);
        bool abort = false;
        rw::FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
        walker.setOpenFilter([&](const QByteArray& path) { return path != sub && path != beta; });
        const rw::DriveInfo drive{QChar('D'), root};
        walker.walkTree(drive, drive.entryText());

        const rw::ResultSet& set = *scan.records();
        QMap<QString, QString> notes; // by the path relative to the root
        for (std::uint32_t rec = 0; rec < set.size(); ++rec) {
            QString rel = set.pathText(rec).mid(root.size());
            if (rel.startsWith(QLatin1Char('/')))
                rel.remove(0, 1);
            notes.insert(rel, DirHogScan::incompleteNote(set, rec));
        }
        const auto lines = byFolder(scan.linesDescending(), root);
        if (mode == DirHogMode::AllFolders) {
            EXPECT_EQ(lines.value("Alpha/Sub"), QStringList({"0", "0.00", "0", "0", ""}));
            EXPECT_EQ(lines.value("Beta"), QStringList({"0", "0.00", "0", "0", ""}));
            EXPECT_FALSE(lines.contains("Alpha/Sub/Deep"));
            EXPECT_FALSE(lines.contains("Beta/Two"));
            EXPECT_EQ(lines.value("Alpha"), QStringList({"3,005", "3.00", "3", "2", day(5)}));
            EXPECT_TRUE(notes.value("Alpha").isEmpty()) << "its own files are all counted";
            EXPECT_TRUE(
                notes.value("Alpha/Sub").contains(QString::fromLocal8Bit(std::strerror(EACCES))))
                << notes.value("Alpha/Sub").toStdString();
            // The row names the folder itself: its device and inode.
            struct stat st;
            ASSERT_EQ(::stat(sub.constData(), &st), 0);
            bool found = false;
            for (std::uint32_t rec = 0; rec < set.size(); ++rec)
                if (set.pathBytes(rec) == sub) {
                    found = true;
                    EXPECT_EQ(set.record(rec).ino, std::uint64_t(st.st_ino));
                }
            EXPECT_TRUE(found);
        } else {
            // Alpha's total lacks Sub and what lies below it.
            EXPECT_EQ(lines.value("Alpha"), QStringList({"3,005", "3.00", "3", "0", day(5)}));
            EXPECT_EQ(lines.value("Beta"), QStringList({"0", "0.00", "0", "0", ""}));
            EXPECT_TRUE(notes.value("Alpha").contains("1 folder"))
                << notes.value("Alpha").toStdString();
        }
        EXPECT_FALSE(notes.value("Beta").isEmpty());
        EXPECT_TRUE(notes.value("Links").isEmpty());
        EXPECT_EQ(lines.size(), mode == DirHogMode::AllFolders ? 7 : 4);
    }
}
