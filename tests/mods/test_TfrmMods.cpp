#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/SharedRoutines.h"
#include "controls/CheckListBox.h"
#include "controls/ResultGridModel.h"
#include "controls/TOvcCalendar.h"
#include "framework/ResultGridController.h"
#include "framework/core/SortFlags.h"
#include "platform/DisplayName.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "tools/mods/TfrmMods.h"
#include "tools/mods/TfrmPickDate.h"

using rwtest::makeRawFile;
using rwtest::rawExists;

using namespace rw;
using rwtest::ScriptedResponder;

namespace
{

QString text(const QDate& d)
{
    return formatShortDate(d);
}

// A fixture drive D: with files last written on the given days, and a window
// that scans only D:.
class ModsWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SortFlags::instance().reset();
        ScriptedResponder::instance().reset();
        struct F {
            const char* rel;
            QDate day;
            QTime time;
        };
        const F files[] = {
            {"tree/early.txt", QDate(2021, 3, 10), QTime(0, 0, 0)},
            {"tree/sub/late.txt", QDate(2021, 3, 20), QTime(23, 59, 58)},
            {"tree/before.dat", QDate(2021, 3, 9), QTime(23, 59, 58)},
            {"tree/after.txt", QDate(2021, 3, 21), QTime(0, 0, 0)},
            {"tree/.secret/inside.txt", QDate(2021, 3, 15), QTime(12, 0)},
            {"tree/.hidden.txt", QDate(2021, 3, 15), QTime(12, 0)},
        };
        for (const F& f : files) {
            m_fb.file(f.rel, 100);
            const QDateTime t(f.day, f.time);
            m_fb.setTimes(f.rel, t, QDateTime(QDate(2022, 1, 1), QTime(12, 0)));
        }
        m_fb.mapDrive('D', "tree");
        m_window = std::make_unique<TfrmMods>();
        m_window->show();
        auto* drives = find<CheckListBox>("pckDrive");
        drives->uncheckAll();
        DriveInfo d;
        ASSERT_TRUE(findDrive(QChar('D'), &d));
        ASSERT_TRUE(drives->checkLine(d.entryText()));
        radio("rgWhat2")->click(); // Last modified
    }

    template <class T> T* find(const char* name) const
    {
        T* w = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QRadioButton* radio(const char* name) const { return find<QRadioButton>(name); }
    void setRange(const QDate& start, const QDate& end)
    {
        find<QLineEdit>("dtStart")->setText(text(start));
        find<QLineEdit>("dtEnd")->setText(text(end));
    }
    QStringList names() const
    {
        QStringList out;
        const ResultGridModel* m = m_window->gridController()->model();
        for (std::int64_t r = 0; r < m->rows(); ++r)
            out << m->cell(r, 0);
        out.sort();
        return out;
    }

    rwtest::FixtureBuilder m_fb;
    std::unique_ptr<TfrmMods> m_window;
};

} // namespace

TEST_F(ModsWindow, ShowsItsControlsAsAtRest)
{
    EXPECT_EQ(m_window->windowTitle(), "Files in a range of dates");
    EXPECT_EQ(find<QLineEdit>("dtStart")->text(), text(QDate::currentDate()));
    EXPECT_EQ(find<QLineEdit>("dtEnd")->text(), text(QDate::currentDate()));
    EXPECT_TRUE(radio("rgWhen1")->isChecked());
    EXPECT_EQ(find<QComboBox>("cbWildCard")->currentText(), "*.*");
    EXPECT_EQ(find<QLabel>("lblWild")->text(), "All files");
    EXPECT_EQ(find<QToolButton>("popStartDate")->toolTip(), "Popup Calendar");
    for (const char* b :
         {"btMark", "btDelete", "btPrint", "btClip", "btBrowse", "btDetails", "btAbort"})
        EXPECT_FALSE(find<QPushButton>(b)->isVisible()) << b;
    EXPECT_TRUE(find<QPushButton>("btOK")->isEnabled());

    // Only "In between" shows the second date.
    radio("rgWhen0")->click();
    EXPECT_FALSE(find<QLineEdit>("dtEnd")->isVisible());
    EXPECT_FALSE(find<QLabel>("lblAnd")->isVisible());
    EXPECT_FALSE(find<QToolButton>("popEndDate")->isVisible());
    radio("rgWhen1")->click();
    EXPECT_TRUE(find<QLineEdit>("dtEnd")->isVisible());

    // Start is usable only while a drive is checked.
    find<CheckListBox>("pckDrive")->uncheckAll();
    EXPECT_FALSE(find<QPushButton>("btOK")->isEnabled());
}

TEST_F(ModsWindow, FindsFilesOfTheRangeDaysWithThePattern)
{
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    m_window->btOKClick();
    // Both bound days count whole; hidden files and folders add nothing.
    EXPECT_EQ(names(), QStringList({"early.txt", "late.txt"}));
    EXPECT_EQ(find<QLabel>("pnlScan")->text(), "Found : 2");
    for (const char* b : {"btMark", "btDelete", "btPrint", "btClip", "btBrowse", "btDetails"})
        EXPECT_TRUE(find<QPushButton>(b)->isVisible()) << b;
    EXPECT_FALSE(find<QPushButton>("btDelete")->isEnabled());
    EXPECT_TRUE(ScriptedResponder::instance().texts().isEmpty());

    radio("rgWhen2")->click(); // On or After 10 March
    find<QComboBox>("cbWildCard")->setEditText("*.txt");
    m_window->btOKClick();
    EXPECT_EQ(names(), QStringList({"after.txt", "early.txt", "late.txt"}));
    radio("rgWhen0")->click(); // On or Before 10 March
    find<QComboBox>("cbWildCard")->setEditText("*.*");
    m_window->btOKClick();
    EXPECT_EQ(names(), QStringList({"before.dat", "early.txt"}));
    EXPECT_EQ(m_window->printTitle(), "Files Modified before " + text(QDate(2021, 3, 10)));
}

TEST_F(ModsWindow, NothingFoundAndReversedRange)
{
    // Start after end: "In between" finds nothing.
    setRange(QDate(2021, 3, 20), QDate(2021, 3, 10));
    m_window->btOKClick();
    EXPECT_EQ(m_window->rowsFilled(), 0);
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList({"No files found."}));
    EXPECT_FALSE(find<QPushButton>("btPrint")->isVisible());
    EXPECT_FALSE(find<QPushButton>("btMark")->isVisible());
}

TEST_F(ModsWindow, EmptyGridShowsOneEmptyRowUnderTheHeadings)
{
    const ResultGridController* grid = m_window->gridController();
    auto expectOneEmptyRow = [grid](const char* when) {
        ASSERT_EQ(grid->model()->rows(), 1) << when;
        EXPECT_EQ(grid->rowRecord(0), ResultGridModel::kNoRecord) << when;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            EXPECT_TRUE(grid->model()->cell(0, c).isEmpty()) << when << ' ' << c;
    };
    expectOneEmptyRow("shown");
    EXPECT_EQ(m_window->rowsFilled(), 0);

    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    m_window->btOKClick();
    EXPECT_EQ(grid->model()->rows(), 2);
    EXPECT_EQ(m_window->rowsFilled(), 2);

    setRange(QDate(2030, 1, 1), QDate(2030, 1, 2));
    m_window->btOKClick();
    expectOneEmptyRow("nothing found");
    EXPECT_EQ(find<QLabel>("pnlScan")->text(), "Found : 0");
    // The empty row names no file: marking it counts nothing.
    m_window->gridController()->MarkThisFile(0);
    EXPECT_EQ(m_window->gridController()->markedCount(), 0);
    EXPECT_FALSE(find<QPushButton>("btDelete")->isEnabled());
}

TEST_F(ModsWindow, AbortNoticeIsAPlainBoxWithoutBeep)
{
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    QTimer::singleShot(0, m_window.get(), [this] { find<QPushButton>("btAbort")->click(); });
    m_window->btOKClick();
    const auto& entries = ScriptedResponder::instance().entries();
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries.first().text, "LIST INCOMPLETE ... ABORTED BY USER");
    EXPECT_EQ(entries.first().kind, MessageKind::Plain);
    EXPECT_EQ(entries.first().buttons, MessageButtons::Ok);
    EXPECT_EQ(ScriptedResponder::instance().beeps(), 0);
}

TEST_F(ModsWindow, DeleteWithOnlyVanishedFilesMarkedClosesWithoutConfirmation)
{
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    m_window->btOKClick();
    ASSERT_EQ(m_window->rowsFilled(), 2);
    ASSERT_TRUE(QFile::remove(m_fb.path("tree/early.txt")));
    ASSERT_TRUE(QFile::remove(m_fb.path("tree/sub/late.txt")));
    m_window->gridController()->Markall1Click();
    EXPECT_EQ(m_window->gridController()->markedCount(), 0);
    EXPECT_TRUE(find<QPushButton>("btDelete")->isEnabled());

    bool confirmationOpened = false;
    rwtest::onNextModal(
        [&](QWidget* d) {
            confirmationOpened = true;
            static_cast<QDialog*>(d)->reject();
        },
        "rw::TfrmReallyDelete", 0);
    m_window->btDeleteClick();
    QCoreApplication::processEvents();
    EXPECT_FALSE(confirmationOpened);
    EXPECT_EQ(m_window->result(), QDialog::Accepted);
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(ModsWindow, DateThatDoesNotReadStopsTheStart)
{
    find<QLineEdit>("dtStart")->setText("31/31/2021");
    m_window->btOKClick();
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList({"Invalid start date"}));
    EXPECT_EQ(m_window->rowsFilled(), 0);
    EXPECT_TRUE(find<QLabel>("pnlScan")->text().isEmpty());

    ScriptedResponder::instance().clear();
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    find<QLineEdit>("dtEnd")->setText("soon");
    m_window->btOKClick();
    EXPECT_EQ(ScriptedResponder::instance().texts(), QStringList({"Invalid ending date"}));
    EXPECT_EQ(m_window->rowsFilled(), 0);
}

TEST_F(ModsWindow, PickingAStartAfterTheEndMovesTheEnd)
{
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    rwtest::onNextModal(
        [](QWidget* w) {
            auto* picker = static_cast<TfrmPickDate*>(w);
            EXPECT_EQ(picker->calendar()->selectedDate(), QDate(2021, 3, 10));
            picker->calendar()->setJulianDate(QDate(2021, 4, 2).toJulianDay());
            picker->accept();
        },
        "rw::TfrmPickDate");
    m_window->popStartDateClick();
    EXPECT_TRUE(rwtest::lastModalHandled());
    EXPECT_EQ(find<QLineEdit>("dtStart")->text(), text(QDate(2021, 4, 2)));
    EXPECT_EQ(find<QLineEdit>("dtEnd")->text(), text(QDate(2021, 4, 2)));

    // Picking an end before the start moves the start; Cancel changes nothing.
    rwtest::onNextModal(
        [](QWidget* w) {
            auto* picker = static_cast<TfrmPickDate*>(w);
            picker->calendar()->setJulianDate(QDate(2021, 1, 5).toJulianDay());
            picker->accept();
        },
        "rw::TfrmPickDate");
    m_window->popEndDateClick();
    EXPECT_EQ(find<QLineEdit>("dtStart")->text(), text(QDate(2021, 1, 5)));
    rwtest::onNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); }, "rw::TfrmPickDate");
    m_window->popEndDateClick();
    EXPECT_EQ(find<QLineEdit>("dtEnd")->text(), text(QDate(2021, 1, 5)));
}

TEST_F(ModsWindow, ClipboardCopiesNameDatesAndSizeInGridOrder)
{
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    m_window->btOKClick();
    ResultGridController* grid = m_window->gridController();
    grid->setSortDescending(0, true);
    grid->sortByItem(0); // Name, descending: late.txt first
    grid->btClipClick();
    const QString access = text(QDate(2022, 1, 1));
    const QString created = grid->model()->cell(0, 2);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "late.txt\t" + access + '\t' + created + '\t' + text(QDate(2021, 3, 20)) +
                  "\t100\t\n" + "early.txt\t" + access + '\t' + grid->model()->cell(1, 2) + '\t' +
                  text(QDate(2021, 3, 10)) + "\t100\t\n");

    grid->Markall1Click();
    EXPECT_TRUE(find<QPushButton>("btDelete")->isEnabled());
    EXPECT_EQ(find<QLabel>("pnlScan")->text(), "2 files 200 bytes");
}

TEST_F(ModsWindow, SortDirectionsOutliveTheWindow)
{
    // Files accessed on different days so the access order is visible.
    m_fb.setTimes("tree/early.txt", QDateTime(QDate(2021, 3, 10), QTime(1, 0)),
                  QDateTime(QDate(2022, 5, 1), QTime(1, 0)));
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    auto first = [this] {
        m_window->btOKClick();
        m_window->gridController()->sortByItem(1); // Access Date
        return m_window->gridController()->model()->cell(0, 0);
    };
    EXPECT_EQ(first(), "early.txt"); // newest first
    EXPECT_EQ(first(), "late.txt");  // then oldest first

    m_window = std::make_unique<TfrmMods>();
    m_window->show();
    auto* drives = find<CheckListBox>("pckDrive");
    drives->uncheckAll();
    DriveInfo d;
    ASSERT_TRUE(findDrive(QChar('D'), &d));
    drives->checkLine(d.entryText());
    radio("rgWhat2")->click();
    setRange(QDate(2021, 3, 10), QDate(2021, 3, 20));
    EXPECT_EQ(first(), "early.txt"); // used twice: newest first again
    EXPECT_EQ(first(), "late.txt");
}

TEST_F(ModsWindow, PlacementGoesToItsOwnProfile)
{
    m_window->move(40, 50);
    m_window.reset();
    const QString profile = QFileInfo(rwtest::settingsFilePath()).dir().filePath("roomws95");
    QFile f(profile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << profile.toStdString();
    EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains("frmMods="));
}

namespace
{

std::int64_t rawSize(const QByteArray& path)
{
    struct stat st = {};
    return ::lstat(path.constData(), &st) == 0 ? std::int64_t(st.st_size) : -1;
}

// The entries of a folder as the file system's bytes.
QList<QByteArray> rawEntries(const QString& dir)
{
    QList<QByteArray> out;
    if (DIR* d = ::opendir(QFile::encodeName(dir).constData())) {
        while (const dirent* e = ::readdir(d))
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                out << QByteArray(e->d_name);
        ::closedir(d);
    }
    return out;
}

const QByteArray kBad("Bad\xff.txt");
const QByteArray kLookAlike("Bad\xef\xbf\xbd.txt");

} // namespace

// Files made today with names that text lines got wrong, found by an
// "On or After today" scan; the 2021 files of the fixture stay out.
class ModsOddNames : public ModsWindow
{
protected:
    void SetUp() override
    {
        ModsWindow::SetUp();
        const QString dir = m_fb.folder("tree/odd");
        const QList<QPair<QByteArray, int>> files = {
            {kBad, 7},
            {kLookAlike, 11},
            {"tab\there.txt", 13},
            {"line\nbreak.txt", 17},
            {"back\\slash.txt", 19},
            {QByteArray(251, 'n') + ".txt", 23},
        };
        for (const auto& f : files)
            m_paths.insert(f.first, makeRawFile(dir, f.first, f.second));
        radio("rgWhen2")->click();
        find<QLineEdit>("dtStart")->setText(text(QDate::currentDate()));
        m_window->btOKClick();
        ASSERT_EQ(m_window->rowsFilled(), 6);
    }

    std::int64_t rowOf(const QByteArray& name) const
    {
        const ResultGridController* g = m_window->gridController();
        for (std::int64_t r = 0; r < g->rowsFilled(); ++r)
            if (g->rowPathBytes(r) == m_paths.value(name))
                return r;
        return -1;
    }

    // Marks the invalid-byte file, then deletes or recycles the marked file.
    void markAndRemoveBad(const char* button)
    {
        ResultGridController* g = m_window->gridController();
        const std::int64_t row = rowOf(kBad);
        ASSERT_GE(row, 0);
        g->MarkThisFile(row);
        EXPECT_EQ(g->markedCount(), 1);
        EXPECT_EQ(g->markedBytes(), 7);
        EXPECT_EQ(find<QLabel>("pnlScan")->text(), "1 files 7 bytes");
        EXPECT_EQ(g->lbDeleted(), QStringList{displayName(m_paths.value(kBad))});

        ScriptedResponder::instance().queueAnswer(MessageAnswer::Yes);
        rwtest::onNextModal([button](QWidget* d) { d->findChild<QPushButton*>(button)->click(); },
                            "rw::TfrmReallyDelete");
        m_window->btDeleteClick();
        EXPECT_TRUE(rwtest::lastModalHandled());
        EXPECT_FALSE(rawExists(m_paths.value(kBad)));
        for (auto it = m_paths.cbegin(); it != m_paths.cend(); ++it) {
            if (it.key() != kBad) {
                EXPECT_TRUE(rawExists(it.value())) << it.value().toStdString();
            }
        }
    }

    QHash<QByteArray, QByteArray> m_paths; // name -> path
};

TEST_F(ModsOddNames, DeleteRemovesExactlyTheInvalidByteFile)
{
    markAndRemoveBad("btDelete");
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files";
    EXPECT_TRUE(rawEntries(trash).isEmpty());
}

TEST_F(ModsOddNames, RecycleMovesExactlyTheInvalidByteFileToTheTrash)
{
    markAndRemoveBad("btRecycle");
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash";
    const QList<QByteArray> trashed = rawEntries(trash + "/files");
    ASSERT_EQ(trashed.size(), 1);
    EXPECT_EQ(rawSize(QFile::encodeName(trash) + "/files/" + trashed[0]), 7);
}

TEST_F(ModsOddNames, ClipboardHoldsEachNameOnOneLine)
{
    m_window->gridController()->btClipClick();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    QStringList names;
    for (const QString& l : lines) {
        // Filename .. Size, each cell followed by a tab.
        EXPECT_EQ(l.split('\t').size(), 6) << l.toStdString();
        names << l.section('\t', 0, 0);
    }
    names.sort();
    QStringList expected;
    for (auto it = m_paths.cbegin(); it != m_paths.cend(); ++it)
        expected << displayName(it.key());
    expected.sort();
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(names.contains("tab\\there.txt"));
    EXPECT_TRUE(names.contains("line\\nbreak.txt"));
    EXPECT_TRUE(names.contains("Bad\\xFF.txt"));
}
