#include <gtest/gtest.h>

#include "about/TfrmAbout.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;
using namespace e2e;

TEST(AboutWindowSystem, OkButtonAndEscCloseIt)
{
    const struct {
        const char* how;
        int result;
    } cases[] = {{"OK", QDialog::Accepted}, {"Escape", QDialog::Rejected}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.how);
        TfrmAbout about;
        about.setShortcutFolder(rwtest::fixtureRoot());
        bool shownWhole = false;
        const int result = runModal(about, [&] {
            EXPECT_EQ(about.windowTitle(), "How to contact us");
            // On screen as drawn: the gradient and the animations, not a blank face.
            shownWhole = XSession::colourCount(XSession::grab(&about)) > 16;
            if (QString(t.how) == "OK")
                XSession::click(child(about, "OKButton"));
            else
                XSession::key(&about, {"Escape"});
            EXPECT_TRUE(XSession::waitFor([&] { return !about.isVisible(); }));
        });
        EXPECT_TRUE(shownWhole);
        EXPECT_EQ(result, t.result);
    }
}
