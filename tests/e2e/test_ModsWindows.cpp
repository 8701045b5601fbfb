#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

#include "base/SharedRoutines.h"
#include "controls/TOvcCalendar.h"
#include "controls/TOvcSpinner.h"
#include "framework/ResultGridController.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/mods/ModsWindowFactory.h"
#include "tools/mods/TfrmMods.h"
#include "tools/mods/TfrmPickDate.h"

using namespace rw;
using namespace e2e;

namespace
{

// Types a date into a date field as a user does: click, select all, type.
void typeDate(QLineEdit* field, const QString& text)
{
    XSession::click(field);
    XSession::key(field, {"ctrl+a"});
    XSession::type(field, text);
    EXPECT_EQ(field->text(), text);
}

// In the calendar pop-up: one click on the right half of the month spinner
// (next month), then a double click on day 15 of the month shown, which
// picks it and closes the pop-up.
void nextMonthDay15(QDialog& picker)
{
    auto* months = child<TOvcSpinner>(picker, "MonthSpinner");
    XSession::click(months, QPoint(months->width() * 3 / 4, months->height() / 2));
    auto* calendar = child<TOvcCalendar>(picker, "Calendar");
    auto* days = calendar->findChild<QTableView*>();
    ASSERT_NE(days, nullptr);
    // Day 15 appears once in a month page (the neighbours' days shown are
    // below 15 after the month and above it before).
    QModelIndex day15;
    for (int r = 0; r < days->model()->rowCount() && !day15.isValid(); ++r)
        for (int c = 0; c < days->model()->columnCount(); ++c) {
            const QModelIndex i = days->model()->index(r, c);
            if (i.data().toString() == "15") {
                day15 = i;
                break;
            }
        }
    ASSERT_TRUE(day15.isValid());
    XSession::doubleClick(days->viewport(), days->visualRect(day15).center());
    EXPECT_TRUE(XSession::waitFor([&] { return !picker.isVisible(); }));
}

} // namespace

TEST(ModsWindowSystem, DatesPickedInTheCalendarChooseTheFilesListed)
{
    rwtest::FixtureBuilder fb;
    const QTime noon(12, 0);
    for (const char* name : {"before.txt", "inside.txt", "after.txt"})
        fb.file(QStringLiteral("tree/m/") + name, 1200);
    fb.setTimes("tree/m/before.txt", QDateTime(QDate(2020, 4, 1), noon),
                QDateTime(QDate(2020, 4, 10), noon));
    fb.setTimes("tree/m/inside.txt", QDateTime(QDate(2020, 4, 1), noon),
                QDateTime(QDate(2020, 4, 20), noon));
    fb.setTimes("tree/m/after.txt", QDateTime(QDate(2020, 4, 1), noon),
                QDateTime(QDate(2020, 5, 16), noon));
    fb.mapDrive('D', "tree");

    std::unique_ptr<QDialog> made = createModsWindow(nullptr);
    auto* w = static_cast<TfrmMods*>(made.get());
    runModal(*w, [&] {
        tickOnly(w->findChild<CheckListBox*>("pckDrive"), 'D');
        // "Last accessed" "In between", as the window opens.
        auto* start = child<QLineEdit>(*w, "dtStart");
        auto* end = child<QLineEdit>(*w, "dtEnd");
        ASSERT_TRUE(end->isVisible());

        // The pop-up opens on the typed date; the next month's 15th is picked.
        typeDate(start, formatShortDate(QDate(2020, 3, 1)));
        onModal("rw::TfrmPickDate", nextMonthDay15);
        XSession::click(child<QToolButton>(*w, "popStartDate"));
        EXPECT_EQ(start->text(), formatShortDate(QDate(2020, 4, 15)));

        typeDate(end, formatShortDate(QDate(2020, 4, 1)));
        onModal("rw::TfrmPickDate", nextMonthDay15);
        XSession::click(child<QToolButton>(*w, "popEndDate"));
        EXPECT_EQ(end->text(), formatShortDate(QDate(2020, 5, 15)));

        XSession::click(child(*w, "btOK"));
        auto* status = child<QLabel>(*w, "pnlScan");
        ASSERT_TRUE(XSession::waitFor([&] { return status->text() == "Found : 1"; }))
            << status->text().toStdString();

        // What the user copies: the one file, with its access date.
        XSession::click(child(*w, "btClip"));
        const QString clip = XSession::clipboardText();
        EXPECT_TRUE(clip.startsWith("inside.txt\t" + formatShortDate(QDate(2020, 4, 20)) + "\t"))
            << clip.toStdString();
        EXPECT_FALSE(clip.contains("before.txt"));
        EXPECT_FALSE(clip.contains("after.txt"));
        expectColumnsShowTheirTexts(*w->gridController()->grid(), {110, 68, 68, 68, 65, 189});
    });
}
