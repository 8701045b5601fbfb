#include <gtest/gtest.h>

#include <cstdio>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "report/core/DupScript.h"
#include "tests/report/ReportProgram.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/TreeTimes.h"

using namespace rw;
using rwtest::report;

namespace
{

// Runs `script` under sh; its standard output (and its standard error).
QByteArray runSh(const QByteArray& script, int* status = nullptr, QByteArray* err = nullptr)
{
    // On standard input: the bytes reach sh as they are, which an argument
    // formed from text would not promise.
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), QStringList{QStringLiteral("-s")});
    p.write(script);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    if (status)
        *status = p.exitCode();
    if (err)
        *err = p.readAllStandardError();
    return p.readAllStandardOutput();
}

} // namespace

// Every name comes back from sh byte for byte: quotes, tabs, newlines,
// bytes that are not UTF-8, and characters sh would otherwise expand.
TEST(DupScript, ShellQuotedNamesReachShUnchanged)
{
    const struct {
        QByteArray name;
        QByteArray quoted;
    } cases[] = {
        {"plain", "'plain'"},
        {"it's", "'it'\\''s'"},
        {"''", "''\\'''\\'''"},
        {"tab\there\nnew\xff\xfe", "'tab\there\nnew\xff\xfe'"},
        {"$HOME `id` *.txt \\ \"q\"", "'$HOME `id` *.txt \\ \"q\"'"},
        {"-rf", "'-rf'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(DupScript::shellQuoted(c.name), c.quoted);
        EXPECT_EQ(runSh("printf '%s' " + DupScript::shellQuoted(c.name)), c.name);
    }
}

// The script of `dups --by contents --script FILE`, run under sh, leaves
// exactly one copy of each group: the first listed, with its other names
// (hard links); a copy changed after the report stays, and so does every
// file that was no duplicate. The report itself changes nothing in the tree.
TEST(DupScript, RunUnderShLeavesExactlyOneCopyOfEachGroup)
{
    rwtest::FixtureBuilder fx;
    const QByteArray root = QFile::encodeName(fx.folder("tree"));
    const QByteArray big = rwtest::patternBytes(70000, 1);
    const QByteArray oddName = "odd\tna\nme\xff'q.bin";
    fx.fileWithContent("tree/a/big.bin", big);
    fx.fileWithContent("tree/b/big copy.bin", big);
    fx.folder("tree/c");
    rwtest::writeRawFile(root + "/c/" + oddName, big);
    fx.fileWithContent("tree/a/h1.bin", rwtest::patternBytes(5000, 2));
    fx.hardlink("tree/a/h2.bin", "tree/a/h1.bin");
    fx.fileWithContent("tree/b/h-copy.bin", rwtest::patternBytes(5000, 2));
    fx.fileWithContent("tree/a/will-change.txt", rwtest::patternBytes(900, 3));
    fx.fileWithContent("tree/b/will-change.txt", rwtest::patternBytes(900, 3));
    fx.fileWithContent("tree/a/alone.txt", rwtest::patternBytes(900, 4));
    fx.file("tree/a/empty1", 0);
    fx.file("tree/b/empty2", 0);
    const QString script = fx.folder("out") + "/dups.sh";

    const rwtest::TreeTimes tree(QFile::decodeName(root));
    tree.age();
    const QStringList before = tree.snapshot();
    const rwtest::ProgramRun run =
        report({"dups", QFile::decodeName(root), "--by", "contents", "--script", script});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_EQ(tree.snapshot(), before);
    ASSERT_TRUE(QFileInfo::exists(script));
    EXPECT_TRUE(QFileInfo(script).permissions() & QFileDevice::ExeOwner);
    QFile text(script);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray body = text.readAll();
    EXPECT_TRUE(body.startsWith("#!/bin/sh\n"));
    // No name in a comment: a newline in it would end the comment early.
    for (const QByteArray& line : body.split('\n')) {
        if (line.startsWith('#')) {
            EXPECT_FALSE(line.contains("big")) << line.constData();
        }
    }

    fx.fileWithContent("tree/b/will-change.txt", rwtest::patternBytes(900, 5));
    int status = -1;
    QByteArray err;
    runSh("sh " + DupScript::shellQuoted(QFile::encodeName(script)), &status, &err);
    // The changed copy is named as left, and the status says so.
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err, "not removed (not the same as the kept copy, or gone): " + root +
                       "/b/will-change.txt\n");

    using rwtest::rawExists;
    EXPECT_TRUE(rawExists(root + "/a/big.bin"));
    EXPECT_FALSE(rawExists(root + "/b/big copy.bin"));
    EXPECT_FALSE(rawExists(root + "/c/" + oddName));
    EXPECT_TRUE(rawExists(root + "/a/h1.bin"));
    EXPECT_TRUE(rawExists(root + "/a/h2.bin"));
    EXPECT_FALSE(rawExists(root + "/b/h-copy.bin"));
    EXPECT_TRUE(rawExists(root + "/a/will-change.txt"));
    EXPECT_TRUE(rawExists(root + "/b/will-change.txt"));
    EXPECT_TRUE(rawExists(root + "/a/alone.txt"));
    EXPECT_TRUE(rawExists(root + "/a/empty1"));
    EXPECT_TRUE(rawExists(root + "/b/empty2"));

    // Run again: nothing is left to remove, and the kept copies stay.
    runSh("sh " + DupScript::shellQuoted(QFile::encodeName(script)), &status);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(rawExists(root + "/a/big.bin"));
    EXPECT_TRUE(rawExists(root + "/a/h1.bin"));
}

// --script belongs to `dups --by contents` only, and a file that cannot be
// written is an error, not a silent success.
TEST(DupScript, OnlyDupsByContentsWritesAScriptAndAFailureIsReported)
{
    rwtest::FixtureBuilder fx;
    const QString root = fx.folder("tree");
    fx.file("tree/a/x", 10);
    fx.file("tree/b/x", 10);
    const QString script = fx.path("dups.sh");
    for (const QStringList& args :
         {QStringList{"dups", root, "--by", "size", "--script", script},
          {"hogs", root, "--script", script},
          {"dups", root, "--by", "contents", "--disk-usage", "--script", script},
          {"dups", root, "--by", "contents", "--script", ""}}) {
        const rwtest::ProgramRun run = report(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(script));
    }
    const rwtest::ProgramRun run =
        report({"dups", root, "--by", "contents", "--script", fx.path("no/such/folder/dups.sh")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("cannot write")) << run.err.constData();
}
