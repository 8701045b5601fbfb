#include "framework/FolderDeleteAction.h"

#include "base/Settings.h"
#include "framework/core/PathTarget.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

namespace
{

using rwtest::ScriptedResponder;

rw::FolderDeleteRequest requestFor(const QString& folder, rw::RefusingWindow window,
                                   bool recycledCountsAsDeleted, int* beforeCalls)
{
    rw::FolderDeleteRequest request;
    request.target =
        rw::targetForPath(QFile::encodeName(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())));
    request.window = window;
    request.recycledCountsAsDeleted = recycledCountsAsDeleted;
    request.beforeDelete = [beforeCalls] { ++*beforeCalls; };
    return request;
}

void answerConfirmation(const char* button)
{
    rwtest::onNextModal(
        [button](QWidget* d) { d->findChild<QPushButton*>(QString::fromLatin1(button))->click(); },
        "rw::TfrmDelDirectory");
}

// The two windows differ only in how a recycled tree is worded and counted.
TEST(FolderDeleteAction, RecycledTreeIsWordedAndCountedAsTheWindowSays)
{
    const struct {
        bool countsAsDeleted;
        const char* summary;
        std::int64_t filesDeleted;
        std::int64_t filesRecycled;
    } cases[] = {
        {true, "Deleted 2 files for a savings of 30 bytes.", 2, 0},
        {false, "Recycled 2 files for a savings of 30 bytes.", 0, 2},
    };
    for (const auto& c : cases) {
        auto& responder = ScriptedResponder::instance();
        responder.reset();
        ASSERT_TRUE(rw::resetDeletionTotals());
        rwtest::FixtureBuilder fx(rwtest::fixtureRoot() +
                                  (c.countsAsDeleted ? "/asDeleted" : "/asRecycled"));
        fx.file("tree/a.txt", 10);
        fx.file("tree/sub/b.txt", 20);
        int before = 0;
        const auto request =
            requestFor(fx.path("tree"), rw::RefusingWindow::FolderHogs, c.countsAsDeleted, &before);
        responder.queueAnswer(rw::MessageAnswer::Yes); // the recycle note
        answerConfirmation("btRecycle");

        const rw::FolderDeleteOutcome outcome = rw::runFolderDelete(nullptr, request, responder);

        EXPECT_TRUE(outcome.confirmed);
        EXPECT_TRUE(outcome.recycle);
        EXPECT_FALSE(outcome.removedEmpty);
        EXPECT_TRUE(outcome.folderRemoved);
        EXPECT_EQ(before, 1);
        EXPECT_FALSE(QFileInfo::exists(fx.path("tree")));
        ASSERT_FALSE(responder.texts().isEmpty());
        EXPECT_EQ(responder.texts().last(), QString::fromLatin1(c.summary));
        const rw::DeletionTotals totals = rw::readDeletionTotals();
        EXPECT_EQ(totals.filesDeleted, c.filesDeleted) << c.summary;
        EXPECT_EQ(totals.filesRecycled, c.filesRecycled) << c.summary;
    }
}

// Nothing is touched, and the window's preparation does not run, unless the
// user confirmed; an empty folder goes without a word.
TEST(FolderDeleteAction, RefusalCancelAndEmptyFolder)
{
    auto& responder = ScriptedResponder::instance();
    rwtest::FixtureBuilder fx;
    fx.folder("empty");
    fx.file("full/a.txt", 5);

    // The home folder is refused in either window before anything is asked.
    for (const rw::RefusingWindow window :
         {rw::RefusingWindow::Browser, rw::RefusingWindow::FolderHogs}) {
        responder.reset();
        int before = 0;
        const auto outcome = rw::runFolderDelete(
            nullptr, requestFor(QDir::homePath(), window, false, &before), responder);
        EXPECT_FALSE(outcome.confirmed);
        EXPECT_EQ(before, 0);
        EXPECT_EQ(responder.texts(),
                  QStringList{"You cannot delete the Windows folder using Roomwise 95"});
    }

    responder.reset();
    int before = 0;
    answerConfirmation("BitBtn3");
    auto outcome = rw::runFolderDelete(
        nullptr, requestFor(fx.path("full"), rw::RefusingWindow::Browser, true, &before),
        responder);
    EXPECT_FALSE(outcome.confirmed);
    EXPECT_EQ(before, 0);
    EXPECT_TRUE(QFileInfo::exists(fx.path("full/a.txt")));

    answerConfirmation("btDelete");
    outcome = rw::runFolderDelete(
        nullptr, requestFor(fx.path("empty"), rw::RefusingWindow::Browser, true, &before),
        responder);
    EXPECT_TRUE(outcome.confirmed);
    EXPECT_TRUE(outcome.removedEmpty);
    EXPECT_TRUE(outcome.folderRemoved);
    EXPECT_EQ(before, 1);
    EXPECT_FALSE(QFileInfo::exists(fx.path("empty")));
    EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
}

} // namespace
