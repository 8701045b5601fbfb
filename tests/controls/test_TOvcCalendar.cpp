#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include "controls/TOvcCalendar.h"
#include "controls/TOvcSpinner.h"

using namespace rw;

TEST(TOvcCalendar, MonthAndYearStepsKeepTheDayOrTakeTheLastDay)
{
    struct Case {
        QDate from;
        int months;
        int years;
        QDate expected;
    };
    const Case cases[] = {
        {QDate(2023, 1, 31), 1, 0, QDate(2023, 2, 28)},
        {QDate(2024, 1, 31), 1, 0, QDate(2024, 2, 29)},
        {QDate(2024, 3, 31), -1, 0, QDate(2024, 2, 29)},
        {QDate(2023, 12, 15), 1, 0, QDate(2024, 1, 15)},
        {QDate(2024, 1, 10), -1, 0, QDate(2023, 12, 10)},
        {QDate(2024, 2, 29), 0, 1, QDate(2025, 2, 28)},
        {QDate(2024, 2, 29), 0, -4, QDate(2020, 2, 29)},
    };
    for (const Case& c : cases) {
        const std::int64_t day = TOvcCalendar::incDate(c.from.toJulianDay(), c.months, c.years);
        EXPECT_EQ(QDate::fromJulianDay(day), c.expected) << c.from.toString().toStdString();
    }
}

TEST(TOvcCalendar, DayNumbersConvertToMidnightAndShowTheirMonth)
{
    TOvcCalendar cal;
    const QDateTime noon(QDate(2022, 8, 17), QTime(12, 30));
    cal.setJulianDate(TOvcCalendar::dayOf(noon));
    EXPECT_EQ(cal.selectedDate(), QDate(2022, 8, 17));
    EXPECT_EQ(cal.shownMonth(), 8);
    EXPECT_EQ(cal.shownYear(), 2022);
    EXPECT_EQ(TOvcCalendar::dateTimeOf(cal.julianDate()),
              QDateTime(QDate(2022, 8, 17), QTime(0, 0)));
}

TEST(TOvcCalendar, OwnerDrawGetsEveryCellWithItsMonth)
{
    TOvcCalendar cal;
    cal.resize(240, 158);
    cal.setJulianDate(QDate(2023, 2, 10).toJulianDay());
    QList<QPair<int, int>> drawn;
    cal.setDrawItem([&](QPainter&, const QRect&, int day, int month) {
        drawn.append({day, month});
    });
    cal.grab();
    EXPECT_TRUE(drawn.contains(qMakePair(28, 2)));
    EXPECT_TRUE(drawn.contains(qMakePair(1, 2)));
    // Cells of the neighbouring months are drawn too, with their own month.
    EXPECT_TRUE(drawn.contains(qMakePair(1, 3)));
}

TEST(TOvcSpinner, ClickReportsTheHalfPressed)
{
    TOvcSpinner vertical(Qt::Vertical);
    vertical.resize(19, 153);
    TOvcSpinner horizontal(Qt::Horizontal);
    horizontal.resize(206, 20);
    QSignalSpy v(&vertical, &TOvcSpinner::clicked);
    QSignalSpy h(&horizontal, &TOvcSpinner::clicked);

    QTest::mouseClick(&vertical, Qt::LeftButton, {}, QPoint(9, 10));
    QTest::mouseClick(&vertical, Qt::LeftButton, {}, QPoint(9, 140));
    QTest::mouseClick(&horizontal, Qt::LeftButton, {}, QPoint(200, 10));
    QTest::mouseClick(&horizontal, Qt::LeftButton, {}, QPoint(5, 10));
    ASSERT_EQ(v.size(), 2);
    ASSERT_EQ(h.size(), 2);
    EXPECT_EQ(v[0][0].value<TOvcSpinner::Half>(), TOvcSpinner::Half::Up);
    EXPECT_EQ(v[1][0].value<TOvcSpinner::Half>(), TOvcSpinner::Half::Down);
    EXPECT_EQ(h[0][0].value<TOvcSpinner::Half>(), TOvcSpinner::Half::Right);
    EXPECT_EQ(h[1][0].value<TOvcSpinner::Half>(), TOvcSpinner::Half::Left);
    EXPECT_EQ(vertical.focusPolicy(), Qt::NoFocus);
}

TEST(TOvcCalendar, TitleRowNamesTheShownMonthAndYear)
{
    TOvcCalendar cal;
    cal.resize(240, 158);
    cal.show();
    auto* title = cal.findChild<QLabel*>("MonthTitle");
    ASSERT_NE(title, nullptr);
    const struct {
        QDate day;
        int month;
        const char* year;
    } cases[] = {{QDate(2021, 3, 10), 3, " 2021"}, {QDate(1999, 12, 31), 12, " 1999"}};
    for (const auto& c : cases) {
        cal.setJulianDate(c.day.toJulianDay());
        const QString expected = QLocale().standaloneMonthName(c.month) + QLatin1String(c.year);
        EXPECT_EQ(cal.shownMonthText(), expected);
        EXPECT_EQ(title->text(), expected);
    }
    // A step to the next month follows at once.
    cal.setJulianDate(TOvcCalendar::incDate(cal.julianDate(), 1, 0));
    EXPECT_EQ(title->text(), QLocale().standaloneMonthName(1) + QLatin1String(" 2000"));
    // The title is a visible row of its own above the day cells.
    EXPECT_TRUE(title->isVisible());
    EXPECT_GT(title->height(), 0);
    EXPECT_TRUE(cal.rect().contains(title->geometry()));
    const QWidget* cells = cal.findChild<QWidget*>("qt_calendar_calendarview");
    ASSERT_NE(cells, nullptr);
    EXPECT_LE(title->geometry().bottom(), cells->geometry().top());
}
