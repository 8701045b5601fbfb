#pragma once

// What the window-system tests of the tool windows share: opening a window
// the way the launcher does, acting on the modal windows it opens, reaching
// controls and cells on screen, and the checks of what a grid shows.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <memory>

#include "controls/CheckListBox.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "platform/Drives.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/XSession.h"

namespace e2e
{

using rwtest::XSession;

// Shows `window` modally, as the launcher does, and runs `drive` inside its
// modal loop once it is on screen; closes it afterwards if `drive` left it
// open. Returns the dialog's result.
inline int runModal(QDialog& window, const std::function<void()>& drive)
{
    QTimer::singleShot(0, &window, [&window, &drive] {
        EXPECT_TRUE(XSession::waitForShown(&window));
        drive();
        if (window.isVisible())
            window.done(QDialog::Rejected);
    });
    return window.exec();
}

// Acts on the next modal window of class `className` (such as
// "rw::TfrmReallyDelete") once it is on screen. The action runs inside that
// window's modal loop and must close it. Call before the click that opens it.
inline void onModal(const char* className, std::function<void(QDialog&)> action)
{
    rwtest::onNextModal(
        [action = std::move(action)](QWidget* w) {
            auto* d = qobject_cast<QDialog*>(w);
            ASSERT_NE(d, nullptr);
            EXPECT_TRUE(XSession::waitForShown(d));
            action(*d);
        },
        QString::fromLatin1(className), 8000);
}

template <typename T = QAbstractButton> T* child(const QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// Ticks exactly drive `letter` in a drive check list (the user's choice of
// drives; the list is its own control, tested on its own).
inline void tickOnly(rw::CheckListBox* drives, char letter)
{
    ASSERT_NE(drives, nullptr);
    drives->uncheckAll();
    rw::DriveInfo d;
    ASSERT_TRUE(rw::findDrive(QChar(letter), &d));
    EXPECT_TRUE(drives->checkLine(d.entryText()));
}

// The data row whose cell in `column` ends with `text` (-1: none).
inline int rowEndingWith(const rw::ResultGridView& grid, int column, const QString& text)
{
    const QAbstractItemModel* m = grid.model();
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, column).data().toString().endsWith(text, Qt::CaseInsensitive))
            return r;
    return -1;
}

// The centre of a cell in the grid's viewport (scrolled into view first).
inline QPoint cellPoint(rw::ResultGridView& grid, int row, int column)
{
    const QModelIndex i = grid.model()->index(row, column);
    grid.scrollTo(i);
    return grid.visualRect(i).center();
}

inline void clickCell(rw::ResultGridView& grid, int row, int column)
{
    XSession::click(grid.viewport(), cellPoint(grid, row, column));
}

inline void doubleClickCell(rw::ResultGridView& grid, int row, int column)
{
    XSession::doubleClick(grid.viewport(), cellPoint(grid, row, column));
}

inline void clickHeader(rw::ResultGridView& grid, int column)
{
    QHeaderView* h = grid.horizontalHeader();
    const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2,
                    h->height() / 2);
    XSession::click(h->viewport(), at);
}

// Right-clicks `widget` at `at` and chooses the entry `action` (an
// objectName) of the menu that opens, once it is on screen; true when it
// was chosen. The entry must be enabled.
inline bool chooseFromMenu(QWidget* widget, QPoint at, const char* action)
{
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (acted || !menu || !XSession::shown(menu))
            return;
        acted = true;
        QAction* a = menu->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        EXPECT_TRUE(a->isEnabled()) << action;
        XSession::click(menu, menu->actionGeometry(a).center());
    });
    poll.start(20);
    XSession::rightClick(widget, at);
    return XSession::waitFor([&] { return acted; });
}

// The cells of one grid column, top to bottom, as shown.
inline QStringList columnTexts(const rw::ResultGridView& grid, int column)
{
    QStringList out;
    const QAbstractItemModel* m = grid.model();
    for (int r = 0; r < m->rowCount(); ++r)
        out.append(m->index(r, column).data().toString());
    return out;
}

// Every column at least as wide as its heading and the widest of its cells
// need in the fonts in use (cell insets, the marker, the grid line), and
// never narrower than its described width at this resolution.
inline void expectColumnsShowTheirTexts(const rw::ResultGridView& grid, const QList<int>& described,
                                        int inset = 2)
{
    const QHeaderView* header = grid.horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QFontMetrics headerFm(header->font());
    const QFontMetrics cellFm(grid.font());
    const QAbstractItemModel* m = grid.model();
    for (int c = 0; c < m->columnCount(); ++c) {
        const QString heading = m->headerData(c, Qt::Horizontal).toString();
        SCOPED_TRACE(heading.toStdString());
        const int w = grid.columnWidth(c);
        EXPECT_GE(w, headerFm.horizontalAdvance(heading) + 2 * margin + 1);
        if (c < described.size()) {
            EXPECT_GE(w, described[c] * grid.logicalDpiX() / 96);
        }
        if (c == m->columnCount() - 1 || (c < described.size() && described[c] > 200))
            continue; // free text (paths, names, types) may be longer than its column
        for (int r = 0; r < m->rowCount(); ++r) {
            const QString text = m->index(r, c).data().toString();
            const int left =
                m->index(r, c).data(rw::ResultGridModel::MarkedRole).toBool() ? 18 : inset;
            EXPECT_GE(w, left + cellFm.horizontalAdvance(text) + inset + 1) << text.toStdString();
        }
    }
}

// With RW_E2E_SHOTS set to a folder, keeps a grab of the widget's window as
// the screen shows it there (name.png), to look at by eye.
inline void saveShot(const QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("RW_E2E_SHOTS");
    if (!folder.isEmpty())
        XSession::grab(widget->window()).save(folder + '/' + name + ".png");
}

// Writes a file named by raw bytes (names that are not UTF-8 included).
inline QByteArray writeFile(const QString& folder, const QByteArray& name, qint64 size)
{
    QDir().mkpath(folder);
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    FILE* out = std::fopen(path.constData(), "wb");
    EXPECT_NE(out, nullptr) << name.toHex().constData();
    if (out) {
        const QByteArray data(size, 'd');
        std::fwrite(data.constData(), 1, std::size_t(data.size()), out);
        std::fclose(out);
    }
    return path;
}

inline bool exists(const QByteArray& path)
{
    FILE* f = std::fopen(path.constData(), "rb");
    if (f)
        std::fclose(f);
    return f != nullptr;
}

} // namespace e2e
