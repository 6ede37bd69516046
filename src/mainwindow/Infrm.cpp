#include "mainwindow/Infrm.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/NumberFormat.h"
#include "core/Preferences.h"
#include "core/Tables.h"
#include "core/forms/Navigation.h"
#include "entry/CallSigns.h"
#include "entry/DateTimeText.h"
#include "entry/DistanceBearing.h"
#include "entry/DupeRules.h"
#include "entry/Scoring.h"
#include "entry/windows/FieldCompletion.h"
#include "entry/windows/frmCountyChange.h"
#include "entry/windows/frmCountyChangeRover.h"
#include "mainwindow/LabelColors.h"
#include "platform/Colors.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

LogWindowProfile inStateProfile()
{
    LogWindowProfile p;
    p.inState = true;
    p.stationCaptions = {{{"RS(T) Sn", 5400, 420, 840, true},
                          {"St / Prv / Country", 2640, 420, 1440, true},
                          {"Call", 120, 420, 1560, true},
                          {"RS(T) Rc", 1800, 420, 720, true},
                          {"County", 4200, 420, 1080, true},
                          {"DX", 6360, 4620, 960, true},
                          {"", 0, 0, 0, false},
                          {"Cnty Rem - 0", 8400, 4620, 960, true},
                          {"Cnty Wkd - 0", 7380, 4620, 960, true}}};
    p.showsStPrvCountry = true;
    p.ownPlaceCaption = QStringLiteral("County");
    p.ownPlaceOnDarkBlue = true;
    p.operatingTimeCaption = QStringLiteral(" Oper Time");
    p.scoreCaptions = {"Total PH Contacts .......", "Total CW/DG Contacts ", "Total Multipliers ..........",
                       "Total Score ................"};
    p.digitalItem = QStringLiteral("&DG");
    p.colorsItem = true;
    p.changeCountyItem = true;
    p.loadMessage = QStringLiteral("Select a band, mode and Click Log \"Time On\"!");
    p.workedList = {7380, 4860, 960, 1800};
    p.toGoList = {8400, 4860, 960, 1800};
    p.enterResetsShortCall = true;
    return p;
}

} // namespace

Infrm::Infrm(const WindowContext& context) : MainForm(context, inStateProfile())
{
    List3 = countiesToGo;
    List1 = place(new SortedListBox(this), ControlKind::ListBox, 6360, 4860, 960, 1800);
    for (int i = 1; i <= 64; ++i) {
        const float left = 120 + float((i - 1) % 21) * 290;
        const float top = 5820 + float((i - 1) / 21) * 300;
        auto* label = place(new ClickLabel(QStringLiteral("WWW"), this), ControlKind::Label, left, top, 290, 255);
        label->setMouseTracking(true);
        Label10[size_t(i)] = label;
        if (i == 64) {
            label->hide();
            continue;
        }
        connect(label, &ClickLabel::clicked, this, [this, i] { Label10_Click(i); });
        connect(label, &ClickLabel::hovered, this, [this, i] { Label10_MouseMove(i); });
    }
    connect(mnuChangeCounty, &QAction::triggered, this, &Infrm::mnuChangeCounty_Click);
    // The DX list takes clicks only; the county lists also take moves with the keys.
    connect(List1, &QListWidget::itemClicked, this, &Infrm::List1_Click);
    connect(List2, &SortedListBox::Click, this, &Infrm::List2_Click);
    connect(List3, &SortedListBox::Click, this, &Infrm::List3_Click);
    connect(txtCntry, &QLineEdit::textChanged, this, [this] { txtCntry_Change(); });
    txtCntry->keyPress = [this](int& k) { txtCntry_KeyPress(k); };
    txtCntry->gotFocus = [this] { txtCntry_GotFocus(); };
}

std::vector<LogColumn> Infrm::logColumns() const
{
    using F = LogColumn::Field;
    std::vector<LogColumn> columns = {
        {QStringLiteral("Rec#"), 530, F::Record},    {QStringLiteral("Call"), 850, F::Call},
        {QStringLiteral("Rec"), 430, F::RstRcvd},    {QStringLiteral("SPC"), 910, F::Spc},
        {QStringLiteral("County"), 1050, F::County}, {QStringLiteral("Snt"), 420, F::RstSent},
        {QStringLiteral("Date/Time"), 890, F::DateTime}, {QStringLiteral("Mo"), 430, F::Mode},
        {QStringLiteral("Bnd"), 430, F::Band}};
    if (context().state.station.OwnRover == 1)
        columns.push_back({QStringLiteral("County Sent"), 1050, F::CountySent});
    return columns;
}

QString Infrm::reloadErrorText() const { return QStringLiteral("Error opening file."); }

void Infrm::loadWindowSpecific()
{
    AppState& state = context().state;
    const StationData& s = state.station;
    mnuChangeCounty->setEnabled(s.OwnRover == 1);
    fillStateProvTable(state.stateProv);
    for (int i = 1; i <= 63; ++i) {
        Label10[size_t(i)]->setText(state.stateProv.StateProvAbbrev[size_t(i)]);
        Label10[size_t(i)]->setToolTip(state.stateProv.StateProvName[size_t(i)]);
    }
    const QString hint = QStringLiteral("Enter ") + s.HostState + QStringLiteral(" in the St / Prv / Country field to enable the County field");
    lblStation[4]->setText(s.HostState + QStringLiteral(" County"));
    lblStation[4]->setToolTip(hint);
    txtSec->setToolTip(hint);
    setCountyCaptionEnabled(false);
    setOwnCountyCaption(s.OwnCounty);
    Label2->setText(s.OwnCall);
}

void Infrm::setOwnCountyCaption(const QString& county)
{
    Label25->setText(county);
    // The CW messages send the county the caption shows.
    context().state.keyer.CWOwnCounty = county;
}

void Infrm::setCountyCaptionEnabled(bool enabled) { lblStation[4]->setEnabled(enabled); }

void Infrm::setCountyCaptions()
{
    lblStation[8]->setText(QStringLiteral("Cnty Wkd - ") + QString::number(List2->ListCount()));
    lblStation[7]->setText(QStringLiteral("Cnty Rem - ") + QString::number(List3->ListCount()));
}

void Infrm::FillDXList()
{
    List1->setItems(dxCountriesOfLog(context().state));
    lblStation[5]->setText(QStringLiteral("DX All - ") + QString::number(List1->ListCount()));
}

void Infrm::ColourStateLabels()
{
    AppState& state = context().state;
    const quint32 worked = quint32(state.station.WorkedColor);
    for (int i = 1; i <= 63; ++i) {
        if (state.score.WorkedMults[MultKindStateProv][size_t(i)] == 1)
            setTextColor(Label10[size_t(i)], worked);
    }
}

void Infrm::ReloadLog()
{
    AppState& state = context().state;
    if (!reloadCommon())
        return;
    for (int i = 1; i <= 63; ++i)
        setTextColor(Label10[size_t(i)], quint32(state.station.RemainingColor));
    markWorkedStates(state);
    fillCountyLists();
    clocks->UpdateQsoRates();
    ColourStateLabels();
    const bool countiesFit = recountMultipliers(state);
    const bool dxFits = fillBandDXArrays(state);
    if (!countiesFit || !dxFits) {
        context().services.dialogs->messageBox(reloadErrorText(), QStringLiteral("File Error"));
        context().services.endProgram(1);
        return;
    }
    FillDXList();
    ShowScore();
    RefreshLogList();
}

void Infrm::MarkNewMultipliers(const LogEntry& entry)
{
    AppState& state = context().state;
    qint32 row = 0;
    if (markStateProv(state, entry.Spc, &row) == MarkResult::NewlyWorked)
        setTextColor(Label10[size_t(row)], quint32(state.station.WorkedColor));
    markCounty(state, entry.County);
}

void Infrm::AddNewDXCountry(const LogEntry& entry)
{
    AppState& state = context().state;
    addBandDXCountry(state.score, state.station.CurrentBand, entry.Spc);
    if (List1->find(entry.Spc) < 0) {
        List1->AddItem(entry.Spc);
        lblStation[5]->setText(QStringLiteral("DX All - ") + QString::number(List1->ListCount()));
    }
}

MainForm::EarlierContact Infrm::judgeEarlierContact(const LogEntry& earlier, qint32)
{
    const AppState& state = context().state;
    const StationData& s = state.station;
    const bool sameBandModeCounty = earlier.Band.compare(s.CurrentBand, Qt::CaseInsensitive) == 0
        && earlier.Mode.compare(s.CurrentMode, Qt::CaseInsensitive) == 0
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
    // A busy wait on the monotonic clock: no other event runs meanwhile.
    while (clock.monotonicMs() < state.entry.LastDupeAtMs + 3000)
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

void Infrm::afterModeOrBandChange()
{
    if (!txtCall->text().isEmpty())
        txtCntry_Change();
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
    CheckDupeOnLog();
    flags.CountyInvalid = !txtSec->text().isEmpty() && refuse(invalidCounty(state.tables, txtSec->text())) ? 1 : 0;
}

void Infrm::countMultipliers(const LogEntry& entry)
{
    const AppState& state = context().state;
    if (isNewDXCountry(state.score, state.station.CurrentBand, entry.Spc))
        AddNewDXCountry(entry);
    if (entry.Spc.size() == 2)
        MarkNewMultipliers(entry);
}

void Infrm::contactStored()
{
    // A rover on a county line logs the contact once more for each further county.
    if (context().state.station.OwnRover == 1 && RoverRelogIndex == 0
        && context().navigation.countyChangeRover().counties().size() >= 2)
        LogRoverCountyLine();
}

void Infrm::Label10_Click(int index) { txtCntry->setText(Label10[size_t(index)]->text()); }

void Infrm::Label10_MouseMove(int index)
{
    const AppState& state = context().state;
    const qint32 count = contactsWithSpc(state, state.stateProv.StateProvAbbrev[size_t(index)]);
    QFont font = lblDupe->font();
    const double size = screen().sizeTwips().width() * 8.0 / 9600.0 * state.station.FormSizePercent / 100.0;
    if (size > 0)
        font.setPointSizeF(size);
    lblDupe->setFont(font);
    lblDupe->setText(QStringLiteral("  ") + state.stateProv.StateProvName[size_t(index)]
                     + QStringLiteral("    Total = ") + QString::number(count));
}

void Infrm::List1_Click()
{
    if (List1->currentItem() == nullptr)
        return;
    txtCntry->setText(List1->currentItem()->text());
    txtCntry->setFocus();
}

void Infrm::countyPicked()
{
    txtCntry->setText(context().state.station.HostState);
    txtSec->setFocus();
}

void Infrm::List2_Click() { pickCounty(List2); }

void Infrm::List3_Click() { pickCounty(List3); }


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

void Infrm::mnuChangeCounty_Click()
{
    AppState& state = context().state;
    {
        frmCountyChange change(context());
        change.Form_Load();
        change.showModal();
    }
    SavePrefFile(state);
    setOwnCountyCaption(state.station.OwnCounty);
}

void Infrm::LogRoverCountyLine()
{
    AppState& state = context().state;
    const QStringList counties = context().navigation.countyChangeRover().counties();
    const QString firstCounty = counties.value(0);
    // Every copy carries the exchange of the contact just stored; only the county sent
    // and its own date and time differ.
    const LogEntry original = state.log.Log[size_t(state.log.QsoCount)];
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
        QCoreApplication::processEvents();
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
