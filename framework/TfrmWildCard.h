#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;

namespace rw
{

class WildcardBox;

// "Wildcard pattern": changes a file mask. The caller sets the pattern before
// showing the dialog and reads it back after the OK result.
class TfrmWildCard : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWildCard(QWidget* parent = nullptr);

    void setPattern(const QString& pattern);
    QString pattern() const;

    QComboBox* cbWildCard() const { return m_cbWildCard; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* m_cbWildCard;
    QLabel* m_lblWild;
    QLabel* m_lblType;
    WildcardBox* m_wildcardBox;
    bool m_shown = false;
};

} // namespace rw
