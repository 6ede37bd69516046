// The in-state window's entry: its checks, the St/Prv/Country field with the prefix lookup
// and the distance and bearing, the duplicate rule of the host state's rovers, and logging
// a contact again for each county of a county line.

#include "mainwindow/Infrm.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/forms/Navigation.h"
#include "entry/CallSigns.h"
#include "entry/ContactCheck.h"
#include "entry/DateTimeText.h"
#include "entry/DistanceBearing.h"
#include "entry/DupeRules.h"
#include "entry/Scoring.h"
#include "entry/windows/FieldCompletion.h"
#include "entry/windows/frmCountyChangeRover.h"
#include "platform/EventWait.h"
#include "platform/Services.h"

#include <QLocale>
#include <QPointer>

MainForm::EarlierContact Infrm::judgeEarlierContact(const LogEntry& earlier, qint32)
{
    const AppState& state = context().state;
    const StationData& s = state.station;
    const bool sameBandModeCounty = onBandAndMode(earlier, s.CurrentBand, s.CurrentMode)
        && earlier.CountySent.compare(s.OwnCounty, Qt::CaseInsensitive) == 0;
    if (!sameBandModeCounty)
        return EarlierContact::Nothing;
    // A station outside the host state is a duplicate at once; one inside may be another
    // county's rover, so it is only a warning.
    if (earlier.Spc.compare(s.HostState, Qt::CaseInsensitive) != 0) {
        CheckDupeOnLog();
        if (state.entry.DupeFound == 1)
            return EarlierContact::Refused;
    }
    return EarlierContact::Duplicate;
}

QString Infrm::dupeWarningText(const LogEntry& earlier, qint32 n) const
{
    return QStringLiteral("Dupe if not rover!  ") + earlier.Call + QStringLiteral("  ") + logDateMonthDay(earlier.Date)
        + QStringLiteral("  ") + earlier.Time + QStringLiteral("   Rec#  ") + QString::number(n);
}

void Infrm::HoldDupeFlag()
{
    AppState& state = context().state;
    Clock& clock = *context().services.clock;
    // A busy wait on the monotonic clock: no other event runs meanwhile. The end of the
    // program, asked for by a signal, ends it.
    while (clock.monotonicMs() < state.entry.LastDupeAtMs + 3000 && !EventWaits::endRequested())
        clock.sleepMs(10);
    state.entry.DupeFound = 0;
}

void Infrm::txtCall_KeyPress(int& KeyAscii)
{
    // The hold is for a key typed after a refusal: a refusal made by this very key (Enter)
    // holds the next one instead.
    const EntryFlags& entry = context().state.entry;
    const bool refusedBefore = entry.DupeFound == 1;
    const quint32 refusals = m_refusals;
    MainForm::txtCall_KeyPress(KeyAscii);
    if (refusedBefore && entry.DupeFound == 1 && m_refusals == refusals)
        HoldDupeFlag();
}

void Infrm::txtCntry_Change()
{
    AppState& state = context().state;
    const QString text = txtCntry->text();
    setCountyCaptionEnabled(text.compare(state.station.HostState, Qt::CaseInsensitive) == 0);
    if (const qint32 i = text.size() == 2 ? stateIndex(state.tables, text) : 0) {
        Label19->setText(QStringLiteral("NA"));
        showDistanceBearing(state.tables.StateLatitude[size_t(i)], state.tables.StateLongitude[size_t(i)]);
    }
    Label3->setVisible(isNewDXCountry(state.score, state.station.CurrentBand, text));
}

void Infrm::showDistanceBearing(float latitude, float longitude)
{
    const StationData& s = context().state.station;
    const auto result = computeDistanceBearing(s.OwnLatitude, s.OwnLongitude, latitude, longitude);
    const auto text = formatDistanceBearing(result, QLocale().groupSeparator().front());
    Label22->setText(text.bearing);
    Label23->setText(text.miles);
}

bool Infrm::startContact()
{
    const AppState& state = context().state;
    if (!checkPostContestDateTime())
        return false;
    if (!countyApplies(txtCntry->text(), state.station.HostState))
        txtSec->clear();
    if (state.clock.TimedOn == 0)
        cmdLogOn_Click();
    return true;
}

void Infrm::runContactChecks(EntryFlags& flags)
{
    const AppState& state = context().state;
    flags.FieldMissing = refuse(missingFields(entryTexts(), true, state.station.HostState)) ? 1 : 0;
    const std::optional<Refusal> badSection = invalidStateProv(state.stateProv, txtCntry->text());
    flags.StateProvInvalid = badSection ? 1 : 0;
    if (txtCntry->text().size() == 2 && !badSection && Label19->text().isEmpty())
        Label19->setText(QStringLiteral("NA"));
    refuse(badSection);
    const QPointer<Infrm> self(this); // the hold after a duplicate lets events run
    CheckDupeOnLog();
    if (!self)
        return;
    flags.CountyInvalid = !txtSec->text().isEmpty() && refuse(invalidCounty(state.tables, txtSec->text())) ? 1 : 0;
}

void Infrm::contactStored()
{
    // A rover on a county line logs the contact once more for each further county.
    if (context().state.station.OwnRover == 1 && RoverRelogIndex == 0
        && context().navigation.countyChangeRover().counties().size() >= 2)
        LogRoverCountyLine();
}

void Infrm::carryFromReportReceived(int& KeyAscii)
{
    KeyToUpper(KeyAscii);
    txtCntry_KeyPress(KeyAscii);
}

bool Infrm::carryFromReportSent(int& KeyAscii)
{
    if (KeyAscii <= 57)
        return false;
    KeyToUpper(KeyAscii);
    carryTo(KeyAscii, CarryField::StateProvCountry);
    txtCntry_KeyPress(KeyAscii);
    txtCntry->setFocus();
    KeyAscii = 0;
    return true;
}

void Infrm::txtCntry_KeyPress(int& KeyAscii)
{
    AppState& state = context().state;
    if (KeyAscii == 34)
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32 && txtCntry->selStart() == 0 && state.entry.CarryTarget == CarryField::None) {
        KeyAscii = 0;
        txtSec->setFocus();
        return;
    }
    const CarryField carry = state.entry.CarryTarget;
    if (carry == CarryField::AfterReportReceived || carry == CarryField::StateProvCountry) {
        txtCntry->setText(QString(QChar(char16_t(KeyAscii))));
        txtCntry->setCursorPosition(1);
        state.entry.CarryTarget = CarryField::None;
    }
    if (KeyAscii != 32 && KeyAscii > 0 && txtCntry->selStart() == 0)
        txtCntry->clear();
    if (txtCntry->text().isEmpty() || txtCntry->selStart() < 2)
        KeyToUpper(KeyAscii);
    if (KeyAscii != 32 && KeyAscii > 0 && txtCntry->selStart() == 2 && txtCntry->text().size() >= 2) {
        // The third letter of a country name: the second capital becomes a small letter.
        QString text = txtCntry->text();
        text[1] = text[1].toLower();
        txtCntry->setText(text);
        txtCntry->setCursorPosition(2);
    }
    if (txtCntry->text().size() > 1 && KeyAscii > 0) {
        const ReferenceTables& t = state.tables;
        if (const qint32 i = completeCountryField(*txtCntry, t, KeyAscii)) {
            Label19->setText(t.PrefixContinent[size_t(i)]);
            showDistanceBearing(t.PrefixLatitude[size_t(i)], t.PrefixLongitude[size_t(i)]);
        } else if (KeyAscii == 32) {
            KeyAscii = 0;
            txtSec->setFocus();
        }
    }
}

void Infrm::txtCntry_GotFocus()
{
    fieldPrompt(QStringLiteral("SPC"));
    if (txtCntry->text().isEmpty()) {
        txtCntry->setText(context().state.station.HostState);
        txtCntry->selectAll();
    }
}

void Infrm::txtSec_GotFocus()
{
    const bool hostState =
        txtCntry->text().compare(context().state.station.HostState, Qt::CaseInsensitive) == 0;
    setCountyCaptionEnabled(hostState);
    if (!hostState)
        txtRSTS->setFocus();
    fieldPrompt(QStringLiteral("County"));
}

void Infrm::txtCall_Change()
{
    MainForm::txtCall_Change();
    LookupCallPrefix();
}

void Infrm::callLeft()
{
    // A call of a Canadian call area names its province.
    if (txtCall->text().size() > 2 && txtCntry->text().isEmpty()) {
        const QString province = provinceOfCallArea(txtCall->text());
        if (!province.isEmpty()) {
            txtCntry->setText(province);
            txtCntry->selectAll();
        }
    }
}

void Infrm::LookupCallPrefix()
{
    using Outcome = CallPrefixLookup::Outcome;
    const CallPrefixLookup found = lookupCallPrefix(context().state.tables, txtCall->text());
    switch (found.outcome) {
    case Outcome::NoCall:
        break;
    case Outcome::Country:
        txtCntry->setText(found.stPrvCountry);
        Label19->setText(found.continent);
        showDistanceBearing(found.latitude, found.longitude);
        break;
    case Outcome::UsaOrCanada:
        for (QLabel* l : {Label22, Label23})
            l->clear();
        Label19->setText(QStringLiteral("NA"));
        break;
    case Outcome::NotFound:
        txtCntry->setText(found.stPrvCountry);
        for (QLabel* l : {Label22, Label23, Label19})
            l->clear();
        break;
    }
    if (found.outcome != Outcome::NoCall)
        txtCntry->setSelection(0, int(txtCntry->text().size()));
    if (txtCntry->text() == notFoundText()) {
        for (QLabel* l : {Label22, Label23, Label19})
            l->clear();
    }
}

void Infrm::LogRoverCountyLine()
{
    AppState& state = context().state;
    const QStringList counties = context().navigation.countyChangeRover().counties();
    const QString firstCounty = counties.value(0);
    // Every copy carries the exchange of the contact just stored; only the county sent
    // and its own date and time differ.
    const LogEntry original = log().entry(log().count());
    struct PassEnd {
        Infrm& window;
        const QString& firstCounty;
        ~PassEnd()
        {
            window.RoverRelogIndex = 0;
            window.context().state.station.OwnCounty = firstCounty;
            window.setOwnCountyCaption(firstCounty);
        }
    } passEnd{*this, firstCounty};

    for (int i = 1; i < counties.size(); ++i) {
        RoverRelogIndex = i;
        state.station.OwnCounty = counties[i];
        setOwnCountyCaption(state.station.OwnCounty);
        letEventsRun();
        txtCall->setText(original.Call);
        txtCntry->setText(original.Spc);
        txtSec->setText(original.County);
        txtRSTR->setText(original.RstRcvd);
        txtRSTS->setText(original.RstSent);
        state.RigFrequencyText = original.Frequency;
        state.entry.DupeFound = 0;
        Mains();
    }
}
