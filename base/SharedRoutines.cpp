#include "base/SharedRoutines.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <cstdlib>

namespace rw
{

QString FormatGrouped(std::int64_t value)
{
    return QLocale().toString(qint64(value));
}

QString JoinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

namespace
{

// 1 = Sunday .. 7 = Saturday.
int weekday(const QDate& d)
{
    return d.dayOfWeek() % 7 + 1;
}

// The texts of RelativeDateText, translated as one context.
struct RelativeDate {
    Q_DECLARE_TR_FUNCTIONS(RelativeDate)
};

// "1 month", "3 months": English adds the s from two on (PluralSuffix).
QString monthText(long long m)
{
    return (m > 1 ? RelativeDate::tr("%1 months") : RelativeDate::tr("%1 month")).arg(m);
}

} // namespace

QString RelativeDateText(const QDateTime& date, const QDateTime& now)
{
    const QDate D = date.date();
    const QDate R = now.date();
    // No date (a time that was never recorded) has no distance to tell.
    if (!D.isValid() || !R.isValid())
        return QString();
    const long long dayD = D.toJulianDay();
    const long long dayR = R.toJulianDay();
    const long long d = std::llabs(dayR - dayD);
    const bool ahead = dayD > dayR;
    const int yD = D.year(), mD = D.month(), yR = R.year(), mR = R.month();

    if (d == 0)
        return RelativeDate::tr("Today");
    if (d == 1)
        return ahead ? RelativeDate::tr("Tomorrow") : RelativeDate::tr("Yesterday");

    if (ahead) {
        const int wR = weekday(R);
        const long long w = (d + wR - 1) / 7;
        if (7 - wR >= d)
            return RelativeDate::tr("This week");
        if (w < 2)
            return RelativeDate::tr("Next week");
        const long long M = (yD * 12LL + mD) - (yR * 12LL + mR);
        if (M <= 2)
            return RelativeDate::tr("%1 weeks").arg(w);
        if (yD - yR > 2) {
            const long long Y = M / 12, rest = M % 12;
            if (rest == 0)
                return RelativeDate::tr("%1 years").arg(Y);
            return (rest > 1 ? RelativeDate::tr("%1 years %2 months")
                             : RelativeDate::tr("%1 years %2 month"))
                .arg(Y)
                .arg(rest);
        }
        return monthText(M);
    }

    const int wD = weekday(D);
    const long long w = (wD + d - 1) / 7;
    if (w == 0)
        return RelativeDate::tr("This week");
    if (w == 1)
        return RelativeDate::tr("Last week");
    const long long M = (yR * 12LL + mR) - (yD * 12LL + mD);
    if (M <= 2)
        return RelativeDate::tr("%1 weeks ago").arg(w);
    if (yR - yD > 2) {
        const long long Y = M / 12, rest = M % 12;
        if (rest == 0)
            return RelativeDate::tr("%1 years ago").arg(Y);
        return (rest > 1 ? RelativeDate::tr("%1 years %2 months ago")
                         : RelativeDate::tr("%1 years %2 month ago"))
            .arg(Y)
            .arg(rest);
    }
    return (M > 1 ? RelativeDate::tr("%1 months ago") : RelativeDate::tr("%1 month ago")).arg(M);
}

QString PluralSuffix(long long count)
{
    return count > 1 ? QStringLiteral("s") : QString();
}

std::int64_t SafeStrToInt(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok ? v : 0;
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetterOrDigit(char c)
{
    return IsLetter(c) || IsDigit(c);
}
bool IsBlankChar(char c)
{
    return c == 8 || c == 10 || c == 13 || c == 32;
}

bool IsBlankText(const QString& text)
{
    for (QChar ch : text) {
        if (ch.unicode() > 127 || !IsBlankChar(char(ch.unicode())))
            return false;
    }
    return true;
}

QString shortDateFormat()
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    // Four-digit years everywhere, so a typed date reads back unambiguously.
    f.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return f;
}

QString longTimeFormat()
{
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    // Drop the time-zone field: file times are shown as local times.
    f.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*$")));
    f.remove(QRegularExpression(QStringLiteral("^\\s*t+\\s*")));
    return f.trimmed();
}

QString formatShortDate(const QDate& date)
{
    return QLocale().toString(date, shortDateFormat());
}

QDate parseShortDate(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QDate();
    QDate d = QLocale().toDate(t, shortDateFormat());
    if (!d.isValid())
        d = QLocale().toDate(t, QLocale::ShortFormat);
    return d;
}

QDateTime PackedToDate(PackedDateTime packed)
{
    QDateTime dt;
    if (!unpackDateTime(packed, &dt))
        return QDateTime(QDate(1980, 1, 1), QTime(0, 0));
    return dt;
}

QString PackedDateText(PackedDateTime packed)
{
    if (packed == 0)
        return QString();
    return formatShortDate(PackedToDate(packed).date());
}

QString PackedTimeText(PackedDateTime packed)
{
    if (packed == 0)
        return QString();
    QDateTime dt;
    const QTime t = unpackDateTime(packed, &dt) ? dt.time() : QTime(12, 0, 0);
    const QString s = QLocale().toString(t, longTimeFormat());
    return s.isEmpty() ? QStringLiteral("12:00:00") : s;
}

QString PackedTimeHHMM(PackedDateTime packed)
{
    QDateTime dt;
    if (!unpackDateTime(packed, &dt))
        return QStringLiteral("1200");
    return dt.time().toString(QStringLiteral("HHmm"));
}

QString PackedDateYYYYMMDD(PackedDateTime packed)
{
    const QString s = PackedToDate(packed).date().toString(QStringLiteral("yyyyMMdd"));
    return s.isEmpty() ? QStringLiteral("19800101") : s;
}

} // namespace rw
