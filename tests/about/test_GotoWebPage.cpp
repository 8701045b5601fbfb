#include <gtest/gtest.h>

#include "about/GotoWebPage.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>

namespace
{

// Records the addresses handed to the desktop instead of starting a browser.
class GotoWebPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rw::setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return accept;
        });
        folder = rwtest::fixtureRoot();
        shortcut = folder + "/ZEPHRA.URL";
    }
    void TearDown() override { rw::setUrlOpener({}); }

    static QByteArray contents(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QList<QUrl> opened;
    bool accept = true;
    QString folder;
    QString shortcut;
};

TEST_F(GotoWebPageTest, WritesTheShortcutOnceAndOpensItsAddress)
{
    EXPECT_TRUE(rw::GotoWebPage(folder));
    EXPECT_EQ(contents(shortcut),
              QByteArray("[InternetShortcut]\nURL=https://www.example.com/roomwise\n"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl("https://www.example.com/roomwise"));
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());

    EXPECT_TRUE(rw::GotoWebPage(folder));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(GotoWebPageTest, AnExistingShortcutIsNotRewritten)
{
    const QByteArray own = "[InternetShortcut]\r\nURL=https://mirror.example.org/rw\r\n";
    rwtest::FixtureBuilder().fileWithContent("ZEPHRA.URL", own);
    EXPECT_TRUE(rw::GotoWebPage(folder));
    EXPECT_EQ(contents(shortcut), own);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl("https://mirror.example.org/rw"));
}

TEST_F(GotoWebPageTest, FailuresAreReported)
{
    const QString message = "Couldn't open web browser for home page " + shortcut;
    auto& responder = rwtest::ScriptedResponder::instance();

    accept = false;
    EXPECT_FALSE(rw::GotoWebPage(folder));
    EXPECT_EQ(responder.texts(), QStringList{message});

    // A shortcut that names no web address opens nothing.
    accept = true;
    responder.clear();
    opened.clear();
    rwtest::FixtureBuilder().fileWithContent("ZEPHRA.URL",
                                             "[InternetShortcut]\nURL=file:///bin/sh\n");
    EXPECT_FALSE(rw::GotoWebPage(folder));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(responder.texts(), QStringList{message});
}

TEST_F(GotoWebPageTest, AShortcutThatCannotBeWrittenOpensNothing)
{
    const QString missing = folder + "/no/such/folder";
    EXPECT_FALSE(rw::GotoWebPage(missing));
    EXPECT_TRUE(opened.isEmpty());
    const QStringList texts = rwtest::ScriptedResponder::instance().texts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("Couldn't write " + missing + "/ZEPHRA.URL"))
        << texts[0].toStdString();
    EXPECT_FALSE(QFile::exists(missing + "/ZEPHRA.URL"));
}

} // namespace
