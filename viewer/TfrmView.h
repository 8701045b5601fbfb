#pragma once

#include <QByteArray>
#include <QDialog>
#include <QPrinter>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace rw
{

class FileViewer;
class TWinPlace;

// "View file": shows one file read-only as text or as a hexadecimal dump,
// with search, go-to-line, tab settings, font choice, printing, copying and
// a look at the readable strings of the file. The opener creates it, sets
// the file with setFilePath(), runs it modally and destroys it. Files
// dropped on the window are opened in it.
class TfrmView : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmView(QWidget* parent = nullptr);
    ~TfrmView() override;

    // The file shown, as the file system's bytes.
    const QByteArray& filePath() const { return m_filePath; }
    // The file shown when the window is shown (the file system's bytes).
    void setFilePath(const QByteArray& path) { m_filePath = path; }

    // Opens another file in the window, as "&Open..." and a drop do. The
    // caption and error texts show the path through displayName.
    void openFile(const QByteArray& path);

    // The strings listing: hides "Pee&k at strings", "&ASCII", "&Hex" and
    // "&Hex Mode".
    void setStringsMode(bool on);

    FileViewer* viewer() const { return m_viewer; }
    // The text of status section 0 to 4.
    QString statusSection(int index) const;

    enum class PrintRange { All, Selection, Pages };
    // Prints to `printer` (not owned) in the viewer's font: every line, or
    // the selected part of the lines, or (pages) nothing. False, after an
    // error box, when the printer fails.
    bool printTo(QPrinter* printer, PrintRange range);
    // The lines printTo() writes, each handed to `write`; stops and returns
    // false when `write` does.
    bool writePrintLines(PrintRange range, const std::function<bool(const QString&)>& write);

    // Switches hex mode and keeps the menu item and the radio buttons in step.
    void setHexMode(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildPanel();
    void openViewer(const QByteArray& path);
    void updateFileItems();
    void updateClipboardItems();
    void updateSearchItems();
    void showStatus();
    // Sizes the status sections for the widest texts the file can give
    // them, and for the texts they show.
    void fitStatusSections();

    void openClick();
    void printClick();
    void printSetupClick();
    void tabSizeClick();
    void fontClick();
    void goToLineClick();
    void findClick();
    void findNextClick();
    void peekClick();
    void searchAndReport(const QString& text, bool backward, bool matchCase, bool global);
    QPrinter* printer();

    QByteArray m_filePath;
    FileViewer* m_viewer = nullptr;
    TWinPlace* m_place = nullptr;
    QMenuBar* m_menu = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_clipMenu = nullptr;
    QMenu* m_searchMenu = nullptr;
    QAction* m_print = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_selectAll = nullptr;
    QAction* m_find = nullptr;
    QAction* m_findNext = nullptr;
    QAction* m_goToLine = nullptr;
    QAction* m_hexMode = nullptr;
    QAction* m_tabExpansion = nullptr;
    QRadioButton* m_rbAscii = nullptr;
    QRadioButton* m_rbHex = nullptr;
    QPushButton* m_btStrings = nullptr;
    std::array<QLabel*, 5> m_sections{};
    // The file size, tab width and mode the sections were last sized for.
    std::array<std::int64_t, 3> m_fittedFor{-1, -1, -1};
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace rw
