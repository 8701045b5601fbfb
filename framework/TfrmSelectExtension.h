#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rw
{

class PickList;
class WildcardBox;

// "Select a file extension": the user types one new extension or picks one or
// several registered extensions from the list. After the OK result:
//  - multiSelected(): more than one line of the list was selected; the chosen
//    lines (pattern, tab, description) are selectedLines();
//  - otherwise pattern() is the one pattern chosen ("*.bak"), empty when the
//    typed text named no extension ("*.*", ".*", "*" or nothing), and
//    typeName() the description of its extension.
class TfrmSelectExtension : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSelectExtension(QWidget* parent = nullptr);

    bool multiSelected() const { return m_multiSelected; }
    QString pattern() const { return m_pattern; }
    QString typeName() const { return m_typeName; }
    QStringList selectedLines() const;

    // The pattern a typed text stands for: "bak" and ".bak" -> "*.bak", a
    // text starting with "*." as it is; empty for "*.*", ".*", "*" and blank.
    static QString patternOfText(const QString& text);

    PickList* lBox() const { return m_lBox; }
    QLineEdit* edit1() const { return m_edit1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void lBoxClick(int row);
    void lBoxDblClick();
    // Takes the choice; true when the dialog may close with OK. A double click
    // only closes on one new pattern.
    bool takeChoice(bool fromButton);

    QLineEdit* m_edit1;
    QComboBox* m_cbWildCard;
    QLabel* m_lblWild;
    PickList* m_lBox;
    QPushButton* m_btOK;
    QPushButton* m_btCancel;
    WildcardBox* m_wildcardBox;
    QStringList m_patterns;
    bool m_shown = false;

    bool m_multiSelected = false;
    QString m_pattern;
    QString m_typeName;
};

} // namespace rw
