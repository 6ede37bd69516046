#pragma once

// What the two main log windows share: the entry line and its flow (Mains, the duplicate
// checks, clearing, county picks, leaving the call), the message lines, the score, the
// clocks and rates, the log list, the band and mode menus and the county lists. The log
// itself (its records, tally and file) is the ContestLog of the window's context: the
// window logs through it and shows what it holds. Outfrm
// (an operator outside Texas) and Infrm (inside) hand over a LogWindowProfile and supply
// the steps that differ; neither branches on which window it is.
//
// The definitions are split by concern: MainForm.cpp (building, loading, closing, the
// message lines), MainFormLayout.cpp (controls and menus), MainFormSize.cpp (form size and
// taskbar), MainFormKeys.cpp (the entry fields' keys), MainFormEntry.cpp (logging a
// contact), MainFormLogList.cpp (log list, county lists, score), MainFormBandMode.cpp
// (band, mode, time on) and MainFormFile.cpp (the File menu and the windows it opens). The
// spot area (spot list, band map, spectrum map) is a panel of its own, as are the clocks
// and rates.

#include "core/forms/ClickLabel.h"
#include "core/forms/Form.h"
#include "core/forms/Form1.h"
#include "core/forms/KeyField.h"
#include "core/forms/SortedListBox.h"
#include "entry/ContactCheck.h"
#include "entry/ContestLog.h"
#include "entry/DupeRules.h"
#include "entry/windows/ClockRatesPanel.h"
#include "mainwindow/LogListModel.h"
#include "spots/windows/SpotAreaPanel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

// What sets the two log windows apart in their look and in the rules their entry follows.
// Each window hands its own to the shared core.
struct LogWindowProfile {
    // The rules of an operator inside the host state: the contact checks, the duplicate
    // rules and the score take them.
    bool inState = false;
    struct Caption {
        const char* text;
        float left, top, width;
        bool shown;
    };
    std::array<Caption, 9> stationCaptions{}; // lblStation(0 to 8)
    // The St/Prv/Country field with the continent, bearing and distance labels.
    bool showsStPrvCountry = false;
    QString ownPlaceCaption; // Label25 before the load
    bool ownPlaceOnDarkBlue = false;
    QString operatingTimeCaption;
    std::array<const char*, 4> scoreCaptions{};
    QString digitalItem;           // the Mode menu's digital item
    bool colorsItem = false;       // Options > Appearance > Colors works
    bool setupItem = false;        // a Setup item, never enabled
    bool changeCountyItem = false; // the rover's Change County item
    QString loadMessage;           // the message line after the load
    // The message line as F12 turns keyboard CW on.
    QString keyboardCwMessage = QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit.");
    QRectF workedList;             // List2, twips
    QRectF toGoList;               // the counties to go
    // Enter in a call of one or two characters empties the St/Prv/Country field and the
    // message line as any other key does.
    bool enterResetsShortCall = false;
};

class MainForm : public Form, public RunningMainWindow {
    Q_OBJECT
public:
    MainForm(const WindowContext& context, const LogWindowProfile& profile);
    ~MainForm() override;

    static constexpr quint32 DialogNormalColor = 0xC0C000;
    static constexpr quint32 DialogRedColor = 0x0000FF;

    // The load: everything from scaling to the log and the layout.
    void Form_Load();

    // Logs the contact in the entry fields: the window's checks in its order, then the
    // store, the counts and the clearing both windows share.
    void Mains();
    void ClearEntry();
    // Earlier contacts of the call as it is left: they fill the empty fields, and one on
    // this band and mode (and in-state from this county) is a duplicate warning.
    void DupCheck2();

    // The log list, the score and the rates.
    void RefreshLogList();
    // Reads log.txt into the record arrays and shows it counted (showReloadedLog).
    void ReloadLog();

    // Band and mode.
    void BandFreqConversion(float frequencyValue) override;
    // What the CW keyer reads and shows of this window.
    QString callFieldText() const override;
    void setDialogCaption(const QString& caption) override;
    QString dialogCaption() const override { return lblDialog->text(); }
    void ModeSelection(const QString& strMode) override;
    void selectBand(const QString& band);
    void selectMode(const QString& mode);
    // Ticks the Mode menu's item of the mode, and only that one.
    void checkModeItem(const QString& mode);
    void Label24_Click();
    void Label30_Click();

    void cmdLogOn_Click();
    void cmdList_Click();
    void cmdDup_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void mnuListPrevious_Click();
    void mnuCopyListtoClipboard_Click();
    void mnuExit_Click();
    void mnuHelp_Click();
    void mnuColors_Click();
    void mnuCountyList_Click();
    void mnuMap_Click();
    void mnuGraph_Click();
    void mnuNew_Click();
    void mnuArchive_Click();
    void mnuRestore_Click();
    void mnuWriteSumm_Click();
    void mnuexportADIF_Click();
    void mnuFormSize_Click();
    void mnuTaskbar_Click();
    void mnuPostContest_Click();
    void mnuCW_Click();
    void mnuVoice_Click();
    void mnuBlind_Click();
    void mnuRecall_Click();
    void ApplyFormSizePercent();
    void ApplyFullScreenLayout();
    void FitListHeights();
    // The window's key preview: hot keys, the keyers' keys, keyboard CW and Esc.
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_KeyPress(int& KeyAscii);

    // The spot area, as the spotting window drives it through Form1.
    void BandMapSpots(const QString& qDXSpotCall, const QString& qDXSpotFreq, const QString& qDXSpotRecord) override;
    void DisplayBandMapLabels() override;
    void PacketResize() override;
    void chooseCall(const QString& call) override;

    bool inState() const { return m_profile.inState; }
    bool logLoaded() const { return m_log.loaded(); }

    // Entry line.
    KeyField* txtCall;
    KeyField* txtRSTR;
    KeyField* txtCntry;
    KeyField* txtSec;
    KeyField* txtRSTS;
    KeyField* txtPostConTime;
    KeyField* txtPostConDate;
    QLabel* lblDialog;
    QLabel* lblPossDup;
    QLabel* lblDupe;
    std::array<QLabel*, 9> lblStation{};
    QLabel* Label3;  // "New"
    QLabel* Label17; // "Bearing"
    QLabel* Label18; // "Miles"
    QLabel* Label19; // continent
    QLabel* Label22; // bearing
    QLabel* Label23; // distance

    // Station, band and mode.
    QLabel* Label2;  // own call
    QLabel* Label25; // own state (Outfrm) or own county (Infrm)
    QLabel* Label21; // "Band"
    ClickLabel* Label24;
    QLabel* lblBandSwitch; // "Mode"
    ClickLabel* Label30;

    // Clocks and rates.
    QPushButton* cmdLogOn;
    ClockRatesPanel* clocks;

    // Score.
    QLabel* lblTotCon;
    QLabel* lblsectogo;
    QLabel* lblTotSec;
    QLabel* lblTotScore;

    // Log list.
    QLabel* lblRecentContacts;
    QTreeView* ListView1;
    LogListModel* logModel;
    QPushButton* cmdList;
    QPushButton* cmdDup;
    QPushButton* cmdEdit;
    QPushButton* cmdDelete;
    SpotAreaPanel* spotArea = nullptr; // txtDX and the band map, under the log list
    LineControl* Line3; // the multiplier lists reach down to it
    QLabel* lblPostConTime;
    QLabel* lblPostConDate;

    // County lists: worked, and to go (Outfrm List1, Infrm List3).
    SortedListBox* List2;
    SortedListBox* countiesToGo;

    // Menus.
    QMenuBar* menuBar;
    QMenu* mnuFile;
    QAction* mnuNew;
    QAction* mnuArchive;
    QAction* mnuRestore;
    QAction* mnuWriteSumm;
    QAction* mnuexportADIF;
    QAction* mnuCopyListtoClipboard;
    QAction* mnuExit;
    QMenu* mnutrans;
    QAction* mnuCW; // "&CW Setup"
    QAction* mnuVoice; // "&Voice Setup"
    QAction* mnuRigInterface;
    QAction* mnuBlind; // "&Voice Navigation"
    QMenu* mnuDX;
    QAction* mnuDXSpotting;
    QAction* mnuSpectrumMap;
    QAction* mnuFormSize;
    QAction* mnuTaskbar;
    QAction* mnuPostContest;
    QAction* mnuClear;
    QAction* mnuRecall;
    QAction* mnuChangeCounty = nullptr; // in-state window only
    QAction* mnuMap;
    QAction* mnuGraph;
    QMenu* mnuBandChange;
    std::map<QString, QAction*> bandItems; // mnuBand160Ch ... mnuBand2Ch
    QAction* mnuPrivileges;
    QMenu* mnuBand;                        // the Mode menu
    QAction* mnu160;                       // "&CW"
    QAction* mnuSSB;                       // "&PH"
    QAction* mnuDigital;
    std::map<QString, QAction*> modeItems; // the Mode menu's items by the mode each selects
    QMenu* mnuOptions;
    QAction* mnuListPrevious;
    QAction* mnuColors;
    QAction* mnuCountyList;
    QAction* mnuHelp;

    quint8 SuppressNextKeyPress = 0; // the key press after a Ctrl key-down is dropped
    quint8 PartialDupesOn = 1;
    quint8 ListAllContacts = 0;
    qint32 EditEntryIndex = 0; // the contact the edit dialog works on

protected:
    void closeEvent(QCloseEvent* event) override;
    // Form_Activate: the band map is redrawn each time the window becomes active.
    bool event(QEvent* event) override;
    // A mouse move over the bare window empties the possible-duplicates line.
    void mouseMoveEvent(QMouseEvent* event) override;

    // Pieces of the entry work shared by both windows.
    void setDialog(const QString& text);
    void setDialogColor(quint32 color);
    void resetDupeLine();
    void beep();
    void prompt(const QString& name);
    // The entry fields as they stand, and the field a check names.
    EntryTexts entryTexts() const;
    KeyField* entryField(EntryField field) const;
    // Shows each refusal: a beep, its message and the caret in its field. True when there
    // was one.
    bool refuse(const std::vector<Refusal>& refusals);
    bool refuse(const std::optional<Refusal>& refusal);
    // The duplicate check of a contact being logged: earlier contacts of the call fill the
    // empty fields, and a duplicate is refused and the entry emptied.
    void CheckDupeOnLog();
    // A duplicate warning: the message on red, the possible-duplicates line reset, a beep.
    void showDupeWarning(const QString& message);
    // Fills the empty county field (and in the in-state window the empty St/Prv/Country
    // field) from an earlier contact of the call, selected so that typing replaces it.
    void prefillFromContact(const LogEntry& earlier);
    // Empties the five entry fields and the continent, bearing and distance labels.
    void clearEntryFields();
    // After the entry fields were emptied.
    virtual void entryCleared() {}
    // A county picked from a list goes into the county field.
    void pickCounty(const SortedListBox* list);
    QString pickedItem(const SortedListBox* list) const;
    // Where the entry goes on after a county was picked.
    virtual void countyPicked() = 0;
    // Refuses the contact as a duplicate of record n with the message given.
    void refuseDuplicate(qint32 n, const QString& message);
    // The UTC date and time of a new contact, or the post-contest fields.
    std::pair<QString, QString> contactDateTime() const;
    // Checks the post-contest date and time; false when refused.
    bool checkPostContestDateTime();
    // Logs the new contact; false, after saying why, when the log is full or log.txt
    // could not take it.
    bool appendNewContact(const LogEntry& contact);

    // The steps of Mains that differ. Before the checks (the post-contest date and time,
    // the time on); false ends the entry there.
    virtual bool startContact() = 0;
    // The window's checks in its order, each setting its flag.
    virtual void runContactChecks(EntryFlags& flags) = 0;
    // The new contact's multipliers, once it is stored and its points counted.
    virtual void countMultipliers(const LogEntry& entry) = 0;
    // After a contact was stored and the entry left.
    virtual void contactStored() {}
    // What an earlier contact of the call means as the call is left.
    enum class EarlierContact { Nothing, Duplicate, Refused };
    virtual EarlierContact judgeEarlierContact(const LogEntry& earlier, qint32 n) = 0;
    // The warning about a duplicate unless the station is a rover.
    virtual QString dupeWarningText(const LogEntry& earlier, qint32 n) const = 0;
    void fillDefaultReports();
    void updateCountyListsFor(const QString& county);
    void fillCountyLists();
    virtual void setCountyCaptions() = 0;
    // The score box, from the score state.
    void ShowScore();
    virtual std::vector<LogColumn> logColumns() const = 0;
    virtual QString reloadErrorText() const = 0;
    // Loads the log and counts it into the score; false (after the message) when the
    // program ends.
    bool reloadCommon();
    // The reload's steps after the load: the score, the county, state and DX lists, the log
    // list and the rates, from the tally of the log. A tally that does not fit its tables
    // ends the program with the window's "File Error".
    virtual void showReloadedLog() = 0;
    const LogTally& tally() const { return m_log.tally(); }
    ContestLog& log() const { return m_log; }
    // Says once that county2.txt holds more host-state counties than the table takes.
    void reportCountiesLeftOut(qint32 leftOut);
    virtual void afterModeOrBandChange() {}
    virtual void loadWindowSpecific() {}
    void txtCall_LostFocus();
    // The last step of leaving a call that is not empty.
    virtual void callLeft() {}
    virtual void ListPossibleDupes(int KeyAscii);
    virtual void txtCall_KeyPress(int& KeyAscii);
    void txtRSTR_KeyPress(int& KeyAscii);
    void txtRSTS_KeyPress(int& KeyAscii);
    void txtSec_KeyPress(int& KeyAscii);
    virtual void txtSec_GotFocus();
    // St/Prv/Country (in-state window only).
    virtual void txtCntry_KeyPress(int& /*KeyAscii*/) {}
    // A key above nine typed in the report received goes on to the next field.
    virtual void carryFromReportReceived(int& KeyAscii) = 0;
    // The field a Space in the report received moves to, which takes its carried key.
    virtual KeyField* fieldAfterReportReceived() const = 0;
    // A letter typed in the report sent goes on to a field before it; true when it did.
    virtual bool carryFromReportSent(int& /*KeyAscii*/) { return false; }
    void fieldPrompt(const QString& name);
    void carryTo(int& KeyAscii, CarryField target);
    bool takeCarriedKey(int& KeyAscii, CarryField target);
    void finishCarry(KeyField* field, int KeyAscii, CarryField target);
    void txtCall_GotFocus();
    virtual void txtCall_Change();
    void txtRSTS_Change();
    void ListView1_Click();
    void ListView1_LostFocus();
    // Shows the buttons that act on the selected record, when the list holds any.
    void showRecordButtons();
    void hideRecordButtons();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ListView1_MouseUp(Qt::MouseButton button);
    void showPreviousContacts(const std::vector<qint32>& records);
    void applyGeometry2();
    void postContestKeyPress(KeyField* field, int& KeyAscii, int lowest, int highest);
    QString archiveFolder() const;
    // The multiplier list nearest the left: List1 of either window.
    virtual QWidget* listAtLeft() const { return countiesToGo; }

    const LogWindowProfile m_profile;
    // The key-down steps: the Ctrl hot keys (true when the key opened a window), ending
    // the F1 repeats, and the CW keys.
    bool openHotKeyWindow(int KeyCode);
    void stopRepeats();
    void cwKeyDown(int& KeyCode);
    void keyboardCwKey(int& KeyAscii);
    // The report fields take two digits in phone, three otherwise.
    void setReportLengths();

    quint32 m_refusals = 0; // duplicates refused so far

private:
    // The reload after a change of band or mode (see ContestLog::reloadFromMemory).
    void reloadAfterBandOrMode();

    ContestLog& m_log;

    bool storeContact();
    QLabel* addLabel(const QString& text, float left, float top, float width, float height = 255);
    void buildFileMenu();
    void buildOptionsMenu();
    void buildBandAndModeMenus();
    void buildMenuBarItems();
    void buildControls();
    void buildEntryLine();
    void buildMessageLines();
    void buildStationAndScore();
    void buildLogList();
    void buildCountyLists();
    void connectEntryFields();
    void buildMenus();
    void createListColumns();
    void fitLogColumns();
    // Lists the records, the columns fitted to them.
    void showLogRecords(std::vector<qint32> records);
    // The width inside the log list for its rows, or for that many.
    int logListRoom() const;
    int logListRoom(int rows) const;
    // The records the log list's columns were last fitted to, and the room they had; nothing
    // once the texts of the records may have changed.
    std::optional<std::pair<std::vector<qint32>, int>> m_fittedLogList;
    // The worked counties and the county table the county lists were last filled from; nothing
    // once a contact changed the lists since.
    std::optional<std::pair<QStringList, std::vector<QString>>> m_countyListsFrom;
    void showSavedBandAndMode();
    void PromptOpenExistingLog();
    // The spot area's controls, closed, under the log list.
    void buildSpotArea();
    // A spot's call into the call field, with the focus there.
    void takeChosenCall(const QString& call);
};
