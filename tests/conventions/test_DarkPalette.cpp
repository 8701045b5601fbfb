// In a dark palette (Fusion, no platform theme) every text the windows show
// keeps a contrast of at least 4.5:1 against what it is drawn on, measured
// on grabs of the labels, the result grids and the viewer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

#include "app/DesktopConventions.h"
#include "base/AppGlobals.h"
#include "controls/CheckListBox.h"
#include "controls/FileViewer.h"
#include "controls/ReadableColours.h"
#include "controls/ResultGridView.h"
#include "platform/Drives.h"
#include "tests/conventions/EveryWindow.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/XSession.h"
#include "tools/dup/TfrmDup.h"

using rw::ReadableColours::contrastRatio;
using rwtest::XSession;

namespace
{

// A dark palette as dark themes give it, applied to the whole application
// in Fusion for one test and taken back afterwards.
class DarkPalette : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_style = QApplication::style()->name();
        m_palette = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette p;
        const QColor window(0x35, 0x35, 0x35);
        const QColor base(0x3D, 0x3D, 0x3D);
        p.setColor(QPalette::Window, window);
        p.setColor(QPalette::WindowText, Qt::white);
        p.setColor(QPalette::Base, base);
        p.setColor(QPalette::AlternateBase, window);
        p.setColor(QPalette::ToolTipBase, window);
        p.setColor(QPalette::ToolTipText, Qt::white);
        p.setColor(QPalette::Text, Qt::white);
        p.setColor(QPalette::Button, window);
        p.setColor(QPalette::ButtonText, Qt::white);
        p.setColor(QPalette::BrightText, Qt::red);
        p.setColor(QPalette::Link, QColor(42, 130, 218));
        p.setColor(QPalette::Highlight, QColor(42, 130, 218));
        p.setColor(QPalette::HighlightedText, Qt::black);
        p.setColor(QPalette::PlaceholderText, QColor(0xA0, 0xA0, 0xA0));
        QApplication::setPalette(p);
        rw::installDesktopConventions();
    }
    void TearDown() override
    {
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
    }

private:
    QString m_style;
    QPalette m_palette;
};

// The contrast of the text in `area` of `image`: the background is the
// commonest colour there, the text the colour farthest from it. 0 when the
// area holds a single colour (nothing drawn on it).
double textContrast(const QImage& image, QRect area)
{
    area &= image.rect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    if (counts.size() < 2)
        return 0;
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrastRatio(QColor(it.key()), QColor(background)));
    return best;
}

QString describe(const QWidget* w)
{
    return QStringLiteral("%1 '%2' in %3")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
             w->window()->objectName());
}

// Every shown label with text in `window` reads at least 4.5:1.
void expectLabelsRead(QWidget& window)
{
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().trimmed().isEmpty() || label->width() < 4)
            continue;
        // What the screen shows: a label without a background of its own
        // stands on whatever its parents paint.
        const QImage image = XSession::grab(label);
        const double contrast = textContrast(image, image.rect());
        if (contrast == 0)
            continue; // the text lies outside the label's shown part
        EXPECT_GE(contrast, rw::ReadableColours::kMinimumContrast)
            << qPrintable(describe(label)) << ": " << qPrintable(label->text().left(40));
    }
}

// Every shown, filled row of a grid reads at least 4.5:1 in each cell.
void expectGridRows(rw::ResultGridView& grid, int minimumRows)
{
    const QImage image = grid.viewport()->grab().toImage();
    int rows = 0;
    for (int row = 0; row < grid.model()->rowCount(); ++row) {
        for (int column = 0; column < grid.model()->columnCount(); ++column) {
            const QModelIndex index = grid.model()->index(row, column);
            if (grid.model()->data(index).toString().trimmed().isEmpty())
                continue;
            // Inside the grid lines, where only the cell's own paint is.
            const QRect cell = grid.visualRect(index).adjusted(2, 2, -2, -2);
            if (!image.rect().contains(cell))
                continue;
            const double contrast = textContrast(image, cell);
            EXPECT_GE(contrast, rw::ReadableColours::kMinimumContrast)
                << "row " << row << " column " << column << ": "
                << qPrintable(grid.model()->data(index).toString());
            if (column == 0)
                ++rows;
        }
    }
    EXPECT_GE(rows, minimumRows);
}

} // namespace

TEST_F(DarkPalette, EveryWindowsLabelsRead)
{
    for (const rwtest::WindowMaker& maker : rwtest::everyWindow()) {
        SCOPED_TRACE(maker.name);
        std::unique_ptr<QWidget> window = maker.make();
        window->show();
        ASSERT_TRUE(XSession::waitForShown(window.get()));
        expectLabelsRead(*window);
        window->hide();
    }
}

// The duplicate list after a run: plain and shaded groups, each cell read.
TEST_F(DarkPalette, AResultGridWithShadedGroupsReads)
{
    rwtest::FixtureBuilder fb;
    for (const char* folder : {"a", "b", "c"}) {
        fb.fileWithContent(QStringLiteral("tree/%1/same.txt").arg(folder), "same content");
        fb.fileWithContent(QStringLiteral("tree/%1/other.dat").arg(folder), "another content");
    }
    fb.mapDrive('D', "tree");
    rw::DuplicateMode = true;
    std::unique_ptr<QDialog> made = rw::createDupWindow(nullptr, true);
    auto* w = static_cast<rw::TfrmDup*>(made.get());
    w->show();
    ASSERT_TRUE(XSession::waitForShown(w));
    auto* drives = w->findChild<rw::CheckListBox*>("pckDrive");
    drives->uncheckAll();
    rw::DriveInfo d;
    ASSERT_TRUE(rw::findDrive(QChar('D'), &d));
    ASSERT_TRUE(drives->checkLine(d.entryText()));
    w->findChild<QDoubleSpinBox*>("num1")->setValue(0);
    XSession::click(w->findChild<QPushButton*>("btScan"));
    ASSERT_TRUE(XSession::waitFor(
        [&] { return w->findChild<QLabel*>("pnlSel")->text() == "6 duplicates found"; }, 10000));
    auto* grid = w->findChild<rw::ResultGridView*>("grid");
    ASSERT_NE(grid, nullptr);
    grid->clearSelection();
    expectGridRows(*grid, 6);
    expectLabelsRead(*w);
    // The drive list reads too.
    const QImage list = drives->viewport()->grab().toImage();
    EXPECT_GE(textContrast(list, drives->visualItemRect(drives->item(0)).adjusted(20, 1, -1, -1)),
              rw::ReadableColours::kMinimumContrast);
}

TEST_F(DarkPalette, TheViewerReads)
{
    rwtest::FixtureBuilder fb;
    const QString path =
        fb.fileWithContent("view.txt", "The first line of text\nand a second one\n");
    rw::TfrmView view;
    view.setFilePath(QFile::encodeName(path));
    view.show();
    ASSERT_TRUE(XSession::waitForShown(&view));
    auto* viewer = view.findChild<rw::FileViewer*>();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(XSession::waitFor([&] {
        return viewer->lineCount() > 0 && viewer->lineCount() != rw::FileViewer::kNotCounted;
    }));
    const QImage image = viewer->viewport()->grab().toImage();
    const int line = viewer->fontMetrics().height() + 4;
    EXPECT_GE(textContrast(image, QRect(0, 0, image.width(), 2 * line)),
              rw::ReadableColours::kMinimumContrast);
    expectLabelsRead(view);
}
