#include "framework/TfrmWhichDrive.h"
#include "base/ProgramMessages.h"

#include "controls/CheckListBox.h"
#include "controls/PickList.h"
#include "framework/DriveCheckList.h"
#include "framework/TfrmStatList.h"
#include "framework/core/StatFileLists.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace rw
{

namespace
{

constexpr int kButtonY = 278;
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 27;
constexpr int kLeftButtonX = 8;
constexpr int kMiddleButtonX = 98;
constexpr int kRightButtonX = 188;

QLabel* makeHeading(QWidget* page, const char* name, const QString& text)
{
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setGeometry(8, 8, 200, 20);
    return label;
}

// A floppy letter: never offered, since a scan would stall on an empty drive.
bool isFloppyEntry(const QString& entry)
{
    const QChar first = entry.isEmpty() ? QChar() : entry.at(0).toUpper();
    return first == QLatin1Char('A') || first == QLatin1Char('B');
}

} // namespace

TfrmWhichDrive::TfrmWhichDrive(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWhichDrive"));
    setWindowTitle(tr("Which drives and file types?"));
    setFixedSize(kPageWidth + 3, kPageHeight + 3);

    // Page 1: the drives.
    QWidget* page1 = makePage("pnlDrives");
    makeHeading(page1, "lblDrives", tr("Which drives?"));
    m_pckDrive = new CheckListBox(page1);
    m_pckDrive->setObjectName(QStringLiteral("pckDrive"));
    m_pckDrive->setGeometry(8, 32, 265, 236);
    QPushButton* cancel1 = makeButton(page1, "btCancel1", tr("Cancel"), kMiddleButtonX);
    m_btNext1 = makeButton(page1, "btNext1", tr("&Next >>"), kRightButtonX);
    m_btNext1->setDefault(true);
    connect(m_pckDrive, &CheckListBox::checksChanged, this, &TfrmWhichDrive::driveChecksChanged);
    connect(cancel1, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btNext1, &QPushButton::clicked, this, [this] { showPage(2); });

    // Page 2: which file types.
    QWidget* page2 = makePage("pnlTypes");
    makeHeading(page2, "lblTypes", tr("Which file types?"));
    const struct {
        QRadioButton** button;
        const char* name;
        const char* text;
    } choices[] = {
        {&m_rbAllFiles, "rbAllFiles", QT_TR_NOOP("&All files")},
        {&m_rbInclude, "rbInclude", QT_TR_NOOP("&Selected file types only")},
        {&m_rbExclude, "rbExclude", QT_TR_NOOP("All files &except selected file types")}};
    int y = 44;
    for (const auto& c : choices) {
        *c.button = new QRadioButton(tr(c.text), page2);
        (*c.button)->setObjectName(QString::fromLatin1(c.name));
        (*c.button)->setGeometry(20, y, 250, 24);
        y += 30;
    }
    m_rbAllFiles->setChecked(true);
    QPushButton* previous2 = makeButton(page2, "btPrevious2", tr("<< &Previous"), kLeftButtonX);
    QPushButton* next2 = makeButton(page2, "btNext2", tr("&Next >>"), kMiddleButtonX);
    QPushButton* cancel2 = makeButton(page2, "btCancel2", tr("Cancel"), kRightButtonX);
    connect(previous2, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(next2, &QPushButton::clicked, this, &TfrmWhichDrive::btNext2Click);
    connect(cancel2, &QPushButton::clicked, this, &QDialog::reject);

    // Page 3: the types of the chosen stored list.
    QWidget* page3 = makePage("pnlSelect");
    m_lblSelect = makeHeading(page3, "lblSelect", QString());
    m_lblOf = new QLabel(page3);
    m_lblOf->setObjectName(QStringLiteral("lblOf"));
    m_lblOf->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblOf->setGeometry(208, 8, 65, 20);
    m_pickList1 = new PickList(page3);
    m_pickList1->setObjectName(QStringLiteral("PickList1"));
    m_pickList1->setGeometry(8, 32, 265, 202);
    auto* addDelete = new QPushButton(tr("&Add/Delete"), page3);
    addDelete->setObjectName(QStringLiteral("btAddDelete"));
    addDelete->setToolTip(tr("Add, delete file types"));
    addDelete->setAutoDefault(false);
    addDelete->setGeometry(8, 242, kButtonWidth, kButtonHeight);
    QPushButton* previous3 = makeButton(page3, "btPrevious3", tr("<< &Previous"), kLeftButtonX);
    m_btOK = makeButton(page3, "btOK", tr("OK"), kMiddleButtonX);
    QPushButton* cancel3 = makeButton(page3, "btCancel3", tr("Cancel"), kRightButtonX);
    connect(m_pickList1, &PickList::selectedLinesChanged, this,
            &TfrmWhichDrive::typeSelectionChanged);
    connect(addDelete, &QPushButton::clicked, this, &TfrmWhichDrive::btAddDeleteClick);
    connect(previous3, &QPushButton::clicked, this, [this] { showPage(2); });
    connect(m_btOK, &QPushButton::clicked, this, &TfrmWhichDrive::btOKClick);
    connect(cancel3, &QPushButton::clicked, this, &QDialog::reject);

    showPage(1);
}

QWidget* TfrmWhichDrive::makePage(const char* name)
{
    auto* page = new QWidget(this);
    page->setObjectName(QString::fromLatin1(name));
    page->setGeometry(0, 0, kPageWidth, kPageHeight);
    for (QWidget*& slot : m_pages) {
        if (!slot) {
            slot = page;
            break;
        }
    }
    return page;
}

QPushButton* TfrmWhichDrive::makeButton(QWidget* page, const char* name, const QString& text, int x)
{
    auto* button = new QPushButton(text, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setGeometry(x, kButtonY, kButtonWidth, kButtonHeight);
    return button;
}

QStringList TfrmWhichDrive::checkedDrives() const
{
    return m_pckDrive->checkedLines();
}

QStringList TfrmWhichDrive::selectedTypes() const
{
    return m_pickList1->selectedLines();
}

void TfrmWhichDrive::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmWhichDrive::FormShow()
{
    QStringList entries;
    for (const QString& entry : DriveEntryTexts()) {
        if (!isFloppyEntry(entry))
            entries << entry;
    }
    FillDriveCheckList(m_pckDrive, entries, CurrentDriveEntryText());
    refillTypes();
    m_allFiles = true;
    showPage(1);
}

void TfrmWhichDrive::showPage(int page)
{
    m_page = page;
    for (int i = 0; i < 3; ++i)
        m_pages[i]->setVisible(i + 1 == page);
    if (page == 1)
        driveChecksChanged();
}

QString TfrmWhichDrive::typeListName() const
{
    return QString::fromLatin1(m_rbInclude->isChecked() ? kIncludeList : kExcludeList);
}

void TfrmWhichDrive::refillTypes()
{
    QStringList lines;
    ReadStatFilesFromDisk(lines, typeListName(), *messageResponder());
    m_pickList1->setLines(lines);
    m_btOK->setEnabled(false);
    m_lblOf->setText(QStringLiteral("0/") + QString::number(m_pickList1->count()));
}

void TfrmWhichDrive::driveChecksChanged()
{
    m_btNext1->setEnabled(m_pckDrive->checkedCount() > 0);
}

void TfrmWhichDrive::typeSelectionChanged()
{
    const int k = m_pickList1->selectedCount();
    m_lblOf->setText(QString::number(k) + QLatin1Char('/') + QString::number(m_pickList1->count()));
    m_btOK->setEnabled(m_pckDrive->checkedCount() > 0 && k >= 1);
}

void TfrmWhichDrive::btNext2Click()
{
    if (m_rbAllFiles->isChecked()) {
        m_allFiles = true;
        m_includeSelected = false;
        m_excludeSelected = false;
        accept();
        return;
    }
    m_lblSelect->setText(m_rbInclude->isChecked() ? tr("Selected file types only")
                                                  : tr("All file types except ..."));
    refillTypes();
    showPage(3);
}

void TfrmWhichDrive::btAddDeleteClick()
{
    const QString name = typeListName();
    {
        TfrmStatList editor(name, this);
        editor.exec();
    }
    refillTypes();
}

void TfrmWhichDrive::btOKClick()
{
    m_allFiles = m_rbAllFiles->isChecked();
    m_includeSelected = m_rbInclude->isChecked();
    m_excludeSelected = m_rbExclude->isChecked();
    accept();
}

} // namespace rw
