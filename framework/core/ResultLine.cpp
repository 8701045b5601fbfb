#include "framework/core/ResultLine.h"

#include <QVarLengthArray>

namespace rw
{

QString TabField(const QString& line, int n)
{
    if (n < 1)
        return QString();
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), start);
        if (tab < 0)
            return QString();
        start = tab + 1;
    }
    qsizetype end = line.indexOf(QLatin1Char('\t'), start);
    if (end < 0)
        end = line.size();
    return line.mid(start, end - start).trimmed();
}

QStringList splitResultLine(const QString& line)
{
    QStringList fields = line.split(QLatin1Char('\t'));
    for (QString& f : fields)
        f = f.trimmed();
    return fields;
}

QStringList fieldsToColumns(const QStringList& fields, const QList<int>& fieldOrder,
                            int columnCount)
{
    QStringList cells;
    cells.reserve(columnCount);
    for (int c = 0; c < columnCount; ++c) {
        const int field = c < fieldOrder.size() ? fieldOrder[c] : c + 1;
        cells.append(field >= 1 && field <= fields.size() ? fields[field - 1] : QString());
    }
    return cells;
}

QString rowTextFromLine(const QString& line, const QList<int>& fieldOrder, int columnCount)
{
    QVarLengthArray<QStringView, 16> fields;
    bool trimmedAny = false;
    qsizetype start = 0;
    const QStringView all(line);
    while (true) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), start);
        const QStringView raw = all.mid(start, (tab < 0 ? line.size() : tab) - start);
        const QStringView field = raw.trimmed();
        trimmedAny = trimmedAny || field.size() != raw.size();
        fields.append(field);
        if (tab < 0)
            break;
        start = tab + 1;
    }
    bool identity = !trimmedAny && fields.size() == columnCount;
    for (int c = 0; identity && c < fieldOrder.size(); ++c)
        identity = fieldOrder[c] == c + 1;
    if (identity)
        return line;

    QString text;
    text.reserve(line.size() + columnCount);
    for (int c = 0; c < columnCount; ++c) {
        if (c > 0)
            text += QLatin1Char('\t');
        const int field = c < fieldOrder.size() ? fieldOrder[c] : c + 1;
        if (field >= 1 && field <= fields.size())
            text += fields[field - 1];
    }
    return text;
}

} // namespace rw
