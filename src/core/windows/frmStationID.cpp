#include "core/windows/frmStationID.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/NumberFormat.h"
#include "core/Preferences.h"
#include "core/RecordFile.h"
#include "core/SharedPreferences.h"
#include "core/Tables.h"
#include "core/UtcOffset.h"
#include "core/WorkFiles.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "platform/Services.h"

#include <QCloseEvent>
#include <cmath>

namespace {

const char* const StateCaptions[50] = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DE", "FL", "GA", "HI", "IA", "ID", "IL", "IN", "KS", "KY",
    "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY",
    "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

bool isNumber(const QString& text) { return parsePlainNumber(text).has_value(); }

} // namespace

frmStationID::frmStationID(const WindowContext& context)
    : Form(context, QStringLiteral(" Setup Information"), 4950, 5400)
{
    setAttribute(Qt::WA_DeleteOnClose);
    struct Row {
        KeyField** box;
        const char* caption;
    };
    const Row rows[] = {
        {&Text1, "Please Enter your Call Sign:"}, {&Text5, "Your State / Province:"},
        {&Text8, "Your County Abr:"}, {&Text6, "Hours added for UTC:"}, {&Text2, "Your Country:"},
        {&Text3, "Your Longitude:"}, {&Text4, "Your Latitude:"}, {&Text7, "Your Continent:"},
        {&Text9, "Your ARRL Section:"}};
    float top = 120;
    for (const Row& row : rows) {
        place(new QLabel(QString::fromLatin1(row.caption), this), ControlKind::Label, 120, top + 30, 2400, 255);
        *row.box = place(new KeyField(this), ControlKind::TextBox, 2640, top, 2160, 315);
        top += 390;
    }
    // Carried through unchanged; the operator never sees them.
    const Row hidden[] = {{&Text10, "Your Name:"}, {&Text11, "Your Category:"}, {&Text12, "Your City:"}};
    for (const Row& row : hidden) {
        place(new QLabel(QString::fromLatin1(row.caption), this), ControlKind::Label, 120, top, 2400, 255)->hide();
        *row.box = place(new KeyField(this), ControlKind::TextBox, 2640, top, 2160, 315);
        (*row.box)->hide();
    }
    Text6->setMaxLength(7);

    Frame2 = place(new QGroupBox(QStringLiteral("Are you in Texas?"), this), ControlKind::Frame, 120, 3700, 2280, 780);
    Option1 = place(new QRadioButton(QStringLiteral("Yes"), Frame2), ControlKind::OptionButton, 240, 360, 900, 255);
    Option2 = place(new QRadioButton(QStringLiteral("No"), Frame2), ControlKind::OptionButton, 1200, 360, 900, 255);
    Frame3 = place(new QGroupBox(QStringLiteral("Are you operating as a Rover?"), this), ControlKind::Frame, 2520, 3700, 2280, 780);
    Option4 = place(new QRadioButton(QStringLiteral("Yes"), Frame3), ControlKind::OptionButton, 240, 360, 900, 255);
    Option3 = place(new QRadioButton(QStringLiteral("No"), Frame3), ControlKind::OptionButton, 1200, 360, 900, 255);
    Command1 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 1920, 4740, 1095, 375);

    // Beyond the right edge: the host state's button, never seen.
    stateFrame = place(new QGroupBox(this), ControlKind::Frame, 5400, 120, 3000, 5000);
    for (int i = 0; i < 50; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(StateCaptions[i]), stateFrame);
        optState[size_t(i)] = place(button, ControlKind::OptionButton, 120 + float(i % 5) * 560,
                                    240 + float(i / 5) * 450, 540, 255);
        button->setEnabled(button->text() == QLatin1String("DE") || button->text() == QLatin1String("WI"));
        connect(button, &QRadioButton::clicked, this, [this, button] {
            for (QRadioButton* other : optState) {
                QFont font = other->font();
                font.setBold(other == button);
                other->setFont(font);
            }
        });
    }

    connect(Command1, &QPushButton::clicked, this, &frmStationID::Command1_Click);
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });

    auto enterRunsDone = [this](int& KeyAscii) {
        if (KeyAscii == 13) {
            KeyAscii = 0;
            Command1_Click();
        }
    };
    for (KeyField* box : {Text1, Text5, Text7, Text9, Text10, Text11, Text12}) {
        box->keyPress = [enterRunsDone](int& KeyAscii) {
            enterRunsDone(KeyAscii);
            Cap3(KeyAscii);
        };
    }
    for (KeyField* box : {Text3, Text4, Text6}) {
        box->keyPress = [enterRunsDone](int& KeyAscii) {
            enterRunsDone(KeyAscii);
            NumBerr(KeyAscii);
        };
    }
    Text8->keyPress = [enterRunsDone](int& KeyAscii) {
        KeyToUpper(KeyAscii);
        enterRunsDone(KeyAscii);
    };
    Text2->keyPress = [this](int& KeyAscii) { Text2_KeyPress(KeyAscii); };
    Text6->validate = [this] {
        if (isNumber(Text6->text()) || m_done)
            return true;
        this->context().services.beeper->beep();
        return false;
    };
}

void frmStationID::Cap3(int& KeyAscii) { KeyToUpper(KeyAscii); }

void frmStationID::NumBerr(int& KeyAscii)
{
    if (KeyAscii == 8 || (KeyAscii >= 45 && KeyAscii <= 57))
        return;
    KeyAscii = 0;
}

void frmStationID::setChecked(QRadioButton* button, bool checked)
{
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(true);
}

void frmStationID::reportFileError()
{
    if (m_errorShown)
        return;
    m_errorShown = true;
    context().services.dialogs->messageBox(QStringLiteral("Error opening file"),
                                           QStringLiteral("Error opeining file"));
}

void frmStationID::Form_Load()
{
    AppState& state = context().state;
    ResizeFormToScreen(*this);

    // Each file is loaded on its own: one that is missing or damaged is reported once
    // and the load goes on with the next.
    const int prefItemsRead = ReadPrefFile(state);
    if (prefItemsRead < PrefItemCount)
        reportFileError();

    // A damaged or short file is not rewritten before "Done": an accepted offset then waits
    // in its box for "Done" to store it with the rest.
    m_utcAccepted = CheckUTCOffset(state, context().services, promptsOf(*context().services.dialogs),
                                   prefItemsRead == PrefItemCount);

    const QString prefixTable = findPrefixTable(state.folders);
    if (!prefixTable.isEmpty() && !LoadPrefixTable(state.tables, prefixTable))
        reportFileError();

    if (!LoadStateTable(state))
        reportFileError();

    for (QRadioButton* button : optState) {
        const bool host = button->text().compare(state.station.HostState, Qt::CaseInsensitive) == 0;
        setChecked(button, host);
        QFont font = button->font();
        font.setBold(host);
        button->setFont(font);
    }

    // The answers come from the preferences only when the file held them.
    if (prefItemsRead >= 20) {
        if (state.station.OutOfState != 0) {
            Option2->setChecked(true);
            Frame3->setEnabled(false);
            Option3->setEnabled(false);
            Option4->setEnabled(false);
        } else {
            Option1->setChecked(true);
            Frame3->setEnabled(true);
            Option3->setEnabled(true);
            Option4->setEnabled(true);
        }
    }
    if (prefItemsRead >= 21)
        (state.station.OwnRover == 1 ? Option4 : Option3)->setChecked(true);

    fillKeyerWindowsAndBoxes(prefItemsRead);
}

void frmStationID::fillKeyerWindowsAndBoxes(int prefItemsRead)
{
    if (!context().navigation.loadKeyerSettings())
        reportFileError();
    fillBoxes(prefItemsRead);
}

void frmStationID::fillBoxes(int prefItemsRead)
{
    const StationData& s = context().state.station;
    // Item numbers of the preferences file; a box is filled only when its item was read.
    const struct {
        KeyField* box;
        int item;
        QString text;
    } boxes[] = {
        {Text1, 1, s.OwnCall}, {Text5, 2, s.OwnSpc}, {Text6, 11, formatSingle(s.UtcOffsetHours)},
        {Text2, 3, s.OwnCountry}, {Text3, 12, formatSingle(s.OwnLongitude)},
        {Text4, 13, formatSingle(s.OwnLatitude)}, {Text7, 14, s.OwnContinent}, {Text8, 7, s.OwnCounty},
        {Text9, 4, s.OwnArrlSection}, {Text10, 5, s.OwnName}, {Text11, 6, s.OwnCategory},
        {Text12, 8, s.OwnCity}};
    for (const auto& b : boxes) {
        if (prefItemsRead >= b.item || (b.box == Text6 && m_utcAccepted))
            b.box->setText(recordSafeText(b.text));
    }
}

void frmStationID::Option1_Click()
{
    Frame3->setEnabled(true);
    Option3->setEnabled(true);
    Option4->setEnabled(true);
}

void frmStationID::Option2_Click()
{
    setChecked(Option4, false);
    Option3->setChecked(true);
    Frame3->setEnabled(false);
    Option3->setEnabled(false);
    Option4->setEnabled(false);
}

void frmStationID::Text2_KeyPress(int& KeyAscii)
{
    if (Text2->selStart() == 0)
        Cap3(KeyAscii);
    if (KeyAscii <= 0)
        return;
    const ReferenceTables& t = context().state.tables;
    const QString typed = Text2->text().left(Text2->selStart()) + QChar(char16_t(KeyAscii));
    for (qint32 i = t.PrefixCount; i >= 1; --i) {
        const QString& country = t.PrefixCountry[size_t(i)];
        if (!country.startsWith(typed, Qt::CaseInsensitive))
            continue;
        Text2->setText(typed + country.mid(typed.size()));
        Text2->setSelection(int(typed.size()), int(country.size() - typed.size()));
        KeyAscii = 0;
        Text3->setText(formatSingle(t.PrefixLongitude[size_t(i)]));
        Text4->setText(formatSingle(t.PrefixLatitude[size_t(i)]));
        Text7->setText(t.PrefixContinent[size_t(i)]);
        return;
    }
}

void frmStationID::Command1_Click()
{
    if (m_done)
        return;
    for (KeyField* box : {Text6, Text3, Text4}) {
        if (!isNumber(box->text()))
            box->setText(QStringLiteral("0"));
    }
    AppState& state = context().state;
    StationData& s = state.station;
    s.HostState = QStringLiteral("TX");
    s.OutOfState = Option1->isChecked() ? 0 : 1;
    s.OwnRover = Option4->isChecked() ? 1 : 0;
    s.OwnCall = Text1->text();
    s.OwnSpc = Text5->text();
    s.UtcOffsetHours = float(*parsePlainNumber(Text6->text()));
    s.OwnCountry = Text2->text();
    s.OwnLongitude = float(*parsePlainNumber(Text3->text()));
    s.OwnLatitude = float(*parsePlainNumber(Text4->text()));
    s.OwnContinent = Text7->text();
    s.OwnCounty = Text8->text();
    s.OwnArrlSection = Text9->text();
    s.OwnName = Text10->text();
    s.OwnCategory = Text11->text();
    s.OwnCity = Text12->text();
    SavePrefFile(state, context().services.fileWriter.get());

    const struct {
        const char* key;
        KeyField* box;
    } published[] = {{"OWN_CALL", Text1}, {"OWN_SPC", Text5}, {"OWN_UTC", Text6},
                     {"OWN_COUNTY", Text8}, {"OWN_COUNTRY", Text2}, {"OWN_LONGITUDE", Text3},
                     {"OWN_LATITUDE", Text4}, {"OWN_CONTINENT", Text7}, {"OWN_ARRL_SECTION", Text9}};
    for (const auto& item : published) {
        QString key = QString::fromLatin1(item.key);
        SetGlobalPreference(state.shared, key, item.box->text(), 0);
    }
    // The station data is kept in memory and in QSOpref.txt either way; only the copy
    // published for other programs is missing, so the program goes on after saying so,
    // once the write has failed.
    SaveGlobalPreferences(state.shared, state.shared.GlobalPreferencesPath, context().services.fileWriter.get(),
                          [dialogs = context().services.dialogs.get()](bool written, const QString& error) {
                              if (written)
                                  return;
                              dialogs->messageBox(
                                  QStringLiteral("Your station details could not be shared with other programs.\r\n\r\n")
                                      + error,
                                  QStringLiteral("Unable to write file."));
                          });

    m_done = true;
    context().navigation.showMainWindow();
    close();
}

void frmStationID::closeEvent(QCloseEvent* event)
{
    Form::closeEvent(event);
    // Without "Done" there is no way forward: the run ends here.
    if (!m_done)
        context().navigation.quit();
}
