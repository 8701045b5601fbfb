#pragma once

#include <QHash>
#include <QString>

namespace rw
{

// The sort direction flags of every tool window. They belong to the program
// run, not to one opening of a window: a window that is closed and opened
// again finds its flags as it left them. Each flag is keyed by the window's
// name and the sort key's name; its first value is given by the caller when
// the flag is first used.
class SortFlags
{
public:
    // The one registry of the program.
    static SortFlags& instance();

    // True when the next sort by this key runs descending.
    bool descending(const QString& window, const QString& key, bool firstDescending) const;
    void setDescending(const QString& window, const QString& key, bool descending);
    // Inverts the flag.
    void flip(const QString& window, const QString& key, bool firstDescending);
    // The direction to sort with now; the stored flag is inverted for the next
    // sort by the same key.
    bool takeAndFlip(const QString& window, const QString& key, bool firstDescending);

    // Forgets every flag (a new program run; used by tests).
    void reset();

private:
    static QString slot(const QString& window, const QString& key);
    QHash<QString, bool> m_flags;
};

} // namespace rw
