#include "mainwindow/Outfrm.h"

#include "core/AppState.h"
#include "entry/DupeRules.h"
#include "entry/Scoring.h"
#include "platform/Services.h"

#include <QCoreApplication>

Outfrm::Outfrm(const WindowContext& context) : MainForm(context, false)
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

void Outfrm::ReloadLog()
{
    if (!reloadCommon())
        return;
    fillCountyLists();
    RefreshLogList();
    clocks->UpdateQsoRates();
    if (!recountMultipliers(context().state)) {
        context().services.dialogs->messageBox(reloadErrorText(), QStringLiteral("File Error"));
        context().services.endProgram(1);
        return;
    }
    ShowScore();
}

void Outfrm::DupCheck2()
{
    AppState& state = context().state;
    const bool listPrevious = mnuListPrevious->isChecked();
    std::vector<qint32> listed;
    for (qint32 n : contactsOf(state, txtCall->text())) {
        const LogEntry& e = state.log.Log[size_t(n)];
        if (listPrevious)
            listed.push_back(n);
        prefillFromContact(e);
        if (e.Band.compare(state.station.CurrentBand, Qt::CaseInsensitive) == 0
            && e.Mode.compare(state.station.CurrentMode, Qt::CaseInsensitive) == 0) {
            showDupeWarning(QStringLiteral("Duplicate Unless Rover!  ") + e.Call + QStringLiteral("  ") + e.Date
                            + QStringLiteral("  ") + e.Time + QStringLiteral("   Rec#  ") + QString::number(n));
            if (!listPrevious)
                break;
        }
    }
    if (listPrevious)
        showPreviousContacts(listed);
}

void Outfrm::Mains()
{
    AppState& state = context().state;
    if (state.clock.TimedOn == 0)
        cmdLogOn_Click();
    if (!checkPostContestDateTime())
        return;
    EntryFlags& flags = state.entry;
    flags.FieldMissing = refuse(missingFields(entryTexts(), false, state.station.HostState)) ? 1 : 0;
    flags.CountyInvalid = refuse(invalidCounty(state.tables, txtSec->text())) ? 1 : 0;
    CheckDupeOnLog();
    const bool passed = flags.FieldMissing == 0 && flags.DupeFound == 0 && flags.StateProvInvalid == 0
        && flags.CountyInvalid == 0;
    bool stored = false;
    if (passed) {
        if (LogEntry* slot = newContactSlot()) {
            const auto [date, time] = contactDateTime();
            *slot = contactRecord(state, entryTexts(), false, date, time);
            if (appendNewContact()) {
                stored = true;
                setDialogColor(DialogNormalColor);
                setDialog(QString());
                resetDupeLine();
                addContactPoints(state.score, state.station.CurrentMode);
                RefreshLogList();
                updateCountyListsFor(slot->County);
                markCounty(state, slot->County);
                QCoreApplication::processEvents();
                ShowScore();
            }
        }
    }
    if (flags.FieldMissing == 0 && flags.StateProvInvalid == 0 && flags.CountyInvalid == 0
        && (stored || flags.DupeFound == 1)) {
        clearEntryFields();
        txtCall->setFocus();
    }
    QCoreApplication::processEvents();
    resetDupeLine();
    clocks->UpdateQsoRates();
    state.RigFrequencyText.clear();
}

void Outfrm::ClearEntry()
{
    clearEntryFields();
    resetDupeLine();
    setDialogColor(DialogNormalColor);
    setDialog(QString());
    txtCall->setFocus();
}

void Outfrm::pickCounty(const SortedListBox* list)
{
    if (list->currentItem() == nullptr)
        return;
    txtSec->setText(pickedItem(list));
    txtCall->setFocus();
}

void Outfrm::List1_Click() { pickCounty(List1); }

void Outfrm::List2_Click() { pickCounty(List2); }

void Outfrm::carryFromReportReceived(int& KeyAscii) { txtSec_KeyPress(KeyAscii); }
