#include "tools/mods/TfrmPickDate.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <qdrawutil.h>

#include "controls/ReadableColours.h"
#include "controls/TOvcCalendar.h"
#include "controls/TOvcSpinner.h"

namespace rw
{

namespace
{

const QDateTime& dayCountOrigin()
{
    static const QDateTime origin(QDate(1899, 12, 30), QTime(0, 0));
    return origin;
}

} // namespace

TfrmPickDate::TfrmPickDate(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmPickDate"));
    setWindowTitle(tr("Calendar"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(285, 202);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(3);
    panel->setGeometry(0, 0, 285, 202);

    m_calendar = new TOvcCalendar(panel);
    m_calendar->setObjectName(QStringLiteral("Calendar"));
    m_calendar->setGeometry(10, 11, 240, 158);
    TOvcCalendarColors colors = m_calendar->colors();
    colors.activeDayText = palette().color(QPalette::HighlightedText);
    colors.activeDayBack = palette().color(QPalette::Highlight);
    colors.inactiveDaysText = QColor(0, 0, 128);   // navy
    colors.inactiveDaysBack = QColor(0, 128, 128); // teal
    colors.labelsText = Qt::black;
    colors.labelsBack = palette().color(QPalette::Button);
    colors.text = palette().color(QPalette::WindowText);
    colors.back = palette().color(QPalette::Window);
    m_calendar->setColors(colors);
    m_calendar->setDrawItem([this](QPainter& painter, const QRect& rect, int day, int month) {
        drawDay(painter, rect, day, month);
    });
    connect(m_calendar, &TOvcCalendar::dblClick, this, &QDialog::accept);

    m_yearSpinner = new TOvcSpinner(Qt::Vertical, panel);
    m_yearSpinner->setObjectName(QStringLiteral("YearSpinner"));
    m_yearSpinner->setToolTip(tr("Change the displayed year"));
    m_yearSpinner->setGeometry(254, 11, 19, 153);
    connect(m_yearSpinner, &TOvcSpinner::clicked, this, [this](TOvcSpinner::Half half) {
        const int years = half == TOvcSpinner::Half::Up ? 1 : -1;
        m_calendar->setJulianDate(TOvcCalendar::incDate(m_calendar->julianDate(), 0, years));
    });

    m_monthSpinner = new TOvcSpinner(Qt::Horizontal, panel);
    m_monthSpinner->setObjectName(QStringLiteral("MonthSpinner"));
    m_monthSpinner->setToolTip(tr("Change the displayed month"));
    m_monthSpinner->setGeometry(9, 172, 206, 20);
    connect(m_monthSpinner, &TOvcSpinner::clicked, this, [this](TOvcSpinner::Half half) {
        const int months = half == TOvcSpinner::Half::Right ? 1 : -1;
        m_calendar->setJulianDate(TOvcCalendar::incDate(m_calendar->julianDate(), months, 0));
    });

    m_btnOk = new QPushButton(tr("OK"), panel);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setToolTip(tr("Select date"));
    // The caption goes when shown (the glyph says it); a screen reader keeps it.
    m_btnOk->setAccessibleName(m_btnOk->text());
    m_btnOk->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    m_btnOk->setGeometry(220, 170, 26, 23);
    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);

    m_btnCancel = new QPushButton(tr("Cancel"), panel);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setToolTip(tr("Cancel"));
    m_btnCancel->setAccessibleName(m_btnCancel->text());
    m_btnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    m_btnCancel->setGeometry(247, 170, 26, 23);
    m_btnCancel->setAutoDefault(false);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_picked = QDateTime::currentDateTime();
    m_calendar->setFocus();
}

TfrmPickDate::~TfrmPickDate()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
}

void TfrmPickDate::SetPickedDate(const QDateTime& value)
{
    m_picked = value.isValid() && value > dayCountOrigin() ? value : QDateTime::currentDateTime();
}

QDateTime TfrmPickDate::GetPickedDate()
{
    m_picked = TOvcCalendar::dateTimeOf(m_calendar->julianDate());
    return m_picked;
}

void TfrmPickDate::showEvent(QShowEvent* event)
{
    // The buttons show their glyphs only.
    m_btnOk->setText(QString());
    m_btnCancel->setText(QString());
    m_calendar->setJulianDate(TOvcCalendar::dayOf(m_picked));
    m_calendar->setFocus();
    // Home is caught before any child sees it (the calendar would move to
    // the first day of the week otherwise).
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
    QDialog::showEvent(event);
}

void TfrmPickDate::hideEvent(QHideEvent* event)
{
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    QDialog::hideEvent(event);
}

bool TfrmPickDate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_Home && w && (w == this || isAncestorOf(w))) {
            if (event->type() == QEvent::KeyRelease)
                m_calendar->setJulianDate(QDate::currentDate().toJulianDay());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmPickDate::drawDay(QPainter& painter, const QRect& rect, int day, int month) const
{
    const QPalette& pal = palette();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pal.color(QPalette::Button));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    const TOvcCalendarColors& colors = m_calendar->colors();
    if (month == m_calendar->shownMonth()) {
        const bool pressed = day == m_calendar->selectedDate().day();
        qDrawShadePanel(&painter, inner, pal, pressed, 1, &pal.brush(QPalette::Button));
    } else {
        painter.fillRect(inner, colors.inactiveDaysBack);
        painter.setPen(colors.inactiveDaysText);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
    }
    // Black on the button face, as designed, unless the face is dark.
    painter.setPen(month == m_calendar->shownMonth()
                       ? ReadableColours::readableOn(Qt::black, pal.color(QPalette::Button))
                       : QColor(Qt::black));
    painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, QString::number(day));
}

} // namespace rw
