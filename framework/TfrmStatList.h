#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace rw
{

class PickList;

// "File types": edits one stored file-type list ("Include" or "Exclude").
// "Close" (also the Escape key) saves the list and ends with the OK result;
// the window's close box discards the changes and ends with Cancel.
class TfrmStatList : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmStatList(const QString& listName, QWidget* parent = nullptr);

    QString listName() const { return m_listName; }
    PickList* pickList() const { return m_pickList; }

    void btAddClick();
    void btDeleteClick();
    void btClearClick();
    void btCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void updateCount();

    QString m_listName;
    PickList* m_pickList;
    QLabel* m_lblCount;
    bool m_shown = false;
};

} // namespace rw
