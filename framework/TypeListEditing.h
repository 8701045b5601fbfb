#pragma once

#include <QStringList>

class QWidget;

namespace rw
{

class PickList;

// The editing steps shared by the windows that keep a list of file types
// (type list lines: pattern, tab, description). Lines are compared without
// regard to case, so a type is never listed twice.

// Adds each of `lines` that the list does not hold yet; returns how many.
int AddTypeLinesOnce(PickList* list, const QStringList& lines);

// Opens the extension picker modally over `parent`. On OK it adds the one new
// pattern with its description (when there is one and it is not "*.*"), or
// every line selected in the picker; lines already listed are skipped.
// Returns the number of lines added.
int AddTypesFromPicker(PickList* list, QWidget* parent);

// Removes the selected lines. More than one is removed only after the
// question "Really delete N extensions?" is answered Yes. Returns how many
// lines went.
int DeleteSelectedTypes(PickList* list);

// Empties the list after "Really clear out all extensions?" is answered Yes;
// true when it did.
bool ClearAllTypes(PickList* list);

} // namespace rw
