#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "framework/WindowHooks.h"
#include "tests/platform/PeTestImage.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/dup/DupCompareSource.h"
#include "tools/dup/TfrmDupCompare.h"
#include "tools/dup/core/Crc32.h"

using namespace rw;

namespace
{

const QColor kAqua(0, 255, 255);

// A duplicate list over fixture files that records what the comparison
// window asks of it.
class FakeSource : public DupCompareSource
{
public:
    QVector<QStringList> rows{{"Filename", "Size", "Modified", "Time", "Access", "Folder", "Type"}};
    int current = 1;
    int mode = 0;
    QList<int> marked;
    QWidget widget;

    // A row for the file at `path`; `key` stands in for the size column.
    void add(const QString& path, const QString& key = "same")
    {
        const int slash = int(path.lastIndexOf('/'));
        rows.append({path.mid(slash + 1), key, "1/2/2024", "10:00:00 AM", "1/2/2024",
                     path.left(slash), "Text"});
    }

    int rowCount() const override { return int(rows.size()); }
    QString cell(int col, int row) const override { return rows.value(row).value(col); }
    QByteArray pathBytes(int row) const override
    {
        const QString folder = cell(5, row);
        return folder.isEmpty() ? QByteArray() : QFile::encodeName(folder + '/' + cell(0, row));
    }
    int currentRow() const override { return current; }
    void setCurrentRow(int row) override { current = row; }
    int matchMode() const override { return mode; }
    void MarkThisFile(int row) override { marked.append(row); }
    QWidget* window() const override { return const_cast<QWidget*>(&widget); }
};

QString text(const QWidget& w, const char* name)
{
    auto* l = w.findChild<QLabel*>(name);
    return l ? l->text() : QStringLiteral("<missing %1>").arg(name);
}

QColor colorOf(const QWidget& w, const char* name)
{
    return w.findChild<QLabel*>(name)->palette().color(QPalette::Window);
}

QString title(const QWidget& w, const char* name)
{
    return w.findChild<QGroupBox*>(name)->title();
}

QStringList lines(const QWidget& w, const char* name)
{
    QStringList out;
    auto* list = w.findChild<QListWidget*>(name);
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

std::uint32_t crcOf(const QByteArray& bytes)
{
    return UpdateCRC(0xFFFFFFFFu, bytes.constData(), std::size_t(bytes.size())) ^ 0xFFFFFFFFu;
}

const QDateTime kModified(QDate(2024, 1, 2), QTime(10, 0, 0));
const QDateTime kAccessed(QDate(2024, 1, 3), QTime(8, 0, 0));

} // namespace

TEST(TfrmDupCompare, ShowsBothFilesAndMarksTheFieldsThatDiffer)
{
    rwtest::FixtureBuilder fx;
    FakeSource src;
    src.add(fx.file("a/report.txt", 1200));
    src.add(fx.file("b/report.txt", 12));
    fx.setTimes("a/report.txt", kModified, kAccessed);
    fx.setTimes("b/report.txt", kModified, kAccessed);

    TfrmDupCompare w;
    w.showFor(&src);
    EXPECT_EQ(w.windowTitle(), "Compare file pairs");
    EXPECT_EQ(w.width(), 632);
    EXPECT_EQ(title(w, "GroupBox1"), "report.txt");
    EXPECT_EQ(title(w, "GroupBox2"), "report.txt");
    EXPECT_EQ(text(w, "lblFolder1"), fx.path("a"));
    EXPECT_EQ(text(w, "lblFolder2"), fx.path("b"));
    EXPECT_EQ(text(w, "lblSizeBytes1"), "1,200 bytes");
    EXPECT_EQ(text(w, "lblSizebytes2"), "12 bytes");
    EXPECT_EQ(text(w, "lblTYpe2"), text(w, "lblType1"));
    EXPECT_FALSE(text(w, "lblType1").isEmpty());
    EXPECT_TRUE(text(w, "lblModify1").startsWith("1/2/2024 10:00:00 AM  "))
        << qPrintable(text(w, "lblModify1"));
    EXPECT_TRUE(text(w, "lblAccess1").startsWith("1/3/2024  "))
        << qPrintable(text(w, "lblAccess1"));
    EXPECT_EQ(text(w, "lblAttributes1"), "");
    EXPECT_EQ(text(w, "lblCRC1"), "");

    for (const char* differs : {"lblFolder1", "lblFolder2", "lblSizeBytes1", "lblSizebytes2"})
        EXPECT_EQ(colorOf(w, differs), kAqua) << differs;
    for (const char* same : {"lblType1", "lblTYpe2", "lblModify1", "lblModify2", "lblAccess2",
                             "lblAttributes1", "lblCRC2"})
        EXPECT_NE(colorOf(w, same), kAqua) << same;

    // Neither file has version lines: both lists say so and the window
    // shrinks to the panel.
    EXPECT_EQ(lines(w, "tlBox1"), QStringList{"Extended profile absent"});
    EXPECT_EQ(lines(w, "tlBox2"), QStringList{"Extended profile absent"});
    EXPECT_FALSE(w.findChild<QListWidget*>("tlBox1")->isVisible());
    EXPECT_FALSE(w.findChild<QListWidget*>("tlBox2")->isVisible());
    auto* panel = w.findChild<QWidget*>("Panel1");
    EXPECT_EQ(panel->y(), w.findChild<QListWidget*>("tlBox1")->y());
    EXPECT_EQ(w.height(), panel->geometry().bottom() + 1 + 3);
}

TEST(TfrmDupCompare, VersionListsShowWhenEitherFileHasThem)
{
    rwtest::FixtureBuilder fx;
    using namespace rwtest::pe;
    const QByteArray v27 = peFile(sampleResource());
    const QByteArray v30 = peFile(versionResource(
        "040904E4", {stringEntry("CompanyName", "Acme Tools"), stringEntry("FileVersion", "3.0")}));
    FakeSource src;
    src.add(fx.fileWithContent("a/tidy.exe", v27));
    src.add(fx.fileWithContent("b/tidy.exe", "not a program"));
    src.add(fx.fileWithContent("c/tidy.exe", v30));

    TfrmDupCompare w;
    w.showFor(&src);
    auto* list1 = w.findChild<QListWidget*>("tlBox1");
    EXPECT_TRUE(list1->isVisible());
    EXPECT_TRUE(w.findChild<QListWidget*>("tlBox2")->isVisible());
    ASSERT_EQ(lines(w, "tlBox1").size(), 11);
    EXPECT_EQ(lines(w, "tlBox1")[0], "Company: Acme Tools");
    EXPECT_EQ(lines(w, "tlBox2"), QStringList{"Extended profile absent"});
    for (int i = 0; i < 11; ++i)
        EXPECT_NE(w.versionLineColor(i), kAqua) << i;
    auto* panel = w.findChild<QWidget*>("Panel1");
    EXPECT_EQ(panel->y(), list1->geometry().bottom() + 1 + 3);

    // Two programs: only the lines that differ are marked.
    src.rows.removeAt(2);
    w.hide();
    w.showFor(&src);
    ASSERT_EQ(lines(w, "tlBox2").size(), 11);
    EXPECT_NE(w.versionLineColor(0), kAqua); // same company
    EXPECT_EQ(w.versionLineColor(1), kAqua); // description only in one
    EXPECT_EQ(w.versionLineColor(2), kAqua); // 2.7.0.1 against 3.0
    EXPECT_NE(w.versionLineColor(3), kAqua); // neither has an internal name
}

TEST(TfrmDupCompare, CrcValuesGiveTheVerdict)
{
    rwtest::FixtureBuilder fx;
    const QByteArray content = "same bytes in both";
    FakeSource src;
    src.add(fx.fileWithContent("a/x.dat", content));
    src.add(fx.fileWithContent("b/x.dat", content));
    src.add(fx.fileWithContent("c/x.dat", "other bytes"));

    // Looking at the files (details, version lines, checksum) leaves their
    // access times as they were.
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6));
    fx.setTimes("a/x.dat", longAgo, longAgo);
    fx.setTimes("b/x.dat", longAgo, longAgo);

    TfrmDupCompare w;
    w.showFor(&src);
    w.findChild<QPushButton*>("btCompute")->click();
    for (const char* rel : {"a/x.dat", "b/x.dat"})
        EXPECT_EQ(QFileInfo(fx.path(rel)).lastRead(), longAgo) << rel;
    const QString hex = crcLabelText(crcOf(content));
    EXPECT_EQ(text(w, "lblCRC1"), hex + " file contents are identical");
    EXPECT_EQ(text(w, "lblCRC2"), hex + " file contents are identical");
    EXPECT_NE(colorOf(w, "lblCRC1"), kAqua);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The CRC labels are written in the window's font, as every other label.
    for (const char* name : {"lblCRC1", "lblCRC2"})
        EXPECT_EQ(w.findChild<QLabel*>(name)->font(), w.font()) << name;

    QTest::keyClick(&w, Qt::Key_PageDown); // rows 2 and 3
    EXPECT_EQ(text(w, "lblCRC1"), "");     // a new pair clears the values
    w.findChild<QPushButton*>("btCompute")->click();
    EXPECT_EQ(text(w, "lblCRC1"), hex + " file contents differ");
    EXPECT_EQ(text(w, "lblCRC2"), crcLabelText(crcOf("other bytes")) + " file contents differ");
    EXPECT_EQ(colorOf(w, "lblCRC2"), kAqua);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

TEST(TfrmDupCompare, CrcOfAFileThatWentReportsAndWritesNoVerdict)
{
    rwtest::FixtureBuilder fx;
    FakeSource src;
    src.add(fx.file("a/gone.txt", 5));
    const QString gone = fx.file("b/gone.txt", 5);
    src.add(gone);

    TfrmDupCompare w;
    w.showFor(&src);
    QFile::remove(gone);
    w.findChild<QPushButton*>("btCompute")->click();
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList{"Cannot open file " + gone});
    EXPECT_EQ(text(w, "lblCRC1"), crcLabelText(crcOf("xxxxx")));
    EXPECT_EQ(text(w, "lblCRC2"), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(TfrmDupCompare, StepsThroughPairsAndTheListFollows)
{
    rwtest::FixtureBuilder fx;
    FakeSource src;
    src.add(fx.file("1/a.txt", 1), "k1");
    src.add(fx.file("2/a.txt", 1), "k1");
    src.add(fx.file("3/b.txt", 1), "k2");
    src.add(fx.file("4/b.txt", 1), "k2");
    src.add(fx.file("5/c.txt", 1), "k3");
    src.mode = 3; // size only: pairs by the key column
    auto& responder = rwtest::ScriptedResponder::instance();

    TfrmDupCompare w;
    w.showFor(&src);
    EXPECT_EQ(text(w, "lblFolder1"), fx.path("1"));
    EXPECT_EQ(text(w, "lblFolder2"), fx.path("2"));

    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(w.currentRow(), 3);
    EXPECT_EQ(src.current, 3);
    EXPECT_EQ(text(w, "lblFolder1"), fx.path("3"));
    EXPECT_EQ(text(w, "lblFolder2"), fx.path("4"));

    // No later pair: the window stays and beeps.
    w.findChild<QToolButton*>("sbR1")->click();
    EXPECT_EQ(w.currentRow(), 3);
    EXPECT_EQ(text(w, "lblFolder1"), fx.path("3"));
    EXPECT_EQ(responder.beeps(), 1);

    // Page Up also works with the version list focused (it does not scroll).
    QTest::keyClick(w.findChild<QListWidget*>("tlBox1"), Qt::Key_PageUp);
    EXPECT_EQ(w.currentRow(), 1);
    EXPECT_EQ(src.current, 1);
    // On row 1 nothing happens.
    QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_EQ(w.currentRow(), 1);

    // On the second-to-last row nothing happens either, not even a beep.
    w.hide();
    src.current = 4;
    w.showFor(&src);
    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(w.currentRow(), 4);
    EXPECT_EQ(responder.beeps(), 1);

    // No earlier match: back to rows 1 and 2, though they differ.
    src.rows[2][1] = "zz";
    src.current = 3;
    w.hide();
    w.showFor(&src);
    w.findChild<QToolButton*>("sbL1")->click();
    EXPECT_EQ(w.currentRow(), 1);
    EXPECT_EQ(text(w, "lblFolder2"), fx.path("2"));

    // Starting on the last row compares the last pair.
    w.hide();
    src.current = 5;
    w.showFor(&src);
    EXPECT_EQ(w.currentRow(), 4);
    EXPECT_EQ(src.current, 4);
    EXPECT_EQ(text(w, "lblFolder2"), fx.path("5"));
}

TEST(TfrmDupCompare, MarkButtonsMarkTheRowsOfThePair)
{
    rwtest::FixtureBuilder fx;
    FakeSource src;
    for (int i = 0; i < 4; ++i)
        src.add(fx.file(QString("%1/m.txt").arg(i), 2));
    src.current = 2;
    TfrmDupCompare w;
    w.showFor(&src);
    w.findChild<QPushButton*>("btMark1")->click();
    w.findChild<QPushButton*>("btMark2")->click();
    EXPECT_EQ(src.marked, (QList<int>{2, 3}));
}

TEST(TfrmDupCompare, MissingFileKeepsItsSideButClearsTheCrc)
{
    rwtest::FixtureBuilder fx;
    FakeSource src;
    src.add(fx.file("a/k.txt", 3));
    src.add(fx.file("b/k.txt", 3));
    src.add("/nowhere/at/all/k.txt");
    src.add(""); // a row without a folder
    src.rows.last()[0] = "k.txt";

    TfrmDupCompare w;
    w.showFor(&src);
    w.findChild<QPushButton*>("btCompute")->click();
    ASSERT_FALSE(text(w, "lblCRC2").isEmpty());

    w.findChild<QToolButton*>("sbR1")->click(); // rows 2 and 3
    EXPECT_EQ(text(w, "lblFolder2"), fx.path("b"));
    EXPECT_EQ(text(w, "lblSizebytes2"), "3 bytes");
    EXPECT_EQ(text(w, "lblCRC2"), "");

    w.findChild<QToolButton*>("sbR1")->click(); // rows 3 and 4
    EXPECT_EQ(title(w, "GroupBox2"), "k.txt");
    EXPECT_EQ(text(w, "lblFolder2"), "");
    EXPECT_EQ(text(w, "lblSizebytes2"), "");
    EXPECT_EQ(text(w, "lblModify2"), "???");
    EXPECT_EQ(text(w, "lblAccess2"), "???");
    w.findChild<QPushButton*>("btLaunch2")->click();
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(), QStringList{"Couldn't run k.txt"});
}

TEST(TfrmDupCompare, CopyIsTakenOnlyWhenTheWindowComesUp)
{
    rwtest::FixtureBuilder fx;
    FakeSource src;
    src.add(fx.file("a/p.txt", 1));
    src.add(fx.file("b/p.txt", 1));
    TfrmDupCompare w;
    w.showFor(&src);
    src.add(fx.file("c/p.txt", 1));
    w.showFor(&src); // already visible: only brought to the front
    EXPECT_EQ(w.grid().rowCount(), 3);
    w.findChild<QPushButton*>("btClose")->click();
    EXPECT_FALSE(w.isVisible());
    w.showFor(&src);
    EXPECT_EQ(w.grid().rowCount(), 4);

    // When the duplicate window goes, the comparison forgets it and hides.
    {
        FakeSource gone;
        gone.add(fx.path("a/p.txt"));
        gone.add(fx.path("b/p.txt"));
        w.hide();
        w.showFor(&gone);
    }
    EXPECT_EQ(w.dupForm(), nullptr);
    EXPECT_FALSE(w.isVisible());
}

TEST(TfrmDupCompare, RunViewAndPrint)
{
    rwtest::FixtureBuilder fx;
    FakeSource src;
    src.add(fx.file("a/r.txt", 1));
    src.add(fx.file("b/r.txt", 2));
    TfrmDupCompare w;
    w.showFor(&src);

    QString viewed;
    windowHooks().openViewer = [&](QWidget*, const QByteArray& p) {
        viewed = QFile::decodeName(p);
    };
    w.findChild<QPushButton*>("btView2")->click();
    windowHooks().openViewer = nullptr;
    EXPECT_EQ(viewed, fx.path("b/r.txt"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(rwtest::testRoot() + "/pair.pdf");
    w.setPrinter(&printer);
    w.findChild<QPushButton*>("btPrint")->click();
    EXPECT_GT(QFile(rwtest::testRoot() + "/pair.pdf").size(), 0);
    // Back on screen the differences are marked again.
    EXPECT_EQ(colorOf(w, "lblSizeBytes1"), kAqua);
    EXPECT_NE(colorOf(w, "lblType1"), kAqua);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}
