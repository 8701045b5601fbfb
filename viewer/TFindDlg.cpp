#include "viewer/TFindDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rw
{

TFindDlg::TFindDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDlg"));
    setWindowTitle(tr("Find"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    QFont f = font();
    f.setPixelSize(11);
    f.setBold(true);
    setFont(f);

    auto* textGroup = new QGroupBox(tr("&Search Text"), this);
    m_edit = new QLineEdit(textGroup);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    auto* textLayout = new QVBoxLayout(textGroup);
    textLayout->addWidget(m_edit);
    // The group's accelerator goes to the edit box.
    textGroup->setFocusProxy(m_edit);

    auto* optionGroup = new QGroupBox(tr("Search &Options"), this);
    m_forward = new QRadioButton(tr("Search &Forward"), optionGroup);
    m_forward->setObjectName(QStringLiteral("RadioButton1"));
    m_forward->setChecked(true);
    m_backward = new QRadioButton(tr("Search &Backward"), optionGroup);
    m_backward->setObjectName(QStringLiteral("RadioButton2"));
    m_matchCase = new QCheckBox(tr("&Match Case"), optionGroup);
    m_matchCase->setObjectName(QStringLiteral("CheckBox1"));
    m_global = new QCheckBox(tr("&Global Search"), optionGroup);
    m_global->setObjectName(QStringLiteral("CheckBox2"));
    auto* optionLayout = new QVBoxLayout(optionGroup);
    optionLayout->addWidget(m_forward);
    optionLayout->addWidget(m_backward);
    optionLayout->addWidget(m_matchCase);
    optionLayout->addWidget(m_global);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textGroup);
    layout->addWidget(optionGroup);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

QString TFindDlg::searchText() const
{
    return m_edit->text();
}
void TFindDlg::setSearchText(const QString& text)
{
    m_edit->setText(text);
}
bool TFindDlg::backward() const
{
    return m_backward->isChecked();
}
void TFindDlg::setBackward(bool on)
{
    (on ? m_backward : m_forward)->setChecked(true);
}
bool TFindDlg::matchCase() const
{
    return m_matchCase->isChecked();
}
void TFindDlg::setMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}
bool TFindDlg::globalSearch() const
{
    return m_global->isChecked();
}
void TFindDlg::setGlobalSearch(bool on)
{
    m_global->setChecked(on);
}

namespace
{
QPointer<TFindDlg>& theDialog()
{
    static QPointer<TFindDlg> dialog;
    return dialog;
}
} // namespace

TFindDlg* createFindDialog(QWidget* owner)
{
    if (!theDialog())
        theDialog() = new TFindDlg(owner);
    return theDialog();
}

TFindDlg* findDialog()
{
    return createFindDialog(nullptr);
}

} // namespace rw
