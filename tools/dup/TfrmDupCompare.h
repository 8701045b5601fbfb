#pragma once

#include <QColor>
#include <QDialog>
#include <QStringList>

#include "tools/dup/core/Crc32.h"
#include "tools/dup/core/PairMatch.h"

class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QToolButton;

namespace rw
{

class DupCompareSource;

// "Compare file pairs": two neighbouring files of the duplicate list side by
// side (the current row on the left, the next row on the right), every field
// in which they differ in aqua. The user steps through the pairs with PgDn /
// PgUp or the arrow buttons, computes the CRC-32 of both files, marks either
// file in the duplicate window, runs, views or prints.
//
// One instance lives for the whole run (dupCompareWindow()). It is shown
// without being modal; the list is copied each time the window goes from
// hidden to shown, so marks and deletions made meanwhile in the duplicate
// window show only after the next showing.
//
// Stepping: "next" does nothing on or after the second-to-last row. When no
// later pair matches the window stays on the pair it shows and beeps, rather
// than showing the last row against a partner past the end of the list.
// "Previous" does nothing on row 1; when no earlier pair matches it shows
// rows 1 and 2.
//
// A side whose file no longer exists keeps what it showed and only clears
// its CRC label. A row without a folder shows its name and "???" dates and
// nothing else; it has no path to run, view or checksum.
class TfrmDupCompare : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmDupCompare(QWidget* parent = nullptr);
    ~TfrmDupCompare() override;

    // The duplicate window compared (not owned). Forgotten, and this window
    // hidden, when that window is destroyed.
    DupCompareSource* dupForm() const;
    void setDupForm(DupCompareSource* source);
    // setDupForm(), then shows the window without a modal loop, or only
    // brings it to the front when it is already visible.
    void showFor(DupCompareSource* source);

    // Prints to this printer instead of asking with the print dialog (not
    // owned; nullptr restores the dialog).
    void setPrinter(QPrinter* printer) { m_printer = printer; }

    // The private copy of the list, its match mode and its current row (the
    // left file).
    const DupGridCopy& grid() const { return m_grid; }
    int matchMode() const { return m_matchMode; }
    int currentRow() const { return m_row; }

    // Copies the duplicate list and shows the pair at its current row; runs
    // when the window goes from hidden to shown.
    void FormShow();
    // Fill one side from a row of the copy.
    void GetLeftValues(int row);
    void GetRightValues(int row);
    // Aqua for every pair of labels whose texts differ, button face for the
    // others; also lays the window out (resizeIt).
    void HighlightDifferences();
    // Shows the version lists when either holds more than one line, else
    // hides them and shrinks the window; keeps the window on the screen.
    void resizeIt();
    // Window, lists, labels and group boxes all take `color`.
    void changeBackgroundColor(const QColor& color);
    // The background of version line `line` (aqua when it differs).
    QColor versionLineColor(int line) const;

    // Key released: Page Down steps to the next pair, Page Up to the previous.
    void FormKeyUp(int key);
    void sbL1Click();
    void sbR1Click();
    void btMark1Click();
    void btMark2Click();
    void btLaunch1Click();
    void btLaunch2Click();
    void btView1Click();
    void btView2Click();
    void btComputeClick();
    void btPrintClick();
    void btCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of one side.
    struct Side {
        QLabel* image = nullptr;
        QPushButton* btMark = nullptr;
        QPushButton* btLaunch = nullptr;
        QPushButton* btView = nullptr;
        QGroupBox* groupBox = nullptr;
        QLabel* lblFolder = nullptr;
        QLabel* lblSize = nullptr;
        QLabel* lblType = nullptr;
        QLabel* lblCreate = nullptr;
        QLabel* lblModify = nullptr;
        QLabel* lblAccess = nullptr;
        QLabel* lblAttributes = nullptr;
        QLabel* lblCRC = nullptr;
        QListWidget* tlBox = nullptr;
        // The file the side shows, as the file system's bytes (empty: none).
        QByteArray path;
        // The file name as shown in the group box caption.
        QString name;
    };

    void buildSide(Side& side, int index, int left, int width, bool withCaptions);
    void getValues(Side& side, int row);
    void setName(Side& side, const QString& name);
    // Folder and name of the side joined; empty when the side has no folder.
    QByteArray sidePath(const Side& side) const;
    // Makes the duplicate window of the moment this window's transient
    // parent (none without one), so this window takes input beside it.
    void followSourceWindow();
    // Moves this window beside `other` on its screen.
    void placeBeside(const QWidget* other);
    // The CRC-32 of the side's file; false with the error text when the file
    // cannot be opened or mapped.
    bool sideCrc(const Side& side, std::uint32_t* crc, QString* error);
    void run(const Side& side);
    void view(const Side& side);
    // Shows the pair at `row` and moves the duplicate window's cursor there.
    void showPair(int row);
    bool isPageKey(const QKeyEvent* event) const;

    DupCompareSource* m_dupForm = nullptr;
    QMetaObject::Connection m_sourceGone;
    DupGridCopy m_grid;
    // The match mode of the list when it was copied, so a later run in the
    // duplicate window with another rule does not change how the copy pairs.
    int m_matchMode = 0;
    int m_row = 1;
    TCRC32Calc m_crcCalc;
    QPrinter* m_printer = nullptr;
    QColor m_buttonFace;
    // The lists' background; differing version lines are marked only while
    // highlighting is on (it is off for the white printed image).
    QColor m_listColor;
    bool m_highlightLists = true;

    Side m_left;
    Side m_right;
    int m_listTop = 0;
    QFrame* m_panel = nullptr;
    QPushButton* m_btCompute = nullptr;
    QToolButton* m_sbL1 = nullptr;
    QToolButton* m_sbR1 = nullptr;
    QPushButton* m_btPrint = nullptr;
    QPushButton* m_btClose = nullptr;
};

// The program's one comparison window. The launcher makes it at start (a
// TfrmDupCompare it owns registers itself here); when none lives yet, the
// first call makes one that is deleted with the application object.
TfrmDupCompare* dupCompareWindow();

} // namespace rw
