#include "launcher/ToolWindowFactories.h"

#include "launcher/PlaceholderWindow.h"

namespace rw
{

namespace
{
ToolWindowFactories::Factory placeholder(const QString& caption)
{
    return [caption](QWidget* owner) -> std::unique_ptr<QDialog> {
        return std::make_unique<TPlaceholderWindow>(caption, owner);
    };
}
} // namespace

ToolWindowFactories placeholderToolWindowFactories()
{
    ToolWindowFactories f;
    f.dup = [](QWidget* owner, bool duplicateMode) -> std::unique_ptr<QDialog> {
        return std::make_unique<TPlaceholderWindow>(
            duplicateMode ? QStringLiteral("Find and delete duplicate files")
                          : QStringLiteral("Find and delete file hogs"),
            owner);
    };
    f.mods = placeholder(QStringLiteral("Files in a range of dates"));
    f.dirhog = placeholder(QStringLiteral("Folder Hogs"));
    f.clean = placeholder(QStringLiteral("Find and delete temporary files"));
    f.browse = placeholder(QStringLiteral("Browse through folders"));
    return f;
}

ToolWindowFactories& toolWindowFactories()
{
    static ToolWindowFactories factories = placeholderToolWindowFactories();
    return factories;
}

} // namespace rw
