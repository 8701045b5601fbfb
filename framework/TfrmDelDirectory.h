#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace rw
{

// The confirmation window shown before a whole folder tree is deleted: it
// names the folder and offers deleting for good, sending the files to the
// recycle bin, or cancelling. The caller creates it, sets the folder, runs
// exec() and reads the result:
//
//     TfrmDelDirectory dialog(parent);
//     dialog.setDirectory(folder);
//     if (dialog.exec() != QDialog::Accepted) return;
//     const bool recycle = dialog.RecycleChosen();
//
// or in one call: TfrmDelDirectory::ask(parent, folder).
class TfrmDelDirectory : public QDialog
{
    Q_OBJECT
public:
    enum class Choice { Cancel, Delete, Recycle };

    explicit TfrmDelDirectory(QWidget* parent = nullptr);

    // The folder shown in lblDirectory (elided in the middle when it does not
    // fit; the full path is its tool tip). Also decides whether recycling is
    // offered: a folder on drive A: or B: (floppy letters) cannot be recycled.
    void setDirectory(const QString& folder);
    QString directory() const { return m_directory; }

    // True after the user chose the recycle bin and confirmed the note.
    bool RecycleChosen() const { return m_recycleChosen; }

    // Shows the window modally on `folder` and returns what the user chose.
    static Choice ask(QWidget* parent, const QString& folder);

    // The note asked before recycling (Yes sends the files to the bin).
    static QString recycleNoteText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btDeleteClick();
    void btRecycleClick();
    QFrame* addBevel(const QString& name, int top, QPushButton* button, QLabel* text);

    QLabel* m_label2 = nullptr;
    QLabel* m_lblDirectory = nullptr;
    QPushButton* m_btDelete = nullptr;
    QPushButton* m_btRecycle = nullptr;
    QPushButton* m_btCancel = nullptr;
    QString m_directory;
    bool m_recycleChosen = false;
};

} // namespace rw
