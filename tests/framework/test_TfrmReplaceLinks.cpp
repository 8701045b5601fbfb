#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "framework/TfrmReplaceLinks.h"
#include "framework/core/PathTarget.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace rw;
using rwtest::FixtureBuilder;
using rwtest::ScriptedResponder;

namespace
{

// A plain byte compare for the window's tests (the duplicate finder hands
// in its own).
bool sameBytes(int a, int b)
{
    QFile fa;
    QFile fb;
    if (!fa.open(::dup(a), QIODevice::ReadOnly, QFile::AutoCloseHandle) ||
        !fb.open(::dup(b), QIODevice::ReadOnly, QFile::AutoCloseHandle))
        return false;
    fa.seek(0);
    fb.seek(0);
    return fa.readAll() == fb.readAll();
}

ino_t inodeOf(const QString& path)
{
    struct stat st {
    };
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_ino;
}

QString label(QWidget& w, const char* name)
{
    return w.findChild<QLabel*>(name)->text();
}

} // namespace

// The window states how many files become which link, which are left and
// why, the bytes freed and what a hard link cannot keep; Replace makes the
// links and reports.
TEST(TfrmReplaceLinks, StatesThePlanThenReplaces)
{
    FixtureBuilder fx;
    const QByteArray data(4000, 'q');
    const QString kept = fx.fileWithContent("kept/k.bin", data);
    const QString one = fx.fileWithContent("a/one\tcopy.bin", data);
    const QString two = fx.fileWithContent("b/two.bin", data);
    const QString other = fx.fileWithContent("c/other.bin", QByteArray(4000, 'z'));
    QList<LinkReplaceRun::Item> items = {
        {targetForPath(QFile::encodeName(one)), {targetForPath(QFile::encodeName(kept))}},
        {targetForPath(QFile::encodeName(two)), {targetForPath(QFile::encodeName(kept))}},
        {targetForPath(QFile::encodeName(other)), {}},
    };
    ScriptedResponder& r = ScriptedResponder::instance();
    r.reset();
    TfrmReplaceLinks w;
    w.setItems(items, &sameBytes, &r);
    w.show();
    EXPECT_EQ(w.windowTitle(), "Replace marked files with links");
    const LinkReplaceRun::Plan& plan = w.plan();
    const int links = plan.reflinks + plan.hardLinks;
    EXPECT_EQ(links, 2);
    EXPECT_EQ(plan.left, 1);
    EXPECT_EQ(plan.bytesFreed, 8000);
    EXPECT_EQ(label(w, "lblHeading"),
              QStringLiteral("Files to be replaced by links: 2 (by reflinks: %1, by hard links: "
                             "%2). Files left as they are: 1.")
                  .arg(plan.reflinks)
                  .arg(plan.hardLinks));
    EXPECT_EQ(label(w, "lblSavings"), "Bytes freed: 8,000 bytes");
    EXPECT_TRUE(label(w, "lblNote")
                    .contains("cannot keep the replaced file's own permissions, "
                              "owner and times"));
    auto* list = w.findChild<QListWidget*>("lbFiles");
    ASSERT_EQ(list->count(), 3);
    const QString oneShown = items[0].target.shown;
    EXPECT_EQ(oneShown, fx.path("a/one\\tcopy.bin"));
    EXPECT_TRUE(list->item(0)->text().startsWith(oneShown + "  becomes a "));
    EXPECT_TRUE(list->item(0)->text().endsWith(" to " + kept));
    EXPECT_EQ(list->item(2)->text(), other + "  is left: no copy that stays holds the same bytes");

    w.findChild<QPushButton*>("btReplace")->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.outcome().bytesFreed, 8000);
    if (plan.hardLinks == 2) {
        EXPECT_EQ(inodeOf(one), inodeOf(kept));
        EXPECT_EQ(inodeOf(two), inodeOf(kept));
    }
    QFile f(one);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), data);
    ASSERT_EQ(r.texts().size(), 1);
    EXPECT_TRUE(r.texts().first().startsWith(
        "Files replaced by links: 2 (reflinks: " + QString::number(plan.reflinks) +
        ", hard links: " + QString::number(plan.hardLinks) +
        "). Bytes freed: 8,000 bytes.\nThese files were "
        "left as they are:\n" +
        other + ": no copy that stays holds the same bytes"));
    r.reset();
}

// With nothing to replace Replace is disabled; Cancel closes without a run;
// a copy whose bytes differ when the run compares them (the scan said they
// were equal) leaves the file.
TEST(TfrmReplaceLinks, NothingToReplaceCancelAndChangedBytesChangeNothing)
{
    FixtureBuilder fx;
    const QString a = fx.fileWithContent("a.bin", "aaaa");
    const QString b = fx.fileWithContent("b.bin", "bbbbbbbb");
    ScriptedResponder& r = ScriptedResponder::instance();
    r.reset();
    {
        TfrmReplaceLinks w;
        w.setItems({{targetForPath(QFile::encodeName(a)), {targetForPath(QFile::encodeName(b))}}},
                   &sameBytes, &r);
        EXPECT_FALSE(w.findChild<QPushButton*>("btReplace")->isEnabled());
        EXPECT_EQ(w.plan().left, 1);
    }
    const QString c = fx.fileWithContent("c.bin", "same bytes");
    const QString d = fx.fileWithContent("d.bin", "same bytes");
    const ino_t before = inodeOf(c);
    {
        TfrmReplaceLinks w;
        w.setItems({{targetForPath(QFile::encodeName(c)), {targetForPath(QFile::encodeName(d))}}},
                   &sameBytes, &r);
        w.show();
        w.findChild<QPushButton*>("btClose")->click();
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_EQ(inodeOf(c), before);
        EXPECT_TRUE(r.texts().isEmpty());
    }
    TfrmReplaceLinks w;
    w.setItems({{targetForPath(QFile::encodeName(c)), {targetForPath(QFile::encodeName(d))}}},
               &sameBytes, &r);
    EXPECT_EQ(w.plan().hardLinks + w.plan().reflinks, 1);
    fx.fileWithContent("d.bin", "sane bytes"); // written after the scan
    w.findChild<QPushButton*>("btReplace")->click();
    EXPECT_EQ(inodeOf(c), before);
    ASSERT_EQ(r.texts().size(), 1);
    EXPECT_EQ(r.texts().first(), "Files replaced by links: 0 (reflinks: 0, hard links: 0). Bytes "
                                 "freed: 0 bytes.\nThese files were left as they are:\n" +
                                     c + ": no copy that stays holds the same bytes");
    r.reset();
}

// The freed bytes go into the deletion totals: when the settings file cannot
// be written that is said before anything is replaced, and No leaves every
// file and the window open.
TEST(TfrmReplaceLinks, ASettingsFileThatCannotBeWrittenIsSaidBeforeAnythingIsReplaced)
{
    FixtureBuilder fx;
    const QString c = fx.fileWithContent("c.bin", "same bytes");
    const QString d = fx.fileWithContent("d.bin", "same bytes");
    const ino_t before = inodeOf(c);
    // The settings folder cannot be made: a plain file stands in its place.
    QFile blocker(qEnvironmentVariable("XDG_CONFIG_HOME") + "/roomwise");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    ScriptedResponder& r = ScriptedResponder::instance();
    r.reset();
    r.queueAnswer(MessageAnswer::No);
    TfrmReplaceLinks w;
    w.setItems({{targetForPath(QFile::encodeName(c)), {targetForPath(QFile::encodeName(d))}}},
               &sameBytes, &r);
    w.show();
    w.findChild<QPushButton*>("btReplace")->click();
    EXPECT_EQ(inodeOf(c), before);
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(r.texts().size(), 1);
    EXPECT_TRUE(r.texts().first().endsWith(
        "\n\nThe freed space will not be added to the deletion totals. Replace the files anyway?"));

    r.reset();
    r.queueAnswer(MessageAnswer::Yes);
    w.findChild<QPushButton*>("btReplace")->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.outcome().filesFreed, 1);
    QFile f(c);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "same bytes");
    EXPECT_TRUE(blocker.remove());
    r.reset();
}
