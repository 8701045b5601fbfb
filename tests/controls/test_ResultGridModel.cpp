#include <gtest/gtest.h>

#include <QImage>

#include "controls/MarkerPicture.h"
#include "controls/ResultGridModel.h"

using namespace rw;

namespace
{

ResultGridModel* threeColumnModel()
{
    auto* m = new ResultGridModel;
    m->setHeaders({"Size", "Name", "Type"});
    m->setMarkColumn(1);
    m->setSizeColumn(0);
    return m;
}

} // namespace

TEST(ResultGridModel, RowsArePaddedOrCutToTheColumnsAndCellsReadBack)
{
    std::unique_ptr<ResultGridModel> m(threeColumnModel());
    m->appendRow({"1,000", "a.txt"});
    m->appendRow({"2", "b.txt", "Text", "extra"});
    m->appendRowText("3\tc.txt\tDoc");
    ASSERT_EQ(m->rows(), 3);
    EXPECT_EQ(m->rowCells(0), QStringList({"1,000", "a.txt", ""}));
    EXPECT_EQ(m->rowCells(1), QStringList({"2", "b.txt", "Text"}));
    EXPECT_EQ(m->cell(2, 2), "Doc");
    EXPECT_EQ(m->cell(5, 0), "");
    m->setCell(2, 1, "renamed.txt");
    EXPECT_EQ(m->rowCells(2), QStringList({"3", "renamed.txt", "Doc"}));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Name");
}

TEST(ResultGridModel, MarkShowsOnlyInTheMarkColumnAndSizeColumnIsRightAligned)
{
    std::unique_ptr<ResultGridModel> m(threeColumnModel());
    m->appendRow({"1", "a", "t"});
    m->setMarked(0, true);
    EXPECT_TRUE(m->data(m->index(0, 1), ResultGridModel::MarkedRole).toBool());
    EXPECT_FALSE(m->data(m->index(0, 0), ResultGridModel::MarkedRole).toBool());
    const auto sizeAlign = m->data(m->index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>();
    const auto nameAlign = m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>();
    EXPECT_TRUE(sizeAlign & Qt::AlignRight);
    EXPECT_TRUE(nameAlign & Qt::AlignLeft);
}

TEST(ResultGridModel, ReorderMovesWholeRowsWithMarksAndPaths)
{
    std::unique_ptr<ResultGridModel> m(threeColumnModel());
    m->appendRow({"1", "a"}, "/x/a");
    m->appendRow({"2", "b"}, "/x/b");
    m->appendRow({"3", "c"}, "/x/c");
    m->setMarked(1, true);
    m->reorder({2, 1, 0});
    EXPECT_EQ(m->cell(0, 1), "c");
    EXPECT_EQ(m->path(0), "/x/c");
    EXPECT_TRUE(m->isMarked(1));
    EXPECT_FALSE(m->isMarked(0));
    EXPECT_FALSE(m->isMarked(2));
    // Not a permutation of every row: nothing moves.
    m->reorder({0, 1});
    EXPECT_EQ(m->cell(0, 1), "c");

    m->clearMarks();
    EXPECT_FALSE(m->isMarked(1));
    m->setAllMarked({true, false, true});
    EXPECT_TRUE(m->isMarked(0));
    EXPECT_FALSE(m->isMarked(1));
}

TEST(MarkerPicture, TickIsRedWithBlackShadowOnTransparentPurple)
{
    const QImage& full = MarkerPicture::image();
    EXPECT_EQ(full.size(), QSize(32, 16));
    EXPECT_EQ(QColor(full.pixel(0, 0)), QColor(128, 0, 128));

    const QImage tick = MarkerPicture::tick().toImage();
    ASSERT_EQ(tick.size(), QSize(16, 16));
    int red = 0, black = 0, clear = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QColor c = tick.pixelColor(x, y);
            if (c.alpha() == 0)
                ++clear;
            else if (c == QColor(Qt::red))
                ++red;
            else if (c == QColor(Qt::black))
                ++black;
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(black, 3);
    EXPECT_GT(clear, 150);
}
