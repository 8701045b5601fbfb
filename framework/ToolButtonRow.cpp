#include "framework/ToolButtonRow.h"

#include <QCoreApplication>
#include <QPushButton>

#include "framework/ResultGridController.h"

namespace rw
{

namespace
{

struct StandardButton {
    const char* caption;
    const char* name;
    const char* hint;
};

// Indexed by ToolButtonRow::Role.
constexpr StandardButton kStandard[] = {
    {QT_TRANSLATE_NOOP("ToolButtonRow", "&Start"), "btScan", ""},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "Close"), "btClose",
     QT_TRANSLATE_NOOP("ToolButtonRow", "Close window")},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "&Abort"), "btAbort",
     QT_TRANSLATE_NOOP("ToolButtonRow", "Abort scan")},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "&Mark"), "btMark",
     QT_TRANSLATE_NOOP("ToolButtonRow",
                       "Mark file for deletion (double click on grid also works)")},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "Delete"), "btDelete",
     QT_TRANSLATE_NOOP("ToolButtonRow", "Delete marked files")},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "&Print"), "btPrint",
     QT_TRANSLATE_NOOP("ToolButtonRow", "Print list of files")},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "C&lipboard"), "btClip",
     QT_TRANSLATE_NOOP("ToolButtonRow", "Copy list of files to clipboard")},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "&Browse"), "btBrowse",
     QT_TRANSLATE_NOOP("ToolButtonRow", "Browse this file and folder")},
    {QT_TRANSLATE_NOOP("ToolButtonRow", "&Details"), "btDetails",
     QT_TRANSLATE_NOOP("ToolButtonRow", "View more file details")},
};

} // namespace

QPushButton* makeToolButton(QWidget* parent, const QString& caption, const QString& name,
                            const QString& hint)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

ToolButtonRow::ToolButtonRow(QWidget* parent) : m_parent(parent) {}

QPushButton* ToolButtonRow::add(Role role)
{
    const StandardButton& s = kStandard[role];
    QPushButton* b =
        add(QCoreApplication::translate("ToolButtonRow", s.caption), QString::fromLatin1(s.name),
            QCoreApplication::translate("ToolButtonRow", s.hint));
    m_byRole[role] = b;
    if (role == Start)
        b->setDefault(true);
    return b;
}

QPushButton* ToolButtonRow::add(const QString& caption, const QString& name, const QString& hint)
{
    QPushButton* b = makeToolButton(m_parent, caption, name, hint);
    m_placed.append(b);
    return b;
}

QPushButton* ToolButtonRow::addSharing(Role role, QPushButton* host)
{
    const StandardButton& s = kStandard[role];
    QPushButton* b = makeToolButton(
        m_parent, QCoreApplication::translate("ToolButtonRow", s.caption),
        QString::fromLatin1(s.name), QCoreApplication::translate("ToolButtonRow", s.hint));
    m_byRole[role] = b;
    m_sharing.append(qMakePair(b, host));
    return b;
}

QPushButton* ToolButtonRow::button(Role role) const
{
    return m_byRole[role];
}

void ToolButtonRow::layout(int left, int top, int width, int height, int gap)
{
    for (QPushButton* b : m_placed) {
        b->setGeometry(left, top, width, height);
        left += width + gap;
    }
    for (const auto& [b, host] : m_sharing) {
        b->setGeometry(host->geometry());
        b->raise();
    }
}

int ToolButtonRow::right() const
{
    return m_placed.isEmpty() ? 0 : m_placed.last()->geometry().right() + 1;
}

void ToolButtonRow::connectToGrid(QObject* context,
                                  std::function<ResultGridController*()> grid) const
{
    using Slot = void (ResultGridController::*)();
    const QPair<Role, Slot> wiring[] = {
        {Mark, &ResultGridController::DeleteAllFiles},
        {Print, &ResultGridController::btPrintClick},
        {Clip, &ResultGridController::btClipClick},
        {Details, &ResultGridController::Details1Click},
    };
    for (const auto& [role, slot] : wiring) {
        if (QPushButton* b = m_byRole[role])
            QObject::connect(b, &QPushButton::clicked, context,
                             [grid, slot = slot] { (grid()->*slot)(); });
    }
}

} // namespace rw
