#pragma once

// The program's process-wide values, grouped by the part of the program that owns them.
// One App owns one AppState; nothing else is global, so a test builds a fresh one.

#include "core/KeyingPorts.h"
#include "core/LogEntry.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

constexpr int MaxLogEntries = 11000;
constexpr int MaxCountyRows = 1000;
constexpr int MaxPrefixRows = 10000;
constexpr int StateTableSize = 56;    // entries 0 to 55; 1 to 50 are filled
constexpr int MultKinds = 9;          // WorkedMults kinds 0 to 8
constexpr int MultRows = 261;         // WorkedMults rows 0 to 260
constexpr int MaxDXCountriesPerBand = 1000;

// The station's own details and the operator's standing choices: the 25 values of
// QSOpref.txt, in file order.
struct StationData {
    QString OwnCall;
    QString OwnSpc;
    QString OwnCountry;
    QString OwnArrlSection;
    QString OwnName;
    QString OwnCategory;
    QString OwnCounty;
    QString OwnCity;
    QString CurrentMode;
    QString CurrentBand;
    float UtcOffsetHours = 0;
    float OwnLongitude = 0;
    float OwnLatitude = 0;
    QString OwnContinent;
    quint8 FormSizePercent = 0;
    qint32 WorkedColor = 0;
    qint32 RemainingColor = 0;
    float StoredOperatingSeconds = 0;
    QString HostState;
    quint8 OutOfState = 0;
    quint8 OwnRover = 0;
    quint8 VoiceNavigationLevel = 0;
    QString RigName;
    quint8 TaskbarMode = 0;
    quint8 ListPreviousContacts = 0;

    bool operator==(const StationData&) const = default;
};

// Where files live. Set once at start-up.
struct Folders {
    QString WorkingDirectory;
    QString WorkingDrive;
    QString DataFolder;
    QString SharedFolder;
    QString ProgramVersion;
};

// The record arrays: slots 1 to QsoCount hold the log, slot 0 is never used.
struct LogStoreState {
    std::vector<LogEntry> Log = std::vector<LogEntry>(MaxLogEntries + 1);
    qint32 QsoCount = 0;
    float FirstLoadCount = 0;
    // Where the unfinished last line of log.txt starts while it is still in the file (its
    // copy could not be written into BACKUP, so it was not cut off); -1 when there is none.
    qint64 UnfinishedLineAt = -1;
};

// Per-band DX country arrays (entries 1 to the count; entry 0 unused).
struct BandDXList {
    std::vector<QString> Countries = std::vector<QString>(MaxDXCountriesPerBand + 1);
    qint32 Count = 0;
};

// Points, per-mode counts and worked multipliers.
struct ScoreState {
    std::array<std::array<quint8, MultRows>, MultKinds> WorkedMults{};
    qint32 WorkedMultCount = 0;
    float QsoPoints = 0;
    float QsoCountPH = 0;
    float QsoCountCW = 0;
    float QsoCountDG = 0;
    // DXCountries160, 80, 40, 20, 15, 10, 6 in that order (the 2 m band has none).
    std::array<BandDXList, 7> DXCountries{};
};

// The county, prefix and state tables (entry 0 of each is never used).
struct ReferenceTables {
    std::vector<QString> CountyAbbrev = std::vector<QString>(MaxCountyRows + 1);
    std::vector<QString> CountyName = std::vector<QString>(MaxCountyRows + 1);
    float CountyCount = 0;

    std::vector<QString> PrefixCode = std::vector<QString>(MaxPrefixRows + 1);
    std::vector<QString> PrefixCountry = std::vector<QString>(MaxPrefixRows + 1);
    std::vector<QString> PrefixContinent = std::vector<QString>(MaxPrefixRows + 1);
    std::vector<float> PrefixLongitude = std::vector<float>(MaxPrefixRows + 1);
    std::vector<float> PrefixLatitude = std::vector<float>(MaxPrefixRows + 1);
    qint32 PrefixCount = 0;

    std::array<QString, StateTableSize> StateAbbreviation{};
    std::array<float, StateTableSize> StateLatitude{};
    std::array<float, StateTableSize> StateLongitude{};

    QString LookupCall;
};

// The text of SharedUserPreferences.xml, held from start-up on.
struct SharedPreferencesState {
    QString GlobalPreferencesText;
    QString GlobalPreferencesPath;
};

// The operating clock's values that the log store touches.
struct OperatingClock {
    quint8 TimedOn = 0;
    float OperatingSeconds = 0;
};

// How the CW keyer keys: the codes stored in CW.txt (a code none of these names is read
// as None).
enum class KeyingInterface : quint8 {
    None = 0,
    Rts = 1,     // RTS line of the CW serial port
    Dtr = 2,     // DTR line of the CW serial port
    Printer = 3, // control register of the parallel port
    WinKey = 5,  // the WinKey keyer device
};

// What the CW keyer sends in place of its macros, and how it keys.
struct KeyerState {
    QString CWCall;
    QString CWSentRST;
    QString CWOwnCounty;
    QString CWBuffer;
    quint8 CWSending = 0;
    KeyingInterface CWKeyingInterface = KeyingInterface::None;
    quint8 KeyboardCWMode = 0;
    quint8 CWRepeatActive = 0; // 1 while the F1 message repeats
    quint8 PhoneRepeatActive = 0; // 1 while the F1 voice message repeats
    KeyingPorts ports;

    // The WinKey keyer device.
    quint8 WinKeyComPort = 0;
    quint8 WinKeyOpen = 0;      // 0 closed, else the version the device reported
    qint32 WinKeyStatus = 0;    // the last status read from the device
    quint8 WinKeyPinConfig = 6; // 5 PTT, 6 tone, 4 key on pin 3, 8 key on pin 5
    quint8 WinKeyMode = 0;      // 0 iambic B, 16 iambic A, 32 ultimatic, 48 bug
};

// The in-state window's 63 states and provinces (entries 1 to 63 of 0 to 100).
struct StateProvTable {
    std::array<QString, 101> StateProvAbbrev{};
    std::array<QString, 101> StateProvName{};
    float StateProvCount = 0;
};

// The entry field that takes a key carried over from the field before it.
enum class CarryField : quint8 {
    None = 0,
    ReportSent = 1,
    StateProvCountry = 2,
    AfterReportReceived = 3, // the county out of state, St/Prv/Country in state
    ReportReceived = 4,
};

// The entry checks of the contact being logged (0 or 1 each).
struct EntryFlags {
    quint8 FieldMissing = 0;
    quint8 CountyInvalid = 0;
    quint8 StateProvInvalid = 0;
    quint8 DupeFound = 0;
    QDateTime LastDupeAt;     // local time of the last refused duplicate
    qint64 LastDupeAtMs = 0;  // the same moment on the monotonic clock
    // The key carried from one entry field to the next (its code in decimal digits) and
    // the field to take it. Always back at None when a keystroke ends.
    QString CarriedKey;
    CarryField CarryTarget = CarryField::None;
};

// The spot store: the newest spots in arrival order, slot 49 the newest, slot 0 the
// oldest; slots 50 and 51 are never used. Frequency 0 marks an empty or deleted slot.
constexpr int MaxBandMapSpots = 50;
constexpr int SpotSlots = 52;
struct SpotStoreState {
    std::array<QString, SpotSlots> SpotCall{};
    std::array<float, SpotSlots> SpotFrequency{}; // MHz
    std::array<QDateTime, SpotSlots> SpotArrival = emptyArrivals();
    std::array<QString, SpotSlots> SpotPrefix{};
    // Spots filed since the program started: a display that saw the store at an earlier
    // count knows that each spot it showed has moved down that many slots since.
    quint64 Filed = 0;
    // An empty slot arrived at the zero date, older than any real spot.
    static std::array<QDateTime, SpotSlots> emptyArrivals()
    {
        std::array<QDateTime, SpotSlots> arrivals;
        arrivals.fill(QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
        return arrivals;
    }
};

struct AppState {
    StationData station;
    Folders folders;
    LogStoreState log;
    ScoreState score;
    ReferenceTables tables;
    SharedPreferencesState shared;
    OperatingClock clock;
    KeyerState keyer;
    StateProvTable stateProv;
    EntryFlags entry;
    SpotStoreState spots;
    QString RigFrequencyText;
};
