#include "framework/DriveCheckList.h"

#include "controls/CheckListBox.h"
#include "platform/Drives.h"

#include <QComboBox>

namespace rw
{

QStringList DriveEntryTexts()
{
    QStringList out;
    for (const DriveInfo& d : driveList())
        out << d.entryText();
    return out;
}

QString CurrentDriveEntryText()
{
    const DriveInfo d = currentDrive();
    return d.letter.isNull() ? QString() : d.entryText();
}

void FillDriveCombo(QComboBox* driveCombo)
{
    driveCombo->clear();
    driveCombo->addItems(DriveEntryTexts());
    const int at = driveCombo->findText(CurrentDriveEntryText());
    if (at >= 0)
        driveCombo->setCurrentIndex(at);
}

void FillDriveCheckList(CheckListBox* list, QComboBox* driveCombo)
{
    QStringList entries;
    for (int i = 0; i < driveCombo->count(); ++i)
        entries << driveCombo->itemText(i);
    FillDriveCheckList(list, entries, driveCombo->currentText());
}

void FillDriveCheckList(CheckListBox* list, const QStringList& entries, const QString& current)
{
    list->setLines(entries);
    if (!current.isEmpty())
        list->checkLine(current);
}

} // namespace rw
