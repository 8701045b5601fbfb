#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace rw
{

class CheckListBox;

// The entry texts of the platform's drives ("c: [/]", ...), in letter order.
QStringList DriveEntryTexts();
// The entry text of the current drive; empty when no drive holds the current
// working folder.
QString CurrentDriveEntryText();

// Fills a drive combo box with DriveEntryTexts() and selects the current drive.
void FillDriveCombo(QComboBox* driveCombo);

// Replaces the check list's lines with the combo box's drive entries and ticks
// the line equal to the combo box's current text (the current drive); every
// other line stays unticked. When folders were added this run (RunDrives),
// their drives are ticked instead of the current one.
void FillDriveCheckList(CheckListBox* list, QComboBox* driveCombo);

// The same from a list of entries and the entry to tick (none when `current`
// is not among them), or the folders added this run.
void FillDriveCheckList(CheckListBox* list, const QStringList& entries, const QString& current);

} // namespace rw
