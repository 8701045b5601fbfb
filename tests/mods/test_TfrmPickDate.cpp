#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "controls/TOvcCalendar.h"
#include "controls/TOvcSpinner.h"
#include "tests/support/ModalDriver.h"
#include "tools/mods/TfrmPickDate.h"

using namespace rw;

TEST(TfrmPickDate, StartValueAtOrBeforeTheOriginOpensOnToday)
{
    for (const QDateTime& v : {QDateTime(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)),
                               QDateTime(QDate(1850, 1, 1), QTime(0, 0))}) {
        TfrmPickDate picker;
        picker.SetPickedDate(v);
        picker.show();
        EXPECT_EQ(picker.calendar()->selectedDate(), QDate::currentDate());
    }
    TfrmPickDate picker;
    picker.SetPickedDate(QDateTime(QDate(2001, 7, 9), QTime(15, 45)));
    picker.show();
    EXPECT_EQ(picker.calendar()->selectedDate(), QDate(2001, 7, 9));
    EXPECT_EQ(picker.GetPickedDate(), QDateTime(QDate(2001, 7, 9), QTime(0, 0)));
    EXPECT_EQ(picker.size(), QSize(285, 202));
    EXPECT_TRUE(picker.findChild<QPushButton*>("btnOk")->text().isEmpty());
}

TEST(TfrmPickDate, SpinnersStepMonthsAndYears)
{
    TfrmPickDate picker;
    picker.SetPickedDate(QDateTime(QDate(2023, 1, 31), QTime(0, 0)));
    picker.show();
    auto* month = picker.findChild<TOvcSpinner*>("MonthSpinner");
    auto* year = picker.findChild<TOvcSpinner*>("YearSpinner");
    QTest::mouseClick(month, Qt::LeftButton, {}, QPoint(month->width() - 5, 10));
    EXPECT_EQ(picker.calendar()->selectedDate(), QDate(2023, 2, 28));
    EXPECT_EQ(picker.calendar()->shownMonth(), 2);
    QTest::mouseClick(month, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(picker.calendar()->selectedDate(), QDate(2023, 1, 28));
    QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(9, 5));
    EXPECT_EQ(picker.calendar()->selectedDate(), QDate(2024, 1, 28));
    QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(9, year->height() - 5));
    QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(9, year->height() - 5));
    EXPECT_EQ(picker.calendar()->selectedDate(), QDate(2022, 1, 28));
}

TEST(TfrmPickDate, HomeMovesToTodayWithoutClosingThenOkReturnsIt)
{
    TfrmPickDate picker;
    picker.SetPickedDate(QDateTime(QDate(2010, 5, 5), QTime(0, 0)));
    int result = -1;
    bool stillOpen = false;
    rwtest::onNextModal([&](QWidget*) {
        QTest::keyClick(picker.calendar(), Qt::Key_Home);
        stillOpen = picker.isVisible();
        QTest::keyClick(picker.calendar(), Qt::Key_Return);
    });
    result = picker.exec();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(picker.GetPickedDate(), QDateTime(QDate::currentDate(), QTime(0, 0)));

    // Escape cancels.
    TfrmPickDate other;
    rwtest::onNextModal([&](QWidget*) { QTest::keyClick(other.calendar(), Qt::Key_Escape); });
    EXPECT_EQ(other.exec(), QDialog::Rejected);
}
