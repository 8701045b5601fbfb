#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "tests/report/ReportProgram.h"
#include "tests/support/FixtureBuilder.h"

using rwtest::ProgramRun;
using rwtest::report;

namespace
{

// Sizes whose texts sort unlike their numbers ("999,985" after "1,048,568"
// as text, "40" after "300,000"), in folders of different totals, with a
// name holding a tab.
struct SizeTree {
    rwtest::FixtureBuilder fb;
    QString root = fb.folder("t");
    SizeTree()
    {
        fb.sparseFile("t/small/forty.dat", 40);
        fb.sparseFile("t/small/three.dat", 300'000);
        fb.sparseFile("t/mid/nine.dat", 999'985);
        fb.sparseFile("t/big/mega.dat", 1'048'568);
        fb.sparseFile("t/big/tab\there.dat", 2'000'000);
        fb.sparseFile("t/big/more/deep.dat", 5'000'000);
        fb.sparseFile("t/cache/skip.dat", 9'000'000);
        const QDateTime old(QDate(2020, 5, 1), QTime(8, 0));
        fb.setTimes("t/small/forty.dat", old, old);
        fb.setTimes("t/big/mega.dat", old.addYears(2), old);
    }
};

QList<QByteArray> records(const QByteArray& out)
{
    QList<QByteArray> lines = out.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QList<qint64> firstFields(const QByteArray& out)
{
    QList<qint64> sizes;
    for (const QByteArray& line : records(out))
        sizes << line.split('\t').value(0).toLongLong();
    return sizes;
}

QStringList lastFieldsBelow(const QByteArray& out, const QString& root)
{
    QStringList paths;
    for (const QByteArray& line : records(out))
        paths << QString::fromUtf8(line.split('\t').last()).mid(root.size() + 1);
    return paths;
}

} // namespace

// Largest first by number, not by text; --sort takes each key's natural
// direction and --reverse flips it; the TSV carries raw numbers whatever the
// locale, so a script's sum is the true sum.
TEST(ReportScripting, OrderAndRawNumbers)
{
    SizeTree t;
    const QStringList german{"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"};
    const ProgramRun hogs = report({"hogs", t.root}, "/usr/bin", german);
    ASSERT_EQ(hogs.status, 0) << hogs.err.constData();
    const QList<qint64> sizes = firstFields(hogs.out);
    EXPECT_EQ(sizes,
              (QList<qint64>{9'000'000, 5'000'000, 2'000'000, 1'048'568, 999'985, 300'000, 40}));
    qint64 sum = 0;
    for (qint64 s : sizes)
        sum += s;
    EXPECT_EQ(sum, 18'348'593);
    for (const QByteArray& line : records(hogs.out)) {
        const QList<QByteArray> f = line.split('\t');
        ASSERT_EQ(f.size(), 3) << line.constData() << " (a tab in a name shows as \\t)";
        EXPECT_TRUE(QDateTime::fromString(QString::fromLatin1(f[1]), Qt::ISODate).isValid())
            << f[1].constData();
        EXPECT_TRUE(f[2].startsWith(QFile::encodeName(t.root) + '/'));
    }
    EXPECT_TRUE(hogs.out.contains("tab\\there.dat"));

    EXPECT_EQ(firstFields(report({"hogs", t.root, "--sort", "size"}).out), sizes);
    QList<qint64> ascending(sizes.rbegin(), sizes.rend());
    EXPECT_EQ(firstFields(report({"hogs", t.root, "--sort", "size", "--reverse"}).out), ascending);
    EXPECT_EQ(firstFields(report({"hogs", t.root, "--reverse"}).out), ascending);
    const QStringList byDate =
        lastFieldsBelow(report({"hogs", t.root, "--sort", "date"}).out, t.root);
    EXPECT_EQ(byDate.mid(byDate.size() - 2), (QStringList{"big/mega.dat", "small/forty.dat"}))
        << "newest first: the two old files last";
    const QStringList byName =
        lastFieldsBelow(report({"hogs", t.root, "--sort", "name"}).out, t.root);
    EXPECT_EQ(byName,
              (QStringList{"big/more/deep.dat", "small/forty.dat", "big/mega.dat", "mid/nine.dat",
                           "cache/skip.dat", "big/tab\\there.dat", "small/three.dat"}));

    // Folder hogs: largest first; every folder with --all.
    const ProgramRun dirs = report({"dirhogs", t.root});
    EXPECT_EQ(lastFieldsBelow(dirs.out, t.root), (QStringList{"cache", "big", "mid", "small"}));
    EXPECT_EQ(firstFields(dirs.out).first(), 9'000'000);

    // Duplicates by size: groups of equal sizes, the largest group first.
    t.fb.sparseFile("t/mid/copy-of-forty.dat", 40);
    t.fb.sparseFile("t/small/copy-of-mega.dat", 1'048'568);
    const ProgramRun dups = report({"dups", t.root, "--by", "size"});
    const QList<QByteArray> lines = records(dups.out);
    ASSERT_EQ(lines.size(), 4) << dups.out.constData();
    EXPECT_TRUE(lines[0].startsWith("1\t1048568\t")) << lines[0].constData();
    EXPECT_TRUE(lines[2].startsWith("2\t40\t")) << lines[2].constData();
}

// Suffixes are powers of 1024; excluded folders are not entered; --between
// for dates takes its bounds in either order and says when they were
// swapped; disk usage counts allocated blocks (a sparse file takes none).
TEST(ReportScripting, FlagsPeersHave)
{
    SizeTree t;
    EXPECT_EQ(firstFields(report({"hogs", t.root, "--larger", "2M"}).out),
              (QList<qint64>{9'000'000, 5'000'000}));
    EXPECT_EQ(firstFields(report({"hogs", t.root, "--between", "976K", "1m"}).out),
              (QList<qint64>{1'048'568, 999'985}));
    EXPECT_EQ(report({"hogs", t.root, "--larger", "3X"}).status, 2);

    const ProgramRun excluded = report(
        {"hogs", t.root, "--exclude", "cache", "--exclude", "big/more", "--exclude", "*ee.dat"});
    EXPECT_EQ(firstFields(excluded.out), (QList<qint64>{2'000'000, 1'048'568, 999'985, 40}));
    t.fb.fileWithContent("patterns", "# what not to list\ncache\n\n*.dat\r\n");
    EXPECT_TRUE(report({"hogs", t.root, "--exclude-from", t.fb.path("patterns")}).out.isEmpty());
    EXPECT_EQ(report({"hogs", t.root, "--exclude-from", t.fb.path("none")}).status, 2);

    const ProgramRun range =
        report({"dates", t.root, "--what", "modified", "--between", "2020-12-31", "2020-01-01"});
    EXPECT_EQ(range.status, 0) << range.err.constData();
    EXPECT_EQ(lastFieldsBelow(range.out, t.root), QStringList{"small/forty.dat"});
    EXPECT_TRUE(range.err.contains("2020-01-01 to 2020-12-31")) << range.err.constData();
    const ProgramRun inOrder =
        report({"dates", t.root, "--what", "modified", "--between", "2020-05-01", "2020-05-01"});
    EXPECT_EQ(lastFieldsBelow(inOrder.out, t.root), QStringList{"small/forty.dat"})
        << "both bounds included";
    EXPECT_TRUE(inOrder.err.isEmpty());

    t.fb.fileWithContent("t/real/written.bin", QByteArray(10000, 'w'));
    const ProgramRun usage = report({"hogs", t.root, "--disk-usage", "--larger", "1"});
    EXPECT_EQ(lastFieldsBelow(usage.out, t.root), QStringList{"real/written.bin"})
        << "sparse files take no blocks";
    EXPECT_GE(firstFields(usage.out).value(0), 10000);
    EXPECT_EQ(firstFields(report({"hogs", t.root, "--threads", "0"}).out).size(), 8);
    EXPECT_EQ(report({"hogs", t.root, "--threads", "x"}).status, 2);
}

// An unreadable folder is named with the system's reason and the run still
// lists the rest (exit 1); no readable PATH is exit 2; one prefix for every
// message.
TEST(ReportScripting, WhatCannotBeReadIsNamed)
{
    SizeTree t;
    t.fb.setMode("t/mid", 0000);
    const ProgramRun r = report({"hogs", t.root}, "/usr/bin", {}, true);
    t.fb.setMode("t/mid", 0755);
    EXPECT_EQ(r.status, 1) << r.err.constData();
    EXPECT_EQ(firstFields(r.out).size(), 6) << "everything but mid/nine.dat";
    EXPECT_TRUE(r.err.contains(QByteArray("roomwise-report: cannot read '") +
                               QFile::encodeName(t.root) + "/mid': Permission denied"))
        << r.err.constData();
    for (const QByteArray& line : r.err.split('\n'))
        EXPECT_TRUE(line.isEmpty() || line.startsWith("roomwise-report: ")) << line.constData();

    const ProgramRun none = report({"hogs", t.root + "/missing"});
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.err.contains("No such file or directory")) << none.err.constData();
    const ProgramRun partly = report({"hogs", t.root + "/missing", t.root + "/mid"});
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(firstFields(partly.out), QList<qint64>{999'985});
}

// The JSON is written as it goes and stays one valid, typed document,
// groups for duplicates included.
TEST(ReportScripting, StreamedJsonIsOneDocument)
{
    SizeTree t;
    t.fb.sparseFile("t/mid/copy-of-forty.dat", 40);
    for (const QStringList& args : {QStringList{"hogs", t.root, "--format", "json"},
                                    {"dups", t.root, "--by", "size", "--format", "json"},
                                    {"dirhogs", t.root, "--all", "--format", "json"},
                                    {"stats", t.root, "--format", "json"}}) {
        const ProgramRun r = report(args);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError)
            << args.join(' ').toStdString() << ": " << error.errorString().toStdString();
        EXPECT_EQ(doc["tool"].toString(), args[0]);
    }
    const QJsonDocument hogs =
        QJsonDocument::fromJson(report({"hogs", t.root, "--format", "json"}).out);
    const QJsonArray rows = hogs["rows"].toArray();
    ASSERT_EQ(rows.size(), 8);
    EXPECT_EQ(rows[0].toObject()["size"].toInteger(), 9'000'000);
    EXPECT_EQ(rows[0].toObject()["name"].toString(), "skip.dat");
    const QJsonDocument dups =
        QJsonDocument::fromJson(report({"dups", t.root, "--by", "size", "--format", "json"}).out);
    ASSERT_EQ(dups["groups"].toArray().size(), 1);
    EXPECT_EQ(dups["groups"].toArray()[0].toArray().size(), 2);
}

// The README's examples do what their comments say.
TEST(ReportScripting, ReadmeExamplesKeepTheirWord)
{
    QFile readme(QStringLiteral(RW_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    SizeTree t;
    t.fb.sparseFile("t/big/hundred.dat", 100 * 1024);
    t.fb.sparseFile("t/big/under.dat", 100 * 1024 - 1);
    int checked = 0;
    const QRegularExpression example(QStringLiteral("^roomwise-report (.*?)\\s+#\\s*(.*)$"),
                                     QRegularExpression::MultilineOption);
    for (auto it = example.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QStringList words = m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        int head = -1;
        const qsizetype pipe = words.indexOf(QStringLiteral("|"));
        if (pipe >= 0) {
            ASSERT_EQ(words.value(pipe + 1), "head") << "only '| head -N' is understood";
            head = words.value(pipe + 2).mid(1).toInt();
            words = words.mid(0, pipe);
        }
        words[1] = t.root; // the example's folder
        const ProgramRun r = report(words);
        ASSERT_EQ(r.status, 0) << m.captured(0).toStdString() << r.err.constData();
        QList<QByteArray> lines = records(r.out);
        if (head >= 0)
            lines = lines.mid(0, head);
        const QString claim = m.captured(2);
        if (claim.contains(QLatin1String("biggest files"))) {
            // "the N biggest files of M KB and up": the largest at or above M KB, largest first.
            const qint64 floor = claim.section(QLatin1Char(' '), 5, 5).toLongLong() * 1024;
            QList<qint64> got;
            for (const QByteArray& l : lines)
                got << l.split('\t').value(0).toLongLong();
            EXPECT_EQ(got, (QList<qint64>{9'000'000, 5'000'000, 2'000'000, 1'048'568, 999'985,
                                          300'000, 102'400}))
                << claim.toStdString() << " (floor " << floor << ")";
            ++checked;
        } else if (claim.contains(QLatin1String("biggest folders"))) {
            EXPECT_TRUE(lines.value(0).endsWith("/cache")) << lines.value(0).constData();
            for (qsizetype i = 1; i < lines.size(); ++i)
                EXPECT_GE(lines[i - 1].split('\t')[0].toLongLong(),
                          lines[i].split('\t')[0].toLongLong());
            ++checked;
        } else if (claim.contains(QLatin1String("JSON"))) {
            QJsonParseError error;
            QJsonDocument::fromJson(r.out, &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << claim.toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3) << "every example of the README is held to its comment";
}
