#include "framework/core/SortFlags.h"

namespace rw
{

SortFlags& SortFlags::instance()
{
    static SortFlags flags;
    return flags;
}

QString SortFlags::slot(const QString& window, const QString& key)
{
    return window + QLatin1Char('\n') + key;
}

bool SortFlags::descending(const QString& window, const QString& key, bool firstDescending) const
{
    return m_flags.value(slot(window, key), firstDescending);
}

void SortFlags::setDescending(const QString& window, const QString& key, bool descending)
{
    m_flags.insert(slot(window, key), descending);
}

void SortFlags::flip(const QString& window, const QString& key, bool firstDescending)
{
    setDescending(window, key, !descending(window, key, firstDescending));
}

bool SortFlags::takeAndFlip(const QString& window, const QString& key, bool firstDescending)
{
    const bool now = descending(window, key, firstDescending);
    setDescending(window, key, !now);
    return now;
}

void SortFlags::reset()
{
    m_flags.clear();
}

} // namespace rw
