#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace rw
{

class PickList;

// "Temporary file extensions": edits the cleaner's list of temporary-file
// patterns. The list is read from the settings file when the dialog is shown
// and written back, whole, whenever it closes (by Close, Esc or the title
// bar), also when it was not changed.
class TfrmTempFiles : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTempFiles(QWidget* parent = nullptr);

    PickList* pickList() const { return m_pickList; }

    // Loads the list from the settings file (defaults when it was never
    // written).
    void ReadInFromDisk();
    // Stores the list; false when the settings file could not be written.
    bool WriteOutToDisk();

    // "&Add": patterns from the extension picker, each listed once.
    void btAddClick();
    // "&Delete": removes the selected entries (asks first when more than one).
    void btDeleteClick();
    // "&Clear all": empties the list after asking.
    void btClearClick();
    // "D&efaults": adds the default patterns that are not listed yet.
    void btDefaultsClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* makeButton(const QString& text, const QString& name, const QString& hint, int top);

    PickList* m_pickList;
    QPushButton* m_btAdd;
    QPushButton* m_btDelete;
    QPushButton* m_btClear;
    QPushButton* m_btDefaults;
    QPushButton* m_btClose;
};

} // namespace rw
