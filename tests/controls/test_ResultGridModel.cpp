#include <gtest/gtest.h>

#include <QImage>

#include "controls/MarkerPicture.h"
#include "controls/ResultGridModel.h"

using namespace rw;

namespace
{

// A model over records named "a", "b", ... in folder /x with sizes 1, 2, ...,
// shown as size, name and type.
struct Rows {
    std::shared_ptr<ResultSet> set = std::make_shared<ResultSet>();
    std::shared_ptr<ResultLines> lines;
    std::unique_ptr<ResultGridModel> model = std::make_unique<ResultGridModel>();

    explicit Rows(int count)
    {
        lines = std::make_shared<ResultLines>(
            set, QList<ResultField>{ResultField::Size, ResultField::Name, ResultField::Type});
        lines->setTypeDescriber([](const QString& ext) { return ext.mid(1).toUpper(); });
        model->setHeaders({"Size", "Name", "Type"});
        model->setMarkColumn(1);
        model->setSizeColumn(0);
        model->setLines(lines);
        const std::uint32_t folder = set->addFolder("/x", {});
        for (int i = 0; i < count; ++i) {
            FileStatus st;
            st.size = 1000 * (i + 1);
            const std::string name = std::string(1, char('a' + i)) + ".txt";
            model->appendRecord(set->add(folder, name, st));
        }
    }
};

} // namespace

TEST(ResultGridModel, CellsAreFormedFromTheRecordsAndOverridesStay)
{
    Rows r(3);
    r.model->appendRecord(ResultGridModel::kNoRecord);
    ASSERT_EQ(r.model->rows(), 4);
    EXPECT_EQ(r.model->rowCells(0), QStringList({"1,000", "a.txt", "TXT"}));
    EXPECT_EQ(r.model->data(r.model->index(1, 1)).toString(), "b.txt");
    EXPECT_EQ(r.model->cell(5, 0), "");
    EXPECT_EQ(r.model->rowCells(3), QStringList({"", "", ""})); // the empty row
    EXPECT_EQ(r.model->path(3), "");
    r.model->setCell(2, 0, "DELETED");
    EXPECT_EQ(r.model->rowCells(2), QStringList({"DELETED", "c.txt", "TXT"}));
    // The text belongs to the record: it moves with the row.
    r.model->reorder({2, 0, 1, 3});
    EXPECT_EQ(r.model->cell(0, 0), "DELETED");
    EXPECT_EQ(r.model->headerData(1, Qt::Horizontal).toString(), "Name");
}

TEST(ResultGridModel, MarkShowsOnlyInTheMarkColumnAndSizeColumnIsRightAligned)
{
    Rows r(1);
    r.model->setMarked(0, true);
    EXPECT_TRUE(r.model->data(r.model->index(0, 1), ResultGridModel::MarkedRole).toBool());
    EXPECT_FALSE(r.model->data(r.model->index(0, 0), ResultGridModel::MarkedRole).toBool());
    const auto sizeAlign =
        r.model->data(r.model->index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>();
    const auto nameAlign =
        r.model->data(r.model->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>();
    EXPECT_TRUE(sizeAlign & Qt::AlignRight);
    EXPECT_TRUE(nameAlign & Qt::AlignLeft);
}

TEST(ResultGridModel, ReorderMovesWholeRowsWithMarksAndPaths)
{
    Rows r(3);
    r.model->setMarked(1, true);
    r.model->reorder({2, 1, 0});
    EXPECT_EQ(r.model->cell(0, 1), "c.txt");
    EXPECT_EQ(r.model->path(0), "/x/c.txt");
    EXPECT_TRUE(r.model->isMarked(1));
    EXPECT_FALSE(r.model->isMarked(0));
    EXPECT_FALSE(r.model->isMarked(2));
    // Not a permutation of every row: nothing moves.
    r.model->reorder({0, 1});
    EXPECT_EQ(r.model->cell(0, 1), "c.txt");

    r.model->clearMarks();
    EXPECT_FALSE(r.model->isMarked(1));
    r.model->markAll();
    EXPECT_TRUE(r.model->isMarked(0));
    EXPECT_TRUE(r.model->isMarked(2));
}

TEST(ResultGridModel, ShownAppendsReachTheViewsInBatches)
{
    Rows r(1);
    QList<std::pair<int, int>> inserted;
    int resets = 0;
    QObject::connect(r.model.get(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) {
                         inserted.append({first, last});
                     });
    QObject::connect(r.model.get(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    r.model->beginShownAppend();
    const std::uint32_t folder = 0;
    auto add = [&](const char* name) {
        FileStatus st;
        st.size = 7;
        return r.model->appendRecord(r.set->add(folder, name, st));
    };
    EXPECT_EQ(add("p.txt"), 1);
    EXPECT_EQ(add("q.txt"), 2);
    // Rows of the model at once, of its views at the next batch.
    EXPECT_EQ(r.model->rows(), 3);
    EXPECT_EQ(r.model->rowCount(), 1);
    EXPECT_EQ(r.model->cell(2, 1), "q.txt");
    r.model->showPending();
    EXPECT_EQ(r.model->rowCount(), 3);
    r.model->showPending(); // nothing new: no notice
    add("s.txt");
    EXPECT_EQ(r.model->rowCount(), 3);
    r.model->endShownAppend();
    EXPECT_EQ(r.model->rowCount(), 4);
    EXPECT_EQ(inserted, (QList<std::pair<int, int>>{{1, 2}, {3, 3}}));
    EXPECT_EQ(resets, 0) << "the rows already shown stay where they are";
    // After the fill every append is its own insertion again.
    add("t.txt");
    EXPECT_EQ(r.model->rowCount(), 5);
    EXPECT_EQ(inserted.size(), 3);
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
