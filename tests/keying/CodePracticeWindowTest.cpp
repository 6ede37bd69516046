// The code practice window as the operator uses it: generating groups, sending the text
// through the CW keyer one character at a time, type-to-send, the speed buttons and the
// close that waits for the character being keyed.

#include "keying/windows/frmCodePractice.h"

#include "core/QStringPrinter.h"
#include "keying/windows/CWFrm.h"
#include "support/CaptionsFit.h"
#include "support/LoneKeyerSession.h"

#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The running main window, as the keyer would log a contact on it.
class FakeMainWindow final : public RunningMainWindow {
public:
    QString call;
    int logged = 0;
    void BandFreqConversion(float) override {}
    void ModeSelection(const QString&) override {}
    QString callFieldText() const override { return call; }
    void Mains() override { ++logged; }
};

class CodePractice : public ::testing::Test {
protected:
    CodePractice()
    {
        folders.applyTo(lone.state);
        lone.navigation.form1().attach(main);
        cw = std::make_unique<CWFrm>(lone.context());
        cw->OptSleep->setChecked(true); // timed on the fake clock
        practice = std::make_unique<frmCodePractice>(lone.context());
    }
    ~CodePractice() override
    {
        practice.reset();
        cw.reset();
        lone.navigation.form1().detach(main);
    }

    // The key goes down on the printer port as 3, up as 2.
    void keyOnThePrinterPort() { cw->Option3->setChecked(true); }
    // Dots and dashes keyed: the times the key went down.
    int keyDowns() const
    {
        int downs = 0;
        bool down = false;
        for (const auto& write : lone.services.parallelPort->writes) {
            downs += write.value == 3 && !down ? 1 : 0;
            down = write.value == 3;
        }
        return downs;
    }
    KeyerState& keyer() { return lone.state.keyer; }

    TestFolders folders;
    LoneWindowContext lone;
    LoneKeyerSession session{lone};
    FakeMainWindow main;
    std::unique_ptr<CWFrm> cw;
    std::unique_ptr<frmCodePractice> practice;
};

TEST_F(CodePractice, OpensWithTheKeyersSpeedAndTheDefaults)
{
    practice->show();
    EXPECT_EQ(practice->windowTitle(), "On the Air Code Practice");
    EXPECT_EQ(practice->Label8->text(), "13");
    EXPECT_EQ(practice->Text3->text(), "10");
    EXPECT_EQ(practice->Text4->text(), "5");
    EXPECT_TRUE(practice->Option2->isChecked());
    EXPECT_EQ(practice->focusWidget(), practice->Text5);

    QTest::mouseClick(practice->Command7, Qt::LeftButton);
    EXPECT_EQ(practice->Label8->text(), "14");
    EXPECT_EQ(cw->Text11->text(), "14");
    QTest::mouseClick(practice->Command8, Qt::LeftButton);
    QTest::mouseClick(practice->Command8, Qt::LeftButton);
    EXPECT_EQ(practice->Label8->text(), "12");
}

TEST_F(CodePractice, GeneratesGroupsAndPastesText)
{
    practice->show();
    QTest::mouseClick(practice->Command2, Qt::LeftButton);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([A-Z0-9.,?/-]{5} ){10}$"))
                    .match(practice->Text1->toPlainText())
                    .hasMatch());

    practice->Option1->setChecked(true);
    practice->Text3->setText(QStringLiteral("two"));
    practice->Text4->setText(QStringLiteral("3"));
    QTest::mouseClick(practice->Command2, Qt::LeftButton);
    EXPECT_EQ(practice->Text3->text(), "10");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([A-Z]{3} ){10}$")).match(practice->Text1->toPlainText()).hasMatch());

    practice->Text3->setText(QStringLiteral("0"));
    QTest::mouseClick(practice->Command2, Qt::LeftButton);
    EXPECT_EQ(practice->Text1->toPlainText(), "");

    QApplication::clipboard()->setText(QStringLiteral("CQ TEST"));
    QTest::mouseClick(practice->Command1, Qt::LeftButton);
    EXPECT_EQ(practice->Text1->toPlainText(), "CQ TEST");
    QTest::mouseClick(practice->Command6, Qt::LeftButton);
    EXPECT_EQ(practice->Text1->toPlainText(), "");

    // Typed into the text to send, a letter goes in as its capital.
    practice->Text1->setFocus();
    QTest::keyClicks(practice->Text1, QStringLiteral("cq 5"));
    EXPECT_EQ(practice->Text1->toPlainText(), "CQ 5");
}

TEST_F(CodePractice, SendsTheTextThroughTheKeyerAndNeverLogs)
{
    keyOnThePrinterPort();
    main.call = QStringLiteral("W5ABC");
    practice->show();
    practice->Text1->setPlainText(QStringLiteral("ET!E"));
    QTest::mouseClick(practice->Command3, Qt::LeftButton);
    EXPECT_EQ(practice->Text2->toPlainText(), "ET!E");
    EXPECT_EQ(keyDowns(), 3);
    EXPECT_EQ(main.logged, 0) << "a \"!\" in practice text logs nothing";
    EXPECT_EQ(keyer().CWSending, 0);

    // Nothing to send: nothing keyed, nothing shown.
    QTest::mouseClick(practice->Command5, Qt::LeftButton);
    practice->Text1->clear();
    QTest::mouseClick(practice->Command3, Qt::LeftButton);
    EXPECT_EQ(practice->Text2->toPlainText(), "");
    EXPECT_EQ(keyDowns(), 3);

    // With no keying line the text is still shown as sent.
    cw->Option4->setChecked(true);
    practice->Text1->setPlainText(QStringLiteral("AB C"));
    QTest::mouseClick(practice->Command3, Qt::LeftButton);
    EXPECT_EQ(practice->Text2->toPlainText(), "AB C");
    EXPECT_EQ(keyDowns(), 3);
}

TEST_F(CodePractice, StopEndsTheSendAfterTheCharacterBeingKeyed)
{
    keyOnThePrinterPort();
    practice->show();
    practice->Text1->setPlainText(QStringLiteral("EEEE"));
    QTimer::singleShot(0, practice->Command4, &QPushButton::click);
    QTest::mouseClick(practice->Command3, Qt::LeftButton);
    EXPECT_EQ(practice->Text2->toPlainText(), "E");
    EXPECT_EQ(keyDowns(), 1);
    EXPECT_EQ(practice->PracticeText, "");

    // A new send starts from the first character again.
    QTest::mouseClick(practice->Command3, Qt::LeftButton);
    EXPECT_EQ(practice->Text2->toPlainText(), "EEEEE");

    // Clearing the text to send while sending also ends it.
    practice->Text2->clear();
    QTimer::singleShot(0, practice->Command6, &QPushButton::click);
    QTest::mouseClick(practice->Command3, Qt::LeftButton);
    EXPECT_EQ(practice->Text2->toPlainText(), "E");
}

TEST_F(CodePractice, TypedKeysGoToTheKeyer)
{
    keyOnThePrinterPort();
    main.call = QStringLiteral("W5ABC");
    practice->show();
    practice->Text5->setFocus();
    QTest::keyClicks(practice->Text5, QStringLiteral("e!t"));
    EXPECT_EQ(practice->Text2->toPlainText(), "E!T");
    EXPECT_EQ(practice->Text5->text(), "");
    EXPECT_EQ(keyDowns(), 2);
    EXPECT_EQ(main.logged, 0);

    // While a keyer loop runs, typed keys wait in the buffer; Backspace takes back the last.
    practice->Text2->clear();
    keyer().CWSending = 1;
    QTest::keyClicks(practice->Text5, QStringLiteral("ab"));
    EXPECT_EQ(keyer().CWBuffer, "AB");
    QTest::keyClick(practice->Text5, Qt::Key_Backspace);
    EXPECT_EQ(keyer().CWBuffer, "A");
    EXPECT_EQ(practice->Text2->toPlainText(), "A");
    EXPECT_EQ(keyDowns(), 2);
    keyer().CWSending = 0;
}

TEST_F(CodePractice, ClosingWaitsForTheCharacterOnTheLine)
{
    practice->show();
    practice->PracticeText = QStringLiteral("EEE");
    keyer().CWBuffer = QStringLiteral("E");
    keyer().CWSending = 1;
    practice->close();
    EXPECT_TRUE(practice->isVisible());
    EXPECT_EQ(keyer().CWBuffer, "");
    EXPECT_EQ(practice->PracticeText, "");

    keyer().CWSending = 0;
    practice->close();
    EXPECT_FALSE(practice->isVisible());
}

TEST_F(CodePractice, CaptionsFitOnCommonScreens)
{
    // The reference screen, 1024 x 768, 1280 x 1024 and 1920 x 1080, in twips.
    for (const QSizeF size : {QSizeF(9600, 7200), QSizeF(15360, 11520), QSizeF(19200, 15360), QSizeF(28800, 16200)}) {
        SCOPED_TRACE(size.width());
        lone.services.screen->size = size;
        frmCodePractice window(lone.context());
        window.show();
        expectCaptionsFit(window);
    }
}

} // namespace
