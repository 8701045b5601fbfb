#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include <sys/stat.h>

#include <functional>
#include <memory>

#include "base/AppGlobals.h"
#include "base/SearchPath.h"
#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/PickList.h"
#include "framework/core/SortFlags.h"
#include "platform/Drives.h"
#include "tests/report/ReportProgram.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TreeTimes.h"
#include "tools/clean/CleanWindowFactory.h"
#include "tools/dirhog/DirHogWindowFactory.h"
#include "tools/dup/DupWindowFactory.h"
#include "tools/mods/ModsWindowFactory.h"

using namespace rw;

namespace
{

using rwtest::ProgramRun;
using rwtest::report;

// A tree with duplicates, temporary files, nested folders and names with a
// tab, a newline and a byte that is not UTF-8, mapped as drive D:.
struct ReportFixture {
    rwtest::FixtureBuilder fb;
    QString root;
    QStringList savedPath = searchPathFolders();

    ReportFixture()
    {
        root = fb.folder("tree");
        fb.file("tree/a/same.txt", 700);
        fb.file("tree/b/same.txt", 700);
        fb.file("tree/b/deep/er/big.dat", 9000);
        fb.file("tree/a/tab\there.log", 1200);
        fb.file("tree/a/line\nbreak.tmp", 300);
        fb.file("tree/bin/tool.tmp", 3000);
        fb.file("tree/.hidden/skip.tmp", 100);
        fb.file("tree/c/empty.bak", 0);
        rwtest::makeRawFile(root + "/b", QByteArray("caf\xe9.tmp"), 450);
        rwtest::makeRawFile(root + "/c", QByteArray("same.txt"), 700);
        const QDateTime when(QDate(2021, 3, 4), QTime(10, 20, 30));
        for (const char* f : {"tree/a/same.txt", "tree/b/same.txt", "tree/c/same.txt"})
            fb.setTimes(f, when, when);
        fb.mapDrive('D', "tree");
        setSearchPathFolders({(root + "/bin").toUpper()});
        SortFlags::instance().reset();
    }
    ~ReportFixture() { setSearchPathFolders(savedPath); }
};

// Opens a tool window on drive D: only, runs `start` and returns what its
// Clipboard button copies.
QString windowClipboard(std::unique_ptr<QDialog> w, const std::function<void(QDialog&)>& start)
{
    w->show();
    auto* drives = w->findChild<CheckListBox*>("pckDrive");
    EXPECT_NE(drives, nullptr);
    drives->uncheckAll();
    DriveInfo d;
    EXPECT_TRUE(findDrive(QChar('D'), &d));
    EXPECT_TRUE(drives->checkLine(d.entryText()));
    start(*w);
    QGuiApplication::clipboard()->clear();
    w->findChild<QPushButton*>("btClip")->click();
    return QGuiApplication::clipboard()->text();
}

void click(QDialog& w, const char* name)
{
    auto* b = w.findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

} // namespace

// For each tool, the TSV output is the window's clipboard copy of the same
// tree, line for line.
TEST(RoomwiseReport, TsvEqualsEachWindowsClipboardCopy)
{
    ReportFixture fx;
    const QString bin = fx.root + "/bin";
    struct Case {
        const char* what;
        QStringList args;
        std::function<std::unique_ptr<QDialog>()> open;
        std::function<void(QDialog&)> start;
    };
    const QList<Case> cases = {
        {"file hogs",
         {"hogs", fx.root, "--larger", "0"},
         [] {
             DuplicateMode = false;
             return createDupWindow(nullptr, DuplicateMode);
         },
         [](QDialog& w) {
             w.findChild<QAbstractSpinBox*>("num1")->setProperty("value", 0);
             click(w, "btScan");
         }},
        {"duplicates by name and size",
         {"dups", fx.root, "--by", "name-size"},
         [] {
             DuplicateMode = true;
             return createDupWindow(nullptr, DuplicateMode);
         },
         [](QDialog& w) {
             w.findChild<QAbstractSpinBox*>("num1")->setProperty("value", 0);
             w.findChild<QComboBox*>("cbDup")->setCurrentIndex(1);
             click(w, "btScan");
         }},
        {"duplicates by contents",
         {"dups", fx.root, "--by", "contents"},
         [] {
             DuplicateMode = true;
             return createDupWindow(nullptr, DuplicateMode);
         },
         [](QDialog& w) {
             w.findChild<QAbstractSpinBox*>("num1")->setProperty("value", 0);
             w.findChild<QComboBox*>("cbDup")->setCurrentIndex(7);
             click(w, "btScan");
         }},
        {"main folders",
         {"dirhogs", fx.root},
         [] { return createDirHogWindow(nullptr); },
         [](QDialog& w) { click(w, "btTop"); }},
        {"all folders",
         {"dirhogs", fx.root, "--all"},
         [] { return createDirHogWindow(nullptr); },
         [](QDialog& w) { click(w, "btAll"); }},
        {"files by date",
         {"dates", fx.root, "--what", "modified", "--before", "2030-01-01"},
         [] { return createModsWindow(nullptr); },
         [](QDialog& w) {
             click(w, "rgWhat2");
             click(w, "rgWhen0");
             w.findChild<QLineEdit*>("dtStart")->setText(formatShortDate(QDate(2030, 1, 1)));
             click(w, "btOK");
         }},
        {"temporary files",
         {"clean", fx.root},
         [] { return createCleanWindow(nullptr); },
         [](QDialog& w) {
             w.findChild<PickList*>()->selectAll();
             click(w, "btScan");
         }},
    };
    // Neither the window's scan nor the report changes a time in the tree.
    const rwtest::TreeTimes tree(fx.root);
    tree.age();
    const QStringList before = tree.snapshot();
    for (const Case& c : cases) {
        rwtest::ScriptedResponder::instance().clear();
        const QString clip = windowClipboard(c.open(), c.start);
        const ProgramRun r = report(c.args + QStringList{"--format", "text"}, bin);
        EXPECT_EQ(r.status, 0) << c.what << r.err.constData();
        EXPECT_FALSE(clip.isEmpty()) << c.what;
        EXPECT_EQ(QString::fromUtf8(r.out), clip) << c.what;
        EXPECT_EQ(tree.snapshot(), before) << c.what;
    }
}

TEST(RoomwiseReport, JsonIsTypedAndGivesBackTheExactBytesOfANameThatIsNotUtf8)
{
    ReportFixture fx;
    const ProgramRun r = report({"hogs", fx.root, "--format", "json", "--match", "*.tmp"});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.constData();
    EXPECT_EQ(doc["tool"].toString(), "hogs");
    const QJsonArray rows = doc["rows"].toArray();
    ASSERT_EQ(rows.size(), 3) << "line\\nbreak.tmp, caf\\xe9.tmp, tool.tmp";
    int raw = 0;
    for (const QJsonValue& v : rows) {
        const QJsonObject row = v.toObject();
        EXPECT_TRUE(row["size"].isDouble());
        EXPECT_TRUE(row["modified_epoch"].isDouble());
        EXPECT_TRUE(QDateTime::fromString(row["modified"].toString(), Qt::ISODate).isValid());
        QByteArray bytes = row["path"].toString().toUtf8();
        if (row.contains("path_base64")) {
            bytes = QByteArray::fromBase64(row["path_base64"].toString().toLatin1());
            ++raw;
        }
        struct stat st = {};
        EXPECT_EQ(::lstat(bytes.constData(), &st), 0) << bytes.constData();
        EXPECT_EQ(st.st_size, std::int64_t(row["size"].toDouble()));
    }
    EXPECT_EQ(raw, 1) << "only caf\\xe9.tmp needs its bytes in base64";

    const ProgramRun dups = report({"dups", fx.root, "--by", "name", "--format", "json"});
    const QJsonArray groups = QJsonDocument::fromJson(dups.out)["groups"].toArray();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0].toArray().size(), 3) << "three same.txt";

    // By contents: the three same.txt (equal bytes) and nothing else, even
    // where only the sizes agree.
    fx.fb.fileWithContent("tree/d/other.txt", QByteArray(700, 'y'));
    fx.fb.hardlink("tree/d/link.txt", "tree/a/same.txt");
    const ProgramRun contents = report({"dups", fx.root, "--by", "contents", "--format", "json"});
    ASSERT_EQ(contents.status, 0) << contents.err.constData();
    const QJsonArray byContents = QJsonDocument::fromJson(contents.out)["groups"].toArray();
    ASSERT_EQ(byContents.size(), 1);
    QStringList names;
    for (const QJsonValue& v : byContents[0].toArray())
        names << v.toObject()["path"].toString().mid(fx.root.size() + 1);
    names.sort();
    EXPECT_EQ(names, QStringList({"a/same.txt", "b/same.txt", "c/same.txt", "d/link.txt"}))
        << "a hard link is listed beside its file, never as a copy of its own";
}

TEST(RoomwiseReport, ExitStatusSortingAndNulRecords)
{
    ReportFixture fx;
    EXPECT_EQ(report({"hogs", fx.root, "--larger", "1000000"}).status, 0) << "nothing found";
    EXPECT_EQ(report({"hogs", fx.root, "--larger", "1M", "--fail-if-empty"}).status, 3);
    EXPECT_EQ(report({"hogs"}).status, 2) << "no path";
    EXPECT_EQ(report({"hogs", ""}).status, 2) << "an empty operand is not the working folder";
    EXPECT_EQ(report({"dirhogs", fx.root, ""}).status, 2);
    EXPECT_EQ(report({"dups", fx.root}).status, 2) << "--by is required";
    EXPECT_EQ(report({"dirhogs", fx.root, "--larger", "5"}).status, 2) << "not a dirhogs option";
    EXPECT_EQ(report({"frobnicate", fx.root}).status, 2);
    const ProgramRun missing = report({"hogs", fx.root + "/nowhere"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("nowhere"));
    EXPECT_EQ(report({"--version"}).out.trimmed(), "roomwise-report " RW_VERSION_TEXT);
    EXPECT_TRUE(report({"--help"}).out.contains("path_base64"));

    const ProgramRun bySize =
        report({"hogs", fx.root, "--format", "text", "--sort", "size", "--null"});
    ASSERT_EQ(bySize.status, 0);
    QList<QByteArray> records = bySize.out.split('\0');
    ASSERT_EQ(records.takeLast(), QByteArray()) << "every record ends with a NUL";
    ASSERT_EQ(records.size(), 9);
    EXPECT_TRUE(records.first().startsWith("9,000\t")) << records.first().constData();
    EXPECT_TRUE(records.last().startsWith("0\t")) << records.last().constData();
    for (const QByteArray& rec : records)
        EXPECT_FALSE(rec.contains('\n')) << "a newline in a name is shown as \\n";
}

// Every tool reads only: names, sizes and all three times of every entry of
// the tree are the same after a run of each.
TEST(RoomwiseReport, NothingOnDiskChanges)
{
    ReportFixture fx;
    const rwtest::TreeTimes tree(fx.root);
    ASSERT_GT(tree.count(), 10);
    tree.age();
    const QStringList before = tree.snapshot();
    for (const QStringList& args :
         {QStringList{"hogs", fx.root},
          {"dups", fx.root, "--by", "size"},
          {"dups", fx.root, "--by", "contents"},
          {"dirhogs", fx.root, "--all"},
          {"dates", fx.root, "--what", "accessed", "--after", "2000-01-01"},
          {"clean", fx.root},
          {"stats", fx.root, "--format", "json"}}) {
        EXPECT_LE(report(args).status, 1) << args.join(' ').toStdString();
        EXPECT_EQ(tree.snapshot(), before) << args.join(' ').toStdString();
    }
}

namespace
{

// The path of a JSON row as the file system's bytes.
QByteArray rowPath(const QJsonObject& row)
{
    if (row.contains("path_base64"))
        return QByteArray::fromBase64(row["path_base64"].toString().toLatin1());
    return row["path"].toString().toUtf8();
}

// The paths of a JSON report: "rows" (hogs) or each of "groups" (dups).
QList<QList<QByteArray>> reportedPaths(const QByteArray& json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    QList<QList<QByteArray>> out;
    const auto rows = [](const QJsonArray& a) {
        QList<QByteArray> paths;
        for (const QJsonValue& v : a)
            paths << rowPath(v.toObject());
        return paths;
    };
    if (doc["groups"].isArray()) {
        for (const QJsonValue& g : doc["groups"].toArray())
            out << rows(g.toArray());
    } else {
        out << rows(doc["rows"].toArray());
    }
    return out;
}

QList<QByteArray> sortedPaths(QList<QByteArray> paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

// Paths that overlap (a folder and its sub-folder in either order, the
// same folder twice, a link to a folder already given): every file is
// listed once, under the first path given, so a "keep the first, delete
// the rest" script never deletes every copy.
TEST(RoomwiseReport, OverlappingPathsListEachFileOnce)
{
    ReportFixture fx;
    const QString link = fx.fb.symlink("tree-link", "tree");
    const QString b = fx.root + "/b";
    const QList<QStringList> overlaps = {
        {fx.root, b}, {b, fx.root}, {fx.root, fx.root}, {fx.root, link}};

    const ProgramRun once = report({"hogs", fx.root, "--format", "json"});
    ASSERT_EQ(once.status, 0) << once.err.constData();
    const QList<QByteArray> files = sortedPaths(reportedPaths(once.out).value(0));
    ASSERT_EQ(files.size(), 9);
    for (const QStringList& paths : overlaps) {
        SCOPED_TRACE(paths.join(' ').toStdString());
        const ProgramRun r = report(QStringList{"hogs"} + paths + QStringList{"--format", "json"});
        EXPECT_EQ(r.status, 0) << r.err.constData();
        EXPECT_EQ(sortedPaths(reportedPaths(r.out).value(0)), files);
    }

    // The three same.txt, each once, in one group.
    for (const char* by : {"contents", "name"}) {
        for (const QStringList& paths : overlaps) {
            SCOPED_TRACE(paths.join(' ').toStdString() + " by " + by);
            const ProgramRun r =
                report(QStringList{"dups"} + paths + QStringList{"--by", by, "--format", "json"});
            EXPECT_EQ(r.status, 0) << r.err.constData();
            const QList<QList<QByteArray>> groups = reportedPaths(r.out);
            ASSERT_EQ(groups.size(), 1) << r.out.constData();
            const QByteArray root = QFile::encodeName(fx.root);
            EXPECT_EQ(sortedPaths(groups[0]),
                      QList<QByteArray>(
                          {root + "/a/same.txt", root + "/b/same.txt", root + "/c/same.txt"}));
        }
    }
}

TEST(RoomwiseReport, DuplicatesByContentsOfTerabyteSparseFilesTakeSeconds)
{
    // Virtual machine images: a terabyte each, nearly all holes. Reading the
    // holes would take hours; the groups come from the data alone, and a
    // block of written zeros is the same contents as a hole.
    rwtest::FixtureBuilder fb;
    const QString root = fb.folder("images");
    constexpr std::int64_t kTiB = std::int64_t(1) << 40;
    const std::int64_t at = (std::int64_t(300) << 30) + 12345;
    const QByteArray data = "boot sector and a file system or two";
    for (const char* name : {"a.img", "b.img", "zeros.img", "other.img"}) {
        const QString rel = QStringLiteral("images/") + QLatin1String(name);
        fb.sparseFile(rel, kTiB);
        fb.writeAt(rel, at,
                   QLatin1String(name) == QLatin1String("other.img")
                       ? QByteArray(data).replace("two", "One")
                       : data);
    }
    fb.writeAt("images/zeros.img", std::int64_t(7) << 30, QByteArray(1 << 20, '\0'));

    const ProgramRun run = report({"dups", root, "--by", "contents", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QJsonArray groups = QJsonDocument::fromJson(run.out)["groups"].toArray();
    ASSERT_EQ(groups.size(), 1);
    QStringList names;
    for (const QJsonValue& v : groups[0].toArray())
        names << v.toObject()["path"].toString().mid(root.size() + 1);
    names.sort();
    EXPECT_EQ(names, QStringList({"a.img", "b.img", "zeros.img"}));
}

// The statistics count a file of 1970 or of 2200 by its real hour and age,
// as the statistics window does: neither lands under "Not recorded".
TEST(RoomwiseReport, StatisticsCountTimesOutsideThePackedYears)
{
    rwtest::FixtureBuilder fb;
    const QString root = fb.folder("years");
    fb.file("years/epoch.txt", 10);
    fb.file("years/future.txt", 20);
    const QDateTime epoch = QDateTime::fromSecsSinceEpoch(0);
    const QDateTime future(QDate(2200, 1, 10), QTime(7, 45));
    fb.setTimes("years/epoch.txt", epoch, epoch);
    fb.setTimes("years/future.txt", future, future);
    const rwtest::ProgramRun run = report({"stats", root, "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject stats = QJsonDocument::fromJson(run.out)["statistics"].toObject();
    QList<int> modified(24, 0);
    for (const QJsonValue& v : stats["hour"].toArray())
        modified[v["hour"].toInt()] = v["modified"].toInt();
    QList<int> expected(24, 0);
    ++expected[epoch.time().hour()];
    ++expected[future.time().hour()];
    EXPECT_EQ(modified, expected);
    for (const char* kind : {"modified", "access"}) {
        const QJsonArray classes = stats[kind].toArray();
        ASSERT_EQ(classes.size(), 10) << kind;
        EXPECT_EQ(classes[0]["class"].toString(), "Not recorded");
        EXPECT_EQ(classes[0]["count"].toInt(), 0) << kind;
        EXPECT_EQ(classes[9]["class"].toString(), "Over 4 years");
        EXPECT_EQ(classes[9]["count"].toInt(), 2) << kind;
    }
}

// `dups --by folders`: the folders whose trees are copies, as groups with
// their trees' bytes, by the exact bytes of their paths; a copy's
// sub-folders are not listed again, and a pattern cannot apply.
TEST(RoomwiseReport, DuplicateFoldersAreListedAsGroupsAtTheirTop)
{
    rwtest::FixtureBuilder fb;
    const QString root = fb.folder("tree");
    for (const QByteArray& top : {QByteArray("x"), QByteArray("y\t\n\xff")}) {
        const QByteArray dir = QFile::encodeName(root) + '/' + top;
        rwtest::rawFolder(dir);
        rwtest::rawFolder(dir + "/in");
        rwtest::rawFile(dir + "/one.bin", 1000);
        rwtest::rawFile(dir + "/in/two.bin", 24);
    }
    fb.file("tree/z/other.bin", 1000);
    const ProgramRun tsv = report({"dups", root, "--by", "folders"});
    ASSERT_EQ(tsv.status, 0) << tsv.err.constData();
    const QList<QByteArray> lines = tsv.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2) << tsv.out.constData();
    for (const QByteArray& line : lines) {
        EXPECT_TRUE(line.startsWith("1\t1024\t")) << line.constData();
    }
    EXPECT_TRUE(lines[0].endsWith('\t' + QFile::encodeName(root) + "/x"));
    EXPECT_TRUE(lines[1].endsWith('\t' + QFile::encodeName(root) + "/y\\t\\n\\xFF"))
        << lines[1].constData();

    const ProgramRun json = report({"dups", root, "--by", "folders", "--format", "json"});
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(reportedPaths(json.out),
              QList<QList<QByteArray>>(
                  {{QFile::encodeName(root) + "/x", QFile::encodeName(root) + "/y\t\n\xff"}}));

    EXPECT_EQ(report({"dups", root, "--by", "folders", "--match", "*.bin"}).status, 2);
}
