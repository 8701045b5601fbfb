#include "framework/TfrmDelDirectory.h"

#include "base/ProgramMessages.h"
#include "controls/CentreOnScreen.h"
#include "platform/Drives.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace rw
{

namespace
{

constexpr int kClientWidth = 518;
constexpr int kClientHeight = 266;
constexpr int kMargin = 12;
constexpr int kBevelHeight = 64;
constexpr int kBevelTop = 56;
constexpr int kBevelGap = 5;
constexpr int kButtonWidth = 166;
constexpr int kButtonHeight = 30;

QFont boldened(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

TfrmDelDirectory::TfrmDelDirectory(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDelDirectory"));
    setWindowTitle(tr("Delete directory, sub-directories and all files"));
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);

    m_label2 = new QLabel(tr("Folder to delete:"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setFont(boldened(m_label2->font()));
    m_label2->setGeometry(kMargin, 10, kClientWidth - 2 * kMargin, 18);

    m_lblDirectory = new QLabel(this);
    m_lblDirectory->setObjectName(QStringLiteral("lblDirectory"));
    m_lblDirectory->setFont(boldened(m_lblDirectory->font()));
    m_lblDirectory->setAlignment(Qt::AlignCenter);
    m_lblDirectory->setGeometry(kMargin, 32, kClientWidth - 2 * kMargin, 20);

    m_btDelete = new QPushButton(tr("&Delete folder"), this);
    m_btDelete->setObjectName(QStringLiteral("btDelete"));
    m_btDelete->setToolTip(tr("Delete the files shown above.  Cannot be undeleted."));
    auto* label1 = new QLabel(tr("All files and sub-folders are deleted.  Files cannot "
                                 "be recovered.  Hard disk space immediately freed "
                                 "up."),
                              this);
    label1->setObjectName(QStringLiteral("Label1"));
    addBevel(QStringLiteral("Bevel1"), kBevelTop, m_btDelete, label1);

    m_btRecycle = new QPushButton(tr("&Send files to recycle bin"), this);
    m_btRecycle->setObjectName(QStringLiteral("btRecycle"));
    m_btRecycle->setToolTip(
        tr("Send to recycle bin.  Recycle bin can be emptied later.  Files can be recovered."));
    auto* label3 =
        new QLabel(tr("All files sent to the Windows 95 recycle bin which can be emptied later. "
                      "Files may be recovered.  Hard disk space is not freed up until recycle "
                      "bin is emptied.."),
                   this);
    label3->setObjectName(QStringLiteral("Label3"));
    addBevel(QStringLiteral("Bevel2"), kBevelTop + kBevelHeight + kBevelGap, m_btRecycle, label3);

    m_btCancel = new QPushButton(tr("Cancel"), this);
    m_btCancel->setObjectName(QStringLiteral("BitBtn3"));
    m_btCancel->setToolTip(tr("Cancel. Do not delete."));
    auto* label4 = new QLabel(tr("Cancel delete operation."), this);
    label4->setObjectName(QStringLiteral("Label4"));
    addBevel(QStringLiteral("Bevel3"), kBevelTop + 2 * (kBevelHeight + kBevelGap), m_btCancel,
             label4);

    connect(m_btDelete, &QPushButton::clicked, this, &TfrmDelDirectory::btDeleteClick);
    connect(m_btRecycle, &QPushButton::clicked, this, &TfrmDelDirectory::btRecycleClick);
    connect(m_btCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_btCancel->setDefault(true);
}

QFrame* TfrmDelDirectory::addBevel(const QString& name, int top, QPushButton* button, QLabel* text)
{
    auto* bevel = new QFrame(this);
    bevel->setObjectName(name);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setGeometry(kMargin, top, kClientWidth - 2 * kMargin, kBevelHeight);
    bevel->lower();
    button->setGeometry(kMargin + 8, top + (kBevelHeight - kButtonHeight) / 2, kButtonWidth,
                        kButtonHeight);
    const int textLeft = kMargin + 8 + kButtonWidth + 10;
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text->setGeometry(textLeft, top + 2, kClientWidth - kMargin - 6 - textLeft, kBevelHeight - 4);
    return bevel;
}

void TfrmDelDirectory::setDirectory(const QString& folder)
{
    m_directory = folder;
    const QFontMetrics metrics(m_lblDirectory->font());
    m_lblDirectory->setText(metrics.elidedText(folder, Qt::ElideMiddle, m_lblDirectory->width()));
    m_lblDirectory->setToolTip(folder);
    DriveInfo drive;
    const bool floppy = driveOfPath(folder, &drive) &&
                        (drive.letter.toUpper() == 'A' || drive.letter.toUpper() == 'B');
    m_btRecycle->setEnabled(!floppy);
}

void TfrmDelDirectory::showEvent(QShowEvent* event)
{
    m_recycleChosen = false;
    centreOnScreen(this);
    QDialog::showEvent(event);
}

QString TfrmDelDirectory::recycleNoteText()
{
    return tr("Note that the recycle bin may be full or that you may have the "
              "\"Immediately Remove Files On Delete\" option turned on in the "
              "recycle bin. If either is true, then you will not be able to recover "
              "the deleted files from the recycle bin. \n\nSend to the recycle bin "
              "anyway?");
}

void TfrmDelDirectory::btDeleteClick()
{
    m_recycleChosen = false;
    accept();
}

void TfrmDelDirectory::btRecycleClick()
{
    m_recycleChosen = AskYesNo(recycleNoteText());
    if (m_recycleChosen)
        accept();
}

TfrmDelDirectory::Choice TfrmDelDirectory::ask(QWidget* parent, const QString& folder)
{
    TfrmDelDirectory dialog(parent);
    dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted)
        return Choice::Cancel;
    return dialog.RecycleChosen() ? Choice::Recycle : Choice::Delete;
}

} // namespace rw
