#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QRadioButton;

namespace rw
{

class CheckListBox;
class PickList;

// "Which drives and file types?": a three-page wizard. Page 1 picks the
// drives (floppy letters A: and B: are never offered), page 2 all files or
// the selected / all but the selected file types, page 3 the types from the
// stored "Include" or "Exclude" list, which "&Add/Delete" edits.
// After the OK result the caller reads checkedDrives(), allFiles(),
// includeSelected(), excludeSelected() and selectedTypes().
class TfrmWhichDrive : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kPageWidth = 281;
    static constexpr int kPageHeight = 313;

    explicit TfrmWhichDrive(QWidget* parent = nullptr);

    bool allFiles() const { return m_allFiles; }
    bool includeSelected() const { return m_includeSelected; }
    bool excludeSelected() const { return m_excludeSelected; }
    // The ticked drive entries, in list order.
    QStringList checkedDrives() const;
    // The selected type list lines (pattern, tab, description).
    QStringList selectedTypes() const;

    CheckListBox* pckDrive() const { return m_pckDrive; }
    PickList* pickList1() const { return m_pickList1; }
    // The page on view, 1 to 3.
    int currentPage() const { return m_page; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makePage(const char* name);
    QPushButton* makeButton(QWidget* page, const char* name, const QString& text, int x);
    void FormShow();
    void showPage(int page);
    // The stored list that the type choice on page 2 works with.
    QString typeListName() const;
    void refillTypes();
    void driveChecksChanged();
    void typeSelectionChanged();
    void btNext2Click();
    void btAddDeleteClick();
    void btOKClick();

    QWidget* m_pages[3] = {};
    int m_page = 1;
    bool m_shown = false;

    CheckListBox* m_pckDrive;
    QPushButton* m_btNext1;
    QRadioButton* m_rbAllFiles;
    QRadioButton* m_rbInclude;
    QRadioButton* m_rbExclude;
    QLabel* m_lblSelect;
    QLabel* m_lblOf;
    PickList* m_pickList1;
    QPushButton* m_btOK;

    bool m_allFiles = true;
    bool m_includeSelected = false;
    bool m_excludeSelected = false;
};

} // namespace rw
