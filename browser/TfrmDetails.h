#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>

class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace rw
{

// Prints `lines` under the heading `title` and a "Printed :" date line, on
// `printer` used as a text device (Courier 9 pt, tabs expanded to every
// eighth column). On failure shows "Error printing report ... quitting" and
// returns false.
bool PrintListLines(QPrinter* printer, const QStringList& lines, const QString& title);

// "File Details": everything known about one file or folder (name, type,
// size and clusters, the three dates, attributes, icon, version lines), with
// Run, View and Print. Set the path with setFilePath() before showing; the
// window fills itself when shown. When the file has no version lines the
// memo is hidden and the window shrinks to the button row.
class TfrmDetails : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmDetails(QWidget* parent = nullptr);
    ~TfrmDetails() override;

    // The file or folder shown, as the file system's bytes; its texts show
    // it through displayName.
    const QByteArray& filePath() const { return m_filePath; }
    void setFilePath(const QByteArray& path) { m_filePath = path; }

    // Prints to this printer instead of asking with the print dialog (not
    // owned; nullptr restores the dialog).
    void setPrinter(QPrinter* printer) { m_printer = printer; }

    // Fills the window from filePath(); runs when the window is shown.
    void FormShow();

    void btLaunchClick();
    void btViewClick();
    void btPrintClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QFrame* addPanel(const QString& name, const QRect& geometry);
    QLabel* addCaption(QFrame* panel, const QString& text, int row);
    QLabel* addValue(QFrame* panel, const QString& name, int row);

    QByteArray m_filePath;
    QPrinter* m_printer = nullptr;

    QLabel* m_image = nullptr;
    QFrame* m_panel4 = nullptr;
    QLabel* m_lblFileName = nullptr;
    QLabel* m_lblFileType = nullptr;
    QLabel* m_lblSizeBytes = nullptr;
    QLabel* m_lblSizeK = nullptr;
    QLabel* m_lblCreate = nullptr;
    QLabel* m_lblModify = nullptr;
    QLabel* m_lblAccess = nullptr;
    QLabel* m_lblAttributes = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_btLaunch = nullptr;
    QPushButton* m_btView = nullptr;
    QPushButton* m_btPrint = nullptr;
    QPushButton* m_btClose = nullptr;
    QListWidget* m_lb = nullptr;
};

} // namespace rw
