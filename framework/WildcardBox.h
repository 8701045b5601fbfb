#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLabel;

namespace rw
{

// The text beside a pattern box: "All files" for "*.*", else the description
// of the pattern's extension (the pattern without its first character).
QString WildcardLabelText(const QString& pattern);

// Keeps the labels beside a wildcard pattern box up to date with every edit
// or pick in the box. One helper serves every pattern box of the program:
//  - `label` only: it reads WildcardLabelText() of the text (tool windows);
//  - `label` and `typeLabel`: `label` reads "All files" for "*.*" and is
//    empty otherwise, `typeLabel` the description of the text without its
//    first character (the wildcard dialog);
//  - `typeLabel` only: the description of the text without its first
//    character (the extension picker).
// The helper is a child of the combo box and goes with it.
class WildcardBox : public QObject
{
    Q_OBJECT
public:
    WildcardBox(QComboBox* combo, QLabel* label, QLabel* typeLabel = nullptr);

    // Makes a pattern box editable without completion: what the user types
    // is taken as typed.
    static void makeEditable(QComboBox* combo);
    // The usual set-up of a tool window's pattern box: editable, list filled
    // with "*.*" first, text "*.*", label following the text.
    static WildcardBox* setUp(QComboBox* combo, QLabel* label);

    // Replaces the box's list with FillWildcardList(withAllFiles); the edit
    // text stays as it was.
    void fill(bool withAllFiles);
    void updateLabels();

    QComboBox* combo() const { return m_combo; }

private:
    QComboBox* m_combo;
    QPointer<QLabel> m_label;
    QPointer<QLabel> m_typeLabel;
};

} // namespace rw
