#include <gtest/gtest.h>

#include "launcher/ProgramIcon.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>

namespace
{

// Points the icon theme lookup at the test's own folder and puts it back after.
class ProgramIconTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_paths = QIcon::themeSearchPaths();
        m_theme = QIcon::themeName();
        m_fallback = QIcon::fallbackThemeName();
        m_themes = rwtest::testRoot() + "/icons";
        QDir().mkpath(m_themes);
        QIcon::setThemeSearchPaths({m_themes});
        QIcon::setFallbackThemeName(QStringLiteral("rwtest"));
        QIcon::setThemeName(QStringLiteral("rwtest"));
    }
    void TearDown() override
    {
        QIcon::setThemeSearchPaths(m_paths);
        QIcon::setFallbackThemeName(m_fallback);
        QIcon::setThemeName(m_theme);
    }

    // A theme "rwtest" in the test's folder with a one-colour 16 px roomwise.png.
    void installThemeIcon(QColor colour)
    {
        const QString theme = m_themes + "/rwtest";
        QDir().mkpath(theme + "/16x16/apps");
        QFile index(theme + "/index.theme");
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=rwtest\nDirectories=16x16/apps\n\n"
                    "[16x16/apps]\nSize=16\nType=Fixed\n");
        index.close();
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(theme + "/16x16/apps/roomwise.png"));
    }

    QString m_themes;

private:
    QStringList m_paths;
    QString m_theme;
    QString m_fallback;
};

} // namespace

TEST_F(ProgramIconTest, TheBuiltInDrawingIsUsedWhenTheIconIsNotInstalled)
{
    const QIcon icon = rw::programIcon();
    ASSERT_FALSE(icon.isNull());
    // Drawn at the smallest size a desktop asks for, not a blank square.
    const QImage small = icon.pixmap(16, 16).toImage();
    ASSERT_EQ(small.size(), QSize(16, 16));
    const QImage builtIn = QIcon(rw::kBuiltInProgramIcon).pixmap(16, 16).toImage();
    EXPECT_EQ(small, builtIn);
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            opaque += qAlpha(small.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 16 * 16 / 2);
}

TEST_F(ProgramIconTest, TheBuiltInDrawingIsReadable)
{
    // Only an SVG the image plugins understand gives a picture at all.
    const QImage big = QIcon(rw::kBuiltInProgramIcon).pixmap(256, 256).toImage();
    ASSERT_EQ(big.size(), QSize(256, 256));
    // The big treemap block on the left is blue, the tile's corner transparent.
    EXPECT_EQ(QColor(big.pixel(60, 200)), QColor(0x1e, 0x88, 0xe5));
    EXPECT_EQ(qAlpha(big.pixel(0, 0)), 0);
}

TEST_F(ProgramIconTest, AnInstalledThemeIconComesFirst)
{
    installThemeIcon(QColor(255, 0, 0));
    const QIcon icon = rw::programIcon();
    EXPECT_EQ(icon.name(), rw::kProgramIconName);
    const QImage small = icon.pixmap(16, 16).toImage();
    ASSERT_EQ(small.size(), QSize(16, 16));
    EXPECT_EQ(QColor(small.pixel(8, 8)), QColor(255, 0, 0));
}
