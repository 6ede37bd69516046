// The in-state window's entry: the country looked up from the call, the St/Prv/Country
// field's keys and completion, the county field only for Texas, and the multipliers each
// stored contact adds.

#include "support/LogWindowFixture.h"

#include "entry/Scoring.h"

namespace {

class InStateEntry : public LogWindowTest {
protected:
    Infrm& w = openWithClockOn();

    Infrm& openWithClockOn()
    {
        Infrm& window = openIn();
        window.cmdLogOn_Click();
        return window;
    }

    // The number in a bearing or distance label ("46 ", "4,976 ").
    static double number(const QLabel* label)
    {
        return label->text().remove(QLatin1Char(',')).trimmed().toDouble();
    }
};

TEST_F(InStateEntry, DxPrefixFillsCountryContinentAndPosition)
{
    keys(QStringLiteral("EA"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Spain"));
    EXPECT_EQ(w.txtCntry->selectedText(), QStringLiteral("Spain"));
    EXPECT_EQ(w.Label19->text(), QStringLiteral("EU"));
    // Austin to Madrid: about 5,090 miles at a bearing of about 52 degrees.
    EXPECT_NEAR(number(w.Label23), 5090, 20);
    EXPECT_NEAR(number(w.Label22), 52, 2);
    EXPECT_TRUE(w.Label3->isVisible()) << "a DX country not yet logged on this band is new";

    // Typing the second character of another call starts afresh.
    keys(QStringLiteral("{BS}{BS}Z"));
    keys(QStringLiteral("Z"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Not Found"));
    EXPECT_TRUE(w.Label19->text().isEmpty());
    EXPECT_TRUE(w.Label22->text().isEmpty());
    EXPECT_FALSE(w.Label3->isVisible());
}

TEST_F(InStateEntry, PrefixLookupOfNorthAmericanCalls)
{
    const struct {
        const char* call;
        const char* country;
        const char* continent;
    } cases[] = {
        {"KL7ABC", "AK", "NA"},          {"KH6XX", "HI", "OC"},
        {"K5ABC", "", "NA"},             {"VE3ABC", "", "NA"},
        {"KG4A", "", "NA"},              // four characters: a station in the USA
        {"KG4AB", "Guantanamo Bay", "NA"}, // five: the base itself
        {"KG4ABC", "", "NA"},            // longer: in the USA again
        {"ZZ9ZZ", "Not Found", ""},
    };
    const auto typeEach = [&](const char* table) {
        for (const auto& c : cases) {
            keys(QStringLiteral("{Esc}") + QString::fromLatin1(c.call));
            EXPECT_EQ(w.txtCntry->text(), QString::fromLatin1(c.country)) << c.call << " " << table;
            EXPECT_EQ(w.Label19->text(), QString::fromLatin1(c.continent)) << c.call << " " << table;
        }
    };
    typeEach("as shipped");

    // The lookup knows the USA and Canada whatever the letter case of the table.
    QByteArray prefixes = readBytes(work(QStringLiteral("prefixes.txt")));
    prefixes.replace("\"USA\"", "\"usa\"").replace("\"Canada\"", "\"CANADA\"");
    writeBytes(work(QStringLiteral("prefixes.txt")), prefixes);
    state().tables.PrefixCount = 0;
    ASSERT_TRUE(LoadPrefixTable(state().tables, work(QStringLiteral("prefixes.txt"))));
    typeEach("in other letter case");
}

TEST_F(InStateEntry, CanadianCallAreaGivesTheProvinceOnLeavingTheCall)
{
    const struct {
        const char* call;
        const char* province;
    } cases[] = {{"VE3ABC", "ON"}, {"VE8XX", "NT"}, {"VY1AB", "YT"}, {"VE3", "ON"}, {"VE0AB", ""}, {"VE", ""}};
    for (const auto& c : cases) {
        keys(QStringLiteral("{Esc}") + QString::fromLatin1(c.call) + QStringLiteral("{Tab}"));
        EXPECT_EQ(w.txtCntry->text(), QString::fromLatin1(c.province)) << c.call;
    }
    // A province the operator typed first stays.
    keys(QStringLiteral("{Esc}VE3ABC"));
    w.txtCntry->setText(QStringLiteral("QC"));
    keys(QStringLiteral("{Tab}"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("QC"));
}

TEST_F(InStateEntry, CountryNameCompletesFromThePrefixTable)
{
    keys(QStringLiteral("K5ABC{Tab}{Tab}"));
    ASSERT_EQ(QApplication::focusWidget(), w.txtCntry);
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("TX")) << "an empty field offers the host state";

    keys(QStringLiteral("S\"p"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("SP"));
    keys(QStringLiteral("a"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("Spain"));
    EXPECT_EQ(w.txtCntry->selectedText(), QStringLiteral("in"));
    EXPECT_EQ(w.Label19->text(), QStringLiteral("EU"));

    // Typing at the third position of a longer text lowers only the second character.
    w.txtCntry->setText(QStringLiteral("SPAIN"));
    w.txtCntry->setCursorPosition(2);
    keys(QStringLiteral("x"));
    EXPECT_EQ(w.txtCntry->text().left(3), QStringLiteral("Spx"));
    EXPECT_TRUE(w.txtCntry->text().endsWith(QStringLiteral("AIN")));
}

TEST_F(InStateEntry, StationOutsideTexasSkipsTheCountyAndColoursItsState)
{
    const int ok = 25; // Oklahoma in the table of states and provinces
    ASSERT_EQ(w.Label10[ok]->text(), QStringLiteral("OK"));
    EXPECT_EQ(textColor(w.Label10[ok]), color(quint32(state().station.RemainingColor)));

    // A letter in the report received starts St/Prv/Country; Space after a state goes
    // past the county to the report sent.
    keys(QStringLiteral("W5ABC ok "));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("OK"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtRSTS);
    EXPECT_FALSE(w.lblStation[4]->isEnabled());
    EXPECT_EQ(w.Label19->text(), QStringLiteral("NA"));
    keys(QStringLiteral("{Enter}"));

    ASSERT_EQ(state().log.QsoCount, 1);
    const LogEntry& e = state().log.Log[1];
    EXPECT_EQ(e.Spc, QStringLiteral("OK"));
    EXPECT_TRUE(e.County.isEmpty());
    EXPECT_EQ(e.CountySent, QStringLiteral("TRAV"));
    EXPECT_TRUE(logBytes().startsWith("\"W5ABC\",\"599\",\"599\",\"OK\",\"\",\"\",\"TRAV\","));
    EXPECT_EQ(textColor(w.Label10[ok]), color(quint32(state().station.WorkedColor)));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCall);
}

TEST_F(InStateEntry, TexasStationNeedsAValidCounty)
{
    const int tx = 24;
    keys(QStringLiteral("K5XYZ tx "));
    EXPECT_EQ(QApplication::focusWidget(), w.txtSec);
    EXPECT_TRUE(w.lblStation[4]->isEnabled());

    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Need County!"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtSec);

    keys(QStringLiteral("h{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].Spc, QStringLiteral("TX"));
    EXPECT_EQ(state().log.Log[1].County, QStringLiteral("HARR"));
    EXPECT_EQ(w.lblStation[8]->text(), QStringLiteral("Cnty Wkd - 1"));
    EXPECT_EQ(w.lblStation[7]->text(), QStringLiteral("Cnty Rem - 5"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1")) << "the county, not the host state";
    EXPECT_EQ(textColor(w.Label10[tx]), color(quint32(state().station.RemainingColor)));
}

TEST_F(InStateEntry, LetterInReportSentStartsTheCountryField)
{
    keys(QStringLiteral("K5ABC{Tab}{Tab}{Tab}{Tab}"));
    ASSERT_EQ(QApplication::focusWidget(), w.txtRSTS);
    keys(QStringLiteral("o"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("O"));
    EXPECT_EQ(w.txtRSTS->text(), QStringLiteral("599"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCntry);
    keys(QStringLiteral("k"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("OK"));
}

TEST_F(InStateEntry, CountyListClickEntersATexasCounty)
{
    QListWidgetItem* harn = w.List3->item(w.List3->find(QStringLiteral("HARN")));
    QTest::mouseClick(w.List3->viewport(), Qt::LeftButton, {}, w.List3->visualItemRect(harn).center());
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARN"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("TX"));
    EXPECT_TRUE(w.lblStation[4]->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), w.txtSec);

    // The same entry clicked again after both fields were typed over.
    w.txtSec->clear();
    w.txtCntry->setText(QStringLiteral("OK"));
    QTest::mouseClick(w.List3->viewport(), Qt::LeftButton, {}, w.List3->visualItemRect(harn).center());
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("HARN"));
    EXPECT_EQ(w.txtCntry->text(), QStringLiteral("TX"));
}

TEST_F(InStateEntry, CountyTypedForAStationOutsideTexasIsDropped)
{
    keys(QStringLiteral("W5ABC ok"));
    w.txtSec->setText(QStringLiteral("HARR"));
    keys(QStringLiteral("{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_TRUE(state().log.Log[1].County.isEmpty());
    EXPECT_EQ(w.List2->ListCount(), 0);
}

TEST_F(InStateEntry, UnknownTwoLetterSectionIsRefusedUntilCorrected)
{
    keys(QStringLiteral("K5ABC xq{Enter}"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Invald Section!"));
    EXPECT_EQ(QApplication::focusWidget(), w.txtCntry);
    EXPECT_EQ(state().log.QsoCount, 0);

    w.txtCntry->selectAll();
    keys(QStringLiteral("Spa{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].Spc, QStringLiteral("Spain"));
}

TEST_F(InStateEntry, DxContactJoinsTheDxListOnce)
{
    keys(QStringLiteral("EA3XX {Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(state().log.Log[1].Spc, QStringLiteral("Spain"));
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("DX All - 1"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));

    // Worked again on this band it is no longer new and is not listed twice.
    keys(QStringLiteral("EA5YY"));
    EXPECT_FALSE(w.Label3->isVisible());
    keys(QStringLiteral(" {Enter}"));
    EXPECT_EQ(state().log.QsoCount, 2);
    EXPECT_EQ(w.List1->ListCount(), 1);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("6"));

    // On another band it is new again, but still one multiplier.
    w.selectBand(QStringLiteral("40"));
    w.txtCall->setFocus();
    keys(QStringLiteral("EA7ZZ"));
    EXPECT_TRUE(w.Label3->isVisible());
    keys(QStringLiteral(" {Enter}"));
    EXPECT_EQ(w.List1->ListCount(), 1);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("9"));
}

TEST_F(InStateEntry, ANewCountryIsJudgedOnTheLogAsItStandsWhenStored)
{
    keys(QStringLiteral("EA3XX {Enter}"));
    keys(QStringLiteral("EA5YY"));
    EXPECT_FALSE(w.Label3->isVisible()) << "Spain is logged on 20 m";
    // The only Spain contact goes while the entry waits: stored now, Spain is new again.
    clickRow(w, 0);
    dialogs.messageAnswers.push_back(Dialogs::Answer::Yes);
    w.cmdDelete->click();
    ASSERT_EQ(state().log.QsoCount, 0);
    EXPECT_EQ(w.List1->ListCount(), 0);
    w.txtCall->setFocus();
    keys(QStringLiteral("{Enter}"));
    ASSERT_EQ(state().log.QsoCount, 1);
    EXPECT_EQ(w.List1->ListCount(), 1);
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("DX All - 1"));
    EXPECT_TRUE(bandHasDXCountry(state().score, QStringLiteral("20"), QStringLiteral("Spain")));
}

// ---- rebuilt from the log ----

class InStateLog : public LogWindowTest {};

TEST_F(InStateLog, RebuildCountsOnlyRealDxCountries)
{
    auto dx = [](const char* call, const char* spc) {
        return Qso{QString::fromLatin1(call), {}, QStringLiteral("20"), QStringLiteral("CW"), QStringLiteral("17:00:00"),
                   QString::fromLatin1(spc), QStringLiteral("TRAV")};
    };
    writeLog({dx("EA3XX", "Spain"), dx("K5AA", "USA"), dx("VE3AA", "Canada"), dx("KL7AA", "Alaska"),
              dx("KH6AA", "Hawaii"), dx("ZZ9ZZ", "Not Found"), dx("EA5YY", "SPAIN"), dx("W5AB", "OK")});
    Infrm& w = openIn();

    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("DX All - 1"));
    ASSERT_EQ(w.List1->ListCount(), 1);
    EXPECT_EQ(w.List1->List(0), QStringLiteral("Spain")) << "as first logged";
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("2")) << "Spain and Oklahoma";
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("48"));
    EXPECT_EQ(textColor(w.Label10[25]), color(quint32(state().station.WorkedColor)));
}

} // namespace
