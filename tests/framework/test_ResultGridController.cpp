#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>

#include "base/SharedRoutines.h"
#include "platform/DirListing.h"
#include "platform/DosDateTime.h"

#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/WindowHooks.h"
#include "framework/core/SortFlags.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include <cstdio>

using namespace rw;
using rwtest::FixtureBuilder;
using rwtest::ScriptedResponder;

namespace
{

enum class Kind { FileHogs, Duplicates };

// A tool window reduced to what the grid handlers touch.
struct TestWindow {
    QWidget window;
    QWidget* panel;
    ResultGridView* grid;
    QLabel* status;
    QPushButton* del;
    ResultGridController* ctl;

    explicit TestWindow(Kind kind)
    {
        window.resize(640, 478);
        panel = new QWidget(&window);
        panel->setGeometry(0, 0, 600, 172);
        grid = new ResultGridView(&window);
        grid->setGeometry(0, 172, 640, 280);
        status = new QLabel(&window);
        del = new QPushButton(QStringLiteral("Delete"), &window);
        del->setEnabled(false);

        ResultGridConfig c;
        c.statusLabel = status;
        c.deleteButton = del;
        c.topPanel = panel;
        c.printTitle = [] { return QStringLiteral("File Hogs test"); };
        c.wildcard = [] { return QStringLiteral("*.bin"); };
        if (kind == Kind::FileHogs) {
            c.headers = {"Size", "Modified", "Time", "Access", "FileName", "Type"};
            c.markColumn = 4;
            c.sizeColumn = 0;
            c.sortWindowKey = "testHogs";
            c.sortItems = {{"&Size", "Sortbysize1", {}, 0, SortKind::Number, true, true},
                           {"&Date", "Sortbydate1", {}, 1, SortKind::Date, true, true},
                           {"&Access Date", "Sortbyaccess1", {}, 3, SortKind::Date, true, true},
                           {"&Name", "Sortbyname1", {}, 4, SortKind::Text, false, true},
                           {"&Type", "Sortbytype1", {}, 5, SortKind::Text, false, true}};
            c.columnWidths = {64, 64, 64, 64, 296};
            c.lastColumnMargin = 577;
        } else {
            c.headers = {"Filename", "Size", "Modified", "Time", "Access", "Folder", "Type"};
            c.fieldOrder = {2, 1, 3, 4, 5, 6, 7}; // lines begin with the size
            c.markColumn = 0;
            c.sizeColumn = 1;
        }
        ctl = new ResultGridController(&window, grid, c);
        window.show();
        ctl->savePanelHeight();
        ctl->ClearGrid();
        using F = ResultField;
        set = std::make_shared<ResultSet>();
        lines = std::make_shared<ResultLines>(
            set, kind == Kind::FileHogs
                     ? QList<F>{F::Size, F::ModifiedDate, F::ModifiedTime, F::AccessDate,
                                F::FullPath, F::Type}
                     : QList<F>{F::Size, F::Name, F::ModifiedDate, F::ModifiedTime, F::AccessDate,
                                F::Folder, F::Type});
        lines->setTypeDescriber([](const QString& ext) {
            return ext == ".txt" ? QStringLiteral("Text") : QStringLiteral("Data");
        });
        ctl->setLines(lines);
    }

    // Adds a row for the file at `path` as a scan that saw it with `size`
    // bytes at kSeen would; the identity is the file's when it exists.
    std::int64_t add(const QString& path, std::int64_t size)
    {
        const QByteArray bytes = QFile::encodeName(path);
        const qsizetype slash = bytes.lastIndexOf('/');
        FileStatus folder;
        FileIdentity folderId;
        if (pathStatus(bytes.left(slash), &folder))
            folderId = FileIdentity{folder.dev, folder.ino, FileIdentity::Type::Folder};
        const std::uint32_t f = set->addFolder(bytes.left(slash), folderId);
        FileStatus st;
        if (!pathStatus(bytes, &st))
            st = FileStatus();
        st.size = size;
        st.mtime = st.atime = kSeen;
        const QByteArray name = bytes.mid(slash + 1);
        return ctl->addToGrid(set->add(f, std::string_view(name.constData(), name.size()), st));
    }

    void select(int row) { grid->selectRow(row); }

    static constexpr std::int64_t kSeen = 1577959200; // 2 January 2020, 10:00 UTC
    std::shared_ptr<ResultSet> set;
    std::shared_ptr<ResultLines> lines;
};

// The date and time texts every row of TestWindow::add shows.
QString seenDate()
{
    return PackedDateText(packFileTime(TestWindow::kSeen));
}
QString seenTime()
{
    return PackedTimeText(packFileTime(TestWindow::kSeen));
}

QString hogLine(const QString& size, const QString& path)
{
    return size + "\t" + seenDate() + "\t" + seenTime() + "\t" + seenDate() + "\t" + path +
           "\tData";
}

} // namespace

// ---------------------------------------------------------------- marking

TEST(ResultGridController, MarkingTogglesCountsExistingFilesAndShowsTheTotals)
{
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 1000), b = fx.file(".hidden.bin", 2500);
    const QString gone = fx.path("gone.bin");
    TestWindow w(Kind::FileHogs);
    w.add(a, 1000);
    w.add(b, 2500);
    w.add(gone, 9);

    // Double click on the same row twice: unmarked again, counts as before.
    w.select(0);
    w.ctl->gridDblClick();
    EXPECT_TRUE(w.ctl->model()->isMarked(0));
    EXPECT_EQ(w.status->text(), "1 files 1,000 bytes");
    EXPECT_TRUE(w.del->isEnabled());
    w.ctl->gridDblClick();
    EXPECT_FALSE(w.ctl->model()->isMarked(0));
    EXPECT_EQ(w.ctl->markedCount(), 0);
    EXPECT_EQ(w.ctl->markedBytes(), 0);
    EXPECT_TRUE(w.ctl->lbDeleted().isEmpty());
    EXPECT_FALSE(w.del->isEnabled());

    // A hidden file counts; a vanished one is marked and listed but not counted.
    w.ctl->MarkThisFile(2);
    w.ctl->MarkThisFile(1);
    EXPECT_TRUE(w.ctl->model()->isMarked(2));
    EXPECT_EQ(w.ctl->markedCount(), 1);
    EXPECT_EQ(w.ctl->markedBytes(), 2500);
    EXPECT_EQ(w.ctl->lbDeleted(), QStringList({gone, b}));
    EXPECT_EQ(w.status->text(), "1 files 2,500 bytes");

    // A row that does not exist changes nothing.
    w.ctl->MarkThisFile(3);
    EXPECT_EQ(w.ctl->lbDeleted().size(), 2);

    w.ctl->Markall1Click();
    EXPECT_EQ(w.ctl->markedCount(), 2);
    EXPECT_EQ(w.ctl->markedBytes(), 3500);
    EXPECT_EQ(w.ctl->lbDeleted(), QStringList({a, b, gone}));
    w.ctl->MarkThisFile(0); // unmark after "Mark all" finds its line
    EXPECT_EQ(w.ctl->lbDeleted(), QStringList({b, gone}));

    w.ctl->Unmarkall1Click();
    EXPECT_EQ(w.status->text(), "0 files 0 bytes");
    EXPECT_FALSE(w.del->isEnabled());
    EXPECT_FALSE(w.ctl->model()->isMarked(1));
}

TEST(ResultGridController, MarkAllTakesEachFolderOnceAndLooksAgainAtWhatChanged)
{
    // Between the scan and "Mark all": one file is replaced by another of
    // another size (a new inode), one is gone, one is unchanged.
    FixtureBuilder fx;
    const QString same = fx.file("d/same.bin", 100);
    const QString replaced = fx.file("d/replaced.bin", 200);
    const QString gone = fx.file("e/gone.bin", 300);
    TestWindow w(Kind::FileHogs);
    w.add(same, 100);
    w.add(replaced, 200);
    w.add(gone, 300);
    QFile::rename(fx.file("d/new.tmp", 250), replaced + ".x");
    QFile::remove(replaced);
    QFile::rename(replaced + ".x", replaced);
    QFile::remove(gone);

    w.ctl->Markall1Click();
    EXPECT_EQ(w.ctl->markedCount(), 2);
    EXPECT_EQ(w.ctl->markedBytes(), 350);
    EXPECT_EQ(w.ctl->lbDeleted(), QStringList({same, replaced, gone}));
}

TEST(ResultGridController, MarkAllWithNoResultsCountsNothingButEnablesDelete)
{
    TestWindow w(Kind::FileHogs);
    w.ctl->Markall1Click();
    EXPECT_EQ(w.ctl->markedCount(), 0);
    EXPECT_TRUE(w.ctl->lbDeleted().isEmpty());
    EXPECT_TRUE(w.del->isEnabled());
    EXPECT_EQ(w.status->text(), "0 files 0 bytes");
}

TEST(ResultGridController, DeleteKeyTogglesAndMovesDownExceptOnTheLastRow)
{
    FixtureBuilder fx;
    TestWindow w(Kind::FileHogs);
    for (int i = 0; i < 3; ++i)
        w.add(fx.file(QString("f%1.bin").arg(i), 10), 10);
    w.select(1);
    QTest::keyRelease(w.grid, Qt::Key_Delete);
    EXPECT_TRUE(w.ctl->model()->isMarked(1));
    EXPECT_EQ(w.grid->currentRow(), 2);
    QTest::keyRelease(w.grid, Qt::Key_Delete);
    EXPECT_TRUE(w.ctl->model()->isMarked(2));
    EXPECT_EQ(w.grid->currentRow(), 2);
    QTest::keyRelease(w.grid, Qt::Key_Delete);
    EXPECT_FALSE(w.ctl->model()->isMarked(2));
    EXPECT_EQ(w.grid->currentRow(), 2);
}

TEST(ResultGridController, RowsNameTheirFileByItsBytesAndTheTagIsOnlyShown)
{
    FixtureBuilder fx;
    const QString a = fx.file("dir/README.TXT", 40);
    TestWindow dup(Kind::Duplicates);
    dup.ctl->model()->setFieldOrder({2, 1, 3, 4, 5, 6, 7}); // lines begin with the size
    dup.add(a, 40);
    EXPECT_EQ(dup.ctl->model()->cell(0, 0), "README.TXT");
    EXPECT_EQ(dup.ctl->model()->cell(0, 1), "40");
    EXPECT_EQ(dup.ctl->model()->cell(0, 5), fx.path("dir"));
    EXPECT_EQ(dup.ctl->rowPath(0), a);

    TestWindow hogs(Kind::FileHogs);
    hogs.lines->setPathTag(ResultGridController::searchPathTag());
    hogs.add(a, 40);
    hogs.set->record(hogs.ctl->rowRecord(0)).set(ResultRecord::Tagged, true);
    EXPECT_EQ(hogs.ctl->model()->cell(0, 4), a + ResultGridController::searchPathTag());
    EXPECT_EQ(hogs.ctl->rowPath(0), a);
    hogs.ctl->MarkThisFile(0);
    EXPECT_EQ(hogs.ctl->markedBytes(), 40);
    EXPECT_EQ(hogs.ctl->lbDeleted(), QStringList({a}));
}

TEST(ResultGridController, LookAlikeAndControlCharacterNamesKeepTheirOwnFiles)
{
    // "x\xff.txt" is not UTF-8; its neighbour is the look-alike with U+FFFD.
    // A tab and a line break in a name never split a cell or a line.
    FixtureBuilder fx;
    const QByteArray folder = QFile::encodeName(fx.path("n"));
    QDir().mkpath(fx.path("n"));
    const QByteArray names[] = {"x\xff.txt",  "x\xef\xbf\xbd.txt", "t\tab.txt",
                                "l\nine.txt", "t\\tab.txt",        QByteArray(255, 'L')};
    std::int64_t size = 100;
    for (const QByteArray& n : names) {
        const QByteArray path = folder + '/' + n;
        FILE* out = std::fopen(path.constData(), "wb");
        ASSERT_NE(out, nullptr) << n.toHex().constData();
        const QByteArray data(size, 'd');
        std::fwrite(data.constData(), 1, std::size_t(data.size()), out);
        std::fclose(out);
        size += 100;
    }
    TestWindow w(Kind::FileHogs);
    for (const QByteArray& n : names) {
        const std::uint32_t f = w.set->addFolder(folder, {});
        FileStatus st;
        ASSERT_TRUE(pathStatus(folder + '/' + n, &st));
        w.ctl->addToGrid(w.set->add(f, std::string_view(n.constData(), n.size()), st));
    }
    EXPECT_EQ(w.ctl->model()->cell(0, 4), fx.path("n") + "/x\\xFF.txt");
    EXPECT_EQ(w.ctl->model()->cell(1, 4), fx.path("n") + QString::fromUtf8("/x\uFFFD.txt"));
    EXPECT_EQ(w.ctl->model()->cell(2, 4), fx.path("n") + "/t\\tab.txt");
    EXPECT_EQ(w.ctl->model()->cell(2, 5), "Text");
    // A name really holding a backslash and a "t" is not shown as the tab
    // name: its backslash shows doubled.
    EXPECT_EQ(w.ctl->model()->cell(4, 4), fx.path("n") + "/t\\\\tab.txt");
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(w.ctl->rowPathBytes(row), folder + '/' + names[row]);

    w.ctl->MarkThisFile(0);
    EXPECT_EQ(w.ctl->markedBytes(), 100);
    w.ctl->MarkThisFile(2);
    EXPECT_EQ(w.ctl->markedBytes(), 400);
    const QStringList clip = w.ctl->clipboardText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(clip.size(), 6);
    for (const QString& line : clip)
        EXPECT_EQ(line.count('\t'), 5) << line.toStdString();
    const QList<DeleteTarget> marked = w.ctl->markedTargets();
    ASSERT_EQ(marked.size(), 2);
    EXPECT_EQ(marked[0].name, names[0]);
    EXPECT_EQ(marked[1].name, names[2]);
}

TEST(ResultGridController, CancelledConfirmationKeepsTheMarks)
{
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 10);
    TestWindow w(Kind::FileHogs);
    w.add(a, 10);
    w.ctl->MarkThisFile(0);
    rwtest::onNextModal([](QWidget* d) { d->findChild<QPushButton*>("btClose")->click(); });
    EXPECT_FALSE(w.ctl->runDelete());
    EXPECT_TRUE(w.ctl->model()->isMarked(0));
    EXPECT_EQ(w.ctl->markedCount(), 1);
    EXPECT_TRUE(QFile::exists(a));
}

// ---------------------------------------------------------------- sorting

TEST(ResultGridController, SortDirectionsOutliveTheWindowAndMarksMoveWithRows)
{
    SortFlags::instance().reset();
    FixtureBuilder fx;
    {
        TestWindow w(Kind::FileHogs);
        w.add(fx.file("a.bin", 9000), 9000);
        w.add(fx.file("b.bin", 10000), 10000);
        w.add(fx.file("c.bin", 250), 250);
        w.ctl->MarkThisFile(2);
        // What a file-hog run does after filling: largest first.
        w.ctl->setSortDescending(0, true);
        w.ctl->sortByItem(0);
        EXPECT_EQ(w.ctl->model()->cell(0, 0), "10,000");
        EXPECT_TRUE(w.ctl->model()->isMarked(2));
        EXPECT_EQ(w.ctl->model()->cell(2, 0), "250");
        EXPECT_EQ(w.ctl->checkedSortItem(), 0);
    }
    TestWindow again(Kind::FileHogs);
    again.add(fx.path("a.bin"), 9000);
    again.add(fx.path("b.bin"), 10000);
    again.add(fx.path("c.bin"), 250);
    again.ctl->sortByItem(0); // the flag was left ascending
    EXPECT_EQ(again.ctl->model()->cell(0, 0), "250");
    again.ctl->sortByItem(3); // name: ascending at first
    EXPECT_TRUE(again.ctl->model()->cell(0, 4).endsWith("a.bin"));
    EXPECT_EQ(again.ctl->checkedSortItem(), 3);
    again.ctl->ClearGrid();
    EXPECT_EQ(again.ctl->checkedSortItem(), 0);
}

TEST(ResultGridController, HeaderClickSortsOnlyWhenReleasedWhereItWasPressed)
{
    SortFlags::instance().reset();
    TestWindow w(Kind::FileHogs);
    w.add("/x/b", 1);
    w.add("/x/a", 2);
    QWidget* header = w.grid->horizontalHeader()->viewport();
    const int nameX = w.grid->horizontalHeader()->sectionViewportPosition(4) + 5;

    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(nameX, 5));
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(nameX + 3, 5));
    EXPECT_EQ(w.ctl->model()->cell(0, 4), "/x/b");

    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(nameX, 5));
    EXPECT_EQ(w.ctl->model()->cell(0, 4), "/x/a");

    // The time column has no sort.
    const int timeX = w.grid->horizontalHeader()->sectionViewportPosition(2) + 5;
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(timeX, 5));
    EXPECT_EQ(w.ctl->model()->cell(0, 4), "/x/a");
    EXPECT_EQ(w.ctl->checkedSortItem(), 3);
}

// ---------------------------------------------------------------- print and clipboard

TEST(ResultGridController, PrintedLinesPadEachColumnToItsWidthInSixes)
{
    TestWindow w(Kind::FileHogs);
    w.add("/data/a.bin", 1000);
    for (int c = 0; c < 6; ++c)
        w.grid->setColumnWidth(c, c == 4 ? 296 : 64);
    const QDateTime now(QDate(2024, 5, 6), QTime(13, 14, 15));
    const QStringList lines = w.ctl->printLines("Title", now);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "Title");
    EXPECT_EQ(lines[1], "Printed : " + formatShortDate(now.date()) + "  " +
                            QLocale().toString(now.time(), longTimeFormat()));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    // 64 / 6 = 10 characters, 296 / 6 = 49, each followed by one blank.
    EXPECT_EQ(
        lines[4],
        QString("Size").leftJustified(10) + " " + QString("Modified").leftJustified(10) + " " +
            QString("Time").leftJustified(10) + " " + QString("Access").leftJustified(10) + " " +
            QString("FileName").leftJustified(49) + " " + QString("Type").leftJustified(10) + " ");
    // A longer text is not cut ("10:00:00 AM" has 11 characters).
    EXPECT_TRUE(lines[5].startsWith("1,000      " + seenDate().leftJustified(10) + " " +
                                    seenTime().leftJustified(10) + " " +
                                    seenDate().leftJustified(10) + " "));
    EXPECT_TRUE(lines[5].endsWith(QString("/data/a.bin").leftJustified(49) + " " +
                                  QString("Data").leftJustified(10) + " "));
}

TEST(ResultGridController, PrintsToAPrinterAndReportsAFailure)
{
    TestWindow w(Kind::FileHogs);
    w.add("/data/a.bin", 1000);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    const QString out = rwtest::testRoot() + "/report.pdf";
    pdf.setOutputFileName(out);
    w.ctl->setPrinter(&pdf);
    w.ctl->btPrintClick();
    EXPECT_GT(QFile(out).size(), 0);
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());

    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(rwtest::testRoot() + "/no/such/folder/report.pdf");
    EXPECT_FALSE(w.ctl->PrintGrid("T", &broken));
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList({"Error printing report ... quitting"}));
}

TEST(ResultGridController, APageRangePrintsOnlyThosePagesOfTheGrid)
{
    TestWindow w(Kind::FileHogs);
    for (int i = 0; i < 400; ++i) // several pages of 9-point lines
        w.add(QStringLiteral("/data/f%1.bin").arg(i), 1000 + i);
    const auto pagesOf = [](const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        return int(QString::fromLatin1(f.readAll()).count(page));
    };
    const auto print = [&](const QString& name, QPrinter::PrintRange range, int from, int to) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(rwtest::testRoot() + '/' + name);
        pdf.setFromTo(from, to);
        pdf.setPrintRange(range);
        w.ctl->setPrinter(&pdf);
        w.ctl->btPrintClick();
        return pagesOf(pdf.outputFileName());
    };
    const int all = print("all.pdf", QPrinter::AllPages, 0, 0);
    ASSERT_GE(all, 3);
    EXPECT_EQ(print("first.pdf", QPrinter::PageRange, 1, 1), 1);
    EXPECT_EQ(print("second-third.pdf", QPrinter::PageRange, 2, 3), 2);
    EXPECT_EQ(print("to-the-end.pdf", QPrinter::PageRange, 2, all + 5), all - 1);
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());
}

TEST(ResultGridController, ClipboardKeepsTheOrderAndFieldsOfTheResultLines)
{
    SortFlags::instance().reset();
    TestWindow w(Kind::Duplicates);
    const QString stamp = seenDate() + "\t" + seenTime() + "\t" + seenDate();
    const QString l1 = "9\tb.txt\t" + stamp + "\t/d\tText";
    const QString l2 = "10\ta.txt\t" + stamp + "\t/d\tText";
    w.add("/d/b.txt", 9);
    w.add("/d/a.txt", 10);
    EXPECT_EQ(w.ctl->clipboardText(), l1 + "\n" + l2 + "\n");

    TestWindow hogs(Kind::FileHogs);
    hogs.add("/x/1", 1);
    hogs.add("/x/2", 2);
    hogs.ctl->sortByItem(0); // descending: the grid order changes, the copy does not
    ASSERT_EQ(hogs.ctl->model()->cell(0, 0), "2");
    hogs.ctl->btClipClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              hogLine("1", "/x/1") + "\n" + hogLine("2", "/x/2") + "\n");
}

// ---------------------------------------------------------------- files, menu, layout

TEST(ResultGridController, OpeningTheCurrentFileNeedsAnExistingFile)
{
    FixtureBuilder fx;
    const QString a = fx.file("sub/a.bin", 5);
    TestWindow w(Kind::FileHogs);
    w.add(a, 5);
    w.add(fx.path("gone.bin"), 5);
    QStringList calls;
    const WindowHooks saved = windowHooks();
    windowHooks().openViewer = [&](QWidget*, const QByteArray& p) {
        calls << "view " + QFile::decodeName(p);
    };
    windowHooks().openDetails = [&](QWidget*, const QByteArray& p) {
        calls << "details " + QFile::decodeName(p);
    };
    windowHooks().openBrowser = [&](QWidget*, const QByteArray& folder, const QString& mask,
                                    const QByteArray& file) {
        calls << "browse " + QFile::decodeName(folder) + " " + mask + " " + QFile::decodeName(file);
    };
    w.ctl->setFileOpener([&](const QByteArray& p) {
        calls << "run " + QFile::decodeName(p);
        return false;
    });

    w.select(1); // the vanished file
    w.ctl->Run1Click();
    w.ctl->View1Click();
    w.ctl->Details1Click();
    EXPECT_TRUE(calls.isEmpty());

    w.select(0);
    w.ctl->Run1Click();
    w.ctl->View1Click();
    w.ctl->Details1Click();
    w.ctl->BrowseDirectory1Click();
    windowHooks() = saved;
    EXPECT_EQ(calls, QStringList({"run " + a, "view " + a, "details " + a,
                                  "browse " + fx.path("sub") + "/ *.bin a.bin"}));
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList({"Couldn't run " + a}));
}

TEST(ResultGridController, MenuPanelAndColumnWidths)
{
    TestWindow hogs(Kind::FileHogs);
    QMenu* menu = hogs.ctl->popupMenu();
    for (const char* name : {"Details1", "Markall1", "Unmarkall1", "Sortbysize1", "Sortbytype1",
                             "Shrink1", "Grow1", "Run1", "View1"})
        EXPECT_NE(menu->findChild<QAction*>(name), nullptr) << name;
    TestWindow dup(Kind::Duplicates);
    EXPECT_EQ(dup.ctl->popupMenu()->findChild<QMenu*>("Sort1"), nullptr);
    EXPECT_EQ(dup.ctl->popupMenu()->findChild<QAction*>("Sortbysize1"), nullptr);

    auto* shrink = menu->findChild<QAction*>("Shrink1");
    auto* grow = menu->findChild<QAction*>("Grow1");
    EXPECT_FALSE(grow->isEnabled());
    shrink->trigger();
    EXPECT_EQ(hogs.panel->height(), 0);
    EXPECT_TRUE(grow->isEnabled());
    EXPECT_FALSE(shrink->isEnabled());
    grow->trigger();
    EXPECT_EQ(hogs.panel->height(), 172);
    EXPECT_TRUE(shrink->isEnabled());

    const int dpi = hogs.grid->logicalDpiX();
    hogs.ctl->FormResize(640);
    EXPECT_EQ(hogs.grid->columnWidth(4), 296 * dpi / 96);
    // The last column takes the rest: the described margin, less what the
    // other columns were widened by for their texts.
    int widened = 0;
    for (int c = 0; c < 5; ++c)
        widened += hogs.grid->columnWidth(c) - (c == 4 ? 296 : 64) * dpi / 96;
    EXPECT_EQ(hogs.grid->columnWidth(5), qMax(hogs.ctl->contentWidth(5), 640 - 577 - widened));
    hogs.ctl->FormResize(1200);
    EXPECT_EQ(hogs.grid->columnWidth(5), 1200 - 577 - widened);
    EXPECT_EQ(hogs.ctl->minimumClientSize(96, 1920), QSize(603, 344));
    EXPECT_EQ(hogs.ctl->minimumClientSize(96, 500), QSize(490, 344));
}

// ---------------------------------------------------------------- column widths

namespace
{

// What a column must show without cutting: its heading in the header's font
// with the header margins, and a value of its kind in the grid's font with
// the cell insets (from 18 pixels in the mark column); one pixel for the
// grid line.
void expectColumnsFit(const ResultGridView& grid, const QStringList& headers,
                      const QStringList& samples, const QList<int>& described, int inset,
                      int markColumn)
{
    const QHeaderView* header = grid.horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QFontMetrics headerFm(header->font());
    const QFontMetrics cellFm(grid.font());
    const int dpi = grid.logicalDpiX();
    for (int c = 0; c < headers.size(); ++c) {
        SCOPED_TRACE(headers[c].toStdString());
        const int w = grid.columnWidth(c);
        EXPECT_GE(w, headerFm.horizontalAdvance(headers[c]) + 2 * margin + 1);
        if (!samples.value(c).isEmpty()) {
            EXPECT_GE(w, (c == markColumn ? 18 : inset) + cellFm.horizontalAdvance(samples[c]) +
                             inset + 1)
                << samples[c].toStdString();
        }
        if (c < described.size()) {
            EXPECT_GE(w, described[c] * dpi / 96);
        }
    }
}

} // namespace

// Dates, times, big sizes and long headings were cut ("12:30:54 P",
// "12/16/202", "Latest File Acce") where the described widths assume a
// narrower dialog font.
TEST(ResultGridController, ColumnsFitTheirHeadingsAndValuesAndKeepTheDescribedWidths)
{
    using F = ResultField;
    const QString date = QStringLiteral("12/28/2026"), time = QStringLiteral("12:59:59 PM"),
                  size = QStringLiteral("9,999,999,999");
    const struct {
        const char* name;
        QStringList headers;
        QList<F> layout;
        QStringList samples;
        QList<int> widths;
        int markColumn;
        int margin; // of the last column when no callback is given
    } cases[] = {
        {"file hogs",
         {"Size", "Modified", "Time", "Access", "FileName", "Type"},
         {F::Size, F::ModifiedDate, F::ModifiedTime, F::AccessDate, F::FullPath, F::Type},
         {size, date, time, date, "", ""},
         {64, 64, 64, 64, 296},
         4,
         577},
        {"folder hogs",
         {"Size", "% Used", "# Files", "# Sub-folders", "Latest File Access", "Name"},
         {F::Size, F::PercentUsed, F::FileCount, F::SubFolderCount, F::LatestAccess, F::FullPath},
         {size, "99.99", "999999", "999999", date, ""},
         {80, 40, 40, 70, 90},
         -1,
         -1},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        QWidget window;
        window.resize(640, 478);
        auto* grid = new ResultGridView(&window);
        grid->setGeometry(0, 172, 640, 280);
        ResultGridConfig c;
        c.headers = t.headers;
        c.markColumn = t.markColumn;
        c.sizeColumn = 0;
        c.columnWidths = t.widths;
        if (t.margin >= 0) {
            c.lastColumnMargin = t.margin;
        } else {
            c.lastColumnWidth = [](int clientWidth, const QList<int>& widths) {
                int rest = clientWidth - 25;
                for (int w : widths)
                    rest -= w;
                return rest;
            };
        }
        auto* ctl = new ResultGridController(&window, grid, c);
        window.show();
        ctl->ClearGrid();
        // Shown before a scan: the headings fit; the lines of the scan then
        // tell what the columns hold, and the values fit too.
        ctl->FormResize(640);
        expectColumnsFit(*grid, t.headers, {}, t.widths, c.cellInset, t.markColumn);
        ctl->setLines(std::make_shared<ResultLines>(std::make_shared<ResultSet>(), t.layout));
        expectColumnsFit(*grid, t.headers, t.samples, t.widths, c.cellInset, t.markColumn);
        // A new run clears the grid; the widths stay, also through a resize.
        ctl->ClearGrid();
        ctl->FormResize(800);
        expectColumnsFit(*grid, t.headers, t.samples, t.widths, c.cellInset, t.markColumn);
        // The last column takes what the others leave.
        if (t.margin < 0) {
            int sum = 0;
            for (int col = 0; col < t.headers.size(); ++col)
                sum += grid->columnWidth(col);
            EXPECT_EQ(sum, 800 - 25);
        }
    }
}
