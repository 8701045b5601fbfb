#include "app/ProgramTranslations.h"

#include "base/DataFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace rw
{

namespace
{
// The source texts are English: an English or C locale needs no translator.
bool isSourceLanguage(const QString& name)
{
    return name == u"C" || name == u"POSIX" || name == u"en" || name.startsWith(u"en_");
}
} // namespace

QStringList TranslationLanguages(const QStringList& uiLanguages)
{
    QStringList names;
    for (QString name : uiLanguages) {
        name.replace(u'-', u'_');
        // "de_DE.UTF-8" and "de_DE@euro" name the language de_DE.
        name = name.section(u'.', 0, 0).section(u'@', 0, 0);
        if (name.isEmpty())
            continue;
        if (isSourceLanguage(name))
            break;
        if (!names.contains(name))
            names << name;
        const QString language = name.section(u'_', 0, 0);
        if (!names.contains(language))
            names << language;
    }
    return names;
}

QString InstallProgramTranslations(const QString& programFolder, const QStringList& uiLanguages)
{
    QCoreApplication* app = QCoreApplication::instance();
    for (const QString& language : TranslationLanguages(uiLanguages)) {
        const QString name = QStringLiteral("%1/%2_%3.qm")
                                 .arg(QLatin1String(kTranslationsSubfolder),
                                      QLatin1String(kTranslationBaseName), language);
        const QString file = FindDataFile(programFolder, name);
        if (!QFileInfo(file).isFile())
            continue;
        auto* ours = new QTranslator(app);
        if (!ours->load(file)) {
            delete ours;
            continue;
        }
        QCoreApplication::installTranslator(ours);
        // Qt's own texts (the buttons of its dialogs) in the same language,
        // where Qt has them.
        auto* qt = new QTranslator(app);
        if (qt->load(QStringLiteral("qtbase_") + language,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        return language;
    }
    return {};
}

} // namespace rw
