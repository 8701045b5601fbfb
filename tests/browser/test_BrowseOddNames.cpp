#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "browser/BrowserHooks.h"
#include "browser/DetailsHooks.h"
#include "browser/FolderTree.h"
#include "browser/TfrmBrowse.h"
#include "controls/FileViewer.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/WindowHooks.h"
#include "framework/core/FileTypes.h"
#include "framework/core/SortFlags.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "viewer/TfrmView.h"
#include "viewer/ViewerHooks.h"

using rw::TfrmBrowse;

namespace
{

// Names that text paths would get wrong: an invalid byte beside its
// replacement-character look-alike, control characters, a backslash and
// the longest name a folder may hold.
const QByteArray kBad = "x\xff.txt";
const QByteArray kLookAlike = "x\xef\xbf\xbd.txt";
const QByteArray kTab = "t\tab.txt";
const QByteArray kNewline = "new\nline.txt";
const QByteArray kBackslash = "back\\slash.txt";
const QByteArray kLong = QByteArray(251, 'L') + ".txt";

bool exists(const QByteArray& path)
{
    struct stat st {
    };
    return ::lstat(path.constData(), &st) == 0;
}

class BrowseOddNamesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rw::SortFlags::instance().reset();
        fx.mapDrive('D', fx.base());
        dir = QFile::encodeName(fx.folder("odd"));
        // Sizes and contents tell the look-alikes apart.
        write(kBad, QByteArray(300, 'A'));
        write(kLookAlike, QByteArray(400, 'B'));
        write(kTab, "tabbed\n");
        write(kNewline, "two lines\n");
        write(kBackslash, "backslash\n");
        write(kLong, "long\n");
    }
    void TearDown() override
    {
        rw::windowHooks().openViewer = nullptr;
        rw::windowHooks().openDetails = nullptr;
    }

    // A file of `dir` (or of a path below it) named by raw bytes.
    void write(const QByteArray& name, const QByteArray& content)
    {
        const QByteArray path = dir + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0) << path.toStdString();
        EXPECT_EQ(::write(fd, content.constData(), std::size_t(content.size())), content.size());
        ::close(fd);
    }

    std::unique_ptr<TfrmBrowse> open(const QByteArray& folder, const QByteArray& select = {})
    {
        auto w = std::make_unique<TfrmBrowse>();
        w->setFolder(folder);
        w->setSelectFile(select);
        w->show();
        return w;
    }

    // The row whose record has this name (-1 when none).
    static int rowOf(TfrmBrowse& w, const QByteArray& name)
    {
        rw::ResultGridController* c = w.controller();
        for (std::int64_t r = 0; r < c->rowsFilled(); ++r) {
            const std::uint32_t rec = c->rowRecord(r);
            if (rec != rw::ResultGridModel::kNoRecord &&
                c->lines()->set().name(rec) == std::string_view(name.constData(), name.size()))
                return int(r);
        }
        return -1;
    }
    static QString cell(TfrmBrowse& w, int row, int column)
    {
        return w.controller()->model()->cell(row, column);
    }
    static void select(TfrmBrowse& w, const QByteArray& name)
    {
        const int row = rowOf(w, name);
        ASSERT_GE(row, 0);
        w.controller()->grid()->selectRow(row);
    }

    rwtest::FixtureBuilder fx;
    QByteArray dir;
};

} // namespace

TEST_F(BrowseOddNamesTest, EveryNameFillsItsOwnCellsWithTheRightType)
{
    auto w = open(dir);
    EXPECT_EQ(w->listedCount(), 6);
    EXPECT_EQ(w->listedTotal(), 300 + 400 + 7 + 10 + 10 + 5);
    const QString txtType = rw::FileTypeDescription(".txt");
    const struct {
        QByteArray name;
        QString shown;
        const char* size;
    } cases[] = {
        {kBad, "x\\xFF.txt", "300"},
        {kLookAlike, QString::fromUtf8(kLookAlike), "400"},
        {kTab, "t\\tab.txt", "7"},
        {kNewline, "new\\nline.txt", "10"},
        {kBackslash, "back\\\\slash.txt", "10"},
        {kLong, QString::fromLatin1(kLong), "5"},
    };
    for (const auto& c : cases) {
        const int row = rowOf(*w, c.name);
        ASSERT_GE(row, 0) << c.shown.toStdString();
        EXPECT_EQ(cell(*w, row, 4), c.shown);
        EXPECT_EQ(cell(*w, row, 3), c.size) << c.shown.toStdString();
        EXPECT_EQ(cell(*w, row, 5), txtType) << c.shown.toStdString();
    }
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), QFile::decodeName(dir));
}

TEST_F(BrowseOddNamesTest, DeletingTheMarkedFileLeavesItsLookAlike)
{
    auto w = open(dir);
    select(*w, kBad);
    w->findChild<QPushButton*>("btMark")->click();
    EXPECT_EQ(w->findChild<QLabel*>("pnlScan")->text(), "Marked for deletion: 1 files 300 bytes");
    ASSERT_EQ(w->controller()->markedTargets().size(), 1);
    EXPECT_EQ(w->controller()->markedTargets()[0].pathBytes(), dir + '/' + kBad);

    rwtest::ScriptedResponder::instance().queueAnswer(rw::MessageAnswer::Yes);
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                        "rw::TfrmReallyDelete");
    w->findChild<QPushButton*>("btDeleteFiles")->click();

    EXPECT_FALSE(exists(dir + '/' + kBad));
    EXPECT_TRUE(exists(dir + '/' + kLookAlike));
    for (const QByteArray& other : {kTab, kNewline, kBackslash, kLong})
        EXPECT_TRUE(exists(dir + '/' + other)) << other.toStdString();
    EXPECT_EQ(rowOf(*w, kBad), -1);
    ASSERT_GE(rowOf(*w, kLookAlike), 0);
    EXPECT_EQ(cell(*w, rowOf(*w, kLookAlike), 3), "400");
    EXPECT_EQ(w->listedCount(), 5);
}

TEST_F(BrowseOddNamesTest, ViewAndDetailsOpenTheFileOfTheRow)
{
    rw::windowHooks().openViewer = rw::showViewer;
    rw::windowHooks().openDetails = rw::showDetails;
    auto w = open(dir);
    const struct {
        QByteArray name;
        QString firstLine;
        const char* bytes;
    } cases[] = {
        {kBad, QString(300, 'A'), "300"},
        {kLookAlike, QString(400, 'B'), "400"},
        {kTab, "tabbed", "7"},
        {kNewline, "two lines", "10"},
    };
    for (const auto& c : cases) {
        const QString shownPath = QFile::decodeName(dir) + '/' + cell(*w, rowOf(*w, c.name), 4);
        select(*w, c.name);
        QString caption, line, size;
        rwtest::onNextModal(
            [&](QWidget* d) {
                auto* view = static_cast<rw::TfrmView*>(d);
                caption = view->windowTitle();
                line = view->viewer()->lineText(0);
                view->reject();
            },
            "rw::TfrmView");
        w->findChild<QPushButton*>("btView")->click();
        EXPECT_EQ(line, c.firstLine) << shownPath.toStdString();
        EXPECT_EQ(caption, "View File : " + shownPath);

        QString name;
        rwtest::onNextModal(
            [&](QWidget* d) {
                size = d->findChild<QLabel*>("lblSizeBytes")->text();
                name = d->findChild<QLabel*>("lblFileName")->text();
                d->findChild<QPushButton*>("btClose")->click();
            },
            "rw::TfrmDetails");
        w->findChild<QPushButton*>("btDetails")->click();
        EXPECT_EQ(size, QString(c.bytes) + " bytes") << shownPath.toStdString();
        EXPECT_EQ(name, shownPath);
    }
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

TEST_F(BrowseOddNamesTest, TheFileToSelectIsFoundByItsBytes)
{
    for (const QByteArray& name : {kLookAlike, kBad, kTab, kLong}) {
        auto w = open(dir, name);
        const int row = w->controller()->grid()->currentRow();
        ASSERT_GE(row, 0);
        EXPECT_EQ(w->controller()->rowPathBytes(row), dir + '/' + name) << name.toStdString();
    }
    // The hook hands the bytes on as they are.
    rw::windowHooks().openBrowser = rw::showBrowser;
    QByteArray selected;
    rwtest::onNextModal(
        [&](QWidget* d) {
            auto* b = static_cast<TfrmBrowse*>(d);
            selected = b->controller()->rowPathBytes(b->controller()->grid()->currentRow());
            b->reject();
        },
        "rw::TfrmBrowse");
    rw::windowHooks().openBrowser(nullptr, dir, "*.*", kLookAlike);
    rw::windowHooks().openBrowser = nullptr;
    EXPECT_EQ(selected, dir + '/' + kLookAlike);
}

TEST_F(BrowseOddNamesTest, TreeOpensTheFolderNamedByItsBytes)
{
    const QByteArray bad = dir + "/Bad\xff";
    const QByteArray lookAlike = dir + "/Bad\xef\xbf\xbd";
    ASSERT_EQ(::mkdir(bad.constData(), 0755), 0);
    ASSERT_EQ(::mkdir(lookAlike.constData(), 0755), 0);
    write("Bad\xff/in-bad.txt", "b\n");
    write("Bad\xef\xbf\xbd/in-lookalike.txt", "l\n");

    auto w = open(dir);
    auto* tree = w->findChild<rw::FolderTree*>("DirectoryListBox1");
    ASSERT_NE(tree, nullptr);
    QTreeWidgetItem* here = tree->currentItem();
    ASSERT_NE(here, nullptr);
    QTreeWidgetItem* badItem = nullptr;
    QStringList texts;
    for (int i = 0; i < here->childCount(); ++i) {
        texts << here->child(i)->text(0);
        if (here->child(i)->data(0, rw::FolderTree::kPathRole).toByteArray() == bad)
            badItem = here->child(i);
    }
    EXPECT_TRUE(texts.contains("Bad\\xFF"));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Bad\xef\xbf\xbd")));
    ASSERT_NE(badItem, nullptr);
    EXPECT_EQ(badItem->text(0), "Bad\\xFF");

    emit tree->itemActivated(badItem, 0);
    EXPECT_EQ(w->folder(), bad);
    EXPECT_EQ(tree->selectedFolder(), bad);
    ASSERT_EQ(w->listedCount(), 1);
    EXPECT_EQ(cell(*w, 0, 4), "in-bad.txt");
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), QFile::decodeName(dir) + "/Bad\\xFF");
}

TEST_F(BrowseOddNamesTest, FolderDeleteTakesTheFolderNotItsLookAlike)
{
    // Empty folders go at once; full ones through the tree delete.
    for (const QByteArray& content : {QByteArray(), QByteArray("in.txt")}) {
        const QByteArray bad = dir + "/Gone\xff";
        const QByteArray lookAlike = dir + "/Gone\xef\xbf\xbd";
        ASSERT_EQ(::mkdir(bad.constData(), 0755), 0);
        ASSERT_EQ(::mkdir(lookAlike.constData(), 0755), 0);
        if (!content.isEmpty()) {
            write("Gone\xff/" + content, "1234");
            write("Gone\xef\xbf\xbd/" + content, "12345");
        }
        auto w = open(bad);
        rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btDelete")->click(); },
                            "rw::TfrmDelDirectory");
        w->btDeleteDirectoryClick();

        EXPECT_FALSE(exists(bad)) << content.toStdString();
        EXPECT_TRUE(exists(lookAlike)) << content.toStdString();
        EXPECT_EQ(w->folder(), dir);
        if (!content.isEmpty()) {
            EXPECT_TRUE(exists(lookAlike + '/' + content));
            EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
                      QStringList{"Deleted 1 files for a savings of 4 bytes."});
        }
        ::unlink((lookAlike + '/' + content).constData());
        ::rmdir(lookAlike.constData());
        rwtest::ScriptedResponder::instance().clear();
    }
}
