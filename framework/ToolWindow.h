#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <cstdint>

#include "framework/ToolButtonRow.h"

class QFrame;
class QLabel;
class QPushButton;

namespace rw
{

class CheckListBox;
class ResultGridController;
class ResultGridView;
class ScanSession;
class TWinPlace;
class WalkStrategy;
struct ResultGridConfig;

// The frame shared by the file-finding tool windows (duplicates and file
// hogs, date ranges, temporary files): a resizable dialog with a 172-pixel
// top panel holding the window's search controls, the drive check list at
// its right and the standard button row along its foot, the result grid
// below and a status panel at the bottom. The frame owns the scan session,
// the remembered placement, the show-time reset, the resize handling, the
// visibility of the result buttons, the walk over the checked drives with
// its "No files found." report, and delete-then-close.
//
// A window derives from it, builds its own controls on topPanel() in its
// constructor and calls, in this order: addDriveList(), addButtons() (then
// its own extra buttons), addStatusPanel(), addGridView(), setController()
// (or its own controller through completeConfig()), stackWindow() and
// startSession(). Children are created in that order, which is the tab
// order.
class ToolWindow : public QDialog
{
    Q_OBJECT
public:
    // Which of Abort and Mark has a place of its own in the button row; the
    // other one shares it.
    enum class SharedPlace { MarkOnAbort, AbortOnMark };

    // Where the window's placement is remembered; an empty section keeps
    // the profile's default one.
    struct Placement {
        QString iniFileName;
        QString identifier;
        QString section;
    };

    ~ToolWindow() override;

    ResultGridController* gridController() const { return m_grid; }
    CheckListBox* driveList() const { return m_pckDrive; }

    // "Delete": the confirmation window on the marked files; closes this
    // window (accepted) unless the confirmation was cancelled.
    virtual void btDeleteClick();
    // Title of the printed report.
    virtual QString printTitle() const = 0;

protected:
    static constexpr int kPanelHeight = 172;
    static constexpr int kButtonWidth = 65;
    static constexpr int kButtonHeight = 25;
    static constexpr int kButtonTop = 140;
    static constexpr int kDriveListWidth = 150;

    // A window named `name`, `width` x 478 pixels, with its (empty) top
    // panel. `driveGap` is the gap between drive list and right edge,
    // `buttonLeft` the left of the button row.
    ToolWindow(QWidget* owner, const QString& name, int width, int driveGap, int buttonLeft);

    // The drive check list, `driveGap` pixels from the right edge.
    void addDriveList();
    // The standard buttons: Start, Close, Abort and Mark on one place,
    // Delete, Print, Clipboard, Browse, Details. Start runs btScanClick(),
    // Close rejects, Delete runs btDeleteClick().
    void addButtons(SharedPlace shared);
    // The sunken status panel at the foot of the window.
    void addStatusPanel(const QString& name, bool arialFont);
    // The result grid (its controller comes with setController()).
    ResultGridView* addGridView();
    // Fills in what every tool window's grid takes from the frame: the
    // status panel, the Delete button, the top panel and the print title.
    void completeConfig(ResultGridConfig& config);
    // Makes the grid controller from `config` (completed first).
    void setController(ResultGridConfig config);
    // Connects the result buttons to the grid controller of the moment and
    // stacks top panel, grid and status panel.
    void stackWindow();
    // The scan session (the controls in `disabled` are off during a run,
    // besides Start, Close and the drive list), the placement (centred
    // when it has none), the drive list filled with the drives and the
    // Start button enabled by the checked ones.
    void startSession(const QList<QWidget*>& disabled, const Placement& placement);

    // "&Start". Called by the Start button.
    virtual void btScanClick() = 0;
    // The reset each time the window is shown (not on a return from
    // minimised); the default is resetResults() followed by fitToWindow().
    virtual void FormShow();
    // The smallest width the window's content needs before scaling; by
    // default the button row and 3 pixels.
    virtual int minimumContentWidth() const;
    // The left edge the drive list never goes past when the window narrows.
    virtual int driveListMinLeft() const = 0;
    // Shows or hides Print, Clipboard, Browse and Details.
    virtual void setResultButtonsVisible(bool visible);

    // What a new showing starts with: the grid's panel height saved, the
    // result buttons, Abort, Mark and Delete hidden, the abort flag off, the
    // status empty, Start by the drives, Close enabled, the row laid out.
    void resetResults();
    // Minimum size, grid columns and drive list fitted to the window, then
    // the remembered placement applied.
    void fitToWindow();
    // Enables Start when at least one drive is checked (not during a run).
    void updateStartButton();
    // Hides Mark, Delete and the result buttons (before a run).
    void hideResultButtons();
    // Walks the checked drives with `strategy`, with the session's progress
    // and abort flag. The caller holds a ScanSession::Run.
    void walkCheckedDrives(WalkStrategy& strategy);
    // After a run that found `found` rows: Mark and Delete shown when there
    // are rows; none: "No files found." and false. Otherwise the result
    // buttons are shown, `statusText` (when not empty) goes to the status
    // panel, and true.
    bool reportFound(std::int64_t found, const QString& statusText);

    void layoutButtons();
    void placeDriveList();
    void applyMinimumSize();

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    QFrame* topPanel() const { return m_topPanel; }

    QFrame* m_topPanel = nullptr;
    CheckListBox* m_pckDrive = nullptr;
    ToolButtonRow m_buttons{nullptr};
    QPushButton* m_btScan = nullptr;
    QPushButton* m_btClose = nullptr;
    QPushButton* m_btAbort = nullptr;
    QPushButton* m_btMark = nullptr;
    QPushButton* m_btDelete = nullptr;
    QPushButton* m_btPrint = nullptr;
    QPushButton* m_btClip = nullptr;
    QPushButton* m_btBrowse = nullptr;
    QPushButton* m_btDetails = nullptr;
    ResultGridView* m_gridView = nullptr;
    ResultGridController* m_grid = nullptr; // owned by this window
    QLabel* m_status = nullptr;
    ScanSession* m_session = nullptr;
    TWinPlace* m_place = nullptr;

private:
    int m_driveGap;
    int m_buttonLeft;
};

} // namespace rw
