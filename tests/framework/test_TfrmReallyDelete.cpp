#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "base/Settings.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/core/PathTarget.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"

using namespace rw;
using rwtest::FixtureBuilder;
using rwtest::ScriptedResponder;

namespace
{

QString labelText(QWidget& w, const char* name)
{
    return w.findChild<QLabel*>(name)->text();
}

QStringList listed(QWidget& w)
{
    QStringList out;
    auto* lb = w.findChild<QListWidget*>("lb1");
    for (int i = 0; i < lb->count(); ++i)
        out.append(lb->item(i)->text());
    return out;
}

} // namespace

TEST(TfrmReallyDelete, ShowsTheCountTheSavingsAndTheSortedList)
{
    FixtureBuilder fx;
    const QString c = fx.file("c.bin", 3000), a = fx.file("A.bin", 1000),
                  b = fx.file("b.bin", 2000);
    TfrmReallyDelete w;
    w.setFiles({c, a, b});
    w.setSavings(6000);
    w.show();
    EXPECT_EQ(w.windowTitle(), "Delete/rename the following files:");
    EXPECT_EQ(w.size(), QSize(622, 400));
    EXPECT_EQ(labelText(w, "lblDelete"), "The following 3 files will be deleted.");
    EXPECT_EQ(labelText(w, "lblSavings"), "6,000 bytes");
    EXPECT_EQ(listed(w), QStringList({a, b, c}));
    EXPECT_EQ(w.findChild<QPushButton*>("btDelete")->text(), "&Delete all files");
    EXPECT_EQ(w.findChild<QPushButton*>("btRecycle")->text(), "&Send to recycle bin");
    EXPECT_FALSE(w.findChild<QProgressBar*>()->isVisible());
}

TEST(TfrmReallyDelete, NoAnswerOrEmptyListKeepsTheWindowOpen)
{
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 10);
    ScriptedResponder& r = ScriptedResponder::instance();

    TfrmReallyDelete empty;
    empty.btDeleteAllClick();
    EXPECT_EQ(r.texts(), QStringList({"There are no files to delete"}));
    EXPECT_EQ(empty.result(), QDialog::Rejected);

    r.clear();
    TfrmReallyDelete w;
    w.setFiles({a});
    w.btDeleteAllClick(); // answered No
    w.btRecycleClick();   // answered No
    ASSERT_EQ(r.texts().size(), 4);
    EXPECT_EQ(r.texts()[0], "Really delete?");
    EXPECT_EQ(r.texts()[1], "Files not deleted");
    EXPECT_TRUE(r.texts()[2].startsWith(
        "Note that the recycle bin may be full or that you may have the \"Immediately Remove "
        "Files On Delete\" option turned on in the recycle bin. If either is true, then you will "
        "not be able to recover the deleted files from the recycle bin. "));
    EXPECT_TRUE(r.texts()[2].endsWith("Send to the recycle bin anyway?"));
    EXPECT_EQ(r.texts()[3], "Files not deleted");
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_EQ(listed(w).size(), 1);
}

TEST(TfrmReallyDelete, DeletingOrRecyclingEmptiesTheListAndAccepts)
{
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 1000), b = fx.file("b.bin", 2000);
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    TfrmReallyDelete w;
    w.setFiles({a, b});
    w.setSavings(3000);
    w.btDeleteAllClick();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_FALSE(QFile::exists(b));
    EXPECT_EQ(labelText(w, "lblDelete"), "The following 0 files will be deleted.");
    EXPECT_EQ(readDeletionTotals().filesDeleted, 2);
    EXPECT_EQ(readDeletionTotals().bytesDeleted, 3000);

    // Recycling an empty list still asks, adds nothing and closes with OK.
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    TfrmReallyDelete none;
    none.btRecycleClick();
    EXPECT_EQ(none.result(), QDialog::Accepted);
    EXPECT_EQ(readDeletionTotals().filesRecycled, 0);
}

TEST(TfrmReallyDelete, ToolWindowClosesUnlessTheConfirmationIsCancelled)
{
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 10);
    QWidget tool;

    // Nothing marked: no window, the tool window closes.
    EXPECT_TRUE(runDeleteMarked(&tool, {}, 0));

    rwtest::onNextModal([](QWidget* w) { w->findChild<QPushButton*>("btClose")->click(); },
                        "rw::TfrmReallyDelete");
    EXPECT_FALSE(runDeleteMarked(&tool, {targetForPath(QFile::encodeName(a))}, 10));
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_TRUE(QFile::exists(a));

    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    rwtest::onNextModal([](QWidget* w) { w->findChild<QPushButton*>("btRecycle")->click(); },
                        "rw::TfrmReallyDelete");
    EXPECT_TRUE(runDeleteMarked(&tool, {targetForPath(QFile::encodeName(a))}, 10));
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(QFile::exists(qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/a.bin"));
}

TEST(TfrmReallyDelete, ASettingsFileThatCannotBeWrittenIsSaidBeforeAnythingGoes)
{
    // The settings folder cannot be made: a plain file stands in its place.
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 10);
    QFile blocker(qEnvironmentVariable("XDG_CONFIG_HOME") + "/roomwise");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes); // Really delete?
    ScriptedResponder::instance().queueAnswer(MessageAnswer::No);  // go on unrecorded?
    TfrmReallyDelete w;
    w.setFiles(QStringList{a});
    w.btDeleteAllClick();
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_NE(w.result(), QDialog::Accepted);
    const QStringList said = ScriptedResponder::instance().texts();
    ASSERT_EQ(said.size(), 3);
    EXPECT_TRUE(said[1].contains("The deletion totals will not be recorded."));
    EXPECT_EQ(said[2], "Files not deleted");

    ScriptedResponder::instance().clear();
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
    w.btRecycleClick();
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

// The warning under the list has room for two lines; in the fonts here its
// wording would wrap onto a third, which the label cuts off.
TEST(TfrmReallyDelete, WarningFitsOnTwoLinesInTheFontInUse)
{
    TfrmReallyDelete w;
    w.show();
    auto* warning = w.findChild<QLabel*>("lblWarning");
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(warning->text().startsWith("WARNING: The file(s) that you selected"));
    EXPECT_TRUE(warning->font().bold());
    EXPECT_EQ(warning->geometry(), QRect(8, 323, 606, 42));
    const QFontMetrics fm(warning->font());
    const QRect needed =
        fm.boundingRect(QRect(0, 0, warning->width(), 1000), Qt::TextWordWrap, warning->text());
    EXPECT_LE(needed.height(), 2 * fm.lineSpacing());
    EXPECT_LE(needed.height(), warning->height());
    EXPECT_LE(needed.width(), warning->width());
    // Not shrunk past legibility.
    EXPECT_GE(QFontInfo(warning->font()).pixelSize(), 9);
}

TEST(TfrmReallyDelete, FittingAFontPrefersTheGivenOneAndOtherwiseNarrowsIt)
{
    QFont f;
    f.setPixelSize(11);
    f.setBold(true);
    const QString text = QStringLiteral("one two three four five six seven eight nine ten");
    const int oneLine = QFontMetrics(f).horizontalAdvance(text) + 4;
    // It fits as it is: unchanged.
    EXPECT_EQ(fontFittingLines(f, text, oneLine, 1), f);
    EXPECT_EQ(wrappedLineCount(f, text, oneLine), 1);
    // A little narrower: two lines in the font as it is, one in a narrower one.
    const int narrow = oneLine * 85 / 100;
    EXPECT_EQ(wrappedLineCount(f, text, narrow), 2);
    const QFont narrower = fontFittingLines(f, text, narrow, 1);
    EXPECT_EQ(wrappedLineCount(narrower, text, narrow), 1);
    EXPECT_NE(narrower, f);
}
