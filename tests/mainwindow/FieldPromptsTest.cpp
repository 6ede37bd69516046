// The spoken field prompts of both log windows: which fields name themselves at each
// voice-navigation level, and the "Dupe" prompt of a refused contact.

#include "support/LogWindowFixture.h"

#include "core/QStringPrinter.h"
#include "keying/KeyerSession.h"
#include "keying/windows/BlindFrm.h"

#include <QFileInfo>

namespace {

class FieldPrompts : public LogWindowTest {
protected:
    FieldPrompts()
    {
        for (const char* name : {"Call", "RstSnt", "RstRcvd", "County", "SPC", "Dupe", "NavEn", "NavDis"})
            writeBytes(work(QString::fromLatin1(name) + QStringLiteral(".wav")), "RIFF");
    }

    // The prompt window loaded first, as the main window loads it for its first prompt.
    FakeWavePlayer& promptPlayer()
    {
        app->blindFrm();
        return ts.keyerPromptPlayer();
    }

    // The prompts spoken (opened) since the last call.
    QStringList spoken()
    {
        FakeWavePlayer& player = promptPlayer();
        QStringList names;
        for (const QString& path : player.opened)
            names << QFileInfo(path).completeBaseName();
        player.opened.clear();
        return names;
    }

    void enter(QWidget* field)
    {
        field->setFocus();
        QCoreApplication::processEvents();
    }
};

TEST_F(FieldPrompts, EachLevelNamesItsFields)
{
    const struct {
        quint8 level;
        QStringList spoken;
    } cases[] = {
        {0, {}},
        {1, {"Call"}},
        {2, {"RstSnt", "RstRcvd", "County", "Call"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.level));
        state().station.VoiceNavigationLevel = c.level;
        Outfrm& w = openOut();
        spoken(); // the call field took the focus as the window opened
        for (QWidget* field : std::initializer_list<QWidget*>{w.txtRSTS, w.txtRSTR, w.txtSec, w.txtCall})
            enter(field);
        EXPECT_EQ(spoken(), c.spoken);
        w.hide();
        delete &w;
    }
}

TEST_F(FieldPrompts, InStateWindowNamesTheStateField)
{
    state().station.VoiceNavigationLevel = 2;
    Infrm& w = openIn();
    spoken();
    enter(w.txtCntry);
    EXPECT_EQ(w.txtCntry->text(), "TX");
    enter(w.txtSec);
    EXPECT_EQ(spoken(), (QStringList{"SPC", "County"}));

    state().station.VoiceNavigationLevel = 1;
    enter(w.txtCntry);
    enter(w.txtSec);
    EXPECT_EQ(spoken(), QStringList{});
}

TEST_F(FieldPrompts, RefusedDuplicateSaysDupeAndWaitsOnlyWhenNavigating)
{
    writeLog({{QStringLiteral("W5ABC"), QStringLiteral("HARR")}});
    // The prompt player lives from the start of the run: its prompts play 700 ms from now on.
    FakeWavePlayer& player = promptPlayer();
    player.lengthMs = 700;
    player.clockMs = [this] { return clock.monotonicMs(); };
    for (const quint8 level : {0, 1}) {
        SCOPED_TRACE(int(level));
        state().station.VoiceNavigationLevel = level;
        Outfrm& w = openOut();
        w.cmdLogOn_Click();
        spoken();
        const qint64 before = clock.monotonic;
        keys(QStringLiteral("W5ABC{Enter}"));
        EXPECT_TRUE(spoken().contains(QStringLiteral("Dupe")));
        const qint64 waited = clock.monotonic - before;
        if (level == 0) {
            EXPECT_LT(waited, 100);
        } else {
            EXPECT_GE(waited, 700);
            EXPECT_LT(waited, 800);
        }
        w.hide();
        delete &w;
    }
}

} // namespace
