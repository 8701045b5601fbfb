// Every control a window shows has a name for assistive technology: a
// captioned control its caption without the accelerator mark, any other
// control a name of its own (its hint, the label that names it, or its
// role); the launcher's buttons are buttons to a screen reader.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>

#include "app/DesktopConventions.h"
#include "tests/conventions/EveryWindow.h"
#include "tests/support/XSession.h"

using rwtest::XSession;

namespace
{

QString accessibleName(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

bool isControl(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) ||
           (w->focusPolicy() != Qt::NoFocus && w->isEnabled());
}

// The caption as read out: without the accelerator mark ("&&" is a "&").
QString spoken(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// True when `target` is among the accessible children of `face`, at any depth.
bool inTree(QAccessibleInterface* face, const QObject* target)
{
    if (!face)
        return false;
    if (face->object() == target)
        return true;
    for (int i = 0; i < face->childCount(); ++i)
        if (inTree(face->child(i), target))
            return true;
    return false;
}

} // namespace

TEST(AccessibleNames, EveryControlOfEveryWindowIsNamed)
{
    rw::installDesktopConventions();
    for (const rwtest::WindowMaker& maker : rwtest::everyWindow()) {
        SCOPED_TRACE(maker.name);
        std::unique_ptr<QWidget> window = maker.make();
        window->show();
        ASSERT_TRUE(XSession::waitForShown(window.get()));
        int named = 0;
        for (QWidget* c : window->findChildren<QWidget*>()) {
            if (!c->isVisible() || !isControl(c))
                continue;
            const QString name = accessibleName(c);
            EXPECT_FALSE(name.trimmed().isEmpty())
                << c->metaObject()->className() << " '" << qPrintable(c->objectName()) << "'";
            if (auto* b = qobject_cast<QAbstractButton*>(c); b && !b->text().isEmpty()) {
                EXPECT_EQ(name, spoken(b->text())) << qPrintable(b->objectName());
            }
            ++named;
        }
        EXPECT_GT(named, 0);
        // Fields take the caption beside them, unnamed parts their role.
        const struct {
            const char* window;
            const char* control;
            const char* name;
        } chosen[] = {
            {"TFindDlg", "Edit1", "Search Text"},    {"TfrmDetails", "lblFileName", "Name of file"},
            {"TfrmDetails", "lblSizeBytes", "Size"}, {"TfrmStatistics", "chartSpaceBar", "Chart"},
            {"TfrmDup duplicates", "grid", "Table"}, {"TfrmDup duplicates", "num1", "Spin box"}};
        for (const auto& c : chosen) {
            if (QLatin1String(c.window) != QLatin1String(maker.name))
                continue;
            auto* w = window->findChild<QWidget*>(QString::fromLatin1(c.control));
            ASSERT_NE(w, nullptr) << c.control;
            EXPECT_EQ(accessibleName(w), QString::fromLatin1(c.name)) << c.control;
        }
        window->hide();
    }
}

TEST(AccessibleNames, TheLaunchersButtonsAreButtonsWithTheirCaptions)
{
    rw::installDesktopConventions();
    rw::wireProgram();
    rw::TfrmMain launcher;
    launcher.show();
    ASSERT_TRUE(XSession::waitForShown(&launcher));
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"btDuplicate", "Duplicate files"},
                   {"btFileHog", "File hogs"},
                   {"btDirHogs", "Folder hogs"},
                   {"btBrowse", "Browse"}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* w = launcher.findChild<QWidget*>(QString::fromLatin1(b.name));
        ASSERT_NE(w, nullptr);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::Button);
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromLatin1(b.caption));
        // Reachable from the window, as a screen reader walks it.
        EXPECT_TRUE(inTree(QAccessible::queryAccessibleInterface(&launcher), w));
    }
}
