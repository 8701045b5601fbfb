#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

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
// hogs, date ranges, temporary files, folder hogs): a resizable dialog with a
// top panel holding the window's search controls, the drive check list at its
// right and the button row on it, the result grid below and a status panel at
// the bottom. The frame owns the scan session, the remembered placement (for
// the windows that have one), the show-time reset, the resize handling, the
// visibility of the result buttons, the minimum size, the walk over the
// checked drives with its "No files found." report, and delete-then-close.
//
// What differs between the windows is told by a FrameSpec (sizes and where
// the parts stand, whether the reset runs on every showing or on the first
// one only) and by the buttons given to addButtons(): the standard row
// (Start, Close, Abort and Mark on one place, Delete, Print, Clipboard,
// Browse, Details) or any other choice of the standard buttons in any
// order. A window without the standard Start button brings its own start
// buttons through addStartButton().
//
// A window derives from it, builds its own controls on topPanel() in its
// constructor and calls addDriveList() and addButtons() (then its own extra
// buttons) in either order, then addStatusPanel(), addGridView(),
// setController() (or its own controller through completeConfig()),
// stackWindow() and startSession(). Children are created in the order of
// the calls, which is the tab order.
class ToolWindow : public QDialog
{
    Q_OBJECT
public:
    // Which of Abort and Mark has a place of its own in the standard button
    // row; the other one shares it.
    enum class SharedPlace { MarkOnAbort, AbortOnMark };

    // When the show-time reset (FormShow()) runs.
    enum class ShowReset {
        EveryShow,    // each showing (not a return from minimised)
        FirstShowOnly // the first showing; a window shown again keeps its results
    };

    // Where the window's placement is remembered; an empty section keeps
    // the profile's default one.
    struct Placement {
        QString iniFileName;
        QString identifier;
        QString section;
    };

    // The make-up of a window's frame, in pixels. The defaults are those of
    // the standard frame.
    struct FrameSpec {
        int width = 640; // the window's size when it is made
        int height = 478;
        int panelHeight = kPanelHeight; // the top panel
        // The drive check list: its top, size and gap to the right edge.
        int driveListTop = 8;
        int driveListWidth = kDriveListWidth;
        int driveListHeight = 126;
        int driveGap = 8;
        // The button row: where it starts, each button's size, the gap
        // between two buttons.
        int buttonLeft = 3;
        int buttonTop = kButtonTop;
        int buttonWidth = kButtonWidth;
        int buttonHeight = kButtonHeight;
        int buttonGap = 3;
        int statusHeight = 19; // the status panel
        // A size grip in the corner and a Maximise button in the title bar;
        // without, the dialog's plain frame.
        bool sizeGrip = true;
        ShowReset reset = ShowReset::EveryShow;
    };

    // One button of the row: a standard button on a place of its own, or,
    // with `sharesPlaceOf`, taking turns with an earlier one on its place.
    struct RowButton {
        ToolButtonRow::Role role;
        std::optional<ToolButtonRow::Role> sharesPlaceOf = std::nullopt;
    };

    ~ToolWindow() override;

    ResultGridController* gridController() const { return m_grid; }
    CheckListBox* driveList() const { return m_pckDrive; }

    // "Delete": the confirmation window on the marked files; closes this
    // window (accepted) unless the confirmation was cancelled.
    virtual void btDeleteClick();
    // "&Browse": the browser on the current row's folder with its file
    // selected (the grid controller's way).
    virtual void btBrowseClick();
    // Title of the printed report.
    virtual QString printTitle() const = 0;

protected:
    static constexpr int kPanelHeight = 172;
    static constexpr int kButtonWidth = 65;
    static constexpr int kButtonHeight = 25;
    static constexpr int kButtonTop = 140;
    static constexpr int kDriveListWidth = 150;

    // The standard frame `width` pixels wide, `driveGap` the gap between
    // drive list and right edge, `buttonLeft` the left of the button row.
    static FrameSpec standardFrame(int width, int driveGap, int buttonLeft);
    // The standard row: Start, Close, Abort and Mark on one place (`shared`
    // says which one has it), Delete, Print, Clipboard, Browse, Details.
    static QList<RowButton> standardButtons(SharedPlace shared);

    // A window named `name` made up as `frame` says, with its (empty) top
    // panel.
    ToolWindow(QWidget* owner, const QString& name, const FrameSpec& frame);
    // The same with standardFrame(width, driveGap, buttonLeft).
    ToolWindow(QWidget* owner, const QString& name, int width, int driveGap, int buttonLeft);

    // The drive check list at the right of the top panel.
    void addDriveList();
    // The standard row (see standardButtons()).
    void addButtons(SharedPlace shared);
    // The buttons of `buttons`, created in that order and laid out; the
    // frame needs Close, Abort and Delete among them. Start runs
    // btScanClick() and is a start button (see addStartButton()), Close
    // rejects, Delete runs btDeleteClick(), Browse btBrowseClick(); Mark,
    // Print, Clipboard and Details go to the grid controller.
    void addButtons(const QList<RowButton>& buttons);
    // Makes `button` (the window's own, wired by the window) a start
    // button: enabled exactly when a drive is checked, and disabled during
    // a run.
    void addStartButton(QPushButton* button);
    // The sunken status panel at the foot of the window.
    void addStatusPanel(const QString& name, bool arialFont);
    // The result grid (its controller comes with setController()).
    ResultGridView* addGridView();
    // Fills in what every tool window's grid takes from the frame: the top
    // panel and the print title; in a window with Mark also the status
    // panel (the marked totals) and the Delete button (enabled by marks).
    void completeConfig(ResultGridConfig& config);
    // Makes the grid controller from `config` (completed first).
    void setController(ResultGridConfig config);
    // Connects the result buttons to the grid controller of the moment and
    // stacks top panel, grid and status panel.
    void stackWindow();
    // The scan session (the controls in `disabled` are off during a run,
    // besides the start buttons, Close and the drive list), the placement
    // (centred when it has none; none is remembered when `placement` names
    // no file), the drive list filled (fillDriveList()) and the start
    // buttons enabled by the checked drives.
    void startSession(const QList<QWidget*>& disabled, const Placement& placement);

    // "&Start". Called by the standard Start button; nothing by default.
    virtual void btScanClick();
    // The show-time reset, on each showing or on the first one as the frame
    // says; the default is resetResults() followed by fitToWindow().
    virtual void FormShow();
    // Fills the drive list with the drives and checks the current one.
    virtual void fillDriveList();
    // The smallest width the window's content needs before scaling; by
    // default the button row and 3 pixels.
    virtual int minimumContentWidth() const;
    // The left edge the drive list never goes past when the window narrows.
    virtual int driveListMinLeft() const = 0;
    // Shows or hides Print, Clipboard, Browse and Details (those the row
    // has).
    virtual void setResultButtonsVisible(bool visible);

    // What a new showing starts with: the grid's panel height saved, the
    // result buttons, Abort, Mark and Delete hidden, the abort flag off, the
    // status empty, the start buttons by the drives, Close enabled, the row
    // laid out.
    void resetResults();
    // Minimum size, grid columns and drive list fitted to the window, then
    // the remembered placement (if any) applied.
    void fitToWindow();
    // Enables the start buttons when at least one drive is checked (not
    // during a run).
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
    const FrameSpec& frameSpec() const { return m_frame; }

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
    FrameSpec m_frame;
    QList<QPushButton*> m_startButtons;
    bool m_shownOnce = false;
};

} // namespace rw
