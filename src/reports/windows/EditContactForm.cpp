#include "reports/windows/EditContactForm.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/NumberFormat.h"
#include "core/forms/FormScaler.h"
#include "entry/BandPlan.h"
#include "entry/DateTimeText.h"
#include "entry/DupeRules.h"
#include "entry/Scoring.h"
#include "entry/windows/FieldCompletion.h"
#include "entry/windows/InvalidLabel.h"
#include "platform/Services.h"

namespace {

constexpr float FirstRowTop = 840;
constexpr float RowStep = 360;
constexpr float BoxWidth = 1335;

float rowTop(int row) { return FirstRowTop + float(row - 1) * RowStep; }

// Whether a stored frequency (MHz as text) lies in the band; an empty one does.
bool frequencyInBand(const QString& frequency, const QString& band)
{
    if (frequency.trimmed().isEmpty())
        return true;
    const std::optional<double> mhz = parsePlainNumber(frequency);
    return mhz && bandForFrequency(*mhz).compare(band, Qt::CaseInsensitive) == 0;
}

} // namespace

EditContactForm::EditContactForm(const WindowContext& context, float clientWidth, float clientHeight,
                                 qint32 EditEntryIndex, std::function<void()> deleteContact)
    : Form(context, QStringLiteral("Edit Contact Entry"), clientWidth, clientHeight),
      EditEntryIndex(EditEntryIndex), m_deleteContact(std::move(deleteContact))
{
    setWindowFlags(Qt::Dialog);
    lblEditTitle = place(new QLabel(QStringLiteral("Edit Contact:"), this), ControlKind::Label, 840, 360, 2160, 300,
                         9.75f);
    QFont bold = lblEditTitle->font();
    bold.setBold(true);
    lblEditTitle->setFont(bold);
    Label1 = addMarker(1, QStringLiteral("  Dupe!"));
    cmdDeleteDupe = place(new QPushButton(QStringLiteral("Delete Dupe"), this), ControlKind::CommandButton, 40,
                          1080, 735, 495);
    cmdDeleteDupe->hide();
    connect(cmdDeleteDupe, &QPushButton::clicked, this, &EditContactForm::cmdDeleteDupe_Click);
}

KeyField* EditContactForm::addRow(int row, const char* caption, QString LogEntry::*field, bool trimmed,
                                  float boxLeft, float captionWidth)
{
    place(new QLabel(QString::fromLatin1(caption), this), ControlKind::Label, 840, rowTop(row) + 30, captionWidth,
          255);
    auto* box = place(new KeyField(this), ControlKind::TextBox, boxLeft, rowTop(row), BoxWidth - (boxLeft - 1800),
                      285);
    m_boxes.push_back({box, field, trimmed});
    return box;
}

QLabel* EditContactForm::addMarker(int row, const QString& caption)
{
    // Clear of "Delete Dupe", which reaches up to the first row's bottom.
    auto* marker = place(new QLabel(caption, this), ControlKind::Label, 0, rowTop(row) + 15, 795, 225, 8.25f);
    controlFor(marker)->FontName = QStringLiteral("Arial");
    styleInvalidLabel(marker);
    return marker;
}

void EditContactForm::finishLayout(float doneTop)
{
    cmdDone = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 960, doneTop, 1335,
                    375);
    connect(cmdDone, &QPushButton::clicked, this, &EditContactForm::cmdDone_Click);
    for (KeyField* box : {txtEditCall, txtEditCk, txtEditNum, txtEditBnd, Text1})
        capKeys(box);
    digitKeys(txtEditDate, 47, 57);
    digitKeys(txtEditTime, 48, 58);
    txtEditDate->validate = [this] { return txtEditDate_LostFocus(); };
    txtEditTime->validate = [this] { return txtEditTime_LostFocus(); };
    txtEditBnd->validate = [this] { return txtEditBnd_LostFocus(); };
    Text1->validate = [this] { return Text1_LostFocus(); };
    QWidget* previous = m_boxes.front().box;
    for (size_t i = 1; i < m_boxes.size(); ++i) {
        setTabOrder(previous, m_boxes[i].box);
        previous = m_boxes[i].box;
    }
    setTabOrder(previous, cmdDone);
    setTabOrder(cmdDone, cmdDeleteDupe);
}

void EditContactForm::Form_Load()
{
    ResizeFormToScreen(*this);
    const LogEntry& stored = storedEntry();
    for (const EditBox& b : m_boxes)
        b.box->setText(stored.*b.field);
    m_boxes.front().box->setFocus();
}

const LogEntry& EditContactForm::storedEntry() const
{
    return context().state.log.Log[size_t(EditEntryIndex)];
}

void EditContactForm::beep() { context().services.beeper->beep(); }

// ---- keys ----

void EditContactForm::Cap2(int& KeyAscii) { KeyToUpper(KeyAscii); }

bool EditContactForm::commonKeyStart(int& KeyAscii)
{
    if (KeyAscii == 34)
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
    }
    return KeyAscii != 0;
}

void EditContactForm::capKeys(KeyField* box)
{
    box->keyPress = [this](int& k) {
        if (commonKeyStart(k))
            Cap2(k);
    };
    box->pasteInCapitals();
}

void EditContactForm::digitKeys(KeyField* box, int lowest, int highest)
{
    box->keyPress = [this, lowest, highest](int& k) {
        if (!commonKeyStart(k))
            return;
        if (k == 8 || (k >= lowest && k <= highest))
            Cap2(k);
        else
            k = 0;
    };
}

void EditContactForm::countyKeyPress(KeyField* box, int& KeyAscii)
{
    if (!commonKeyStart(KeyAscii) || isShortcut(KeyAscii))
        return;
    const int caret = box->selStart();
    if (KeyAscii != 32 && caret == 0)
        box->clear();
    KeyToUpper(KeyAscii);
    const ReferenceTables& tables = context().state.tables;
    completeCountyField(*box, tables, SearchFrom::LastEntry, KeyAscii);
}

// ---- checks ----

bool EditContactForm::unchanged(const KeyField* box) const
{
    for (const EditBox& b : m_boxes) {
        if (b.box == box)
            return box->text() == storedEntry().*b.field;
    }
    return false;
}

bool EditContactForm::markedCheck(const KeyField* box, QLabel* marker, bool accepted)
{
    marker->hide();
    if (accepted || unchanged(box))
        return true;
    beep();
    marker->show();
    return false;
}

bool EditContactForm::txtEditCall_Check()
{
    const QString call = txtEditCall->text().trimmed();
    if (call.size() >= 3 || (!call.isEmpty() && unchanged(txtEditCall)))
        return true;
    beep();
    context().services.dialogs->messageBox(QStringLiteral("Need Call Sign!"), windowTitle());
    return false;
}

bool EditContactForm::Text1_LostFocus() { return markedCheck(Text1, Label6, isContestBand(Text1->text())); }

bool EditContactForm::txtEditBnd_LostFocus()
{
    return markedCheck(txtEditBnd, Label3, isContestMode(txtEditBnd->text()));
}

bool EditContactForm::countyLostFocus(const KeyField* box, QLabel* marker, bool emptyPasses)
{
    AppState& state = context().state;
    const bool empty = emptyPasses && box->text().isEmpty();
    state.entry.CountyInvalid = empty || isCountyAbbreviation(state.tables, box->text()) ? 0 : 1;
    return markedCheck(box, marker, state.entry.CountyInvalid == 0);
}

bool EditContactForm::dateTimeCheck(const KeyField* box, bool accepted, const QString& message,
                                    const QString& title)
{
    if (accepted || unchanged(box))
        return true;
    beep();
    context().services.dialogs->messageBox(message, title);
    return false;
}

QString EditContactForm::typedDate() const
{
    return logDateText(txtEditDate->text(), context().services.environment->shortDateFormat());
}

bool EditContactForm::txtEditDate_LostFocus()
{
    return dateTimeCheck(txtEditDate, !typedDate().isEmpty(),
                         QStringLiteral("You have entered an invalid date format!"),
                         QStringLiteral("Invalid Date Format!"));
}

bool EditContactForm::txtEditTime_LostFocus()
{
    return dateTimeCheck(txtEditTime, !logTimeText(txtEditTime->text()).isEmpty(),
                         QStringLiteral("You have entered an invalid time format!"),
                         QStringLiteral("Invalid Time Format!"));
}

std::vector<EditContactForm::Check> EditContactForm::doneChecks()
{
    return {{txtEditCall, [this] { return txtEditCall_Check(); }},
            {txtEditTime, [this] { return txtEditTime_LostFocus(); }},
            {txtEditDate, [this] { return txtEditDate_LostFocus(); }},
            {txtEditBnd, [this] { return txtEditBnd_LostFocus(); }},
            {Text1, [this] { return Text1_LostFocus(); }}};
}

// ---- Done and Delete Dupe ----

LogEntry EditContactForm::editedEntry() const
{
    LogEntry edited = storedEntry();
    for (const EditBox& b : m_boxes) {
        const QString text = b.box->text();
        QString value = b.trimmed ? text.trimmed() : text;
        const bool county = b.field == &LogEntry::County || b.field == &LogEntry::CountySent;
        if (county && !unchanged(b.box))
            value = value.toUpper();
        edited.*b.field = value;
    }
    if (!unchanged(txtEditDate))
        edited.Date = typedDate();
    if (!unchanged(txtEditTime))
        edited.Time = logTimeText(txtEditTime->text());
    if (!unchanged(Text1) && !frequencyInBand(edited.Frequency, edited.Band))
        edited.Frequency.clear();
    return edited;
}

bool EditContactForm::scanForDuplicates(const LogEntry& edited)
{
    const AppState& state = context().state;
    DupeQuery query;
    query.call = edited.Call;
    query.county = edited.County;
    query.band = edited.Band;
    query.mode = edited.Mode;
    query.compareCountySent = comparesCountySent();
    query.ownCounty = edited.CountySent;
    const std::vector<qint32> dupes = findLogDupes(state, query, EditEntryIndex);
    for (size_t i = 0; i < dupes.size(); ++i) {
        Label1->show();
        cmdDeleteDupe->show();
        beep();
    }
    if (dupes.empty())
        Label1->hide();
    return dupes.empty();
}

void EditContactForm::cmdDone_Click()
{
    beforeDoneChecks();
    for (const Check& check : doneChecks()) {
        if (!check.passes()) {
            check.box->setFocus();
            return;
        }
    }
    const LogEntry edited = editedEntry();
    const bool noDupe = scanForDuplicates(edited);
    const bool valid = finalDoneTest();
    if (!noDupe || !valid)
        return;
    context().state.log.Log[size_t(EditEntryIndex)] = edited;
    hide();
}

void EditContactForm::cmdDeleteDupe_Click()
{
    hide();
    if (m_deleteContact)
        m_deleteContact();
}
