#include "app/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTreeView>

#include <climits>

namespace rw
{

namespace
{

QString spokenCaption(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

QString nameQtReads(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

bool isControl(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || w->focusPolicy() != Qt::NoFocus;
}

// The control a part belongs to: the spin box or combo box around an edit
// field, the calendar around its table.
QWidget* compositeOwner(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p) ||
            qobject_cast<QCalendarWidget*>(p))
            return p;
    return nullptr;
}

// The caption label a user sees for `w`: the nearest label with text just
// left of it on the same line, or just above it at the same left edge.
QString captionBeside(QWidget* w)
{
    QWidget* window = w->window();
    const QRect at(w->mapTo(window, QPoint(0, 0)), w->size());
    QString best;
    int bestDistance = INT_MAX;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isHidden() || label->buddy() || label->text().trimmed().isEmpty() ||
            label->textFormat() == Qt::RichText)
            continue;
        const QRect l(label->mapTo(window, QPoint(0, 0)), label->size());
        int distance = INT_MAX;
        const bool sameLine = l.center().y() >= at.top() && l.center().y() <= at.bottom();
        if (sameLine && l.right() <= at.left() + 4 && at.left() - l.right() <= 140)
            distance = at.left() - l.right();
        else if (l.bottom() <= at.top() + 2 && at.top() - l.bottom() <= 24 &&
                 qAbs(l.left() - at.left()) <= 16)
            distance = at.top() - l.bottom();
        if (distance < bestDistance) {
            bestDistance = distance;
            best = spokenCaption(label->text());
        }
    }
    return best;
}

QString roleName(const QWidget* w)
{
    const auto say = [](const char* text) {
        return QCoreApplication::translate("rw::AccessibleNames", text);
    };
    if (qobject_cast<const QCalendarWidget*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Calendar"));
    if (qobject_cast<const QTableView*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Table"));
    if (qobject_cast<const QTreeView*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Tree"));
    if (qobject_cast<const QAbstractItemView*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "List"));
    if (qobject_cast<const QComboBox*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Combo box"));
    if (qobject_cast<const QAbstractSpinBox*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Spin box"));
    if (qobject_cast<const QLineEdit*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Edit"));
    if (qobject_cast<const QTabWidget*>(w) || qobject_cast<const QTabBar*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Pages"));
    if (qobject_cast<const QGraphicsView*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Chart"));
    if (qobject_cast<const QAbstractButton*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Button"));
    if (qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
        qobject_cast<const QAbstractScrollArea*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Text"));
    if (qobject_cast<const QLabel*>(w))
        return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Value"));
    return say(QT_TRANSLATE_NOOP("rw::AccessibleNames", "Control"));
}

// Fields that hold one value, named by the caption a user reads beside them.
bool isField(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLabel*>(w);
}

QString hint(const QWidget* w)
{
    return spokenCaption(w->toolTip());
}

QString chooseName(QWidget* w)
{
    if (QWidget* owner = compositeOwner(w)) {
        const QString ownerName = nameQtReads(owner);
        if (!ownerName.isEmpty())
            return ownerName;
    }
    if (isField(w)) {
        const QString caption = captionBeside(w);
        if (!caption.isEmpty())
            return caption;
    }
    // A button's or a field's hint says what it is; a list's or a grid's
    // hint says how to use it (Qt reads it out as the description).
    if ((isField(w) || qobject_cast<QAbstractButton*>(w)) && !hint(w).isEmpty())
        return hint(w);
    return roleName(w);
}

} // namespace

int nameForAccessibility(QWidget* window)
{
    if (!window)
        return 0;
    int given = 0;
    // Parents come before their parts, so a part can take its control's name.
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!isControl(w) || !w->accessibleName().isEmpty() || !nameQtReads(w).isEmpty())
            continue;
        w->setAccessibleName(chooseName(w));
        ++given;
    }
    return given;
}

} // namespace rw
