#include "framework/TfrmSelectExtension.h"

#include "controls/PickList.h"
#include "framework/WildcardBox.h"
#include "framework/core/FileTypes.h"
#include "framework/core/StatFileLists.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rw
{

TfrmSelectExtension::TfrmSelectExtension(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectExtension"));
    setWindowTitle(tr("Select a file extension"));
    setFixedSize(320, 382);

    auto* lblText = new QLabel(
        tr("Type in a new file extension or select one or many from the list below:"), this);
    lblText->setObjectName(QStringLiteral("Label1"));
    lblText->setWordWrap(true);
    lblText->setGeometry(8, 8, 304, 34);

    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setMaxLength(6);
    m_edit1->setGeometry(8, 48, 90, 24);

    // The pattern list whose entries the lines of lBox stand for. It stays
    // hidden and follows the typed text, so lblWild shows the type of the
    // pattern that OK would take.
    m_cbWildCard = new QComboBox(this);
    m_cbWildCard->setObjectName(QStringLiteral("cbWildCard"));
    WildcardBox::makeEditable(m_cbWildCard);
    m_cbWildCard->setGeometry(8, 48, 90, 24);
    m_cbWildCard->hide();

    m_lblWild = new QLabel(this);
    m_lblWild->setObjectName(QStringLiteral("lblWild"));
    m_lblWild->setGeometry(106, 48, 206, 24);
    m_wildcardBox = new WildcardBox(m_cbWildCard, nullptr, m_lblWild);

    m_lBox = new PickList(this);
    m_lBox->setObjectName(QStringLiteral("lBox"));
    m_lBox->setGeometry(8, 80, 304, 220);

    auto* lblHint = new QLabel(
        tr("Hint: Drag mouse or use ctrl-click to select multiple file extensions."), this);
    lblHint->setObjectName(QStringLiteral("Label2"));
    lblHint->setWordWrap(true);
    lblHint->setGeometry(8, 306, 304, 34);

    m_btOK = new QPushButton(tr("OK"), this);
    m_btOK->setObjectName(QStringLiteral("btOK"));
    m_btOK->setGeometry(150, 346, 75, 27);
    m_btOK->setDefault(true);
    m_btCancel = new QPushButton(tr("Cancel"), this);
    m_btCancel->setObjectName(QStringLiteral("btCancel"));
    m_btCancel->setGeometry(237, 346, 75, 27);

    connect(m_edit1, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_cbWildCard->setEditText(patternOfText(text)); });
    connect(m_lBox, &QListWidget::currentRowChanged, this, &TfrmSelectExtension::lBoxClick);
    connect(m_lBox, &QListWidget::itemDoubleClicked, this, &TfrmSelectExtension::lBoxDblClick);
    connect(m_btOK, &QPushButton::clicked, this, [this] {
        if (takeChoice(true))
            accept();
    });
    connect(m_btCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_edit1->setFocus();
}

QStringList TfrmSelectExtension::selectedLines() const
{
    return m_lBox->selectedLines();
}

QString TfrmSelectExtension::patternOfText(const QString& typed)
{
    // Blanks around a typed extension are never part of it, and a blank entry
    // names no extension at all (it must not become "*.", which would stand
    // for every file without an extension).
    const QString text = typed.trimmed();
    if (text.isEmpty() || text == QLatin1String("*.*") || text == QLatin1String(".*") ||
        text == QLatin1String("*"))
        return QString();
    if (text.startsWith(QLatin1String("*.")))
        return text;
    const bool star = text.contains(QLatin1Char('*'));
    const bool dot = text.contains(QLatin1Char('.'));
    if (!star && !dot)
        return QStringLiteral("*.") + text;
    if (dot && !star)
        return QLatin1Char('*') + text;
    return text;
}

void TfrmSelectExtension::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmSelectExtension::FormShow()
{
    m_wildcardBox->fill(false);
    m_patterns.clear();
    for (int i = 0; i < m_cbWildCard->count(); ++i)
        m_patterns << m_cbWildCard->itemText(i);
    QStringList lines;
    for (const QString& pattern : m_patterns) {
        if (pattern != QLatin1String("*.*"))
            lines << pattern + QLatin1Char('\t') + FileTypeDescription(pattern.mid(1));
    }
    m_lBox->setLines(lines);
    if (!m_patterns.isEmpty())
        m_edit1->setText(m_patterns.first());
    m_edit1->setFocus();
    m_edit1->selectAll();
}

void TfrmSelectExtension::lBoxClick(int row)
{
    if (row >= 0 && row < m_patterns.size())
        m_edit1->setText(m_patterns.at(row));
}

void TfrmSelectExtension::lBoxDblClick()
{
    if (takeChoice(false))
        accept();
}

bool TfrmSelectExtension::takeChoice(bool fromButton)
{
    if (m_lBox->selectedCount() > 1) {
        m_multiSelected = true;
        return fromButton;
    }
    m_multiSelected = false;
    m_pattern = patternOfText(m_edit1->text());
    m_typeName.clear();
    if (m_pattern.isEmpty())
        return fromButton;
    m_typeName = FileTypeDescription(ExtensionOf(m_pattern));
    return true;
}

} // namespace rw
