#include "mainwindow/Outfrm.h"

#include "core/AppState.h"
#include "entry/DupeRules.h"
#include "entry/Scoring.h"
#include "platform/Services.h"

namespace {

LogWindowProfile outOfStateProfile()
{
    LogWindowProfile p;
    p.inState = false;
    p.stationCaptions = {{{"RS(T) Sn", 5400, 420, 840, true},
                          {"State/Prov/Cntr", 2640, 420, 1440, false},
                          {"Call", 120, 420, 1560, true},
                          {"RS(T) Rc", 1800, 420, 720, true},
                          {"County", 4200, 420, 1080, true},
                          {"Counties Worked", 6360, 4620, 1500, true},
                          {"", 0, 0, 0, false},
                          {"Counties To Go", 7920, 4620, 1500, true},
                          {"", 0, 0, 0, false}}};
    p.showsStPrvCountry = false;
    p.ownPlaceCaption = QStringLiteral("SPC");
    p.operatingTimeCaption = QStringLiteral("Operating Time");
    p.scoreCaptions = {"Total PH Contacts ........", "Total CW/DG Contacts", "Total Multipliers ...........",
                       "Tot Score ...................."};
    p.digitalItem = QStringLiteral("&Digital");
    p.setupItem = true;
    p.loadMessage = QStringLiteral("Select a band and mode. Click Log \"Time On\" below!");
    p.workedList = {6360, 4860, 1500, 1800};
    p.toGoList = {7920, 4860, 1500, 1800};
    return p;
}

} // namespace

Outfrm::Outfrm(const WindowContext& context) : MainForm(context, outOfStateProfile())
{
    List1 = countiesToGo;
    Label10 = place(new QLabel(this), ControlKind::Label, 6360, 4260, 120, 255);
    Label10->hide();
    connect(List1, &SortedListBox::Click, this, &Outfrm::List1_Click);
    connect(List2, &SortedListBox::Click, this, &Outfrm::List2_Click);
}

std::vector<LogColumn> Outfrm::logColumns() const
{
    using F = LogColumn::Field;
    return {{QStringLiteral("Rec#"), 550, F::Record},     {QStringLiteral("Call"), 1200, F::Call},
            {QStringLiteral("Rec"), 430, F::RstRcvd},     {QStringLiteral("County"), 1420, F::County},
            {QStringLiteral("Snt"), 420, F::RstSent},     {QStringLiteral("Date/Time"), 900, F::DateTime},
            {QStringLiteral("Mo"), 430, F::Mode},         {QStringLiteral("Bnd"), 430, F::Band}};
}

QString Outfrm::reloadErrorText() const
{
    return QStringLiteral(
        "Error opening file.  This error is annoying but probably correctable.  In all likelihood, a "
        "character such as a quote got into your data or one of your entries has an invalid date/time "
        "format.  Close this program and open log.txt in the program's working directory with a text "
        "editor such as notepad.  Inspect the data and fix any errors you see (remove any extra quotes "
        "and make sure your date and time entries are valid).");
}

void Outfrm::loadWindowSpecific()
{
    const StationData& s = context().state.station;
    Label25->setText(s.OwnSpc.isEmpty() ? s.OwnCountry : s.OwnSpc);
    if (!s.OwnCall.isEmpty())
        Label2->setText(s.OwnCall);
    setReportLengths();
}

void Outfrm::setCountyCaptions()
{
    lblStation[5]->setText(QStringLiteral("Counties Worked - ") + QString::number(List2->ListCount()));
    lblStation[7]->setText(QStringLiteral("Counties To Go - ") + QString::number(List1->ListCount()));
}

void Outfrm::showReloadedLog()
{
    fillCountyLists();
    RefreshLogList();
    clocks->UpdateQsoRates();
    if (!tally().countiesFit()) {
        context().services.dialogs->messageBox(reloadErrorText(), QStringLiteral("File Error"));
        context().services.endProgram(1);
        return;
    }
    ShowScore();
}

MainForm::EarlierContact Outfrm::judgeEarlierContact(const LogEntry& earlier, qint32)
{
    const StationData& s = context().state.station;
    return onBandAndMode(earlier, s.CurrentBand, s.CurrentMode) ? EarlierContact::Duplicate : EarlierContact::Nothing;
}

QString Outfrm::dupeWarningText(const LogEntry& earlier, qint32 n) const
{
    return QStringLiteral("Duplicate Unless Rover!  ") + earlier.Call + QStringLiteral("  ") + earlier.Date
        + QStringLiteral("  ") + earlier.Time + QStringLiteral("   Rec#  ") + QString::number(n);
}

bool Outfrm::startContact()
{
    if (context().state.clock.TimedOn == 0)
        cmdLogOn_Click();
    return checkPostContestDateTime();
}

void Outfrm::runContactChecks(EntryFlags& flags)
{
    const AppState& state = context().state;
    flags.FieldMissing = refuse(missingFields(entryTexts(), false, state.station.HostState)) ? 1 : 0;
    flags.CountyInvalid = refuse(invalidCounty(state.tables, txtSec->text())) ? 1 : 0;
    CheckDupeOnLog();
}

void Outfrm::countMultipliers(const LogEntry& entry) { markCounty(context().state, entry.County); }

void Outfrm::countyPicked() { txtCall->setFocus(); }

void Outfrm::List1_Click() { pickCounty(List1); }

void Outfrm::List2_Click() { pickCounty(List2); }

void Outfrm::carryFromReportReceived(int& KeyAscii) { txtSec_KeyPress(KeyAscii); }
