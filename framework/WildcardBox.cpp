#include "framework/WildcardBox.h"

#include "framework/core/FileTypes.h"

#include <QComboBox>
#include <QLabel>

namespace rw
{

namespace
{
const QString kAllFilesPattern = QStringLiteral("*.*");
}

QString WildcardLabelText(const QString& pattern)
{
    if (pattern == kAllFilesPattern)
        return WildcardBox::tr("All files");
    return FileTypeDescription(pattern.mid(1));
}

WildcardBox::WildcardBox(QComboBox* combo, QLabel* label, QLabel* typeLabel)
    : QObject(combo), m_combo(combo), m_label(label), m_typeLabel(typeLabel)
{
    connect(combo, &QComboBox::currentTextChanged, this, &WildcardBox::updateLabels);
}

void WildcardBox::makeEditable(QComboBox* combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // An editable box completes typed text inline from its list, so "*.mp"
    // and Enter would take "*.mp+" and "*." would become "*.*": the text the
    // user typed must be the pattern used.
    combo->setCompleter(nullptr);
}

WildcardBox* WildcardBox::setUp(QComboBox* combo, QLabel* label)
{
    makeEditable(combo);
    auto* box = new WildcardBox(combo, label);
    box->fill(true);
    combo->setEditText(kAllFilesPattern);
    box->updateLabels();
    return box;
}

void WildcardBox::fill(bool withAllFiles)
{
    const QString text = m_combo->currentText();
    QStringList patterns;
    FillWildcardList(patterns, withAllFiles);
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    m_combo->addItems(patterns);
    if (m_combo->isEditable())
        m_combo->setEditText(text);
    else
        m_combo->setCurrentIndex(qMax(0, m_combo->findText(text)));
    updateLabels();
}

void WildcardBox::updateLabels()
{
    const QString text = m_combo->currentText();
    if (m_label && !m_typeLabel) {
        m_label->setText(WildcardLabelText(text));
        return;
    }
    if (m_label)
        m_label->setText(text == kAllFilesPattern ? tr("All files") : QString());
    if (m_typeLabel)
        m_typeLabel->setText(FileTypeDescription(text.mid(1)));
}

} // namespace rw
