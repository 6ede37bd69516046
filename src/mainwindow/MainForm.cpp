#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/LogStore.h"
#include "core/NumberFormat.h"
#include "core/Preferences.h"
#include "core/Tables.h"
#include "core/WorkFiles.h"
#include "core/forms/FormScaler.h"
#include "core/forms/HandlerOrder.h"
#include "core/forms/Navigation.h"
#include "entry/BandPlan.h"
#include "entry/CallSigns.h"
#include "entry/DateTimeText.h"
#include "entry/DupeRules.h"
#include "entry/QsoRates.h"
#include "entry/Scoring.h"
#include "entry/windows/ClockRatesPanel.h"
#include "entry/windows/FieldCompletion.h"
#include "entry/windows/frmCountyList.h"
#include "keying/windows/BlindFrm.h"
#include "platform/Colors.h"
#include "platform/FileLookup.h"
#include "platform/Services.h"
#include "reports/AdifExport.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLocale>

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    Q_EMIT clicked();
}

void ClickLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    Q_EMIT hovered();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    Q_EMIT hovered();
}

namespace {

const QString WindowTitle =
    QStringLiteral("Vexol's Brevant Log 2.3                    www.vexolsoftware.example");

void setBackground(QLabel* label, quint32 color)
{
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, qcolorFromColorValue(color));
    label->setPalette(palette);
}

void setTextColor(QLabel* label, quint32 color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, qcolorFromColorValue(color));
    label->setPalette(palette);
}

void whiteOnDarkBlue(QLabel* label)
{
    setBackground(label, 0x800000);
    setTextColor(label, 0xFFFFFF);
}

} // namespace

MainForm::MainForm(const WindowContext& context, const LogWindowProfile& profile)
    : Form(context, WindowTitle, 9600, 7200), m_profile(profile)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setOuterFrame(true);
    setMouseTracking(true);
    buildMenus();
    buildControls();
}

MainForm::~MainForm() { context().navigation.form1().detach(*this); }

void MainForm::buildMenus()
{
    menuBar = new QMenuBar(this);
    auto never = [](QAction* item) { item->setEnabled(false); };

    mnuFile = menuBar->addMenu(QStringLiteral("&File"));
    mnuNew = mnuFile->addAction(QStringLiteral("&New"));
    mnuFile->addSeparator();
    mnuArchive = mnuFile->addAction(QStringLiteral("Archive Current &Log"));
    mnuFile->addSeparator();
    mnuRestore = mnuFile->addAction(QStringLiteral("&Restore from Archive or Backup"));
    mnuFile->addSeparator();
    never(mnuFile->addAction(QStringLiteral("&Open")));
    mnuWriteSumm = mnuFile->addAction(QStringLiteral("&Write Submission File"));
    mnuFile->addSeparator();
    never(mnuFile->addAction(QStringLiteral("E&xport for Pirow Import")));
    mnuexportADIF = mnuFile->addAction(QStringLiteral("Export &ADIF File"));
    mnuFile->addSeparator();
    mnuCopyListtoClipboard = mnuFile->addAction(QStringLiteral("&Copy Listed Items to Clipboard"));
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("&Exit"));
    connect(mnuNew, &QAction::triggered, this, &MainForm::mnuNew_Click);
    connect(mnuArchive, &QAction::triggered, this, &MainForm::mnuArchive_Click);
    connect(mnuRestore, &QAction::triggered, this, &MainForm::mnuRestore_Click);
    connect(mnuWriteSumm, &QAction::triggered, this, &MainForm::mnuWriteSumm_Click);
    connect(mnuexportADIF, &QAction::triggered, this, &MainForm::mnuexportADIF_Click);
    connect(mnuCopyListtoClipboard, &QAction::triggered, this, &MainForm::mnuCopyListtoClipboard_Click);
    connect(mnuExit, &QAction::triggered, this, &MainForm::mnuExit_Click);

    mnuOptions = menuBar->addMenu(QStringLiteral("&Options"));
    QMenu* appearance = mnuOptions->addMenu(QStringLiteral("&Appearance"));
    mnuFormSize = appearance->addAction(QStringLiteral("&Form Size"));
    mnuColors = appearance->addAction(QStringLiteral("&Colors"));
    mnuTaskbar = appearance->addAction(QStringLiteral("&Taskbar"));
    mnuTaskbar->setCheckable(true);
    mnuColors->setEnabled(m_profile.colorsItem);
    connect(mnuFormSize, &QAction::triggered, this, &MainForm::mnuFormSize_Click);
    connect(mnuColors, &QAction::triggered, this, &MainForm::mnuColors_Click);
    connect(mnuTaskbar, &QAction::triggered, this, &MainForm::mnuTaskbar_Click);
    mnuOptions->addSeparator();
    mnuListPrevious = mnuOptions->addAction(QStringLiteral("&List Previous Contacts"));
    mnuListPrevious->setCheckable(true);
    connect(mnuListPrevious, &QAction::triggered, this, &MainForm::mnuListPrevious_Click);
    mnuOptions->addSeparator();
    mnuPostContest = mnuOptions->addAction(QStringLiteral("&Post Contest Mode"));
    mnuPostContest->setCheckable(true);
    connect(mnuPostContest, &QAction::triggered, this, &MainForm::mnuPostContest_Click);

    if (m_profile.setupItem)
        never(menuBar->addAction(QStringLiteral("&Setup")));

    mnuBandChange = menuBar->addMenu(QStringLiteral("&Band"));
    for (const QString& name : contestBands()) {
        QAction* item = mnuBandChange->addAction(name);
        item->setCheckable(true);
        bandItems[name] = item;
        connect(item, &QAction::triggered, this, [this, name] { selectBand(name); });
    }
    mnuBand = menuBar->addMenu(QStringLiteral("&Mode"));
    mnu160 = mnuBand->addAction(QStringLiteral("&CW"));
    mnuSSB = mnuBand->addAction(QStringLiteral("&PH"));
    mnuDigital = mnuBand->addAction(m_profile.digitalItem);
    modeItems = {{QStringLiteral("CW"), mnu160}, {QStringLiteral("PH"), mnuSSB}, {QStringLiteral("DG"), mnuDigital}};
    for (const auto& [mode, item] : modeItems) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, mode] { selectMode(mode); });
    }

    mnuClear = menuBar->addAction(QStringLiteral("&Clear"));
    connect(mnuClear, &QAction::triggered, this, [this] { ClearEntry(); });
    if (m_profile.changeCountyItem)
        mnuChangeCounty = menuBar->addAction(QStringLiteral("Cha&nge County"));
    mnuMap = menuBar->addAction(QStringLiteral("M&ap"));
    connect(mnuMap, &QAction::triggered, this, &MainForm::mnuMap_Click);
    mnuGraph = menuBar->addAction(QStringLiteral("&Graph"));
    connect(mnuGraph, &QAction::triggered, this, &MainForm::mnuGraph_Click);
    mnuRecall = menuBar->addAction(QStringLiteral("&Recall"));
    connect(mnuRecall, &QAction::triggered, this, &MainForm::mnuRecall_Click);
    mnuCountyList = menuBar->addAction(QStringLiteral("L&ist"));
    connect(mnuCountyList, &QAction::triggered, this, &MainForm::mnuCountyList_Click);
    mnuHelp = menuBar->addAction(QStringLiteral("&Help"));
    connect(mnuHelp, &QAction::triggered, this, &MainForm::mnuHelp_Click);
}

QLabel* MainForm::addLabel(const QString& text, float left, float top, float width, float height)
{
    return place(new QLabel(text, this), ControlKind::Label, left, top, width, height);
}

void MainForm::buildControls()
{
    buildEntryLine();
    buildMessageLines();
    buildStationAndScore();
    buildLogList();
    buildCountyLists();
    connectEntryFields();
}

void MainForm::buildEntryLine()
{
    for (size_t i = 0; i < m_profile.stationCaptions.size(); ++i) {
        const LogWindowProfile::Caption& c = m_profile.stationCaptions[i];
        lblStation[i] = addLabel(QString::fromLatin1(c.text), c.left, c.top, c.width);
        lblStation[i]->setVisible(c.shown);
    }
    for (int i : {5, 7, 8})
        controlFor(lblStation[size_t(i)])->FontSize = 6.5f;

    auto field = [this](float left, float width, int maxLength) {
        KeyField* f = place(new KeyField(this), ControlKind::TextBox, left, 660, width, 375, 12);
        f->setMaxLength(maxLength);
        return f;
    };
    txtCall = field(120, 1560, 12);
    txtCall->setToolTip(QStringLiteral("If mobile, enter CALL/M ex: Vexol/M"));
    txtRSTR = field(1800, 720, 3);
    txtCntry = field(2640, 1440, 30);
    txtSec = field(4200, 1080, 20);
    txtRSTS = field(5400, 720, 3);
    lblPostConTime = addLabel(QStringLiteral("Time"), 1200, 1110, 540);
    txtPostConTime = place(new KeyField(this), ControlKind::TextBox, 1800, 1080, 720, 315);
    lblPostConDate = addLabel(QStringLiteral("Date"), 2640, 1110, 540);
    txtPostConDate = place(new KeyField(this), ControlKind::TextBox, 3240, 1080, 1440, 315);
    txtPostConTime->setMaxLength(5);
    txtPostConDate->setMaxLength(10);
    for (QWidget* w : std::initializer_list<QWidget*>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate})
        w->hide();
    txtCntry->setVisible(m_profile.showsStPrvCountry);
    setTabOrder(txtCall, txtRSTR);
    setTabOrder(txtRSTR, txtCntry);
    setTabOrder(txtCntry, txtSec);
    setTabOrder(txtSec, txtRSTS);
    setTabOrder(txtRSTS, txtPostConTime);
    setTabOrder(txtPostConTime, txtPostConDate);
}

void MainForm::buildMessageLines()
{
    lblDialog = addLabel(QString(), 120, 1440, 6120, 300);
    setBackground(lblDialog, DialogNormalColor);
    lblDialog->setToolTip(QStringLiteral(
        "It is not necessary to press Space or Tab to tab unless the Callsign includes a \"/\"."));
    lblPossDup = addLabel(QStringLiteral("Possible Duplicates"), 120, 1780, 1800);
    lblDupe = addLabel(QString(), 120, 2020, 6120, 300);
    setBackground(lblDupe, ColorButtonFace);

    Label17 = addLabel(QStringLiteral("Bearing"), 120, 2340, 840);
    Label18 = addLabel(QStringLiteral("Miles"), 1080, 2340, 840);
    Label22 = addLabel(QString(), 120, 2580, 840);
    Label23 = addLabel(QString(), 1080, 2580, 840);
    Label19 = addLabel(QString(), 2040, 2580, 600);
    for (QLabel* l : {Label19, Label22, Label23})
        whiteOnDarkBlue(l);
    Label3 = addLabel(QStringLiteral("New"), 2760, 2580, 600);
    setTextColor(Label3, 0x0000FF);
    Label3->hide();
    for (QLabel* l : {Label17, Label18, Label19, Label22, Label23})
        l->setVisible(m_profile.showsStPrvCountry);
}

void MainForm::buildStationAndScore()
{
    Label2 = addLabel(QStringLiteral("CALL"), 6360, 420, 1560, 375);
    Label25 = addLabel(m_profile.ownPlaceCaption, 8040, 420, 1320, 375);
    if (m_profile.ownPlaceOnDarkBlue)
        whiteOnDarkBlue(Label25);
    Label21 = addLabel(QStringLiteral("Band"), 6360, 900, 720);
    Label24 = place(new ClickLabel(QStringLiteral("160"), this), ControlKind::Label, 6360, 1140, 720, 300);
    lblBandSwitch = addLabel(QStringLiteral("Mode"), 7200, 900, 720);
    Label30 = place(new ClickLabel(QString(), this), ControlKind::Label, 7200, 1140, 720, 300);
    Label30->setToolTip(QStringLiteral("Click to change modes."));
    connect(Label24, &ClickLabel::clicked, this, &MainForm::Label24_Click);
    connect(Label30, &ClickLabel::clicked, this, &MainForm::Label30_Click);
    cmdLogOn = place(new QPushButton(QStringLiteral("&Log \"Time On\""), this), ControlKind::CommandButton,
                     8040, 900, 1320, 495);
    cmdLogOn->setToolTip(QStringLiteral("Records On/Off times and controls duration clock."));
    connect(cmdLogOn, &QPushButton::clicked, this, &MainForm::cmdLogOn_Click);

    clocks = new ClockRatesPanel(*this, {6360, 1560}, {m_profile.operatingTimeCaption});

    QLabel** scoreLabels[] = {&lblTotCon, &lblsectogo, &lblTotSec, &lblTotScore};
    for (size_t i = 0; i < 4; ++i) {
        const float top = 3360 + float(i) * 300;
        addLabel(QString::fromLatin1(m_profile.scoreCaptions[i]), 6360, top, 1920);
        *scoreLabels[i] = addLabel(QString(), 8400, top, 960);
        (*scoreLabels[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

void MainForm::buildLogList()
{
    lblRecentContacts = addLabel(QStringLiteral("Recent Contacts"), 120, 2880, 1800);
    logModel = new LogListModel(context().state, this);
    ListView1 = place(new QTreeView(this), ControlKind::ListView, 120, 3120, 6120, 2160);
    ListView1->setModel(logModel);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setToolTip(QStringLiteral("Click record to edit or delete."));
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);
    // A click anywhere in the list, below its rows too, and the list losing the focus.
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        logModel->sortOnce(column);
    });

    auto button = [this](const QString& text, float left, float width) {
        return place(new QPushButton(text, this), ControlKind::CommandButton, left, 5340, width, 375);
    };
    cmdList = button(QStringLiteral("Last 20"), 120, 960);
    cmdList->setToolTip(QStringLiteral("List all or last 20 contacts (Listing all will slow the program)"));
    cmdDup = button(QStringLiteral("On"), 1200, 720);
    cmdDup->setToolTip(QStringLiteral("Displaying partial dupes slows the program on older pc's."));
    cmdEdit = button(QStringLiteral("Edit Contact"), 2040, 1320);
    cmdDelete = button(QStringLiteral("Delete Contact"), 3480, 1320);
    cmdEdit->hide();
    cmdDelete->hide();
    connect(cmdList, &QPushButton::clicked, this, &MainForm::cmdList_Click);
    connect(cmdDup, &QPushButton::clicked, this, &MainForm::cmdDup_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &MainForm::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &MainForm::cmdDelete_Click);

    txtDX = place(new QTreeView(this), ControlKind::ListView, 120, 5820, 6120, 1140);
    txtDX->setRootIsDecorated(false);
    txtDX->hide();
    Line3 = addLine(6360, 6720, 9360, 6720);
}

void MainForm::buildCountyLists()
{
    auto list = [this](const QRectF& r) {
        return place(new SortedListBox(this), ControlKind::ListBox, float(r.left()), float(r.top()),
                     float(r.width()), float(r.height()));
    };
    List2 = list(m_profile.workedList);
    countiesToGo = list(m_profile.toGoList);
}

void MainForm::connectEntryFields()
{
    // The entry fields' keys: the window's preview first, then the field's own handler.
    for (KeyField* f : {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS, txtPostConTime, txtPostConDate})
        f->keyPreview = [this](int& k) { Form_KeyPress(k); };
    txtCall->keyPress = [this](int& k) { txtCall_KeyPress(k); };
    txtRSTR->keyPress = [this](int& k) { txtRSTR_KeyPress(k); };
    txtSec->keyPress = [this](int& k) { txtSec_KeyPress(k); };
    txtRSTS->keyPress = [this](int& k) { txtRSTS_KeyPress(k); };
    txtPostConTime->keyPress = [this](int& k) { postContestKeyPress(txtPostConTime, k, 48, 58); };
    txtPostConDate->keyPress = [this](int& k) { postContestKeyPress(txtPostConDate, k, 47, 57); };
    txtPostConTime->gotFocus = [this] { txtPostConTime->selectAll(); };
    txtCall->lostFocus = [this] { txtCall_LostFocus(); };
    txtCall->gotFocus = [this] { txtCall_GotFocus(); };
    txtRSTR->gotFocus = [this] { fieldPrompt(QStringLiteral("RstRcvd")); };
    txtRSTS->gotFocus = [this] { fieldPrompt(QStringLiteral("RstSnt")); };
    txtSec->gotFocus = [this] { txtSec_GotFocus(); };
    connect(txtCall, &QLineEdit::textChanged, this, [this] { txtCall_Change(); });
    connect(txtRSTS, &QLineEdit::textChanged, this, [this] { txtRSTS_Change(); });
    txtPostConDate->gotFocus = [this] {
        if (!txtPostConDate->text().isEmpty())
            return;
        txtPostConDate->setText(logDate(context().services.clock->localNow().date()));
        txtPostConDate->selectAll();
    };
}

void MainForm::applyGeometry2()
{
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, width(), menuHeight);
    fitLogColumns();
}

void MainForm::fitLogColumns()
{
    // The design widths are the least a column gets; one whose title or text does not fit
    // in the font on screen is widened to it. Where the design widths and the widened ones
    // add up to more than the list is wide (the rover's tenth column), the columns with room
    // to spare narrow toward their text, so every column shows without scrolling sideways.
    const Control* control = controlFor(ListView1);
    const double perPixel = screen().twipsPerPixelX();
    QHeaderView* header = ListView1->header();
    const QAbstractItemView* view = ListView1;
    const int count = std::min(header->count(), int(control->ColumnWidths.size()));
    std::vector<int> least;
    std::vector<int> needed;
    for (int i = 0; i < count; ++i) {
        least.push_back(int(std::lround(control->ColumnWidths[size_t(i)] / perPixel)));
        needed.push_back(std::max(header->sectionSizeHint(i), view->sizeHintForColumn(i)));
    }
    const std::vector<int> widths = fitColumnWidths(least, needed, logListRoom());
    for (int i = 0; i < count; ++i)
        header->resizeSection(i, widths[size_t(i)]);
}

int MainForm::logListRoom() const
{
    // The inside of the list's frame, less the vertical scroll bar when the rows need it.
    const int frame = 2 * ListView1->frameWidth();
    const int rowsRoom = ListView1->height() - frame - ListView1->header()->sizeHint().height();
    const int rowsHeight = std::max(ListView1->sizeHintForRow(0), 0) * logModel->rowCount();
    int room = ListView1->width() - frame;
    if (rowsHeight > rowsRoom)
        room -= ListView1->verticalScrollBar()->sizeHint().width();
    return room;
}

// ---- load ----

void MainForm::Form_Load()
{
    context().navigation.form1().attach(*this);
    AppState& state = context().state;
    StationData& s = state.station;
    Label3->hide();

    LocalScaling scaling;
    scaling.windowFont = LocalScaling::WindowFont::NewWidthRatio;
    scaling.controlFont = LocalScaling::ControlFont::Smaller;
    scaling.scaledKinds = {ControlKind::Label, ControlKind::TextBox, ControlKind::CommandButton,
                           ControlKind::ListBox, ControlKind::ListView, ControlKind::Frame,
                           ControlKind::OptionButton, ControlKind::CheckBox};
    scaling.fontKinds = scaling.scaledKinds;
    ScaleFormLocally(*this, scaling);
    applyGeometry2();
    FitListHeights();

    setDialog(m_profile.loadMessage);
    createListColumns();
    PartialDupesOn = 1;
    // Any size but the full one goes through the percentage layout, which also turns a
    // size outside 30 to 100 (a first run's 0, an edited 150) into 100 and saves it.
    if (s.FormSizePercent != 100)
        ApplyFormSizePercent();
    loadWindowSpecific();
    showSavedBandAndMode();
    if (s.ListPreviousContacts == 1)
        mnuListPrevious->setChecked(true);

    qint32 countiesLeftOut = 0;
    if (!LoadCountyTable(state, &countiesLeftOut)) {
        // Reported, and the load goes on: the log is still loaded and shown.
        context().services.dialogs->messageBox(QStringLiteral("Error opening file"),
                                               QStringLiteral("Error opeining file"));
    }
    if (countiesLeftOut > 0)
        reportCountiesLeftOut(countiesLeftOut);
    PromptOpenExistingLog();
    clocks->showStoredOperatingTime();
    ReloadLog();
    ApplyFullScreenLayout();
    show();
    clocks->start();
    clocks->Timer2_Timer();
    txtCall->setFocus();
}

void MainForm::createListColumns()
{
    const double widthRatio = double(Width) / 9600.0;
    const double perPixel = screen().twipsPerPixelX();
    auto apply = [&](QTreeView* view, const std::vector<float>& designWidths) {
        Control* control = controlFor(view);
        control->ColumnWidths.clear();
        for (size_t i = 0; i < designWidths.size(); ++i) {
            const float twips = float(designWidths[i] * widthRatio);
            control->ColumnWidths.push_back(twips);
            view->header()->resizeSection(int(i), int(twips / perPixel));
        }
    };
    logModel->setColumns(logColumns());
    std::vector<float> logWidths;
    for (const LogColumn& c : logModel->columns())
        logWidths.push_back(c.designWidth);
    apply(ListView1, logWidths);
    // The spot list's columns; the spots themselves arrive with the spotting window.
    apply(txtDX, {1040, 880, 2000, 0, 3400, 520, 600, 520});
}

void MainForm::showSavedBandAndMode()
{
    const StationData& s = context().state.station;
    Label30->setText(s.CurrentMode);
    // A mode other than phone or digital shows as CW.
    const QString mode = s.CurrentMode.toUpper();
    checkModeItem(mode == QLatin1String("PH") || mode == QLatin1String("DG") ? mode : QStringLiteral("CW"));
    for (auto& [name, item] : bandItems) {
        if (name.compare(s.CurrentBand, Qt::CaseInsensitive) == 0) {
            item->setChecked(true);
            Label24->setText(name);
        }
    }
}

void MainForm::setReportLengths()
{
    const int length = reportLength(context().state.station.CurrentMode);
    txtRSTR->setMaxLength(length);
    txtRSTS->setMaxLength(length);
}

void MainForm::PromptOpenExistingLog()
{
    const auto answer = context().services.dialogs->messageBox(
        QStringLiteral("Do you want to continue an existing contest? (Yes opens your existing log, No "
                       "erases any existing log and starts a new log.)"),
        QStringLiteral("Open existing log?"), Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
    if (answer != Dialogs::Answer::Yes)
        StartNewLog(context().state, context().services);
    cmdEdit->hide();
    cmdDelete->hide();
}

void MainForm::reportCountiesLeftOut(qint32 leftOut)
{
    const AppState& state = context().state;
    context().services.dialogs->messageBox(
        QStringLiteral("county2.txt holds more than %1 counties of %2. Only the first %1 are used; the other %3 "
                       "were left out and cannot be logged.")
            .arg(MaxHostCounties)
            .arg(state.station.HostState)
            .arg(leftOut),
        QStringLiteral("County Table"));
}

bool MainForm::reloadCommon()
{
    AppState& state = context().state;
    QString notice;
    const LoadLogResult loaded = LoadLogFile(state, &notice);
    if (!notice.isEmpty())
        context().services.dialogs->messageBox(notice, unfinishedLineTitle());
    if (loaded != LoadLogResult::Loaded) {
        m_logLoaded = false;
        context().services.dialogs->messageBox(reloadErrorText(), QStringLiteral("File Error"));
        context().services.endProgram(1);
        return false;
    }
    m_logLoaded = true;
    recountPoints(state);
    return true;
}

// ---- messages ----

void MainForm::setDialog(const QString& text) { lblDialog->setText(text); }

void MainForm::setDialogColor(quint32 color) { setBackground(lblDialog, color); }

void MainForm::resetDupeLine()
{
    setBackground(lblDupe, ColorButtonFace);
    lblDupe->setText(QString());
}

void MainForm::beep() { context().services.beeper->beep(); }

void MainForm::prompt(const QString& name) { context().navigation.blindFrm().BlindKeyPhone(name); }

// ---- checks shared by both windows ----

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
    refuseDuplicate(scan.duplicateOf,
                    duplicateMessage(state.log.Log[size_t(scan.duplicateOf)], scan.duplicateOf, m_profile.inState));
    txtCall->setFocus();
    clearEntryFields();
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

void MainForm::clearEntryFields()
{
    for (KeyField* f : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec})
        f->clear();
    for (QLabel* l : {Label19, Label22, Label23})
        l->clear();
    entryCleared();
}

QString MainForm::pickedItem(const SortedListBox* list) const
{
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : QString();
}

void MainForm::refuseDuplicate(qint32, const QString& message)
{
    AppState& state = context().state;
    showDupeWarning(message);
    BlindFrm& blind = context().navigation.blindFrm();
    blind.BlindKeyPhone(QStringLiteral("Dupe"));
    if (state.station.VoiceNavigationLevel != 0) {
        // Wait for the prompt's end without handling other events, but never for ever.
        Clock& clock = *context().services.clock;
        const qint64 giveUpAt = clock.monotonicMs() + 5000;
        while (blind.MMControl1->mode() == WavePlayer::ModePlaying && clock.monotonicMs() < giveUpAt)
            clock.sleepMs(10);
    }
    ++m_refusals;
    state.entry.DupeFound = 1;
    state.entry.LastDupeAt = context().services.clock->localNow();
    state.entry.LastDupeAtMs = context().services.clock->monotonicMs();
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

LogEntry* MainForm::newContactSlot()
{
    AppState& state = context().state;
    if (state.log.QsoCount >= MaxLogEntries) {
        beep();
        setDialog(QStringLiteral("The log is full: no more than 11000 contacts can be logged."));
        return nullptr;
    }
    LogEntry& slot = state.log.Log[size_t(state.log.QsoCount) + 1];
    slot = LogEntry{};
    return &slot;
}

bool MainForm::appendNewContact()
{
    AppState& state = context().state;
    ++state.log.QsoCount;
    QString error;
    if (AppendLogEntry(state, &error))
        return true;
    --state.log.QsoCount;
    context().services.dialogs->messageBox(QStringLiteral("The contact was not logged.\r\n\r\n") + error,
                                           QStringLiteral("Unable to write file."));
    return false;
}

void MainForm::Mains()
{
    if (!startContact())
        return;
    AppState& state = context().state;
    EntryFlags& flags = state.entry;
    runContactChecks(flags);
    const bool refused = flags.FieldMissing != 0 || flags.StateProvInvalid != 0 || flags.CountyInvalid != 0;
    const bool stored = !refused && flags.DupeFound == 0 && storeContact();
    if (!refused && (stored || flags.DupeFound == 1)) {
        clearEntryFields();
        txtCall->setFocus();
    }
    QCoreApplication::processEvents();
    resetDupeLine();
    clocks->UpdateQsoRates();
    state.RigFrequencyText.clear();
    if (stored)
        contactStored();
}

bool MainForm::storeContact()
{
    AppState& state = context().state;
    LogEntry* slot = newContactSlot();
    if (slot == nullptr)
        return false;
    const auto [date, time] = contactDateTime();
    *slot = contactRecord(state, entryTexts(), m_profile.inState, date, time);
    if (!appendNewContact())
        return false;
    const LogEntry entry = *slot;
    setDialogColor(DialogNormalColor);
    setDialog(QString());
    resetDupeLine();
    if (!entry.County.isEmpty())
        updateCountyListsFor(entry.County);
    addContactPoints(state.score, state.station.CurrentMode);
    RefreshLogList();
    countMultipliers(entry);
    QCoreApplication::processEvents();
    ShowScore();
    return true;
}

void MainForm::ClearEntry()
{
    clearEntryFields();
    resetDupeLine();
    setDialogColor(DialogNormalColor);
    setDialog(QString());
    txtCall->setFocus();
}

void MainForm::DupCheck2()
{
    AppState& state = context().state;
    state.entry.DupeFound = 0;
    const bool listPrevious = mnuListPrevious->isChecked();
    std::vector<qint32> listed;
    for (qint32 n : contactsOf(state, txtCall->text())) {
        const LogEntry earlier = state.log.Log[size_t(n)];
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

void MainForm::pickCounty(const SortedListBox* list)
{
    if (list->currentItem() == nullptr)
        return;
    txtSec->setText(pickedItem(list));
    countyPicked();
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

// ---- county lists ----

void MainForm::fillCountyLists()
{
    const AppState& state = context().state;
    QStringList table;
    const qint32 count = qint32(state.tables.CountyCount);
    for (qint32 i = 1; i <= count; ++i)
        table << state.tables.CountyAbbrev[size_t(i)];
    const QStringList worked = workedCountiesOfLog(state);
    for (const QString& county : worked) {
        for (qsizetype i = 0; i < table.size(); ++i) {
            if (table[i].compare(county, Qt::CaseInsensitive) == 0) {
                table.removeAt(i);
                break;
            }
        }
    }
    countiesToGo->setItems(table);
    List2->setItems(worked);
    setCountyCaptions();
}

void MainForm::updateCountyListsFor(const QString& county)
{
    if (List2->find(county) < 0)
        List2->AddItem(county);
    const int toGo = countiesToGo->find(county);
    if (toGo >= 0)
        countiesToGo->RemoveItem(toGo);
    setCountyCaptions();
}

// ---- the score ----

void MainForm::ShowScore()
{
    const ScoreFigures figures = scoreFigures(context().state, m_profile.inState);
    const QChar group = QLocale().groupSeparator().front();
    lblTotCon->setText(formatWhole(figures.phoneContacts, group, false));
    lblsectogo->setText(formatWhole(figures.cwAndDigitalContacts, group, false));
    lblTotSec->setText(formatWhole(figures.multipliers, group, false));
    lblTotScore->setText(formatWhole(figures.score, group, false));
}

// ---- the log list ----

void MainForm::RefreshLogList()
{
    const qint32 count = context().state.log.QsoCount;
    const qint32 oldest = ListAllContacts == 1 || count < 20 ? 1 : count - 19;
    std::vector<qint32> records;
    records.reserve(size_t(std::max(0, count - oldest + 1)));
    for (qint32 n = count; n >= oldest; --n)
        records.push_back(n);
    logModel->setRecords(std::move(records));
    fitLogColumns();
}

void MainForm::showPreviousContacts(const std::vector<qint32>& records)
{
    logModel->setRecords(records);
    fitLogColumns();
}

void MainForm::cmdList_Click()
{
    if (ListAllContacts == 1) {
        cmdList->setText(QStringLiteral("Last 20"));
        ListAllContacts = 0;
    } else {
        cmdList->setText(QStringLiteral("All"));
        ListAllContacts = 1;
    }
    RefreshLogList();
    txtCall->setFocus();
}

void MainForm::cmdDup_Click()
{
    setBackground(lblDupe, ColorButtonFace);
    if (PartialDupesOn == 1) {
        PartialDupesOn = 0;
        cmdDup->setText(QStringLiteral("Off"));
    } else {
        PartialDupesOn = 1;
        cmdDup->setText(QStringLiteral("On"));
    }
    txtCall->setFocus();
}

void MainForm::ListView1_Click() { showRecordButtons(); }

void MainForm::ListView1_LostFocus() { showRecordButtons(); }

void MainForm::showRecordButtons()
{
    if (logModel->rowCount() == 0)
        return;
    cmdEdit->show();
    cmdDelete->show();
}

void MainForm::ListView1_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton && logModel->rowCount() > 0)
        cmdEdit_Click();
}

void MainForm::cmdEdit_Click()
{
    const QModelIndex selected = ListView1->currentIndex();
    if (!selected.isValid() || !m_logLoaded) {
        cmdEdit->hide();
        cmdDelete->hide();
        return;
    }
    EditEntryIndex = logModel->recordAt(selected.row());
    context().navigation.editContact(EditEntryIndex, [this] { cmdDelete_Click(); });
    // Back to the call field before the buttons go: a hidden button would hand the focus
    // on to the county lists, whose refill would then pick a county.
    txtCall->setFocus();
    cmdEdit->hide();
    cmdDelete->hide();
    QString error;
    if (!RewriteLogFile(context().state, &error)) {
        // The reload brings back what log.txt still holds, so the window shows what is saved.
        context().services.dialogs->messageBox(QStringLiteral("The contact was not changed.\r\n\r\n") + error,
                                               QStringLiteral("Unable to write file."));
    }
    ReloadLog();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        ListView1_Click();
        ListView1_MouseUp(static_cast<QMouseEvent*>(event)->button());
    }
    if (watched == ListView1 && event->type() == QEvent::FocusOut) {
        // Another window or a menu coming to the front does not leave the list.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            HandlerOrder::runFocusHandler(ListView1, [this] { ListView1_LostFocus(); });
    }
    return Form::eventFilter(watched, event);
}

void MainForm::cmdDelete_Click()
{
    const int row = ListView1->currentIndex().isValid() ? ListView1->currentIndex().row() : -1;
    const auto answer = context().services.dialogs->messageBox(
        QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?"), Dialogs::Buttons::YesNo);
    cmdEdit->hide();
    cmdDelete->hide();
    if (answer != Dialogs::Answer::Yes || row < 0 || !m_logLoaded)
        return;
    QString error;
    if (!DeleteLogEntry(context().state, logModel->recordAt(row), &error)) {
        context().services.dialogs->messageBox(QStringLiteral("The contact was not deleted.\r\n\r\n") + error,
                                               QStringLiteral("Unable to write file."));
        return;
    }
    ReloadLog();
    cmdEdit->hide();
    cmdDelete->hide();
}

void MainForm::mnuCopyListtoClipboard_Click()
{
    QApplication::clipboard()->setText(logModel->clipboardText());
}

void MainForm::mnuListPrevious_Click()
{
    StationData& s = context().state.station;
    s.ListPreviousContacts = mnuListPrevious->isChecked() ? 1 : 0;
    SavePrefFile(context().state);
}

// ---- rates and clocks ----

void MainForm::cmdLogOn_Click()
{
    AppState& state = context().state;
    if (state.clock.TimedOn != 0) {
        clocks->stopOperatingTime();
        cmdLogOn->setText(QStringLiteral("&Log \"Time On\""));
        const QDateTime utc = utcFromLocal(context().services.clock->localNow(), state.station.UtcOffsetHours);
        setDialog(QStringLiteral("Logged Off at ") + QLocale().toString(utc.date(), QLocale::ShortFormat)
                  + QLatin1Char(' ') + utc.toString(QStringLiteral("HH:mm:ss")));
        SavePrefFile(state);
    } else {
        clocks->startOperatingTime();
        cmdLogOn->setText(QStringLiteral("&Log \"Time Off\""));
        setDialog(QStringLiteral(" "));
    }
    txtCall->setFocus();
}

// ---- band and mode ----

void MainForm::selectBand(const QString& band)
{
    StationData& s = context().state.station;
    s.CurrentBand = band;
    for (auto& [name, item] : bandItems)
        item->setChecked(false);
    afterModeOrBandChange();
    bandItems[band]->setChecked(true);
    Label24->setText(band);
    SavePrefFile(context().state);
    ReloadLog();
}

void MainForm::checkModeItem(const QString& mode)
{
    for (const auto& [name, item] : modeItems)
        item->setChecked(name == mode);
}

void MainForm::selectMode(const QString& mode)
{
    StationData& s = context().state.station;
    s.CurrentMode = mode;
    Label30->setText(mode);
    SavePrefFile(context().state);
    ReloadLog();
    checkModeItem(mode);
    setReportLengths();
    afterModeOrBandChange();
}

void MainForm::Label24_Click()
{
    const QString next = nextBand(context().state.station.CurrentBand);
    if (!next.isEmpty())
        selectBand(next);
}

void MainForm::Label30_Click()
{
    if (context().state.station.CurrentMode == QLatin1String("CW"))
        selectMode(QStringLiteral("PH"));
    else
        selectMode(QStringLiteral("CW"));
}

void MainForm::BandFreqConversion(float frequencyValue)
{
    AppState& state = context().state;
    const QString name = bandForFrequency(double(frequencyValue));
    if (!name.isEmpty() && name.compare(state.station.CurrentBand, Qt::CaseInsensitive) != 0
        && isContestBand(name))
        selectBand(name);
    state.RigFrequencyText = formatFrequency(double(frequencyValue));
}

void MainForm::ModeSelection(const QString& strMode)
{
    const QString& current = context().state.station.CurrentMode;
    if (strMode.isEmpty() || strMode.compare(current, Qt::CaseInsensitive) == 0)
        return;
    if (strMode.compare(QLatin1String("PH"), Qt::CaseInsensitive) == 0)
        selectMode(QStringLiteral("PH"));
    else if (strMode.compare(QLatin1String("CW"), Qt::CaseInsensitive) == 0)
        selectMode(QStringLiteral("CW"));
}

// ---- keys and the call field ----

void MainForm::Form_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 39 || KeyAscii == 34) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 27) {
        ClearEntry();
        KeyAscii = 0;
    }
}

void MainForm::txtCall_KeyPress(int& KeyAscii)
{
    AppState& state = context().state;
    const QString call = txtCall->text();
    const double dupeFont =
        9.0 * screen().sizeTwips().width() / 9600.0 * state.station.FormSizePercent / 100.0;
    if (dupeFont > 0) {
        QFont font = lblDupe->font();
        font.setPointSizeF(dupeFont);
        lblDupe->setFont(font);
    }
    if (call.size() < 2 && (KeyAscii != 13 || m_profile.enterResetsShortCall)) {
        txtCntry->clear();
        for (QLabel* l : {Label19, Label22, Label23})
            l->clear();
    }
    if (KeyAscii == 34)
        KeyAscii = 0;
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (digit && isCompleteCall(call) && txtCall->selStart() >= call.size()) {
        state.entry.CarriedKey = QString::number(KeyAscii);
        state.entry.CarryTarget = CarryField::ReportReceived;
        txtRSTR->setFocus();
        txtRSTR_KeyPress(KeyAscii);
        KeyAscii = 0;
    }
    if (call.size() < 3 && (KeyAscii != 13 || m_profile.enterResetsShortCall) && state.clock.TimedOn == 1)
        setDialog(QStringLiteral(" "));
    if (state.clock.TimedOn == 0) {
        setDialog(QStringLiteral("Click Log \"Time On\"!"));
        beep();
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return; // the possible-duplicates line would wipe Mains' own message
    }
    if (KeyAscii == 32 && state.entry.CarryTarget != CarryField::ReportReceived) {
        KeyAscii = 0;
        txtRSTR->setFocus();
    }
    KeyToUpper(KeyAscii);
    ListPossibleDupes(KeyAscii);
}

bool MainForm::takeCarriedKey(int& KeyAscii, CarryField target)
{
    EntryFlags& entry = context().state.entry;
    if (entry.CarryTarget != target)
        return false;
    KeyAscii = entry.CarriedKey.toInt();
    return true;
}

void MainForm::finishCarry(KeyField* field, int KeyAscii, CarryField target)
{
    EntryFlags& entry = context().state.entry;
    if (entry.CarryTarget != target)
        return;
    field->setText(QString(QChar(char16_t(KeyAscii))));
    field->setCursorPosition(1);
    entry.CarryTarget = CarryField::None;
}

void MainForm::carryTo(int& KeyAscii, CarryField target)
{
    EntryFlags& entry = context().state.entry;
    entry.CarriedKey = QString::number(KeyAscii);
    entry.CarryTarget = target;
}

void MainForm::txtRSTR_KeyPress(int& KeyAscii)
{
    if (KeyAscii > 57) {
        carryTo(KeyAscii, CarryField::AfterReportReceived);
        carryFromReportReceived(KeyAscii);
        KeyAscii = 32;
    }
    takeCarriedKey(KeyAscii, CarryField::ReportReceived);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32)
        fieldAfterReportReceived()->setFocus();
    KeyDigitsOnly(KeyAscii);
    finishCarry(txtRSTR, KeyAscii, CarryField::ReportReceived);
}

void MainForm::txtRSTS_KeyPress(int& KeyAscii)
{
    if (carryFromReportSent(KeyAscii))
        return;
    takeCarriedKey(KeyAscii, CarryField::ReportSent);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32) {
        // One Tab to the window, taken once this key is done.
        QCoreApplication::postEvent(txtRSTS, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    }
    KeyDigitsOnly(KeyAscii);
    finishCarry(txtRSTS, KeyAscii, CarryField::ReportSent);
}

void MainForm::txtSec_KeyPress(int& KeyAscii)
{
    AppState& state = context().state;
    if (KeyAscii == 34)
        KeyAscii = 0;
    if (KeyAscii >= '0' && KeyAscii <= '9') {
        carryTo(KeyAscii, CarryField::ReportSent);
        txtRSTS_KeyPress(KeyAscii);
        KeyAscii = 32;
    }
    // The county field takes the key carried from the report received where it comes next.
    const bool carriedHere = fieldAfterReportReceived() == txtSec;
    if (carriedHere)
        takeCarriedKey(KeyAscii, CarryField::AfterReportReceived);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    const QString text = txtSec->text();
    const int p = txtSec->selStart();
    if (KeyAscii == 32) {
        if (p >= text.size() || text[p] != QLatin1Char(' ')) {
            KeyAscii = 0;
            txtRSTS->setFocus();
        }
    }
    if (KeyAscii != 32 && KeyAscii > 0 && p == 0)
        txtSec->clear();
    KeyToUpper(KeyAscii);
    if (completeCountyField(*txtSec, state.tables, SearchFrom::FirstEntry, KeyAscii) > 0 && carriedHere)
        state.entry.CarryTarget = CarryField::None;
    if (carriedHere)
        finishCarry(txtSec, KeyAscii, CarryField::AfterReportReceived);
}

void MainForm::txtSec_GotFocus() { fieldPrompt(QStringLiteral("County")); }

void MainForm::fieldPrompt(const QString& name)
{
    if (context().state.station.VoiceNavigationLevel == 2)
        prompt(name);
}

void MainForm::ListPossibleDupes(int KeyAscii)
{
    const AppState& state = context().state;
    setDialogColor(DialogNormalColor);
    resetDupeLine();
    const QString typed = txtCall->text() + (KeyAscii > 0 ? QString(QChar(char16_t(KeyAscii))) : QString());
    const bool listable = KeyAscii > 45 && KeyAscii < 91;
    QString list;
    if (listable && PartialDupesOn == 1) {
        list = possibleDupesList(state, typed, m_profile.inState, state.station.OwnCounty);
        setBackground(lblDupe, list.isEmpty() ? ColorButtonFace : DialogNormalColor);
        lblDupe->setText(list);
    }
    if (!list.isEmpty() && txtCall->text().size() > 2)
        setDialog(QStringLiteral("Possible Duplicate!"));
    else if (state.clock.TimedOn == 1)
        setDialog(QStringLiteral(" "));
    if (typed.size() == 3 && listable) {
        if (callFormatLooksRight(typed)) {
            setDialog(QStringLiteral(" "));
        } else {
            beep();
            setDialog(QStringLiteral("The second or third character is not numeric!"));
        }
    }
}

void MainForm::txtCall_GotFocus()
{
    cmdEdit->hide();
    cmdDelete->hide();
    if (txtCall->text().isEmpty()) {
        txtRSTS->clear();
        txtRSTR->clear();
    }
    if (context().state.station.VoiceNavigationLevel != 0)
        prompt(QStringLiteral("Call"));
    if (txtCall->text().isEmpty() && logModel->rowCount() < context().state.log.QsoCount
        && logModel->rowCount() < 18)
        RefreshLogList();
}

void MainForm::txtCall_Change() { context().state.keyer.CWCall = txtCall->text(); }

void MainForm::txtRSTS_Change() { context().state.keyer.CWSentRST = txtRSTS->text(); }

void MainForm::txtCall_LostFocus()
{
    if (txtCall->text().isEmpty())
        return;
    DupCheck2();
    fillDefaultReports();
    callLeft();
}

// ---- menus and closing ----

void MainForm::mnuHelp_Click() { context().navigation.showHelp(); }

void MainForm::mnuColors_Click()
{
    context().navigation.showColors();
    SavePrefFile(context().state);
    ReloadLog();
}

void MainForm::mnuMap_Click() { context().navigation.showCountyMap(); }

void MainForm::mnuGraph_Click() { context().navigation.showRateGraph(); }

void MainForm::mnuCountyList_Click()
{
    frmCountyList picker(context());
    connect(&picker, &frmCountyList::countyPicked, txtSec, &QLineEdit::setText);
    picker.Form_Load();
    picker.showModal();
}

void MainForm::mnuExit_Click()
{
    clocks->saveOperatingTimeIfRunning();
    context().services.endProgram(0);
}

void MainForm::mouseMoveEvent(QMouseEvent* event)
{
    Form::mouseMoveEvent(event);
    // A control passes the moves it does not take on to the window: those are not moves
    // over the bare window (a state label's totals stay).
    if (childAt(event->position().toPoint()) == nullptr)
        lblDupe->setText(QString());
}

void MainForm::closeEvent(QCloseEvent* event)
{
    AppState& state = context().state;
    state.keyer.CWBuffer.clear();
    if (state.keyer.CWSending == 1) {
        event->ignore();
        return;
    }
    clocks->stop();
    context().navigation.unloadCompanionWindows();
    BackupLogFile(state, context().services);
    clocks->saveOperatingTimeIfRunning();
    event->accept();
    context().navigation.form1().detach(*this);
    context().navigation.mainWindowClosed();
}

// ---- post-contest entry ----

void MainForm::mnuPostContest_Click()
{
    // The menu item's tick has already changed: it says whether the mode is now on.
    const bool on = !txtPostConTime->isVisible() && !txtPostConTime->isVisibleTo(this);
    mnuPostContest->setChecked(on);
    for (QWidget* w : std::initializer_list<QWidget*>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate})
        w->setVisible(on);
}

void MainForm::postContestKeyPress(KeyField* field, int& KeyAscii, int lowest, int highest)
{
    if (KeyAscii == 32) {
        KeyAscii = 0;
        QCoreApplication::postEvent(field, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return;
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii != 8 && (KeyAscii < lowest || KeyAscii > highest))
        KeyAscii = 0;
}

// ---- File menu ----

void MainForm::mnuNew_Click()
{
    StartNewLog(context().state, context().services);
    ReloadLog();
    clocks->showStoredOperatingTime();
    clocks->UpdateQsoRates();
    SavePrefFile(context().state);
}

void MainForm::mnuRecall_Click()
{
    const AppState& state = context().state;
    if (state.log.QsoCount < 1)
        return;
    txtCall->setText(state.log.Log[size_t(state.log.QsoCount)].Call);
    txtSec->setFocus();
    txtSec->setSelection(0, int(txtSec->text().size()));
}

QString MainForm::archiveFolder() const
{
    const Folders& f = context().state.folders;
    return FileLookup::resolve(f.DataFolder, QStringLiteral("BACKUP"));
}

void MainForm::mnuArchive_Click()
{
    AppState& state = context().state;
    Dialogs& dialogs = *context().services.dialogs;
    dialogs.messageBox(QStringLiteral("This function is used to create a permanent copy of your currently open "
                                      "log file.  To open your log file at a later date, click File > Restore "
                                      "from Archive or Backup."),
                       QStringLiteral("Archive Information"));
    const QString proposed = archiveFolder() + QLatin1Char('/') + CallForFileName(state.station.OwnCall)
        + context().services.clock->localNow().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
    const auto target = dialogs.saveFileName(QStringLiteral("Archive Current Log"), proposed,
                                             QStringLiteral("Log Files (*.log)"));
    if (!target)
        return;
    QString error;
    if (!ArchiveLogFile(state, *target, &error))
        dialogs.messageBox(error, QStringLiteral("Error Archiving Log"));
}

void MainForm::mnuRestore_Click()
{
    AppState& state = context().state;
    Dialogs& dialogs = *context().services.dialogs;
    dialogs.messageBox(QStringLiteral("This action will open an archived log or backup file and creates a working "
                                      "file called log.txt.  If you make any changes to your archived data that "
                                      "you would like to permanently save, before you click File > New to start "
                                      "a new contest, be sure to click File > Archive to save your changes."),
                       QStringLiteral("Opening Archived Data Information"));
    if (state.log.QsoCount > 0
        && dialogs.messageBox(QStringLiteral("Are you sure that you want to open an archived log?  This action "
                                             "will clear and replace existing QSO data."),
                              QStringLiteral("Are your sure?"), Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes)
        return;
    const auto chosen = dialogs.openFileName(QStringLiteral("Restore from Archive or Backup"), archiveFolder(),
                                             QStringLiteral("Log Files (*.log)"));
    if (!chosen)
        return;
    QString error;
    if (!RestoreLogFile(state, context().services, *chosen, &error)) {
        dialogs.messageBox(error, QStringLiteral("Error Restoring Log"));
        return;
    }
    ReloadLog();
}

void MainForm::mnuWriteSumm_Click() { context().navigation.showSummary(); }

void MainForm::mnuexportADIF_Click()
{
    WriteADIFFile(context().state, context().services);
}

// ---- window size and taskbar layout ----

void MainForm::mnuFormSize_Click()
{
    AppState& state = context().state;
    Dialogs& dialogs = *context().services.dialogs;
    const auto answer = dialogs.inputBox(
        QStringLiteral("Enter the % of the screen you would like the form to cover.  Try between 90 and 100 for "
                       "best results.  Values below 75 do not display well."),
        QStringLiteral("Please enter screen percentage."), QString::number(state.station.FormSizePercent));
    const auto value = answer ? parsePlainNumber(*answer) : std::nullopt;
    if (!value) {
        dialogs.messageBox(QStringLiteral("Please enter only numeric values."),
                           QStringLiteral("Numeric Values Required"));
        return;
    }
    const double clamped = std::clamp(*value, 30.0, 100.0);
    state.station.FormSizePercent = quint8(roundHalfEven(clamped));
    dialogs.messageBox(QStringLiteral("This program must be closed and restarted for this setting to take effect."),
                       QStringLiteral("For this setting to take effect please restart this program."));
    SavePrefFile(state);
}

void MainForm::mnuTaskbar_Click()
{
    AppState& state = context().state;
    StationData& s = state.station;
    if (s.FormSizePercent != 100) {
        mnuTaskbar->setChecked(s.TaskbarMode != 0);
        context().services.dialogs->messageBox(
            QStringLiteral("The form size must be set to 100% to use the taskbar display option."),
            QStringLiteral("Please set your form size to 100% to use this option."));
        return;
    }
    s.TaskbarMode = s.TaskbarMode == 0 ? 1 : 0;
    SavePrefFile(state);
    ApplyFullScreenLayout();
}

void MainForm::FitListHeights()
{
    const Control* line = controlFor(Line3);
    Control* first = controlFor(listAtLeft());
    first->Height = line->Y1 - first->Top;
    for (QWidget* list : std::initializer_list<QWidget*>{List2, countiesToGo})
        controlFor(list)->Height = first->Height;
    applyGeometry();
    applyGeometry2();
}

void MainForm::ApplyFormSizePercent()
{
    AppState& state = context().state;
    const float p = state.station.FormSizePercent;
    if (p < 30 || p > 100) {
        // A size no window can take (0 before the operator ever chose one): full size.
        state.station.FormSizePercent = 100;
        SavePrefFile(state);
        return;
    }
    const float f = p / 100.0f;
    const QSizeF screenSize = screen().sizeTwips();
    Width = float(p * screenSize.width() / 100.0);
    Height = float(p * screenSize.height() / 100.0);
    Left = float((screenSize.width() - Width) / 2);
    Top = float((screenSize.height() - Height) / 2);
    FontSize *= f;
    for (Control& c : controls()) {
        switch (c.kind) {
        case ControlKind::ListBox: case ControlKind::ListView: case ControlKind::CommandButton:
        case ControlKind::TextBox: case ControlKind::Label:
            c.FontSize *= f;
            c.Height *= f;
            c.Left *= f;
            c.Top *= f;
            c.Width *= f;
            break;
        case ControlKind::Line:
            c.X1 *= f;
            c.X2 *= f;
            c.Y1 *= f;
            c.Y2 *= f;
            break;
        default:
            break;
        }
    }
    FitListHeights();
    for (QTreeView* view : {ListView1, txtDX}) {
        for (float& w : controlFor(view)->ColumnWidths)
            w *= f;
    }
    applyGeometry();
    applyGeometry2();
    show(); // below full size the window is visible before the log question
}

void MainForm::ApplyFullScreenLayout()
{
    const StationData& s = context().state.station;
    mnuTaskbar->setChecked(s.TaskbarMode != 0);
    if (s.FormSizePercent != 100)
        return;
    const float oldHeight = Height;
    const float oldWidth = Width;
    const QRectF area = s.TaskbarMode == 1 ? screen().workAreaTwips() : QRectF(QPointF(0, 0), screen().sizeTwips());
    Width = float(area.width());
    Height = float(area.height());
    Left = 0;
    Top = 0;
    const float w = Width / oldWidth;
    const float h = Height / oldHeight;
    for (Control& c : controls()) {
        c.Height *= h;
        c.Left *= w;
        c.Top *= h;
        c.Width *= w;
        if (c.kind == ControlKind::Line) {
            c.X1 *= w;
            c.X2 *= w;
            c.Y1 *= h;
            c.Y2 *= h;
        }
    }
    for (float& width : controlFor(txtDX)->ColumnWidths)
        width *= w;
    FitListHeights();
}
