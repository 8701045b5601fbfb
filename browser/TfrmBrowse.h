#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace rw
{

class FolderTree;
class ResultGridController;
class ResultLines;
class ResultGridView;
class TWinPlace;

// "Browse through folders": a drive box and folder tree on the left, and on
// the right the files of the current folder that match a wildcard, with
// their dates, size and type. The user marks files and deletes the marked
// ones, deletes a whole folder tree, and runs, views or inspects a file.
// Shown modally; the caller may set the folder, the mask and a file to
// select before exec(). Without a folder it opens on the working folder.
class TfrmBrowse : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmBrowse(QWidget* owner = nullptr);
    ~TfrmBrowse() override;

    // The folder listed, as the file system's bytes (only the drive box and
    // the labels show it as text). Once the window is shown, a change lists
    // the new folder at once. A folder that does not exist is replaced by its
    // nearest existing parent. The folder also becomes the working folder.
    void setFolder(const QByteArray& folder);
    const QByteArray& folder() const { return m_folder; }
    // The wildcard the listing is limited to ("*.*" when empty).
    void setMask(const QString& mask);
    QString mask() const { return m_mask; }
    // A file name (no folder, the file system's bytes) whose row is selected
    // when the window opens.
    void setSelectFile(const QByteArray& name) { m_selectFile = name; }

    // Lists the current folder anew: marks dropped, the checked sort applied
    // again in the direction it last ran. Nothing when the drive is unusable.
    // The hourglass shows meanwhile; a large folder is read in steps with
    // events handled between them (see listFolderFiles).
    void refresh();

    // Button and pop-up menu handlers.
    void btDeleteDirectoryClick();
    void btDeleteFilesClick();
    void btMarkClick();
    void gridDblClick();
    void pnlWildClick();

    ResultGridController* controller() const { return m_grid; }
    std::int64_t listedCount() const { return m_listedCount; }
    std::int64_t listedTotal() const { return m_listedTotal; }

public slots:
    // Closing asks first when files are marked; anything but Yes keeps the
    // window open.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshOnce();
    void buildControls();
    void changeFolder(const QByteArray& folder, bool rereadTree = false);
    void driveChosen(int index);
    void showFolderInControls(bool rereadTree);
    void selectFileRow(const QByteArray& name);
    void FormResize();
    void applyMinimumSize();

    QComboBox* m_driveBox = nullptr;
    FolderTree* m_tree = nullptr;
    QLabel* m_label1 = nullptr;
    ResultGridView* m_view = nullptr;
    ResultGridController* m_grid = nullptr;
    QWidget* m_panel2 = nullptr;
    QPushButton* m_btDeleteDirectory = nullptr;
    QPushButton* m_btDetails = nullptr;
    QPushButton* m_btLaunch = nullptr;
    QPushButton* m_btView = nullptr;
    QPushButton* m_btMark = nullptr;
    QPushButton* m_btDeleteFiles = nullptr;
    QPushButton* m_btClose = nullptr;
    QWidget* m_panel3 = nullptr;
    QLabel* m_pnlScan = nullptr;
    bool m_refreshing = false;   // a listing is being made (events run between its steps)
    bool m_refreshAgain = false; // asked for again meanwhile
    QLabel* m_pnlWild = nullptr;
    QLabel* m_pnlSize = nullptr;
    TWinPlace* m_winPlace = nullptr;

    QByteArray m_folder;
    QString m_mask = QStringLiteral("*.*");
    QByteArray m_selectFile;
    // The listing shown: its folder's identity is what a folder delete must
    // find.
    std::shared_ptr<ResultLines> m_lines;
    std::int64_t m_listedCount = 0;
    std::int64_t m_listedTotal = 0;
    QString m_unreadable; // why the folder listed could not be read; empty when it was
    bool m_shown = false;
};

} // namespace rw
