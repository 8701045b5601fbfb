// The translations. The German .ts file holds every text of the sources,
// each translated, with the source's %n arguments and its one & accelerator;
// the program (a probe started as a child under a chosen locale) shows German
// under a German locale and exactly the English texts under an English or the
// C locale, or when no translation file is found.
#include <gtest/gtest.h>

#include "app/ProgramTranslations.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace
{

// ------------------------------------------------------------ the .ts file

struct Message {
    QString context;
    QString source;
    QStringList translations; // one, or one per plural form
    QString type;             // the translation's type attribute ("unfinished", ...)
};

// The texts of the element the reader stands on: its text, or the text of
// each <numerusform> in it (a translation with plural forms). A
// <byte value="xd"/> is the character it names, as lupdate writes a
// carriage return.
QStringList elementTexts(QXmlStreamReader& xml)
{
    const QString element = xml.name().toString();
    QStringList forms;
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == u"byte") {
            text += QChar(
                xml.attributes().value(QStringLiteral("value")).toString().toUInt(nullptr, 16));
        } else if (xml.isStartElement() && xml.name() == u"numerusform") {
            text.clear();
        } else if (xml.isEndElement() && xml.name() == u"numerusform") {
            forms << text;
            text.clear();
        } else if (xml.isEndElement() && xml.name() == element) {
            break;
        }
    }
    if (forms.isEmpty())
        forms << text;
    return forms;
}

QString elementText(QXmlStreamReader& xml)
{
    return elementTexts(xml).join(u'|');
}

QList<Message> readTs(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = elementText(xml);
        } else if (xml.name() == u"message") {
            messages.append({context, {}, {}, {}});
        } else if (xml.name() == u"source" && !messages.isEmpty()) {
            messages.last().source = elementText(xml);
        } else if (xml.name() == u"translation" && !messages.isEmpty()) {
            messages.last().type = xml.attributes().value(QStringLiteral("type")).toString();
            messages.last().translations = elementTexts(xml);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

// The %1..%99 arguments a text uses, each once.
QList<int> arguments(const QString& text)
{
    static const QRegularExpression argument(QStringLiteral("%(\\d+)"));
    QSet<int> numbers;
    for (const QRegularExpressionMatch& m : argument.globalMatch(text))
        numbers.insert(m.captured(1).toInt());
    QList<int> sorted(numbers.begin(), numbers.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

// How many accelerators a text marks: an & before a character other than a
// blank; "&&" is a literal ampersand.
int accelerators(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        if (!text.at(i + 1).isSpace())
            ++count;
    }
    return count;
}

QString describe(const Message& m)
{
    return m.context + QStringLiteral(": \"") + m.source + QStringLiteral("\" -> \"") +
           m.translations.join(QStringLiteral("\" | \"")) + u'"';
}

TEST(GermanTsFile, EveryMessageIsTranslatedKeepingArgumentsAndAccelerators)
{
    QString error;
    const QList<Message> messages = readTs(QStringLiteral(RW_TS_FILE), &error);
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
    ASSERT_GT(messages.size(), 100);
    for (const Message& m : messages) {
        SCOPED_TRACE(qPrintable(describe(m)));
        EXPECT_TRUE(m.type.isEmpty()) << "translation type " << qPrintable(m.type);
        // %n is the count of a text with plural forms; every form keeps it.
        const bool plural = m.source.contains(QStringLiteral("%n"));
        // German has a singular and a plural.
        EXPECT_EQ(m.translations.size(), plural ? 2 : 1);
        for (const QString& form : m.translations) {
            EXPECT_FALSE(form.trimmed().isEmpty());
            EXPECT_EQ(arguments(form), arguments(m.source));
            EXPECT_EQ(form.contains(QStringLiteral("%n")), plural);
            EXPECT_EQ(accelerators(form), accelerators(m.source));
        }
    }
}

// The checks themselves catch what they are for.
TEST(GermanTsFile, ArgumentAndAcceleratorChecksCatchLosses)
{
    EXPECT_EQ(arguments(QStringLiteral("%1 of %2, %1")), (QList<int>{1, 2}));
    EXPECT_NE(arguments(QStringLiteral("%1 Dateien")), arguments(QStringLiteral("%1 of %2 files")));
    EXPECT_EQ(accelerators(QStringLiteral("&Datei")), 1);
    EXPECT_EQ(accelerators(QStringLiteral("&Drucken && &Speichern")), 2);
    EXPECT_EQ(accelerators(QStringLiteral("Tom && Jerry & Co")), 0);
}

// lupdate run over the sources now finds no text the .ts file lacks: a text
// added or changed since the file was last brought up to date fails here.
TEST(GermanTsFile, HoldsEveryTextOfTheSources)
{
    const QString out = rwtest::testRoot() + QStringLiteral("/fresh.ts");
    QStringList args = {QStringLiteral("-silent"),    QStringLiteral("-locations"),
                        QStringLiteral("none"),       QStringLiteral("-extensions"),
                        QStringLiteral("cpp,h"),      QStringLiteral("-I"),
                        QStringLiteral(RW_SOURCE_DIR)};
    for (const char* dir : {"platform", "base", "framework", "controls", "app", "about", "viewer",
                            "browser", "tools", "history", "launcher"})
        args << QStringLiteral(RW_SOURCE_DIR "/") + QLatin1String(dir);
    args << QStringLiteral("-ts") << out;
    QProcess lupdate;
    lupdate.start(QStringLiteral(RW_LUPDATE), args);
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().constData();

    QString error;
    const QList<Message> fresh = readTs(out, &error);
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
    const QList<Message> ours = readTs(QStringLiteral(RW_TS_FILE), &error);
    ASSERT_TRUE(error.isEmpty()) << qPrintable(error);
    QSet<QString> known;
    for (const Message& m : ours)
        known.insert(m.context + u'\x1f' + m.source);
    ASSERT_GT(fresh.size(), 100);
    for (const Message& m : fresh)
        EXPECT_TRUE(known.contains(m.context + u'\x1f' + m.source))
            << "not in roomwise_de.ts (build roomwise_lupdate and translate it): "
            << qPrintable(m.context) << ": " << qPrintable(m.source);
}

// ------------------------------------------------------- language choice

TEST(TranslationLanguages, FullNameThenLanguageUpToTheFirstEnglishEntry)
{
    const struct {
        QStringList uiLanguages;
        QStringList expected;
    } cases[] = {
        {{"de-DE"}, {"de_DE", "de"}},
        {{"de_DE.UTF-8"}, {"de_DE", "de"}},
        {{"de_AT@euro", "de"}, {"de_AT", "de"}},
        {{"fr", "de-DE"}, {"fr", "de_DE", "de"}},
        {{"de-CH", "en-US", "fr"}, {"de_CH", "de"}},
        {{"en-US", "de"}, {}},
        {{"en"}, {}},
        {{"C"}, {}},
        {{}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rw::TranslationLanguages(c.uiLanguages), c.expected)
            << qPrintable(c.uiLanguages.join(u','));
}

// The test programs run under English whatever the machine's locale is, so
// every text they check is the English source text.
TEST(TestLocale, TestProgramsRunUnderEnglish)
{
    EXPECT_EQ(qgetenv("LC_ALL"), "en_US.UTF-8");
    EXPECT_EQ(qgetenv("LANG"), "en_US.UTF-8");
    EXPECT_EQ(qgetenv("LANGUAGE"), "en_US");
    const QStringList ui = QLocale::system().uiLanguages();
    ASSERT_FALSE(ui.isEmpty());
    EXPECT_TRUE(ui.first().startsWith(QStringLiteral("en"))) << qPrintable(ui.join(u','));
    EXPECT_TRUE(rw::TranslationLanguages(ui).isEmpty());
}

// ------------------------------------------------- the program's texts

// Runs the probe for `programFolder` with the locale variables given (an
// empty value removes the variable) and returns its lines as key -> text.
QMap<QString, QString> probe(const QString& programFolder,
                             const QList<std::pair<const char*, const char*>>& locale)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : locale) {
        if (*value)
            env.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        else
            env.remove(QString::fromLatin1(name));
    }
    // Only the folder given, never a translation installed on the machine.
    const QString noData = rwtest::testRoot() + QStringLiteral("/no-data");
    QDir().mkpath(noData);
    env.insert(QStringLiteral("XDG_DATA_DIRS"), noData);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(RW_PROBE), {programFolder});
    QMap<QString, QString> lines;
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "probe failed: " << p.readAllStandardError().constData();
        return lines;
    }
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab > 0)
            lines.insert(line.left(tab), line.mid(tab + 1));
    }
    return lines;
}

const QList<std::pair<const char*, const char*>> kGerman = {
    {"LC_ALL", "de_DE.UTF-8"}, {"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "de_DE.UTF-8"}};
const QList<std::pair<const char*, const char*>> kEnglish = {
    {"LC_ALL", "en_US.UTF-8"}, {"LANG", "en_US.UTF-8"}, {"LANGUAGE", "en_US"}};
const QList<std::pair<const char*, const char*>> kC = {
    {"LC_ALL", "C"}, {"LANG", "C"}, {"LANGUAGE", ""}};

// The launcher as an English user reads it; nothing else may show then.
const QMap<QString, QString> kEnglishTexts = {
    {"language", ""},
    {"title", "Roomwise '95 Version 2.7"},
    {"btDuplicate", "&Duplicate files"},
    {"lblDuplicate", "Locate and view duplicate files"},
    {"btFileHog", "&File hogs"},
    {"btFiles", "Files &accessed"},
    {"btDirHogs", "Folder &hogs"},
    {"btClean", "&Quick clean"},
    {"btStatistic", "&Statistics"},
    {"btBrowse", "&Browse"},
    {"lblBrowse", "Browse through files and folders"},
    {"btReach", "Ab&out"},
    {"btHelp", "H&elp"},
    {"btClose", "E&xit"},
    {"dup.btScan", "&Start"},
    {"dup.btClip", "C&lipboard"},
    {"dup.btCompare", "P&airs"},
    {"viewMenus", "&File|&Clipboard|&Search|&Options"},
    {"qtCancel", "Cancel"},
    {"relativeToday", "Today"},
    {"folderSummary", "Deleted 3 files for a savings of 4,096 bytes."},
};

void expectTexts(const QMap<QString, QString>& shown, const QMap<QString, QString>& expected)
{
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(shown.value(it.key(), QStringLiteral("<missing>")), it.value())
            << qPrintable(it.key());
}

TEST(ProgramTranslations, GermanLocaleShowsGermanFromBesideTheBuiltProgram)
{
    const QMap<QString, QString> shown = probe(QStringLiteral(RW_PROGRAM_DIR), kGerman);
    expectTexts(shown, {
                           {"language", "de"},
                           {"title", "Roomwise '95 Version 2.7"},
                           {"btDuplicate", "&Doppelte Dateien"},
                           {"lblDuplicate", "Doppelte Dateien finden und anzeigen"},
                           {"btFileHog", "&Große Dateien"},
                           {"btBrowse", "Du&rchsuchen"},
                           {"btReach", "&Info"},
                           {"btHelp", "&Hilfe"},
                           {"btClose", "&Beenden"},
                           {"dup.btScan", "&Starten"},
                           {"dup.btClip", "&Kopieren"},
                           {"dup.btCompare", "P&aare"},
                           {"viewMenus", "&Datei|&Zwischenablage|&Suchen|&Optionen"},
                           {"qtCancel", "Abbrechen"},
                           {"relativeToday", "Heute"},
                           {"folderSummary", "3 Dateien gelöscht, 4.096 Byte eingespart."},
                       });
}

// Every button of the launcher has a German text of its own, each with one
// accelerator, no two alike.
TEST(ProgramTranslations, GermanLauncherAcceleratorsAreDistinct)
{
    const QMap<QString, QString> shown = probe(QStringLiteral(RW_PROGRAM_DIR), kGerman);
    QSet<QChar> letters;
    int buttons = 0;
    for (auto it = shown.begin(); it != shown.end(); ++it) {
        if (!it.key().startsWith(QStringLiteral("bt")))
            continue;
        ++buttons;
        EXPECT_NE(it.value(), kEnglishTexts.value(it.key())) << qPrintable(it.key());
        const qsizetype amp = it.value().indexOf(u'&');
        ASSERT_GE(amp, 0) << qPrintable(it.value());
        const QChar letter = it.value().at(amp + 1).toLower();
        EXPECT_FALSE(letters.contains(letter)) << qPrintable(it.value());
        letters.insert(letter);
    }
    EXPECT_EQ(buttons, 10);
}

TEST(ProgramTranslations, EnglishLocaleShowsTheSourceTexts)
{
    expectTexts(probe(QStringLiteral(RW_PROGRAM_DIR), kEnglish), kEnglishTexts);
}

TEST(ProgramTranslations, CLocaleShowsTheSourceTexts)
{
    expectTexts(probe(QStringLiteral(RW_PROGRAM_DIR), kC), kEnglishTexts);
}

// A German user whose program has no translation file beside it (nor in a
// data folder) gets the English program, not an empty one.
TEST(ProgramTranslations, MissingTranslationFileLeavesEnglish)
{
    const QString bare = rwtest::testRoot() + QStringLiteral("/bare/bin");
    ASSERT_TRUE(QDir().mkpath(bare));
    QMap<QString, QString> expected = kEnglishTexts;
    // Qt's own texts follow the locale through Qt's translations only when
    // ours load; the number format follows the locale regardless.
    expected.remove(QStringLiteral("folderSummary"));
    expectTexts(probe(bare, kGerman), expected);
}

} // namespace
