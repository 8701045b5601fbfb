#pragma once

#include <QString>
#include <QStringList>

namespace rw
{

// The base name of our translation files: roomwise_<language>.qm.
inline constexpr const char* kTranslationBaseName = "roomwise";
// Where they lie under the data folders (and beside the built program).
inline constexpr const char* kTranslationsSubfolder = "translations";

// The language names to try for the given user-interface languages (as
// QLocale::uiLanguages() gives them, "de-DE" or "de_DE"), most wanted first:
// each full name, then its language alone ("de_DE", "de"). The list stops at
// the first English or C entry, since English is the source text and needs
// no translation; it is empty when English comes first.
QStringList TranslationLanguages(const QStringList& uiLanguages);

// Loads and installs, for the first of `uiLanguages` that has one,
// roomwise_<language>.qm (found as FindDataFile finds data: beside the
// program in `programFolder`/translations, in ../share/roomwise/translations,
// in the XDG data folders) and Qt's own qtbase_<language>.qm from Qt's
// translations folder. The translators are children of the application, so
// they live as long as it. Returns the language of the program's translation
// that was installed, or an empty string when none was (English, or no file).
QString InstallProgramTranslations(const QString& programFolder, const QStringList& uiLanguages);

} // namespace rw
