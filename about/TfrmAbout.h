#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace rw
{

class TAnimated;
class TBevelPanel;
class TGradientBack;

// "How to contact us": the product name and version between two animations,
// the maker's contact lines, an OK button and a button that opens the
// maker's home page. Shown modally by the launcher and destroyed after.
class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* owner = nullptr);

    // Where the home-page shortcut is kept (default: the program's folder).
    void setShortcutFolder(const QString& folder) { m_shortcutFolder = folder; }
    QString shortcutFolder() const { return m_shortcutFolder; }

    TAnimated* animated1() const { return m_animated1; }
    TAnimated* animated2() const { return m_animated2; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btWebClick();
    QLabel* addLine(const QString& name, const QString& text, int top, const QColor& color);

    TGradientBack* m_gradient;
    TBevelPanel* m_panel;
    TAnimated* m_animated1;
    TAnimated* m_animated2;
    QPushButton* m_ok;
    QPushButton* m_web;
    QString m_shortcutFolder;
};

} // namespace rw
