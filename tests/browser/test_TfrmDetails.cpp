#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

#include <fcntl.h>

#include "browser/DetailsHooks.h"
#include "browser/TfrmDetails.h"
#include "controls/FileIcon.h"
#include "framework/WindowHooks.h"
#include "tests/platform/PeTestImage.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;

namespace
{

QString label(const QWidget& w, const char* name)
{
    auto* l = w.findChild<QLabel*>(name);
    return l ? l->text() : QStringLiteral("<missing %1>").arg(name);
}

int bottomOf(const QWidget& w, const char* name)
{
    return w.findChild<QWidget*>(name)->geometry().bottom() + 1;
}

// Receives "open" requests for file URLs instead of the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

} // namespace

TEST(TfrmDetails, FileWithoutVersionLinesShrinksToTheButtons)
{
    rwtest::FixtureBuilder fx;
    const QString path = fx.file("notes.txt", 0);
    TfrmDetails w;
    w.setFilePath(QFile::encodeName(path));
    w.show();

    EXPECT_EQ(w.windowTitle(), "File Details");
    EXPECT_EQ(label(w, "lblFileName"), path);
    EXPECT_EQ(label(w, "lblSizeBytes"), "0 bytes");
    EXPECT_TRUE(label(w, "lblSizeK").endsWith("Clusters used : 0"));
    EXPECT_EQ(label(w, "lblAttributes"), "");
    EXPECT_FALSE(label(w, "lblModify").isEmpty());

    EXPECT_FALSE(w.findChild<QPlainTextEdit*>("Memo1")->isVisible());
    const int buttonsTop = bottomOf(w, "Panel4") + 10;
    for (const char* b : {"btLaunch", "btView", "btPrint", "btClose"})
        EXPECT_EQ(w.findChild<QPushButton*>(b)->y(), buttonsTop) << b;
    EXPECT_EQ(w.height(), bottomOf(w, "btPrint") + 10);
    EXPECT_LT(w.height(), 440);
    EXPECT_EQ(w.width(), 608);
}

TEST(TfrmDetails, ProgramShowsItsVersionLinesAtFullHeight)
{
    rwtest::FixtureBuilder fx;
    const QString path =
        fx.fileWithContent("tidy.exe", rwtest::pe::peFile(rwtest::pe::sampleResource()));
    TfrmDetails w;
    w.setFilePath(QFile::encodeName(path));
    w.show();
    auto* memo = w.findChild<QPlainTextEdit*>("Memo1");
    EXPECT_TRUE(memo->isVisible());
    const QStringList lines = memo->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "Company: \tAcme Tools");
    EXPECT_EQ(lines[10], "Special build info: \t");
    EXPECT_EQ(w.height(), 440);
    EXPECT_EQ(w.findChild<QPushButton*>("btPrint")->y() + 28 + 10, 440);
}

TEST(TfrmDetails, FolderShowsDirectoryAndTheFolderIcon)
{
    rwtest::FixtureBuilder fx;
    const QString folder = fx.folder("photos");
    TfrmDetails w;
    w.setFilePath(QFile::encodeName(folder));
    w.show();
    EXPECT_EQ(label(w, "lblAttributes"), " Directory");
    const QPixmap shown = w.findChild<QLabel*>("Image1")->pixmap();
    EXPECT_EQ(shown.toImage(), directoryIcon().pixmap(32, 32).toImage());
    EXPECT_EQ(GetFileIcon(QFile::encodeName(folder)).cacheKey(), directoryIcon().cacheKey());
}

TEST(TfrmDetails, RunAndViewHandTheFileOn)
{
    rwtest::FixtureBuilder fx;
    const QString path = fx.file("a.txt", 5);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QByteArray viewed;
    windowHooks().openViewer = [&](QWidget*, const QByteArray& p) { viewed = p; };

    TfrmDetails w;
    w.setFilePath(QFile::encodeName(path));
    w.show();
    w.findChild<QPushButton*>("btLaunch")->click();
    w.findChild<QPushButton*>("btView")->click();
    QDesktopServices::unsetUrlHandler("file");
    windowHooks().openViewer = nullptr;

    EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
    EXPECT_EQ(viewed, QFile::encodeName(path));
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

TEST(TfrmDetails, PrintListsTheDetailsOrReportsAFailure)
{
    rwtest::FixtureBuilder fx;
    const QString path = fx.file("print.txt", 3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(rwtest::testRoot() + "/details.pdf");

    TfrmDetails w;
    w.setFilePath(QFile::encodeName(path));
    w.setPrinter(&printer);
    w.show();
    w.findChild<QPushButton*>("btPrint")->click();

    auto* lb = w.findChild<QListWidget*>("lb");
    ASSERT_EQ(lb->count(), 12); // no version lines
    EXPECT_EQ(lb->item(0)->text(), "Name of file : \t" + path);
    EXPECT_EQ(lb->item(3)->text(), "Size of file : \t3 bytes");
    EXPECT_GT(QFile(rwtest::testRoot() + "/details.pdf").size(), 0);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());

    printer.setOutputFileName(rwtest::testRoot() + "/no/such/folder/details.pdf");
    w.findChild<QPushButton*>("btPrint")->click();
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList{"Error printing report ... quitting"});
}

TEST(TfrmDetails, HookOpensTheWindowModallyOnThePath)
{
    rwtest::FixtureBuilder fx;
    const QString path = fx.file("hooked.txt", 1);
    windowHooks().openDetails = showDetails;
    QString seen;
    rwtest::onNextModal(
        [&](QWidget* w) {
            seen = label(*w, "lblFileName");
            w->findChild<QPushButton*>("btClose")->click();
        },
        "rw::TfrmDetails");
    windowHooks().openDetails(nullptr, QFile::encodeName(path));
    windowHooks().openDetails = nullptr;
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(seen, path);
}

// A file named by raw bytes in the fixture folder.
QByteArray writeBytesFile(const QByteArray& name, const QByteArray& content)
{
    const QByteArray path = QFile::encodeName(rwtest::FixtureBuilder().base()) + '/' + name;
    QFile f;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_TRUE(f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    EXPECT_EQ(f.write(content), content.size());
    return path;
}

TEST(TfrmDetails, LookAlikeNamesShowTheirOwnFile)
{
    const QByteArray bad =
        writeBytesFile("x\xff.exe", rwtest::pe::peFile(rwtest::pe::sampleResource()));
    const QByteArray lookAlike = writeBytesFile("x\xef\xbf\xbd.exe", QByteArray(400, 'B'));
    const QString folder = rwtest::FixtureBuilder().base();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QByteArray viewed;
    windowHooks().openViewer = [&](QWidget*, const QByteArray& p) { viewed = p; };

    TfrmDetails w;
    w.setFilePath(bad);
    w.show();
    EXPECT_EQ(label(w, "lblFileName"), folder + "/x\\xFF.exe");
    // The version lines come from the file itself, opened by its bytes.
    EXPECT_TRUE(w.findChild<QPlainTextEdit*>("Memo1")->isVisible());
    EXPECT_TRUE(
        w.findChild<QPlainTextEdit*>("Memo1")->toPlainText().startsWith("Company: \tAcme Tools"));
    w.findChild<QPushButton*>("btLaunch")->click();
    w.findChild<QPushButton*>("btView")->click();
    QDesktopServices::unsetUrlHandler("file");
    windowHooks().openViewer = nullptr;
    EXPECT_EQ(viewed, bad);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(QByteArray::fromPercentEncoding(catcher.urls[0].path(QUrl::FullyEncoded).toLatin1()),
              bad);

    TfrmDetails other;
    other.setFilePath(lookAlike);
    other.show();
    EXPECT_EQ(label(other, "lblSizeBytes"), "400 bytes");
    EXPECT_EQ(label(other, "lblFileName"), folder + QString::fromUtf8("/x\xef\xbf\xbd.exe"));
    EXPECT_FALSE(other.findChild<QPlainTextEdit*>("Memo1")->isVisible());
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

#include "test_TfrmDetails.moc"
