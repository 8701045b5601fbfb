#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include "framework/WindowHooks.h"

class QPushButton;

namespace rw
{

class TGradientBack;

// The launcher: the program's main window, one button per tool, About, Help
// and Exit. Each tool button opens its window modally (made by
// windowHooks()) and destroys it afterwards; Statistics shows the
// long-lived statistics window. Builds the search-path list when created.
class TfrmMain : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

    // The search-path folders, upper case (the hidden list lb1).
    const QStringList& lb1() const { return m_lb1; }
    // True when `folder`, upper-cased, equals one line of lb1 exactly.
    bool IsOnSearchPath(const QString& folder) const;

    // The folder beside which the home-page shortcut is kept and from which
    // Help looks for roomwise.hlp (beside it, then in ../share/roomwise/, then
    // the XDG data folders; see FindDataFile). Default: the program's folder.
    QString programFolder() const { return m_programFolder; }
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    // The help file named when the launcher was last shown or Help pressed.
    QString helpFile() const { return m_helpFile; }

    void btDuplicateClick();
    void btFileHogClick();
    void btFilesClick();
    void btDirHogsClick();
    void btCleanClick();
    void btStatisticClick();
    void btBrowseClick();
    void btReachClick();
    void btHelpClick();
    void btCloseClick();

signals:
    // The launcher closed: the run ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Folders dropped on the launcher become drives of this run, ticked in
    // every tool window opened afterwards.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPushButton* addToolPanel(int top, const QString& name, const QString& caption,
                              const QString& label);
    QPushButton* addBottomButton(int left, const QString& name, const QString& caption);
    void openDup(bool duplicateMode);
    void openTool(WindowHooks::ToolWindow WindowHooks::*which);

    TGradientBack* m_gradient;
    QStringList m_lb1;
    QString m_programFolder;
    QString m_helpFile;
};

} // namespace rw
