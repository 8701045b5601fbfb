#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "history/core/HistoryStore.h"

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace rw
{

class ResultGridController;
class ResultGridView;
class SizeHistoryChart;
class TWinPlace;

// "What grew": two kept scans of one folder compared folder by folder. The
// user picks a scanned folder (with the machine that scanned it) and two of
// its scans, by default the latest and the one before; the grid lists the
// folders that grew, shrank, are new or are gone, with both sizes, the
// difference and its share of the whole folder's change, largest change
// first, and sorts, prints and copies like every result grid. A row's menu
// browses the folder or shows its folder map; a chart shows the folder's
// size over all its scans. "Import scan…" brings in a scan made elsewhere
// (ncdu's JSON export). Reads the store; writes only an imported scan.
class TfrmGrew : public QDialog
{
    Q_OBJECT
public:
    // Grid columns.
    enum Column { colChange, colBefore, colAfter, colDifference, colShare, colFolder };

    explicit TfrmGrew(QWidget* owner = nullptr);
    ~TfrmGrew() override;

    // Opens the store at `location` (empty: the one the settings name) and
    // lists its folders. False when it cannot be opened (the status line
    // says why); a store that does not exist yet is empty, not created.
    bool openStore(const QString& location = QString());
    // Chooses the kept folder that holds `folder` (this machine's, the
    // nearest; a relative path is taken from the working folder), its two
    // latest scans, and the row of `folder` when it changed. False when no
    // kept scan holds it (the status line says so).
    bool showFolder(const QByteArray& folder);

    // The scans of the chosen folder that may be compared, newest first.
    const std::vector<StoredScan>& scans() const { return m_scans; }
    // Chooses the scans to compare by id (the later one first) and lists
    // what changed; false when either is not a scan of the chosen folder.
    bool chooseScans(std::int64_t later, std::int64_t earlier);

    ResultGridController* gridController() const { return m_grid; }
    SizeHistoryChart* chart() const { return m_chart; }
    QComboBox* rootBox() const { return m_cbRoot; }
    QString statusText() const;

    // Reads a scan in ncdu's JSON export format into the store and shows
    // it; false (after an error box) when it could not be read.
    bool importScan(const QString& file);

    // The actions of a row's menu.
    void browseRow(int row);
    void mapRow(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Root {
        QString host;
        QByteArray path;
        std::int64_t latest = 0;
    };

    void buildGrid();
    void fillRoots();
    void rootChosen();
    void laterChosen();
    void compare();
    void btImportClick();
    // The path of a row's folder as bytes, when it still stands there.
    QByteArray rowFolder(int row) const;
    QString scanText(const StoredScan& scan) const;

    QString m_location;
    std::unique_ptr<HistoryStore> m_store;
    std::vector<Root> m_roots;
    std::vector<StoredScan> m_scans;
    QComboBox* m_cbRoot;
    QComboBox* m_cbAfter;
    QComboBox* m_cbBefore;
    QPushButton* m_btImport;
    QPushButton* m_btPrint;
    QPushButton* m_btClip;
    QPushButton* m_btClose;
    QWidget* m_top;
    SizeHistoryChart* m_chart;
    ResultGridView* m_gridView;
    ResultGridController* m_grid = nullptr;
    QLabel* m_status;
    TWinPlace* m_place = nullptr;
    bool m_filling = false; // combo boxes being filled: no comparison yet
};

// Opens "What grew" on the kept scans of the folder that holds `folder`,
// modal, owned by `parent`.
void openGrowth(QWidget* parent, const QByteArray& folder);

} // namespace rw
