#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace rw
{

// The "Find" dialog of the file viewer. One instance lives for the whole
// run (findDialog()), so the search text and options carry over from one
// search to the next and from one viewer window to the next.
class TFindDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TFindDlg(QWidget* parent = nullptr);

    QString searchText() const;
    void setSearchText(const QString& text);
    bool backward() const;
    void setBackward(bool on);
    bool matchCase() const;
    void setMatchCase(bool on);
    bool globalSearch() const;
    void setGlobalSearch(bool on);

private:
    QLineEdit* m_edit;
    QRadioButton* m_forward;
    QRadioButton* m_backward;
    QCheckBox* m_matchCase;
    QCheckBox* m_global;
};

// The program's find dialog, created on first use. Start-up calls
// createFindDialog() to make it early, owned by `owner` (the launcher), so it
// goes with the launcher; made on demand it has no owner and lives to the end.
TFindDlg* findDialog();
TFindDlg* createFindDialog(QWidget* owner = nullptr);

} // namespace rw
