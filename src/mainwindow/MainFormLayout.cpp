// The log window's controls and menus at their design places.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/Preferences.h"
#include "core/forms/Navigation.h"
#include "entry/BandPlan.h"
#include "entry/DateTimeText.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"
#include "mainwindow/LabelColors.h"
#include "platform/Colors.h"
#include "platform/Services.h"

#include <QApplication>
#include <QHeaderView>

namespace {

// An item of the original layout that does nothing here.
void never(QAction* item) { item->setEnabled(false); }

// A command chosen from the menus leaves the keys where the next contact is typed: in the
// entry field it went to, in the window it opened, or else in the call field, so that a
// contact typed at once is not swallowed by the log list or the county lists. Post Contest
// Mode leaves the focus where it was.
void keepKeysForTheNextContact(MainForm& w)
{
    for (QAction* action : w.menuBar->findChildren<QAction*>()) {
        if (action == w.mnuPostContest || action->isSeparator())
            continue;
        // Connected after the item's own handler, so it runs when that has returned.
        QObject::connect(action, &QAction::triggered, &w, [&w] {
            QWidget* focus = QApplication::focusWidget();
            if (!w.isVisible() || (focus && focus->window() != &w) || qobject_cast<KeyField*>(focus))
                return;
            w.txtCall->setFocus();
        });
    }
}

} // namespace

void MainForm::buildMenus()
{
    menuBar = new QMenuBar(this);
    buildFileMenu();
    buildOptionsMenu();
    if (m_profile.setupItem)
        never(menuBar->addAction(QStringLiteral("&Setup")));
    buildBandAndModeMenus();
    buildMenuBarItems();
    keepKeysForTheNextContact(*this);
}

void MainForm::buildFileMenu()
{
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
}

void MainForm::buildOptionsMenu()
{
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
    mnutrans = mnuOptions->addMenu(QStringLiteral("&Transmit"));
    mnuCW = mnutrans->addAction(QStringLiteral("&CW Setup"));
    connect(mnuCW, &QAction::triggered, this, &MainForm::mnuCW_Click);
    mnuVoice = mnutrans->addAction(QStringLiteral("&Voice Setup"));
    connect(mnuVoice, &QAction::triggered, this, &MainForm::mnuVoice_Click);
    mnuOptions->addSeparator();
    mnuRigInterface = mnuOptions->addAction(QStringLiteral("&Rig Interface"));
    connect(mnuRigInterface, &QAction::triggered, this, [this] { context().navigation.showRigInterface(); });
    mnuOptions->addSeparator();
    mnuDX = mnuOptions->addMenu(QStringLiteral("&DX Spotting"));
    mnuDXSpotting = mnuDX->addAction(QStringLiteral("&Configure"));
    connect(mnuDXSpotting, &QAction::triggered, this, [this] {
        SavePrefFile(context().state, context().services.fileWriter.get());
        context().navigation.showSpotting();
    });
    mnuSpectrumMap = mnuDX->addAction(QStringLiteral("&View Spectrum Map"));
    connect(mnuSpectrumMap, &QAction::triggered, this, [this] { spotArea->lblDX_DblClick(); });
    mnuOptions->addSeparator();
    mnuBlind = mnuOptions->addAction(QStringLiteral("&Voice Navigation"));
    connect(mnuBlind, &QAction::triggered, this, &MainForm::mnuBlind_Click);
    mnuOptions->addSeparator();
    mnuListPrevious = mnuOptions->addAction(QStringLiteral("&List Previous Contacts"));
    mnuListPrevious->setCheckable(true);
    connect(mnuListPrevious, &QAction::triggered, this, &MainForm::mnuListPrevious_Click);
    mnuOptions->addSeparator();
    mnuPostContest = mnuOptions->addAction(QStringLiteral("&Post Contest Mode"));
    mnuPostContest->setCheckable(true);
    connect(mnuPostContest, &QAction::triggered, this, &MainForm::mnuPostContest_Click);
}

// Shown modal; returns when "Done" hides it.
void MainForm::mnuCW_Click() { context().navigation.cwFrm().showModal(); }
void MainForm::mnuVoice_Click() { context().navigation.phoneFrm().showModal(); }

// Shown beside the main window, which stays usable.
void MainForm::mnuBlind_Click() { context().navigation.showVoiceNavigation(); }

void MainForm::buildBandAndModeMenus()
{
    mnuBandChange = menuBar->addMenu(QStringLiteral("&Band"));
    for (const QString& name : contestBands()) {
        QAction* item = mnuBandChange->addAction(name);
        item->setCheckable(true);
        bandItems[name] = item;
        connect(item, &QAction::triggered, this, [this, name] { selectBand(name); });
    }
    mnuBandChange->addSeparator();
    mnuPrivileges = mnuBandChange->addAction(QStringLiteral("&Privileges"));
    connect(mnuPrivileges, &QAction::triggered, this, [this] { context().navigation.showPrivileges(); });
    mnuBand = menuBar->addMenu(QStringLiteral("&Mode"));
    mnu160 = mnuBand->addAction(QStringLiteral("&CW"));
    mnuSSB = mnuBand->addAction(QStringLiteral("&PH"));
    mnuDigital = mnuBand->addAction(m_profile.digitalItem);
    modeItems = {{QStringLiteral("CW"), mnu160}, {QStringLiteral("PH"), mnuSSB}, {QStringLiteral("DG"), mnuDigital}};
    for (const auto& [mode, item] : modeItems) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, mode] { selectMode(mode); });
    }
}

void MainForm::buildMenuBarItems()
{
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

    buildSpotArea();
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
    previewKeys([this](int& k, int shift) { Form_KeyDown(k, shift); }, [this](int& k) { Form_KeyPress(k); });
    txtCall->keyPress = [this](int& k) { txtCall_KeyPress(k); };
    txtCall->pasteInCapitals();
    txtSec->pasteInCapitals();
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
