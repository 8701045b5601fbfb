#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QWindow>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <functional>

#include "browser/BrowserHooks.h"
#include "browser/DetailsHooks.h"
#include "browser/FolderTree.h"
#include "browser/TfrmBrowse.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/WindowHooks.h"
#include "framework/core/SortFlags.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WithoutReadOverride.h"
#include "tests/support/XSession.h"

using namespace rw;
using rwtest::XSession;

namespace
{

// An invalid byte beside its replacement-character look-alike, and names
// with a tab, a line feed and a backslash.
const QByteArray kBad = "x\xff.txt";
const QByteArray kLookAlike = "x\xef\xbf\xbd.txt";
const QByteArray kOthers[] = {"t\tab.txt", "new\nline.txt", "back\\slash.txt"};

// Removes the fixture by the bytes of its names (the test main's clean-up
// goes by text and cannot remove a name that is not valid UTF-8).
bool exists(const QByteArray& path)
{
    struct stat st {
    };
    return ::lstat(path.constData(), &st) == 0;
}

void write(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::write(fd, content.constData(), std::size_t(content.size())), content.size());
    ::close(fd);
}

// Opens the browser as the launcher does (made by its factory, on the
// current folder, in a modal loop) and runs `drive` inside it.
void runBrowser(const std::function<void(TfrmBrowse&)>& drive)
{
    std::unique_ptr<QDialog> made = createBrowseWindow(nullptr);
    auto* w = static_cast<TfrmBrowse*>(made.get());
    QTimer::singleShot(0, w, [w, &drive] {
        XSession::waitFor([w] { return w->isVisible() && w->windowHandle()->isExposed(); });
        drive(*w);
        ResultGridController* c = w->controller();
        if (c->markedCount() > 0)
            c->Unmarkall1Click(); // closing asks nothing then
        if (w->isVisible())
            w->done(QDialog::Rejected);
    });
    w->exec();
}

// The grid row whose record is the file `name` (-1 when none).
int rowOf(TfrmBrowse& w, const QByteArray& name)
{
    ResultGridController* c = w.controller();
    for (std::int64_t r = 0; r < c->rowsFilled(); ++r) {
        const std::uint32_t rec = c->rowRecord(r);
        if (rec != ResultGridModel::kNoRecord &&
            c->lines()->set().name(rec) == std::string_view(name.constData(), name.size()))
            return int(r);
    }
    return -1;
}

// The centre of a row's "Filename" cell in the grid's viewport.
QPoint nameCell(TfrmBrowse& w, int row)
{
    ResultGridView* grid = w.controller()->grid();
    return grid->visualRect(grid->model()->index(row, 4)).center();
}

QPushButton* button(const QWidget& w, const char* name)
{
    auto* b = w.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// Runs `action` with the next modal window of class `className` once it is
// on the screen.
void onShownModal(const QString& className, std::function<void(QWidget*)> action)
{
    rwtest::onNextModal(
        [action = std::move(action)](QWidget* d) {
            XSession::waitFor([d] { return d->windowHandle() && d->windowHandle()->isExposed(); });
            action(d);
        },
        className);
}

} // namespace

TEST(BrowserWindowSystem, ADoubleClickMarksAndTheConfirmationDeletesOnlyThatFile)
{
    rwtest::FixtureBuilder fx;
    SortFlags::instance().reset();
    fx.mapDrive('D', fx.base());
    const QByteArray dir = QFile::encodeName(fx.folder("odd"));
    write(dir + '/' + kBad, QByteArray(300, 'A'));
    write(dir + '/' + kLookAlike, QByteArray(400, 'B'));
    for (const QByteArray& other : kOthers)
        write(dir + '/' + other, "other\n");
    QDir::setCurrent(QFile::decodeName(dir));

    runBrowser([&](TfrmBrowse& w) {
        ASSERT_GE(rowOf(w, kBad), 0);
        XSession::doubleClick(w.controller()->grid()->viewport(), nameCell(w, rowOf(w, kBad)));
        EXPECT_EQ(w.findChild<QLabel*>("pnlScan")->text(),
                  QStringLiteral("Marked for deletion: 1 files 300 bytes"));
        ASSERT_TRUE(button(w, "btDeleteFiles")->isEnabled());

        // "Really delete?" answered No first: nothing goes; then Yes.
        rwtest::ScriptedResponder& answers = rwtest::ScriptedResponder::instance();
        answers.queueAnswer(MessageAnswer::No);
        answers.queueAnswer(MessageAnswer::Yes);
        bool keptAfterNo = false;
        onShownModal("rw::TfrmReallyDelete", [&](QWidget* d) {
            XSession::click(button(*d, "btDelete"));
            keptAfterNo = exists(dir + '/' + kBad) && d->isVisible();
            XSession::click(button(*d, "btDelete"));
            if (d->isVisible())
                XSession::click(button(*d, "btClose"));
        });
        XSession::click(button(w, "btDeleteFiles"));
        EXPECT_TRUE(rwtest::lastModalHandled());
        EXPECT_TRUE(keptAfterNo);
        EXPECT_TRUE(answers.texts().contains(QStringLiteral("Files not deleted")));

        EXPECT_FALSE(exists(dir + '/' + kBad));
        EXPECT_TRUE(exists(dir + '/' + kLookAlike));
        for (const QByteArray& other : kOthers)
            EXPECT_TRUE(exists(dir + '/' + other)) << other.toStdString();
        EXPECT_EQ(rowOf(w, kBad), -1);
        EXPECT_GE(rowOf(w, kLookAlike), 0);
    });
}

TEST(BrowserWindowSystem, DetailsOpenOnTheFileOfTheSelectedRow)
{
    rwtest::FixtureBuilder fx;
    SortFlags::instance().reset();
    fx.mapDrive('D', fx.base());
    windowHooks().openDetails = showDetails;
    const QByteArray dir = QFile::encodeName(fx.folder("odd"));
    write(dir + '/' + kBad, QByteArray(300, 'A'));
    write(dir + '/' + kLookAlike, QByteArray(400, 'B'));
    QDir::setCurrent(QFile::decodeName(dir));

    runBrowser([&](TfrmBrowse& w) {
        for (const auto& [name, bytes] : {std::pair{kLookAlike, QStringLiteral("400 bytes")},
                                          std::pair{kBad, QStringLiteral("300 bytes")}}) {
            const int row = rowOf(w, name);
            ASSERT_GE(row, 0);
            XSession::click(w.controller()->grid()->viewport(), nameCell(w, row));
            const QString shown =
                QFile::decodeName(dir) + '/' + w.controller()->model()->cell(row, 4);
            QString fileName, size;
            onShownModal("rw::TfrmDetails", [&](QWidget* d) {
                fileName = d->findChild<QLabel*>("lblFileName")->text();
                size = d->findChild<QLabel*>("lblSizeBytes")->text();
                XSession::click(button(*d, "btClose"));
            });
            XSession::click(button(w, "btDetails"));
            EXPECT_TRUE(rwtest::lastModalHandled());
            EXPECT_EQ(fileName, shown);
            EXPECT_EQ(size, bytes) << shown.toStdString();
        }
    });
    windowHooks().openDetails = nullptr;
}

// A folder that cannot be read, chosen in the tree by a double click, is
// said in the status line with its name and the reason, not shown as an
// empty folder.
TEST(BrowserWindowSystem, AFolderThatCannotBeReadIsSaid)
{
    rwtest::FixtureBuilder fx;
    fx.mapDrive('D', fx.base());
    fx.file("top/locked/inside.txt", 5);
    fx.file("top/open.txt", 3);
    fx.setMode("top/locked", 0000);
    const QByteArray locked = QFile::encodeName(fx.path("top/locked"));
    QString said;
    runBrowser([&](TfrmBrowse& w) {
        rwtest::WithoutReadOverride notRoot;
        w.setFolder(QFile::encodeName(fx.path("top")));
        auto* tree = w.findChild<FolderTree*>();
        ASSERT_NE(tree, nullptr);
        QTreeWidgetItem* item = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->data(0, FolderTree::kPathRole).toByteArray() == locked)
                item = *it;
        ASSERT_NE(item, nullptr);
        tree->scrollToItem(item);
        XSession::doubleClick(tree->viewport(), tree->visualItemRect(item).center());
        auto* status = w.findChild<QLabel*>("pnlScan");
        ASSERT_NE(status, nullptr);
        EXPECT_TRUE(XSession::waitFor([&] { return w.folder() == locked; }));
        said = status->text();
        e2e::saveShot(&w, "browser-unreadable");
    });
    fx.setMode("top/locked", 0755);
    EXPECT_TRUE(said.contains(fx.path("top/locked"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromLocal8Bit(std::strerror(EACCES)))) << said.toStdString();
}
