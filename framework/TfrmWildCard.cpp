#include "framework/TfrmWildCard.h"

#include "framework/WildcardBox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace rw
{

TfrmWildCard::TfrmWildCard(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWildCard"));
    setWindowTitle(tr("Wildcard pattern"));
    setFixedSize(300, 128);

    auto* heading = new QLabel(tr("Change the wildcard matching pattern:"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setGeometry(8, 8, 284, 20);

    m_cbWildCard = new QComboBox(this);
    m_cbWildCard->setObjectName(QStringLiteral("cbWildCard"));
    WildcardBox::makeEditable(m_cbWildCard);
    m_cbWildCard->setGeometry(8, 32, 120, 24);

    m_lblWild = new QLabel(this);
    m_lblWild->setObjectName(QStringLiteral("lblWild"));
    m_lblWild->setGeometry(136, 32, 156, 24);
    m_lblType = new QLabel(this);
    m_lblType->setObjectName(QStringLiteral("lblType"));
    m_lblType->setGeometry(8, 60, 284, 20);
    m_wildcardBox = new WildcardBox(m_cbWildCard, m_lblWild, m_lblType);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("btOK"));
    ok->setGeometry(130, 92, 75, 27);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btCancel"));
    cancel->setGeometry(217, 92, 75, 27);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmWildCard::setPattern(const QString& pattern)
{
    m_cbWildCard->setEditText(pattern);
}

QString TfrmWildCard::pattern() const
{
    return m_cbWildCard->currentText();
}

void TfrmWildCard::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_wildcardBox->fill(true);
        m_cbWildCard->setFocus();
    }
}

} // namespace rw
