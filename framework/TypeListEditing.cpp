#include "framework/TypeListEditing.h"

#include "base/ProgramMessages.h"
#include "controls/PickList.h"
#include "framework/TfrmSelectExtension.h"

#include <QCoreApplication>

namespace rw
{

int AddTypeLinesOnce(PickList* list, const QStringList& lines)
{
    int added = 0;
    for (const QString& line : lines) {
        if (!list->containsLine(line, Qt::CaseInsensitive)) {
            list->addLine(line);
            ++added;
        }
    }
    return added;
}

int AddTypesFromPicker(PickList* list, QWidget* parent)
{
    TfrmSelectExtension picker(parent);
    if (picker.exec() != QDialog::Accepted)
        return 0;
    if (picker.multiSelected())
        return AddTypeLinesOnce(list, picker.selectedLines());
    if (picker.pattern().isEmpty() || picker.pattern() == QLatin1String("*.*"))
        return 0;
    return AddTypeLinesOnce(list, {picker.pattern() + QLatin1Char('\t') + picker.typeName()});
}

int DeleteSelectedTypes(PickList* list)
{
    const int selected = list->selectedCount();
    if (selected > 1 && AskYesNoCancel(QCoreApplication::translate("TypeListEditing",
                                                                   "Really delete %1 extensions?")
                                           .arg(selected)) != MessageAnswer::Yes)
        return 0;
    return list->removeSelected();
}

bool ClearAllTypes(PickList* list)
{
    if (AskYesNoCancel(QCoreApplication::translate(
            "TypeListEditing", "Really clear out all extensions?")) != MessageAnswer::Yes)
        return false;
    list->clear();
    return true;
}

} // namespace rw
