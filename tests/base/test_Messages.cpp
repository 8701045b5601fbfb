#include <gtest/gtest.h>

#include <QStringList>

#include "base/ProgramMessages.h"

using namespace rw;

namespace
{

// Logs beeps and boxes in the order they come and answers from a queue.
class LogResponder : public MessageResponder
{
public:
    QStringList log;
    QList<MessageAnswer> answers;

    MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) override
    {
        static const char* const kinds[] = {"error", "warning", "information", "confirmation"};
        static const char* const sets[] = {"ok", "yesno", "yesnocancel"};
        log << QStringLiteral("%1/%2:%3").arg(kinds[int(kind)], sets[int(buttons)], text);
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return answers.isEmpty() ? MessageAnswer::No : answers.takeFirst();
    }
    void beep(BeepKind kind) override
    {
        log << (kind == BeepKind::Exclamation ? "beep exclamation" : "beep critical stop");
    }
};

class Messages : public ::testing::Test
{
protected:
    void SetUp() override { m_old = setMessageResponder(&m_log); }
    void TearDown() override { setMessageResponder(m_old); }
    LogResponder m_log;
    MessageResponder* m_old = nullptr;
};

} // namespace

TEST_F(Messages, EachKindBeepsItsOwnWay)
{
    ShowErrorMessage("Disk gone");
    ShowWarningMessage("Careful");
    ShowInfoMessage("Done");
    ShowMessageBox(MessageKind::Warning, "Plain");
    EXPECT_EQ(m_log.log,
              QStringList({"beep exclamation", "error/ok:Disk gone", "beep critical stop",
                           "warning/ok:Careful", "information/ok:Done", "warning/ok:Plain"}));
}

TEST_F(Messages, QuestionsRunTheActionOnlyOnYes)
{
    m_log.answers = {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel,
                     MessageAnswer::Yes};
    EXPECT_TRUE(AskYesNo("Delete?"));
    EXPECT_FALSE(AskYesNo("Delete?"));
    EXPECT_FALSE(AskYesNo("Delete?")) << "anything but Yes is no";
    EXPECT_TRUE(AskYesNo("Reset cumulative totals?", MessageKind::Information));
    EXPECT_EQ(m_log.log.last(), "information/yesno:Reset cumulative totals?");
    EXPECT_EQ(m_log.log.first(), "confirmation/yesno:Delete?");

    m_log.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(AskYesNoCancel("Save?"), MessageAnswer::Cancel);
    EXPECT_EQ(m_log.log.last(), "confirmation/yesnocancel:Save?");
}

TEST_F(Messages, DefaultResponderNeverSaysYes)
{
    EXPECT_EQ(setMessageResponder(nullptr), &m_log);
    ASSERT_NE(messageResponder(), nullptr);
    EXPECT_FALSE(AskYesNo("Delete everything?"));
    EXPECT_EQ(AskYesNoCancel("Delete everything?"), MessageAnswer::Cancel);
    ShowErrorMessage("reported on stderr");
    EXPECT_TRUE(m_log.log.isEmpty());
    EXPECT_EQ(setMessageResponder(&m_log), nullptr) << "the default is reported as none";
}

TEST_F(Messages, AddressedRoutinesReachOnlyTheResponderHandedOver)
{
    LogResponder engine;
    engine.answers = {MessageAnswer::Yes};
    ShowErrorMessage(engine, "Can't open drive q: [/q]");
    EXPECT_TRUE(AskYesNo(engine, "Clear read-only?"));
    EXPECT_EQ(AskYesNoCancel(engine, "Clear hidden?"), MessageAnswer::No);
    EXPECT_EQ(engine.log, QStringList({"beep exclamation", "error/ok:Can't open drive q: [/q]",
                                       "confirmation/yesno:Clear read-only?",
                                       "confirmation/yesnocancel:Clear hidden?"}));
    EXPECT_TRUE(m_log.log.isEmpty()) << "the program-wide responder heard nothing";
}

TEST(StderrResponder, NamesEveryKindAndAnswersTheSafeWay)
{
    StderrResponder r;
    testing::internal::CaptureStderr();
    EXPECT_EQ(r.show(MessageKind::Plain, "Search aborted", MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(r.show(MessageKind::Confirmation, "Delete?", MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_EQ(r.show(MessageKind::Warning, "Full", MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "roomwise message: Search aborted\nroomwise confirmation: Delete?\n"
              "roomwise warning: Full\n");
}
