#include "launcher/LongLivedWindows.h"

#include "launcher/PlaceholderWindow.h"

#include <QDialog>

namespace rw
{

namespace
{
LongLivedWindows* g_instance = nullptr;

std::unique_ptr<QWidget> make(const LongLivedWindows::Factory& factory)
{
    return factory ? factory() : nullptr;
}
} // namespace

LongLivedWindows::Factories LongLivedWindows::placeholderFactories()
{
    Factories f;
    f.statistics = [] {
        return std::make_unique<TPlaceholderWindow>(QStringLiteral("Statistics"));
    };
    f.findDialog = [] { return std::make_unique<QDialog>(); };
    f.dupCompare = [] { return std::make_unique<QDialog>(); };
    return f;
}

LongLivedWindows::Factories& LongLivedWindows::factories()
{
    static Factories f = placeholderFactories();
    return f;
}

LongLivedWindows::LongLivedWindows()
{
    // Published before the others are made, so a window built later in the
    // sequence can already reach the earlier ones.
    g_instance = this;
    m_statistics = make(factories().statistics);
    m_findDialog = make(factories().findDialog);
    m_dupCompare = make(factories().dupCompare);
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
