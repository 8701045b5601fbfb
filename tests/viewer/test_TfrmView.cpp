#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <unistd.h>

#include "controls/FileViewer.h"
#include "controls/LongRead.h"
#include "platform/Folders.h"
#include "platform/ProfileFile.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "viewer/TFindDlg.h"
#include "viewer/TfrmView.h"

using rw::TextPos;
using rw::TfrmView;

// Readable failure output.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
namespace rw
{
inline void PrintTo(const TextPos& p, std::ostream* os)
{
    *os << p.line << ':' << p.column;
}
} // namespace rw
using rwtest::FixtureBuilder;

namespace
{

QString sampleFile()
{
    return FixtureBuilder().fileWithContent(
        QStringLiteral("sample.txt"),
        "first line\nsecond Line\n\tthird line\nfourth\nlast line here\n");
}

// A shown viewer on `path`, active so that its shortcuts work.
struct ShownView {
    TfrmView view;
    explicit ShownView(const QString& path) : ShownView(QFile::encodeName(path)) {}
    explicit ShownView(const QByteArray& path)
    {
        view.setFilePath(path);
        view.show();
        QApplication::setActiveWindow(&view);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    QAction* action(const char* name) { return view.findChild<QAction*>(name); }
    QRadioButton* radio(const char* name) { return view.findChild<QRadioButton*>(name); }
    void expectHexMode(bool on)
    {
        EXPECT_EQ(view.viewer()->hexMode(), on);
        EXPECT_EQ(action("HexMode1")->isChecked(), on);
        EXPECT_EQ(radio("rbHex")->isChecked(), on);
        EXPECT_EQ(radio("rbAscii")->isChecked(), !on);
    }
};

void resetFindDialog()
{
    rw::TFindDlg* d = rw::findDialog();
    d->setSearchText(QString());
    d->setBackward(false);
    d->setMatchCase(false);
    d->setGlobalSearch(false);
}

} // namespace

TEST(TfrmView, ShowingOpensTheFileAndFillsTheStatus)
{
    const QString path = sampleFile();
    ShownView v(path);
    EXPECT_EQ(v.view.windowTitle(), QStringLiteral("View File : ") + path);
    EXPECT_EQ(v.view.statusSection(0), QStringLiteral("1:1     "));
    EXPECT_EQ(v.view.statusSection(1), QStringLiteral("Total: 5"));
    EXPECT_EQ(v.view.statusSection(2), QStringLiteral("Top: 1    "));
    EXPECT_EQ(v.view.statusSection(3), QStringLiteral("Bytes: 57"));
    v.view.viewer()->setCaret({2, 9});
    EXPECT_EQ(v.view.statusSection(0), QStringLiteral("3:10    "));
    EXPECT_FALSE(v.action("Copy1")->isEnabled());
    v.view.viewer()->setCaret({3, 2}, true);
    EXPECT_TRUE(v.action("Copy1")->isEnabled());
}

TEST(TfrmView, HexModeControlsAlwaysAgree)
{
    ShownView v(sampleFile());
    v.expectHexMode(false);
    v.action("HexMode1")->trigger();
    v.expectHexMode(true);
    QTest::keyClick(v.view.viewer(), Qt::Key_F8);
    v.expectHexMode(false);
    v.radio("rbHex")->click();
    v.expectHexMode(true);
    QTest::keyClick(v.view.viewer(), Qt::Key_F8);
    v.expectHexMode(false);
    v.radio("rbHex")->click();
    v.radio("rbAscii")->click();
    v.expectHexMode(false);
    v.action("HexMode1")->trigger();
    v.radio("rbAscii")->click();
    v.expectHexMode(false);
}

TEST(TfrmView, LargeFileTotalIsUnknownUntilTheEnd)
{
    const std::int64_t size = std::int64_t(64) << 20;
    ShownView v(FixtureBuilder().sparseFile(QStringLiteral("big.bin"), size));
    EXPECT_EQ(v.view.statusSection(1), QStringLiteral("Total: ?"));
    EXPECT_EQ(v.view.statusSection(3), QStringLiteral("Bytes: 67,108,864"));
    QTest::keyClick(v.view.viewer(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(v.view.statusSection(1), QStringLiteral("Total: 65,601"));
}

TEST(TfrmView, FindNextNeedsASearchText)
{
    resetFindDialog();
    ShownView v(sampleFile());
    EXPECT_TRUE(v.action("Find1")->isEnabled());
    EXPECT_FALSE(v.action("Findnext1")->isEnabled());

    rwtest::onNextModal(
        [](QWidget* w) {
            auto* d = static_cast<rw::TFindDlg*>(w);
            d->setSearchText(QStringLiteral("line"));
            d->accept();
        },
        QStringLiteral("rw::TFindDlg"));
    v.action("Find1")->trigger();
    QApplication::setActiveWindow(&v.view); // back from the dialog
    EXPECT_TRUE(v.action("Findnext1")->isEnabled());
    EXPECT_EQ(v.view.viewer()->selectionStart(), (TextPos{0, 6}));
    QTest::keyClick(v.view.viewer(), Qt::Key_F3);
    EXPECT_EQ(v.view.viewer()->selectionStart(), (TextPos{1, 7}));

    // The settings carry over to another window; a miss is reported.
    TfrmView other;
    other.setFilePath(
        QFile::encodeName(FixtureBuilder().fileWithContent(QStringLiteral("o.txt"), "nothing\n")));
    other.show();
    EXPECT_TRUE(other.findChild<QAction*>("Findnext1")->isEnabled());
    other.findChild<QAction*>("Findnext1")->trigger();
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList{QStringLiteral("Search string 'line' not found")});
    resetFindDialog();
}

TEST(TfrmView, FindsAccentedWordsInUtf8Text)
{
    resetFindDialog();
    ShownView v(FixtureBuilder().fileWithContent(QStringLiteral("utf8.txt"),
                                                 "un caf\xc3\xa9\nune id\xc3\xa9"
                                                 "e NA\xc3\x8fVE\n"));
    EXPECT_EQ(v.view.viewer()->lineText(0), QStringLiteral("un caf\u00e9"));
    // The word typed into the dialog, as a user types it.
    rwtest::onNextModal(
        [](QWidget* w) {
            auto* edit = w->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            QTest::keyClicks(edit, QStringLiteral("na"));
            // A letter beyond ASCII comes as a key event with its text.
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                          QStringLiteral("\u00ef"));
            QApplication::sendEvent(edit, &key);
            QTest::keyClicks(edit, QStringLiteral("ve"));
            static_cast<QDialog*>(w)->accept();
        },
        QStringLiteral("rw::TFindDlg"));
    v.action("Find1")->trigger();
    QApplication::setActiveWindow(&v.view);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
    EXPECT_EQ(v.view.viewer()->selectionStart(), (TextPos{1, 9}));
    EXPECT_EQ(v.view.viewer()->selectedText(), QStringLiteral("NA\u00cfVE"));
    EXPECT_EQ(v.view.statusSection(0), QStringLiteral("2:15    "));
    resetFindDialog();
}

TEST(TfrmView, GoToLineAndTabSizeInputs)
{
    ShownView v(sampleFile());
    QString prompt;
    rwtest::onNextModal(
        [&prompt](QWidget* w) {
            auto* d = static_cast<QInputDialog*>(w);
            prompt = d->windowTitle() + "|" + d->labelText();
            d->setTextValue(QStringLiteral("4"));
            d->accept();
        },
        QStringLiteral("QInputDialog"));
    v.action("Gotoline1")->trigger();
    EXPECT_EQ(prompt, QStringLiteral("Go to line number|Enter line number (1 to 5)"));
    EXPECT_EQ(v.view.viewer()->caret(), (TextPos{3, 0}));

    rwtest::onNextModal(
        [](QWidget* w) {
            static_cast<QInputDialog*>(w)->setTextValue(QStringLiteral("two"));
            static_cast<QInputDialog*>(w)->accept();
        },
        QStringLiteral("QInputDialog"));
    v.action("Gotoline1")->trigger();
    EXPECT_EQ(v.view.viewer()->caret(), (TextPos{3, 0}));

    rwtest::onNextModal(
        [&prompt](QWidget* w) {
            auto* d = static_cast<QInputDialog*>(w);
            prompt = d->windowTitle() + "|" + d->labelText() + "|" + d->textValue();
            d->setTextValue(QStringLiteral("2"));
            d->accept();
        },
        QStringLiteral("QInputDialog"));
    v.action("Tabsize1")->trigger();
    EXPECT_EQ(prompt, QStringLiteral("Tab Size|Enter tab size|8"));
    EXPECT_EQ(v.view.viewer()->lineText(2), QStringLiteral("  third line"));
}

TEST(TfrmView, PrintsAllOrTheSelection)
{
    ShownView v(sampleFile());
    QStringList lines;
    auto collect = [&lines](const QString& l) {
        lines << l;
        return true;
    };
    EXPECT_TRUE(v.view.writePrintLines(TfrmView::PrintRange::All, collect));
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[2], QStringLiteral("        third line"));

    lines.clear();
    v.view.viewer()->setSelection({0, 6}, {1, 6});
    EXPECT_TRUE(v.view.writePrintLines(TfrmView::PrintRange::Selection, collect));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("      line"), QStringLiteral("second")}));
    lines.clear();
    EXPECT_TRUE(v.view.writePrintLines(TfrmView::PrintRange::Pages, collect));
    EXPECT_TRUE(lines.isEmpty());

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(rwtest::testRoot() + QStringLiteral("/out.pdf"));
    EXPECT_TRUE(v.view.printTo(&pdf, TfrmView::PrintRange::All));
    QFile out(pdf.outputFileName());
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.read(4) == "%PDF");
}

TEST(TfrmView, PeekAtStringsShowsATemporaryListing)
{
    static constexpr char kHead[] = "\x01\x02hello world\x00short\x00";
    QByteArray data(kHead, sizeof kHead - 1); // the literal's bytes, not its terminator
    data += "another string\x7f";
    ShownView v(FixtureBuilder().fileWithContent(QStringLiteral("prog.bin"), data));
    QStringList shown;
    QString listing;
    bool hexHidden = false;
    rwtest::onNextModal(
        [&](QWidget* w) {
            auto* strings = static_cast<TfrmView*>(w);
            listing = QFile::decodeName(strings->filePath());
            for (int i = 0; i < 3; ++i)
                shown << strings->viewer()->lineText(i);
            hexHidden = !strings->findChild<QPushButton*>("btStrings")->isVisible() &&
                        !strings->findChild<QRadioButton*>("rbHex")->isVisible() &&
                        !strings->findChild<QAction*>("HexMode1")->isVisible();
            strings->reject();
        },
        QStringLiteral("rw::TfrmView"));
    v.view.findChild<QPushButton*>("btStrings")->click();
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(shown, (QStringList{"hello world", "another string", ""}));
    EXPECT_TRUE(hexHidden);
    EXPECT_TRUE(listing.startsWith(QDir::tempPath() + QStringLiteral("/str")));
    EXPECT_TRUE(listing.startsWith(rwtest::testRoot()));
    EXPECT_FALSE(QFile::exists(listing));
}

TEST(TfrmView, DroppedFileIsOpenedAndPlacementSaved)
{
    ShownView v(sampleFile());
    const QString dropped =
        FixtureBuilder().fileWithContent(QStringLiteral("dropped file.txt"), "dropped\n");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(sampleFile())});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&v.view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&v.view, &drop);
    EXPECT_EQ(v.view.windowTitle(), QStringLiteral("View File : ") + dropped);
    EXPECT_EQ(v.view.viewer()->lineText(0), QStringLiteral("dropped"));

    v.view.hide();
    const QString stored = rw::ProfileFile(QStringLiteral("roomwse.ini"))
                               .readString(rw::programPath(), QStringLiteral("frmView"));
    EXPECT_EQ(stored.split(' ', Qt::SkipEmptyParts).size(), 10);
    EXPECT_TRUE(QFile(rwtest::settingsFilePath()).exists());
}

namespace
{

// A file named by raw bytes in the fixture folder.
QByteArray bytesFile(const QByteArray& name, const QByteArray& content)
{
    const QByteArray path = QFile::encodeName(FixtureBuilder().base()) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::write(fd, content.constData(), std::size_t(content.size())), content.size());
    ::close(fd);
    return path;
}

} // namespace

TEST(TfrmView, LookAlikeNamesOpenTheirOwnFile)
{
    const QString base = FixtureBuilder().base();
    const struct {
        QByteArray name;
        QByteArray content;
        QString caption;
    } cases[] = {
        {"x\xff.txt", "bad byte\n", base + "/x\\xFF.txt"},
        {"x\xef\xbf\xbd.txt", "look-alike\n", base + QString::fromUtf8("/x\xef\xbf\xbd.txt")},
        {"t\tab.txt", "tab\n", base + "/t\\tab.txt"},
        {"new\nline.txt", "newline\n", base + "/new\\nline.txt"},
    };
    for (const auto& c : cases)
        bytesFile(c.name, c.content);
    for (const auto& c : cases) {
        ShownView v(QFile::encodeName(base) + '/' + c.name);
        EXPECT_EQ(v.view.windowTitle(), "View File : " + c.caption);
        EXPECT_EQ(v.view.viewer()->lineText(0), QString::fromLatin1(c.content.chopped(1)));
        EXPECT_EQ(v.view.statusSection(3), QString("Bytes: %1").arg(c.content.size()));
    }
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

TEST(TfrmView, PeekAtStringsReadsTheFileShown)
{
    const QByteArray bad = bytesFile("s\xff.bin", QByteArray("\x01"
                                                             "bad byte file\x00",
                                                             16));
    bytesFile("s\xef\xbf\xbd.bin", QByteArray("\x01look-alike one\x00", 16));
    ShownView v(bad);
    QString first;
    rwtest::onNextModal(
        [&](QWidget* w) {
            auto* strings = static_cast<TfrmView*>(w);
            first = strings->viewer()->lineText(0);
            strings->reject();
        },
        QStringLiteral("rw::TfrmView"));
    v.view.findChild<QPushButton*>("btStrings")->click();
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(first, "bad byte file");
}

TEST(TfrmView, AFifoInPlaceOfTheFileIsRefused)
{
    // Neither the view nor the strings listing waits for a writer.
    const QString fifo = FixtureBuilder().fifo(QStringLiteral("listed.log"));
    ShownView v(fifo);
    EXPECT_EQ(v.view.statusSection(3), QStringLiteral("Bytes: 0"));
    QString shown = QStringLiteral("not shown");
    rwtest::onNextModal(
        [&](QWidget* w) {
            auto* strings = static_cast<TfrmView*>(w);
            shown = strings->viewer()->lineText(0);
            strings->reject();
        },
        QStringLiteral("rw::TfrmView"));
    v.view.findChild<QPushButton*>("btStrings")->click();
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(shown, QString());
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList({QStringLiteral("Could not open file ") + fifo,
                           QStringLiteral("Could not open file ") + fifo}));
}

TEST(TfrmView, FontDialogListsFixedPitchFontsAndOpensOnTheViewersFont)
{
    ShownView v(sampleFile());
    QString family;
    QStringList families;
    rwtest::onNextModal(
        [&](QWidget* w) {
            auto* dialog = static_cast<QFontDialog*>(w);
            family = dialog->currentFont().family();
            // The first list of the dialog is its family list.
            const QList<QListView*> lists = dialog->findChildren<QListView*>();
            if (!lists.isEmpty()) {
                const QAbstractItemModel* model = lists.first()->model();
                for (int r = 0; r < model->rowCount(); ++r)
                    families << model->index(r, 0).data().toString();
            }
            dialog->reject();
        },
        QStringLiteral("QFontDialog"));
    v.action("Font1")->trigger();
    ASSERT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(family, QFontInfo(v.view.viewer()->fixedFont()).family());
    ASSERT_FALSE(families.isEmpty());
    for (const QString& f : families)
        EXPECT_TRUE(QFontDatabase::isFixedPitch(f)) << f.toStdString();
    EXPECT_TRUE(families.contains(family));
}

TEST(TfrmView, StatusSectionsShowTheirWholeTexts)
{
    // 2 GiB: 134,217,728 hex lines; at the end the top line is nine digits.
    const std::int64_t size = std::int64_t(2) << 30;
    ShownView v(FixtureBuilder().sparseFile(QStringLiteral("big.bin"), size));
    v.view.setHexMode(true);
    QTest::keyClick(v.view.viewer(), Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    const std::int64_t top = size / 16 - v.view.viewer()->visibleLines() + 1;
    EXPECT_EQ(v.view.statusSection(2), QStringLiteral("Top: %1").arg(top));
    EXPECT_EQ(v.view.statusSection(0), QStringLiteral("%1:76").arg(size / 16));
    EXPECT_EQ(v.view.statusSection(1), QStringLiteral("Total: 134,217,728"));
    EXPECT_EQ(v.view.statusSection(3), QStringLiteral("Bytes: 2,147,483,648"));
    for (int i = 0; i < 4; ++i) {
        auto* section = v.view.findChild<QLabel*>(QStringLiteral("Header1Section%1").arg(i));
        ASSERT_NE(section, nullptr);
        EXPECT_GE(section->width(), section->sizeHint().width()) << section->text().toStdString();
    }
}

TEST(TfrmView, PeekAtStringsRunsBesideTheWindowAndCanBeCancelled)
{
    // 64 MiB of text: long enough to list that the window's events run
    // while it is listed.
    QByteArray text;
    for (int i = 0; text.size() < (64 << 20); ++i)
        text += "a line of readable words number " + QByteArray::number(i) + '\n';
    ShownView v(FixtureBuilder().fileWithContent(QStringLiteral("big.log"), text));
    const QStringList before = QDir(QDir::tempPath()).entryList({QStringLiteral("str*")});

    // A timer due at once: it fires only when the window's events run, and
    // the listing is still going then.
    bool ranDuringListing = false;
    bool hourglass = false;
    QTimer::singleShot(0, &v.view, [&] {
        rw::LongRead* read = rw::LongRead::current();
        ranDuringListing = read != nullptr;
        hourglass = QApplication::overrideCursor() &&
                    QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        if (read)
            read->cancel();
    });
    rwtest::onNextModal([](QWidget* w) { w->close(); }, QStringLiteral("rw::TfrmView"), 2000);
    v.view.findChild<QPushButton*>("btStrings")->click();
    EXPECT_TRUE(ranDuringListing);
    EXPECT_TRUE(hourglass);
    EXPECT_FALSE(rwtest::lastModalHandled()) << "a cancelled listing is not shown";
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
    EXPECT_EQ(QDir(QDir::tempPath()).entryList({QStringLiteral("str*")}), before)
        << "the unfinished listing is removed";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
