#include "controls/TOvcCalendar.h"

#include "controls/ReadableColours.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QTextCharFormat>

namespace rw
{

TOvcCalendar::TOvcCalendar(QWidget* parent) : QCalendarWidget(parent)
{
    setNavigationBarVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(false);
    // The title row takes the hidden navigation bar's place above the grid.
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("MonthTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setAutoFillBackground(true);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->insertWidget(0, m_title);
    else
        m_title->setGeometry(0, 0, width(), m_title->sizeHint().height());
    connect(this, &QCalendarWidget::currentPageChanged, this, [this] { updateTitle(); });
    updateTitle();
    const QPalette p = palette();
    setColors({p.color(QPalette::HighlightedText), p.color(QPalette::Highlight), QColor(Qt::black),
               QColor(Qt::gray), QColor(Qt::black), p.color(QPalette::Button),
               p.color(QPalette::WindowText), p.color(QPalette::Base)});
    connect(this, &QCalendarWidget::activated, this, [this] { emit dblClick(); });
}

QString TOvcCalendar::shownMonthText() const
{
    return QLocale().standaloneMonthName(monthShown(), QLocale::LongFormat) + QLatin1Char(' ') +
           QString::number(yearShown());
}

void TOvcCalendar::updateTitle()
{
    m_title->setText(shownMonthText());
}

void TOvcCalendar::setJulianDate(std::int64_t day)
{
    const QDate date = QDate::fromJulianDay(day);
    if (!date.isValid())
        return;
    setSelectedDate(date);
    setCurrentPage(date.year(), date.month());
}

QDateTime TOvcCalendar::dateTimeOf(std::int64_t day)
{
    return QDateTime(QDate::fromJulianDay(day), QTime(0, 0));
}

std::int64_t TOvcCalendar::dayOf(const QDateTime& dateTime)
{
    return dateTime.date().toJulianDay();
}

std::int64_t TOvcCalendar::incDate(std::int64_t day, int months, int years)
{
    // QDate's month and year steps already keep the day or clamp it to the
    // new month's last day.
    return QDate::fromJulianDay(day).addYears(years).addMonths(months).toJulianDay();
}

void TOvcCalendar::setColors(const TOvcCalendarColors& colors)
{
    m_colors = colors;
    // Labels keep the colour asked for where it reads on their face (black
    // on a light button face); on a dark face it is lightened.
    m_colors.labelsText = ReadableColours::readableOn(colors.labelsText, colors.labelsBack);
    QTextCharFormat header;
    header.setForeground(m_colors.labelsText);
    header.setBackground(colors.labelsBack);
    setHeaderTextFormat(header);
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::Window, colors.labelsBack);
    titlePalette.setColor(QPalette::WindowText, m_colors.labelsText);
    m_title->setPalette(titlePalette);
    // Weekend days are not set apart.
    QTextCharFormat plain;
    plain.setForeground(colors.text);
    setWeekdayTextFormat(Qt::Saturday, plain);
    setWeekdayTextFormat(Qt::Sunday, plain);
    updateCells();
}

void TOvcCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    painter->save();
    if (m_draw) {
        m_draw(*painter, rect, date.day(), date.month());
    } else {
        const bool inMonth = date.month() == monthShown();
        const bool active = date == selectedDate();
        const QColor back = active    ? m_colors.activeDayBack
                            : inMonth ? m_colors.back
                                      : m_colors.inactiveDaysBack;
        const QColor text = active    ? m_colors.activeDayText
                            : inMonth ? m_colors.text
                                      : m_colors.inactiveDaysText;
        painter->fillRect(rect, back);
        painter->setPen(text);
        painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
    }
    painter->restore();
}

} // namespace rw
