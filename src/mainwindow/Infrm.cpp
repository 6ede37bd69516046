#include "mainwindow/Infrm.h"

#include "core/AppState.h"
#include "core/Preferences.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "entry/Scoring.h"
#include "entry/windows/frmCountyChange.h"
#include "mainwindow/LabelColors.h"
#include "platform/Colors.h"
#include "platform/Services.h"

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
    p.keyboardCwMessage = QStringLiteral("Press F12 to exit keyboard CW mode.");
    p.workedList = {7380, 4860, 960, 1800};
    p.toGoList = {8400, 4860, 960, 1800};
    p.enterResetsShortCall = true;
    return p;
}

} // namespace

Infrm::Infrm(const WindowContext& context) : MainForm(context, inStateProfile())
{
    List3 = countiesToGo;
    dxCountries = place(new SortedListBox(this), ControlKind::ListBox, 6360, 4860, 960, 1800);
    List1 = dxCountries;
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

void Infrm::showDXCount()
{
    lblStation[5]->setText(QStringLiteral("DX All - ") + QString::number(dxCountries->ListCount()));
}

void Infrm::FillDXList()
{
    dxCountries->setItems(tally().dxCountries());
    showDXCount();
}

// Each state and province label in the colour of worked or of not yet worked.
void Infrm::ColourStateLabels()
{
    const AppState& state = context().state;
    for (int i = 1; i <= 63; ++i) {
        const bool worked = state.score.WorkedMults[MultKindStateProv][size_t(i)] == 1;
        setTextColor(Label10[size_t(i)], quint32(worked ? state.station.WorkedColor : state.station.RemainingColor));
    }
}

void Infrm::showReloadedLog()
{
    ColourStateLabels();
    fillCountyLists();
    clocks->UpdateQsoRates();
    if (!tally().countiesFit() || !tally().dxFits()) {
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
    if (dxCountries->find(entry.Spc) < 0) {
        dxCountries->AddItem(entry.Spc);
        showDXCount();
    }
}

void Infrm::afterModeOrBandChange()
{
    if (!txtCall->text().isEmpty())
        txtCntry_Change();
}

void Infrm::countMultipliers(const LogEntry& entry)
{
    const AppState& state = context().state;
    if (isNewDXCountry(state.score, state.station.CurrentBand, entry.Spc))
        AddNewDXCountry(entry);
    if (entry.Spc.size() == 2)
        MarkNewMultipliers(entry);
}

void Infrm::Label10_Click(int index) { txtCntry->setText(Label10[size_t(index)]->text()); }

void Infrm::Label10_MouseMove(int index)
{
    const AppState& state = context().state;
    const qint32 count = contactsWithSpc(state, state.stateProv.StateProvAbbrev[size_t(index)]);
    QFont font = lblDupe->font();
    const double size = screen().sizeTwips().width() * 8.0 / ReferenceScreenWidth * state.station.FormSizePercent / 100.0;
    if (size > 0)
        font.setPointSizeF(size);
    lblDupe->setFont(font);
    lblDupe->setText(QStringLiteral("  ") + state.stateProv.StateProvName[size_t(index)]
                     + QStringLiteral("    Total = ") + QString::number(count));
}

void Infrm::List1_Click()
{
    if (dxCountries->currentItem() == nullptr)
        return;
    txtCntry->setText(dxCountries->currentItem()->text());
    txtCntry->setFocus();
}

void Infrm::countyPicked()
{
    txtCntry->setText(context().state.station.HostState);
    txtSec->setFocus();
}

void Infrm::List2_Click() { pickCounty(List2); }

void Infrm::List3_Click() { pickCounty(List3); }

void Infrm::mnuChangeCounty_Click()
{
    AppState& state = context().state;
    {
        frmCountyChange change(context());
        change.Form_Load();
        change.showModal();
    }
    SavePrefFile(state, context().services.fileWriter.get());
    setOwnCountyCaption(state.station.OwnCounty);
}
