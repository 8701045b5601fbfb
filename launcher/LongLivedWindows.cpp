#include "launcher/LongLivedWindows.h"

#include "framework/WindowHooks.h"

namespace rw
{

namespace
{
LongLivedWindows* g_instance = nullptr;

std::unique_ptr<QWidget> make(const WindowHooks::LongLivedWindow& factory)
{
    return factory ? factory() : nullptr;
}
} // namespace

LongLivedWindows::LongLivedWindows()
{
    // Published before the others are made, so a window built later in the
    // sequence can already reach the earlier ones.
    g_instance = this;
    const WindowHooks& hooks = windowHooks();
    m_statistics = make(hooks.statisticsWindow);
    m_findDialog = make(hooks.findDialog);
    m_dupCompare = make(hooks.dupCompareWindow);
}

LongLivedWindows::~LongLivedWindows()
{
    // Reverse order of creation.
    m_dupCompare.reset();
    m_findDialog.reset();
    m_statistics.reset();
    if (g_instance == this)
        g_instance = nullptr;
}

QWidget* LongLivedWindows::statistics()
{
    return g_instance ? g_instance->m_statistics.get() : nullptr;
}

QWidget* LongLivedWindows::findDialog()
{
    return g_instance ? g_instance->m_findDialog.get() : nullptr;
}

QWidget* LongLivedWindows::dupCompare()
{
    return g_instance ? g_instance->m_dupCompare.get() : nullptr;
}

} // namespace rw
