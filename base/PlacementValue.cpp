#include "base/PlacementValue.h"

namespace rw {

QString PlacementValue::toText(const QString& delimiter) const
{
    const int fields[10] = {flags, showState, minX, minY, maxX, maxY, left, top, right, bottom};
    QString out;
    for (int f : fields)
        out += QString::number(f) + delimiter;
    return out;
}

PlacementValue PlacementValue::fromText(const QString& text, const QString& delimiter)
{
    PlacementValue v;
    int* fields[10] = {&v.flags, &v.showState, &v.minX, &v.minY, &v.maxX,
                       &v.maxY,  &v.left,      &v.top,  &v.right, &v.bottom};
    QString rest = text;
    for (int i = 0; i < 10; ++i) {
        QString piece;
        const int at = delimiter.isEmpty() ? -1 : int(rest.indexOf(delimiter));
        if (at >= 0) {
            piece = rest.left(at);
            rest = rest.mid(at + delimiter.size());
        } else {
            piece = rest;
            rest.clear();
        }
        bool ok = false;
        const int n = piece.trimmed().toInt(&ok);
        *fields[i] = ok ? n : (i == 1 ? 1 : 0);
    }
    return v;
}

} // namespace rw
