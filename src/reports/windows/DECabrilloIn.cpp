#include "reports/windows/DECabrilloIn.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/NumberFormat.h"
#include "core/SharedPreferences.h"
#include "core/forms/FormScaler.h"
#include "entry/Scoring.h"
#include "platform/DiskFile.h"
#include "platform/EventWait.h"
#include "platform/Services.h"
#include "reports/BonusPoints.h"

#include <QDir>
#include <algorithm>

namespace {

// The operator's details: the box, its per-user value and its shared preferences key.
struct OperatorDetail {
    KeyField* DECabrilloIn::*box;
    const char* userValue;
    const char* sharedKey;
};

constexpr OperatorDetail OperatorDetails[] = {
    {&DECabrilloIn::Text5, "UserAddressName", "OWN_ADDRESS_NAME"},
    {&DECabrilloIn::Text6, "UserAddressLine1", "OWN_ADDRESS_Line1"},
    {&DECabrilloIn::Text7, "UserAddressLine2", "OWN_ADDRESS_Line2"},
    {&DECabrilloIn::Text8, "UserEMail", "OWN_EMAIL"},
    {&DECabrilloIn::Text2, "UserClubName", "OWN_CLUB_NAME"},
};

QString thanksSignature() { return QStringLiteral("73 and good luck in the next contest,\r\nVexol"); }

} // namespace

DECabrilloIn::DECabrilloIn(const WindowContext& context)
    : Form(context, QStringLiteral("Summary Sheet Information"), 9225, 4275)
{
    setWindowFlags(Qt::Dialog);
    auto option = [this](QGroupBox* frame, const char* caption, float left, float top, float width) {
        return place(new QRadioButton(QString::fromLatin1(caption), frame), ControlKind::OptionButton,
                     left, top, width, 195);
    };
    auto label = [this](const char* caption, float left, float top, float width, float height) {
        auto* l = place(new QLabel(QString::fromLatin1(caption), this), ControlKind::Label, left, top,
                        width, height);
        controlFor(l)->FontName = QStringLiteral("Arial");
        return l;
    };
    auto box = [this](float left, float top, float width) {
        return place(new KeyField(this), ControlKind::TextBox, left, top, width, 285);
    };

    Frame1 = place(new QGroupBox(QStringLiteral("Category"), this), ControlKind::Frame, 240, 240, 4455, 735);
    Option6 = option(Frame1, "Single Op", 120, 240, 1095);
    Option5 = option(Frame1, "Multi Op", 1320, 240, 975);
    Option16 = option(Frame1, "QRP SO", 2520, 240, 1815);
    Option2 = option(Frame1, "CWO SO", 120, 480, 975);
    Option7 = option(Frame1, "TXM SO", 1320, 480, 1095);
    Option8 = option(Frame1, "TXM MO", 2520, 480, 1190);
    Frame2 = place(new QGroupBox(QStringLiteral("Power"), this), ControlKind::Frame, 5160, 240, 3855, 495);
    Option4 = option(Frame2, "High", 120, 240, 855);
    Option3 = option(Frame2, "Low (150W)", 1080, 240, 1300);
    Option1 = option(Frame2, "QRP (5W)", 2400, 240, 1215);
    Frame3 = place(new QGroupBox(QStringLiteral("Mode"), this), ControlKind::Frame, 240, 1080, 1215, 975);
    Option12 = option(Frame3, "CW", 120, 240, 855);
    Option11 = option(Frame3, "SSB", 120, 480, 825);
    Option10 = option(Frame3, "Mixed", 120, 720, 855);
    Option6->setChecked(true);
    Option3->setChecked(true);
    Option10->setChecked(true);

    Label5 = label("Bouns Points:", 5160, 840, 1455, 255);
    Label3 = label("Add 500 points for each mobile worked in 5 different counties:", 1800, 1320, 5895, 255);
    Text4 = box(7800, 1320, 975);
    Label4 = label("Mobiles add 1000 points per county covered with 5 contacts:", 1800, 1680, 6015, 255);
    Text3 = box(7800, 1680, 975);
    Text4->setText(QStringLiteral("0"));
    Text3->setText(QStringLiteral("0"));
    Label6 = label("Your Name:", 240, 2280, 1095, 255);
    Text5 = box(1800, 2280, 2055);
    Label9 = label("Address Line 1:", 240, 2640, 1455, 255);
    Text6 = box(1800, 2640, 2055);
    Label8 = label("Address Line 2:", 240, 3000, 1455, 255);
    Text7 = box(1800, 3000, 2055);
    Label7 = label("Email Address:", 240, 3360, 1335, 255);
    Text8 = box(1800, 3360, 2055);
    Label2 = label("Club Name:", 240, 3720, 1335, 255);
    Text2 = box(1800, 3720, 2055);
    Label1 = label("If Multi Op, list all calls:", 4320, 2040, 2415, 255);
    Text1 = box(6720, 2040, 2295);
    Label12 = label("Soapbox (Add any comments you would like to make about the contest):", 4320, 2400, 3855, 495);
    Label12->setWordWrap(true);
    Text11 = box(4320, 3000, 3855);
    Command4 = place(new QPushButton(QStringLiteral("Write Cabrillo File"), this), ControlKind::CommandButton,
                     4320, 3720, 3855, 375);
    Command3 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 8280, 3720, 735, 375);

    addLine(45, 120, 9120, 120);
    addLine(9120, 120, 9120, 4200);
    addLine(9120, 4200, 45, 4200);
    addLine(45, 4200, 45, 120);

    const QWidget* order[] = {Option6, Option5, Option16, Option2,  Option7, Option8, Option4,
                              Option3, Option1, Option12, Option11, Option10, Text5, Text6,
                              Text7,   Text8,   Text2,    Text1,    Text11,  Command4, Command3,
                              Text4,   Text3};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));

    // Curly quotes, dashes and the euro sign reach the file; what its code page lacks
    // altogether is refused when the file is written, naming the box.
    for (KeyField* text : {Text5, Text6, Text7, Text8, Text2, Text1, Text11})
        text->acceptAnyText();
    Text1->keyPress = [this](int& k) { Text1_KeyPress(k); };
    Text4->lostFocus = [this] { Text4_LostFocus(); };
    connect(Command3, &QPushButton::clicked, this, &DECabrilloIn::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &DECabrilloIn::Command4_Click);
}

void DECabrilloIn::Form_Load()
{
    ResizeFormToScreen(*this);
    letEventsRun();

    const AppState& state = context().state;
    if (state.station.OwnRover == 1) {
        const std::optional<qint64> rover = RoverBonus(loggedContacts(state.log));
        if (!rover)
            return; // more own-county texts than the tally holds: the rest stays unfilled
        Text3->setText(QString::number(*rover));
    }
    FiveCountyBonus();
    const UserSettings& settings = *context().services.settings;
    for (const OperatorDetail& detail : OperatorDetails)
        (this->*detail.box)->setText(settings.value(QString::fromLatin1(detail.userValue)));
}

void DECabrilloIn::FiveCountyBonus()
{
    Text4->setText(QString::number(::FiveCountyBonus(loggedContacts(context().state.log))));
}

void DECabrilloIn::Text1_KeyPress(int& KeyAscii) { KeyToUpper(KeyAscii); }

void DECabrilloIn::Text4_LostFocus()
{
    if (!parsePlainNumber(Text4->text()))
        Text4->setText(QStringLiteral("0"));
}

void DECabrilloIn::Command3_Click() { hide(); }

EntryCategory DECabrilloIn::chosenCategory() const
{
    if (Option5->isChecked())
        return EntryCategory::MultiOp;
    if (Option2->isChecked())
        return EntryCategory::CwoSo;
    if (Option7->isChecked())
        return EntryCategory::TxmSo;
    if (Option8->isChecked())
        return EntryCategory::TxmMo;
    if (Option16->isChecked())
        return EntryCategory::QrpSo;
    return EntryCategory::SingleOp;
}

PowerCategory DECabrilloIn::chosenPower() const
{
    if (Option4->isChecked())
        return PowerCategory::High;
    if (Option1->isChecked())
        return PowerCategory::Qrp;
    return PowerCategory::Low;
}

ModeCategory DECabrilloIn::chosenMode() const
{
    if (Option12->isChecked())
        return ModeCategory::CW;
    if (Option11->isChecked())
        return ModeCategory::SSB;
    return ModeCategory::Mixed;
}

void DECabrilloIn::Command4_Click()
{
    AppState& state = context().state;
    Services& services = context().services;

    for (KeyField* bonus : {Text3, Text4}) {
        if (!parsePlainNumber(bonus->text()))
            bonus->setText(QStringLiteral("0"));
    }
    const double bonusTotal = leadingNumber(Text4->text()) + leadingNumber(Text3->text());

    state.station.OwnCall = state.station.OwnCall.trimmed();
    const QString proposed =
        QDir(state.folders.DataFolder).filePath(CallForFileName(state.station.OwnCall) + QStringLiteral(".log"));
    const std::optional<QString> path =
        services.dialogs->saveFileName(QStringLiteral("Save As"), proposed, QStringLiteral("LOG Files (*.log)"));
    if (!path)
        return;

    QString error;
    if (!writeFile(*path, bonusTotal, &error)) {
        services.beeper->beep();
        services.dialogs->messageBox(error, QStringLiteral("Unable to write file."));
        return;
    }

    const QString crlf = QStringLiteral("\r\n");
    services.dialogs->messageBox(
        QStringLiteral("The file was successfully written to the directory:") + crlf + crlf
            + QDir::toNativeSeparators(*path) + QLatin1Char('.') + crlf + crlf
            + QStringLiteral("Attach this file to an e-mail addressed for contest submission.  If you wish "
                             "to print this file, you can open it with Notepad or Wordpad to print."),
        QStringLiteral("File Written Successfully."));
    services.dialogs->messageBox(
        QStringLiteral("Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a friend!")
            + crlf + crlf + thanksSignature(),
        QStringLiteral("  Thanks!"));
    Command3->setFocus();
    if (!storeOperatorDetails(&error)) {
        services.beeper->beep();
        services.dialogs->messageBox(error, QStringLiteral("Unable to write file."));
    }
}

CabrilloInput DECabrilloIn::gatherInput(double bonusTotal) const
{
    const AppState& state = context().state;
    // The figures the log window shows, from the log and the score behind them.
    const bool inHostState = state.station.OutOfState == 0;
    const ScoreFigures figures = scoreFigures(state, inHostState);
    CabrilloInput in;
    in.shownScore = figures.score;

    const StationData& s = state.station;
    in.ownCall = s.OwnCall;
    in.ownSpc = s.OwnSpc;
    in.arrlSection = s.OwnArrlSection;
    in.hostState = s.HostState;
    in.programVersion = state.folders.ProgramVersion;
    in.contacts = loggedContacts(state.log);
    in.qsoCountCW = state.score.QsoCountCW;
    in.qsoCountPH = state.score.QsoCountPH;
    in.qsoCountDG = state.score.QsoCountDG;

    in.category = chosenCategory();
    in.power = chosenPower();
    in.mode = chosenMode();
    in.clubName = Text2->text();
    in.operators = Text1->text();
    in.name = Text5->text();
    in.addressLine1 = Text6->text();
    in.addressLine2 = Text7->text();
    in.email = Text8->text();
    in.soapbox = Text11->text();
    in.fiveCountyBonusText = Text4->text();
    in.roverBonusText = Text3->text();
    in.bonusTotal = bonusTotal;

    in.countiesWorked = listedCountiesWorked(state);
    if (inHostState) {
        in.inHostState = true;
        in.shownMultipliers = figures.multipliers;
        in.dxWorked = listedDXCountries(state);
        in.statesWorked = workedStatesAndProvinces(state);
    }
    return in;
}

bool DECabrilloIn::writeFile(const QString& path, double bonusTotal, QString* error) const
{
    const CabrilloInput input = gatherInput(bonusTotal);
    QString writerError;
    const bool written = DiskFile::replaceAtomically(
        path, [&](QIODevice& device) { return WriteCabrilloLog(device, input, &writerError); }, error);
    if (!written && !writerError.isEmpty())
        *error = writerError;
    return written;
}

bool DECabrilloIn::storeOperatorDetails(QString* error)
{
    AppState& state = context().state;
    UserSettings& settings = *context().services.settings;
    for (const OperatorDetail& detail : OperatorDetails)
        settings.setValue(QString::fromLatin1(detail.userValue), (this->*detail.box)->text().trimmed());
    const size_t count = std::size(OperatorDetails);
    bool saved = true;
    for (size_t i = 0; i < count; ++i) {
        QString key = QString::fromLatin1(OperatorDetails[i].sharedKey);
        saved = SetGlobalPreference(state.shared, key, (this->*OperatorDetails[i].box)->text().trimmed(),
                                    i + 1 == count ? 1 : 0, error);
    }
    return saved;
}
