// Logging the contact in the entry line: the checks, the duplicate rules, storing the
// contact and emptying the entry.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "entry/BandPlan.h"
#include "entry/DateTimeText.h"
#include "entry/DupeRules.h"
#include "entry/QsoRates.h"
#include "entry/Scoring.h"
#include "keying/KeyerSession.h"
#include "platform/EventWait.h"
#include "platform/Services.h"

#include <QPointer>

void MainForm::Mains()
{
    if (!startContact())
        return;
    AppState& state = context().state;
    EntryFlags& flags = state.entry;
    // The checks and the line below let events run (the hold after a duplicate, a
    // repaint): the program may close meanwhile, and this window is then deleted.
    const QPointer<MainForm> self(this);
    runContactChecks(flags);
    if (!self)
        return;
    const bool refused = flags.FieldMissing != 0 || flags.StateProvInvalid != 0 || flags.CountyInvalid != 0;
    const bool stored = !refused && flags.DupeFound == 0 && storeContact();
    if (!refused && (stored || flags.DupeFound == 1)) {
        clearEntryFields();
        txtCall->setFocus();
    }
    letEventsRun();
    if (!self)
        return;
    resetDupeLine();
    clocks->UpdateQsoRates();
    state.RigFrequencyText.clear();
    if (stored)
        contactStored();
}

bool MainForm::storeContact()
{
    AppState& state = context().state;
    if (m_log.full()) {
        beep();
        setDialog(QStringLiteral("The log is full: no more than 11000 contacts can be logged."));
        return false;
    }
    const auto [date, time] = contactDateTime();
    const LogEntry entry = contactRecord(state, entryTexts(), m_profile.inState, date, time);
    if (!appendNewContact(entry))
        return false;
    setDialogColor(DialogNormalColor);
    setDialog(QString());
    resetDupeLine();
    if (!entry.County.isEmpty())
        updateCountyListsFor(entry.County);
    addContactPoints(state.score, state.station.CurrentMode);
    RefreshLogList();
    countMultipliers(entry);
    letEventsRun();
    ShowScore();
    return true;
}

EntryTexts MainForm::entryTexts() const
{
    return {txtCall->text(), txtRSTR->text(), txtCntry->text(), txtSec->text(), txtRSTS->text()};
}

KeyField* MainForm::entryField(EntryField field) const
{
    switch (field) {
    case EntryField::Call: return txtCall;
    case EntryField::ReportReceived: return txtRSTR;
    case EntryField::StPrvCountry: return txtCntry;
    case EntryField::County: return txtSec;
    case EntryField::ReportSent: return txtRSTS;
    }
    return txtCall;
}

bool MainForm::refuse(const std::vector<Refusal>& refusals)
{
    for (const Refusal& r : refusals) {
        beep();
        setDialog(r.message);
        entryField(r.field)->setFocus();
    }
    return !refusals.empty();
}

bool MainForm::refuse(const std::optional<Refusal>& refusal)
{
    return refuse(refusal ? std::vector<Refusal>{*refusal} : std::vector<Refusal>{});
}

void MainForm::CheckDupeOnLog()
{
    AppState& state = context().state;
    state.entry.DupeFound = 0;
    const DuplicateScan scan = scanForDuplicate(state, entryTexts(), m_profile.inState);
    // What the earlier contacts filled in is selected, so that typing replaces it.
    for (const auto& [field, filled] : {std::pair{txtSec, scan.county}, std::pair{txtCntry, scan.stPrvCountry}}) {
        if (field->text().isEmpty() && !filled.isEmpty()) {
            field->setText(filled);
            field->selectAll();
        }
    }
    if (scan.duplicateOf == 0)
        return;
    const QPointer<MainForm> self(this); // the hold after a duplicate lets events run
    refuseDuplicate(scan.duplicateOf,
                    duplicateMessage(m_log.entry(scan.duplicateOf), scan.duplicateOf, m_profile.inState));
    if (!self)
        return;
    txtCall->setFocus();
    clearEntryFields();
}

void MainForm::DupCheck2()
{
    AppState& state = context().state;
    state.entry.DupeFound = 0;
    const bool listPrevious = mnuListPrevious->isChecked();
    std::vector<qint32> listed;
    for (qint32 n : contactsOf(state, txtCall->text())) {
        const LogEntry earlier = m_log.entry(n);
        if (listPrevious)
            listed.push_back(n);
        prefillFromContact(earlier);
        const EarlierContact verdict = judgeEarlierContact(earlier, n);
        if (verdict == EarlierContact::Refused)
            return;
        if (verdict == EarlierContact::Duplicate) {
            showDupeWarning(dupeWarningText(earlier, n));
            if (!listPrevious)
                return;
        }
    }
    if (listPrevious)
        showPreviousContacts(listed);
}

void MainForm::showDupeWarning(const QString& message)
{
    setDialog(message);
    setDialogColor(DialogRedColor);
    resetDupeLine();
    beep();
}

void MainForm::prefillFromContact(const LogEntry& earlier)
{
    if (txtSec->text().isEmpty()) {
        txtSec->setText(earlier.County);
        txtSec->selectAll();
    }
    if (m_profile.showsStPrvCountry && txtCntry->text().isEmpty()) {
        txtCntry->setText(earlier.Spc);
        txtCntry->selectAll();
    }
}

void MainForm::refuseDuplicate(qint32, const QString& message)
{
    AppState& state = context().state;
    showDupeWarning(message);
    context().navigation.prompt(QStringLiteral("Dupe"));
    if (state.station.VoiceNavigationLevel != 0) {
        // The operator hears "Dupe" before anything else happens; the program may close
        // meanwhile, this window with it. A prompt that fails is told by the voice
        // navigation window, which hears it from the session.
        const QPointer<MainForm> self(this);
        context().sessions.keyer->waitForPrompt();
        if (!self)
            return;
    }
    ++m_refusals;
    state.entry.DupeFound = 1;
    state.entry.LastDupeAt = context().services.clock->localNow();
    state.entry.LastDupeAtMs = context().services.clock->monotonicMs();
}

void MainForm::clearEntryFields()
{
    for (KeyField* f : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec})
        f->clear();
    for (QLabel* l : {Label19, Label22, Label23})
        l->clear();
    entryCleared();
}

void MainForm::ClearEntry()
{
    clearEntryFields();
    resetDupeLine();
    setDialogColor(DialogNormalColor);
    setDialog(QString());
    txtCall->setFocus();
}

void MainForm::pickCounty(const SortedListBox* list)
{
    if (list->currentItem() == nullptr)
        return;
    txtSec->setText(pickedItem(list));
    countyPicked();
}

QString MainForm::pickedItem(const SortedListBox* list) const
{
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : QString();
}

bool MainForm::checkPostContestDateTime()
{
    if (txtPostConTime->isHidden())
        return true;
    const QString date = logDateText(txtPostConDate->text(), context().services.environment->shortDateFormat());
    if (date.isEmpty()) {
        setDialog(QStringLiteral("Invalid date format!"));
        beep();
        return false;
    }
    txtPostConDate->setText(date);
    const PostContestTime time = readPostContestTime(txtPostConTime->text());
    txtPostConTime->setText(time.field);
    if (time.logged.isEmpty()) {
        setDialog(QStringLiteral("Invalid time format!"));
        beep();
        return false;
    }
    txtPostConTime->setText(time.logged);
    return true;
}

std::pair<QString, QString> MainForm::contactDateTime() const
{
    if (!txtPostConTime->isHidden())
        return {txtPostConDate->text(), txtPostConTime->text()};
    const StationData& s = context().state.station;
    const QDateTime utc = utcFromLocal(context().services.clock->localNow(),
                                       s.UtcOffsetHours);
    return {logDate(utc.date()), logTime(utc.time())};
}

bool MainForm::appendNewContact(const LogEntry& contact)
{
    QString error;
    if (m_log.append(contact, &error))
        return true;
    context().services.dialogs->messageBox(QStringLiteral("The contact was not logged.\r\n\r\n") + error,
                                           QStringLiteral("Unable to write file."));
    return false;
}

void MainForm::fillDefaultReports()
{
    const QString report = defaultReport(context().state.station.CurrentMode);
    for (KeyField* f : {txtRSTR, txtRSTS}) {
        if (f->text().isEmpty()) {
            f->setText(report);
            f->selectAll();
        }
    }
}
