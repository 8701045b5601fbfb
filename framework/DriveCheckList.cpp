#include "framework/DriveCheckList.h"

#include "controls/CheckListBox.h"
#include "platform/Drives.h"
#include "platform/RunDrives.h"

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
    // The folders the user pointed the program at this run are what he
    // means to look at: they are ticked instead of the current drive.
    bool any = false;
    for (const RunDrives::Entry& e : RunDrives::entries()) {
        for (int i = 0; i < entries.size(); ++i) {
            if (!entries[i].isEmpty() && entries[i].at(0).toUpper() == e.letter) {
                list->setChecked(i, true);
                any = true;
            }
        }
    }
    if (!any && !current.isEmpty())
        list->checkLine(current);
}

} // namespace rw
