#include "tools/clean/TfrmTempFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "base/ProgramMessages.h"
#include "controls/CentreOnScreen.h"
#include "controls/PickList.h"
#include "framework/TypeListEditing.h"
#include "tools/clean/core/TempPatterns.h"

namespace rw
{

namespace
{

constexpr int kClientWidth = 371;
constexpr int kClientHeight = 394;
constexpr int kButtonLeft = 280;
constexpr int kButtonWidth = 83;
constexpr int kButtonHeight = 25;

QLabel* makeNote(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(r);
    return l;
}

} // namespace

TfrmTempFiles::TfrmTempFiles(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTempFiles"));
    setWindowTitle(tr("Temporary file extensions"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);

    auto* heading = new QLabel(tr("Temporary file extensions"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setGeometry(8, 8, 260, 16);

    m_pickList = new PickList(this);
    m_pickList->setObjectName(QStringLiteral("PickList1"));
    m_pickList->setToolTip(tr("List of temporary file extensions and types"));
    m_pickList->setSorted(true);
    m_pickList->setGeometry(8, 28, 262, 212);

    makeNote(this, QStringLiteral("Label2"),
             tr("Some common temporary file extensions are .TMP, .TEMP, .$$$, .OLD "
                "and .BAK.  It is your responsibility to ensure that you have "
                "selected the proper extensions for file deletion."),
             QRect(8, 248, 355, 70));
    makeNote(this, QStringLiteral("Label3"),
             tr(".FTS files may deleted if you're really short of space.  They are "
                "Windows help file searching add-ons.  They can be re-generated as "
                "needed."),
             QRect(8, 322, 355, 66));

    m_btAdd = makeButton(tr("&Add"), QStringLiteral("btAdd"),
                         tr("Add a file extension to this list"), 28);
    m_btDelete =
        makeButton(tr("&Delete"), QStringLiteral("btDelete"), tr("Delete a file extension"), 60);
    m_btClear =
        makeButton(tr("&Clear all"), QStringLiteral("btClear"), tr("Clear all extensions"), 92);
    m_btDefaults = makeButton(tr("D&efaults"), QStringLiteral("btDefaults"),
                              tr("Inserts some default temporary file extensions"), 124);
    m_btClose = makeButton(tr("Close"), QStringLiteral("btClose"), tr("Close window"), 156);

    connect(m_btAdd, &QPushButton::clicked, this, &TfrmTempFiles::btAddClick);
    connect(m_btDelete, &QPushButton::clicked, this, &TfrmTempFiles::btDeleteClick);
    connect(m_btClear, &QPushButton::clicked, this, &TfrmTempFiles::btClearClick);
    connect(m_btDefaults, &QPushButton::clicked, this, &TfrmTempFiles::btDefaultsClick);
    // Close is the cancel button: Esc and the title bar close the same way,
    // and every way stores the list (done()).
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
}

QPushButton* TfrmTempFiles::makeButton(const QString& text, const QString& name,
                                       const QString& hint, int top)
{
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    b->setGeometry(kButtonLeft, top, kButtonWidth, kButtonHeight);
    return b;
}

void TfrmTempFiles::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        ReadInFromDisk();
        centreOnScreen(this);
    }
    QDialog::showEvent(event);
}

void TfrmTempFiles::ReadInFromDisk()
{
    m_pickList->setLines(ReadTempFilesFromDisk(*messageResponder()));
}

bool TfrmTempFiles::WriteOutToDisk()
{
    const bool ok = WriteTempFilesToDisk(m_pickList->lines());
    if (!ok)
        ShowErrorMessage(tr("Couldn't save the temporary file extensions"));
    return ok;
}

void TfrmTempFiles::btAddClick()
{
    AddTypesFromPicker(m_pickList, this);
}

void TfrmTempFiles::btDeleteClick()
{
    DeleteSelectedTypes(m_pickList);
}

void TfrmTempFiles::btClearClick()
{
    ClearAllTypes(m_pickList);
}

void TfrmTempFiles::btDefaultsClick()
{
    QStringList lines;
    for (const QString& p : defaultButtonTempPatterns())
        lines << TempPatternLine(p);
    AddTypeLinesOnce(m_pickList, lines);
}

void TfrmTempFiles::done(int result)
{
    WriteOutToDisk();
    QDialog::done(result);
}

} // namespace rw
