#pragma once

#include <QByteArray>

#include "tools/dup/core/PairMatch.h"

class QWidget;

namespace rw
{

// What the pair comparison window needs of the duplicate window whose list it
// compares. The duplicate window implements it and hands itself over with
// TfrmDupCompare::showFor().
//
// From DupGridRows: rowCount() (the heading row 0 included) and cell() of
// the seven duplicate columns 0 "Filename", 1 "Size", 2 "Modified", 3
// "Time", 4 "Access", 5 "Folder", 6 "Type" in every row from 1.
class DupCompareSource : public DupGridRows
{
public:
    // The row under the cursor in the duplicate list; the comparison starts
    // there.
    virtual int currentRow() const = 0;
    // Moves the duplicate list's cursor, so its selection follows the pair
    // being compared.
    virtual void setCurrentRow(int row) = 0;
    // The matching rule of the last run: 0 "Filename only", 1 "Filename and
    // size", 2 "Filename, size and modify date/time", 3 "Size only", 4 "Size
    // and modify date/time", 5 "Size and type", 6 "Type and modify
    // date/time".
    virtual int matchMode() const = 0;
    // The file of `row` as the file system's bytes (empty for none): what
    // the window opens, views and checksums; the cells are display text.
    virtual QByteArray pathBytes(int row) const = 0;
    // Toggles the deletion mark of `row` and updates the duplicate window's
    // totals and Delete button.
    virtual void MarkThisFile(int row) = 0;
    // The duplicate window itself (same signature as QWidget::window(), so a
    // top-level QWidget implements it by returning itself). The comparison
    // window forgets the source when this widget is destroyed.
    virtual QWidget* window() const = 0;
};

} // namespace rw
