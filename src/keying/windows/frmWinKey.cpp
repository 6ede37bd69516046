#include "keying/windows/frmWinKey.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/NumberFormat.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Sessions.h"
#include "keying/KeyerSession.h"
#include "keying/WinKeyDevice.h"
#include "platform/Services.h"

#include <QCloseEvent>
#include <QPointer>
#include <optional>

namespace {

// A box's number as the byte the device takes, rounded to the nearest whole number;
// nothing when the box holds no number or one that no byte holds.
struct ByteValue {
    bool isNumber = false;
    std::optional<quint8> byte;
};

ByteValue byteOf(const KeyField* box)
{
    const auto number = parsePlainNumber(box->text());
    if (!number)
        return {};
    const double whole = roundHalfEven(*number);
    if (whole < 0 || whole > 255)
        return {true, std::nullopt};
    return {true, quint8(whole)};
}

// Backspace and the digits.
void DigitsOnlyKey(int& KeyAscii) { KeyDigitsOnly(KeyAscii); }

const struct {
    const char* text;
    int code;
} OpenStatusTexts[] = {
    {"WK Success!", 0},       {"No Echo Response", -1},  {"Echo Mismatch", -2},
    {"No Open Response", -3}, {"Com Open Failed", -4},   {"Get Com ST Failed", -5},
    {"Set Com ST Failed", -6}, {"WK Already Open", -8}, {"WK Not Open", -9},
};

} // namespace

frmWinKey::frmWinKey(const WindowContext& context)
    : Form(context, QStringLiteral(" WinKey Setup"), 9120, 5640), m_session(*context.sessions.keyer)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto row = [this](int index, const QString& caption, const QString& value, const QString& note) {
        const float top = 240 + float(index) * 420;
        place(new QLabel(caption, this), ControlKind::Label, 240, top + 30, 1100, 255);
        auto* box = place(new KeyField(this), ControlKind::TextBox, 1440, top, 720, 315);
        box->setText(value);
        box->keyPress = DigitsOnlyKey;
        if (!note.isEmpty())
            place(new QLabel(note, this), ControlKind::Label, 2400, top + 30, 6480, 255);
        return box;
    };
    txtWKComPort = row(0, QStringLiteral("Com Port:"), QStringLiteral("5"), {});
    txtWKWPM = row(1, QStringLiteral("WPM:"), QStringLiteral("18"),
                   QStringLiteral("Up / down arrows from main form change speeds."));
    txtWeight = row(2, QStringLiteral("Weight:"), QStringLiteral("50"),
                    QStringLiteral("Proportional amount added or subtracted (50 is standard)."));
    txtLeadIn = row(3, QStringLiteral("Lead In:"), QStringLiteral("0"),
                    QStringLiteral("Lead in time for transmitter (10 ms increments)."));
    txtTail = row(4, QStringLiteral("Tail:"), QStringLiteral("0"),
                  QStringLiteral("Tail time after keying has stopped (10 ms increments)."));
    txtRatio = row(5, QStringLiteral("Ratio:"), QStringLiteral("50"),
                   QStringLiteral("Ratio of dits to dahs (Range: 33 - 66)."));

    auto option = [this](QGroupBox* frame, const QString& caption, int index) {
        return place(new QRadioButton(caption, frame), ControlKind::OptionButton, 120, 300 + float(index) * 270,
                     2520, 255);
    };
    fraMode = place(new QGroupBox(QStringLiteral("Keyer Mode"), this), ControlKind::Frame, 240, 2880, 2760, 1440);
    optIambicA = option(fraMode, QStringLiteral("Iambic A"), 0);
    optIambicB = option(fraMode, QStringLiteral("Iambic B"), 1);
    optUltimatic = option(fraMode, QStringLiteral("Ultimatic"), 2);
    optBug = option(fraMode, QStringLiteral("Bug Keyer"), 3);
    fraPins = place(new QGroupBox(QStringLiteral("Pin 5 Configuration"), this), ControlKind::Frame, 3120, 2880,
                    2880, 1440);
    optPTT = option(fraPins, QStringLiteral("PTT"), 0);
    optTone = option(fraPins, QStringLiteral("Tone"), 1);
    optKey5Off3Out = option(fraPins, QStringLiteral("P5 Off, P3 Key Out"), 2);
    optKey5Out3Off = option(fraPins, QStringLiteral("P5 Key Out, P3 Off"), 3);

    place(new QLabel(QStringLiteral("WinKey Status:"), this), ControlKind::Label, 6240, 2940, 2640, 255);
    lblOpenStatus = place(new QLabel(QStringLiteral("Closed"), this), ControlKind::Label, 6240, 3240, 2640, 255);
    place(new QLabel(QStringLiteral("WinKey Version:"), this), ControlKind::Label, 6240, 3660, 2640, 255);
    lblVersion = place(new QLabel(QStringLiteral("Version #"), this), ControlKind::Label, 6240, 3960, 2640, 255);

    auto button = [this](const QString& caption, float left, float width) {
        return place(new QPushButton(caption, this), ControlKind::CommandButton, left, 4560, width, 375);
    };
    cmdOpenWinkey = button(QStringLiteral("Open"), 240, 1095);
    cmdCloseWinkey = button(QStringLiteral("Close"), 1455, 1095);
    Command1 = button(QStringLiteral("Buffer Test"), 2670, 1335);
    Command3 = button(QStringLiteral("Test"), 4125, 1095);
    cmdStop = button(QStringLiteral("Stop"), 5340, 1095);
    Command2 = button(QStringLiteral("Defaults Test"), 6555, 1335);
    cmdDone = button(QStringLiteral("&Done"), 8010, 870);
    Text1 = place(new KeyField(this), ControlKind::TextBox, 240, 5100, 8640, 315);

    connect(cmdOpenWinkey, &QPushButton::clicked, this, &frmWinKey::cmdOpenWinkey_Click);
    connect(cmdCloseWinkey, &QPushButton::clicked, this, &frmWinKey::cmdCloseWinkey_Click);
    connect(cmdDone, &QPushButton::clicked, this, &frmWinKey::cmdDone_Click);
    connect(Command1, &QPushButton::clicked, this, &frmWinKey::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWinKey::Command3_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmWinKey::cmdStop_Click);
    // "Defaults Test" does nothing.

    txtWKComPort->lostFocus = [this] { txtWKComPort_LostFocus(); };
    txtWKWPM->lostFocus = [this] { txtWKWPM_LostFocus(); };
    txtWeight->lostFocus = [this] { txtWeight_LostFocus(); };
    txtRatio->lostFocus = [this] { txtRatio_LostFocus(); };
    txtLeadIn->lostFocus = [this] { leadTail_LostFocus(txtLeadIn); };
    txtTail->lostFocus = [this] { leadTail_LostFocus(txtTail); };
    Text1->keyPress = [this](int& KeyAscii) { Text1_KeyPress(KeyAscii); };

    const struct {
        QRadioButton* button;
        quint8 value;
        bool mode;
    } options[] = {{optIambicA, 16, true}, {optIambicB, 0, true},  {optUltimatic, 32, true},
                   {optBug, 48, true},     {optPTT, 5, false},     {optTone, 6, false},
                   {optKey5Off3Out, 4, false}, {optKey5Out3Off, 8, false}};
    for (const auto& o : options) {
        connect(o.button, &QRadioButton::toggled, this, [this, o](bool on) {
            if (on)
                o.mode ? modeChosen(o.value) : pinsChosen(o.value);
        });
    }

    const QSizeF screenSize = screen().sizeTwips();
    ResizeFormBetween(*this, float(screenSize.width()), float(screenSize.height()), ReferenceScreenWidth,
                      ReferenceScreenHeight, 0, 1.0f,
                      QStringLiteral("Arial"));
    loadSettings();
    wireSession();
}

void frmWinKey::wireSession()
{
    connect(&m_session.winKey(), &WinKeyOutput::notConnected, this, [this](quint8 port) {
        context().services.dialogs->messageBox(
            QStringLiteral("Unable to establish connection with WinKey on com port %1.  Please check to make sure "
                           "that you have specified the correct port and that the Winkey device is properly "
                           "connected.")
                .arg(port),
            QStringLiteral("Unable to establish connection with Winkey."));
    });
    connect(&m_session.winKey(), &WinKeyOutput::openStatus, this, &frmWinKey::showOpenStatus);
    connect(&m_session.winKey(), &WinKeyOutput::settingsWanted, this, &frmWinKey::SendWinKeySettings);
    connect(&m_session.winKey(), &WinKeyOutput::opened, this, [this](quint8 version) {
        if (version != 0)
            lblVersion->setText(QStringLiteral("Version # %1").arg(version));
        focusDone();
    });
    connect(&m_session.winKey(), &WinKeyOutput::closed, this, [this] {
        lblOpenStatus->setText(QStringLiteral("Closed"));
        lblVersion->setText(QStringLiteral("Version #"));
        focusDone();
    });
    connect(&m_session.winKey(), &WinKeyOutput::givenUp, this, [this](const QString& message) {
        context().services.dialogs->messageBox(message, QStringLiteral("Error!"));
    });
}

void frmWinKey::closeEvent(QCloseEvent* event)
{
    // Only "&Done" hides the window.
    event->ignore();
}

void frmWinKey::loadSettings()
{
    KeyerState& keyer = context().state.keyer;
    keyer.WinKeyPinConfig = 6;
    keyer.WinKeyMode = 0;
    WinKeySettings s;
    s.pinConfig = keyer.WinKeyPinConfig;
    s.mode = keyer.WinKeyMode;
    // A rewrite of the file asked earlier in the run is read back, not the file before it.
    if (FileWriter* writer = context().services.fileWriter.get())
        writer->waitForAll();
    if (const auto read = loadWinKeySettings(context().state.folders.DataFolder, s)) {
        keyer.WinKeyComPort = s.comPort;
        txtWKWPM->setText(s.wordsPerMinute);
        txtWeight->setText(s.weight);
        txtLeadIn->setText(s.leadIn);
        txtTail->setText(s.tail);
        txtRatio->setText(s.ratio);
        keyer.WinKeyPinConfig = s.pinConfig;
        keyer.WinKeyMode = s.mode;
        if (!read->whole)
            return; // a damaged file: what was read stays, the rest is skipped
    }
    // The CW keyer's speed wins over the stored one.
    txtWKWPM->setText(m_session.wordsPerMinute());
    txtWKComPort->setText(QString::number(keyer.WinKeyComPort));
    const quint8 pins = keyer.WinKeyPinConfig;
    const quint8 mode = keyer.WinKeyMode;
    for (const auto& [button, value] : {std::pair{optPTT, 5}, {optTone, 6}, {optKey5Off3Out, 4}, {optKey5Out3Off, 8}}) {
        if (pins == value)
            button->setChecked(true);
    }
    for (const auto& [button, value] : {std::pair{optIambicA, 16}, {optIambicB, 0}, {optUltimatic, 32}, {optBug, 48}}) {
        if (mode == value)
            button->setChecked(true);
    }
}

WinKeySettings frmWinKey::settings() const
{
    const KeyerState& keyer = context().state.keyer;
    WinKeySettings s;
    s.comPort = keyer.WinKeyComPort;
    s.wordsPerMinute = txtWKWPM->text();
    s.weight = txtWeight->text();
    s.leadIn = txtLeadIn->text();
    s.tail = txtTail->text();
    s.ratio = txtRatio->text();
    s.pinConfig = keyer.WinKeyPinConfig;
    s.mode = keyer.WinKeyMode;
    return s;
}

void frmWinKey::showOpenStatus(int code)
{
    for (const auto& s : OpenStatusTexts) {
        if (s.code == code)
            lblOpenStatus->setText(QString::fromLatin1(s.text));
    }
}

void frmWinKey::focusDone()
{
    if (isVisible())
        cmdDone->setFocus();
}

void frmWinKey::cmdOpenWinkey_Click() { m_session.winKey().open(); }

void frmWinKey::cmdCloseWinkey_Click() { m_session.winKey().close(); }

void frmWinKey::SendWinKeySettings()
{
    txtWKWPM_LostFocus();
    txtWeight_LostFocus();
    leadTail_LostFocus(txtLeadIn);
    txtRatio_LostFocus();
    const KeyerState& keyer = context().state.keyer;
    m_session.winKey().device().wk_pincfg(keyer.WinKeyPinConfig);
    m_session.winKey().device().wk_setmode(keyer.WinKeyMode);
}

void frmWinKey::modeChosen(quint8 mode)
{
    context().state.keyer.WinKeyMode = mode;
    if (context().state.keyer.WinKeyOpen != 0)
        SendWinKeySettings();
}

void frmWinKey::pinsChosen(quint8 config)
{
    context().state.keyer.WinKeyPinConfig = config;
    if (context().state.keyer.WinKeyOpen != 0)
        SendWinKeySettings();
}

void frmWinKey::txtWKComPort_LostFocus()
{
    KeyerState& keyer = context().state.keyer;
    const ByteValue port = byteOf(txtWKComPort);
    if (!port.isNumber)
        txtWKComPort->setText(QStringLiteral("0"));
    keyer.WinKeyComPort = port.byte.value_or(0);
}

void frmWinKey::txtWKWPM_LostFocus()
{
    const ByteValue speed = byteOf(txtWKWPM);
    if (!speed.byte)
        txtWKWPM->setText(QStringLiteral("18"));
    else if (*speed.byte <= 99)
        m_session.winKey().device().wk_wpm(*speed.byte);
}

void frmWinKey::txtWeight_LostFocus()
{
    const ByteValue weight = byteOf(txtWeight);
    if (!weight.byte)
        txtWeight->setText(QStringLiteral("50"));
    else if (*weight.byte <= 99)
        m_session.winKey().device().wk_weight(*weight.byte);
}

void frmWinKey::txtRatio_LostFocus()
{
    const ByteValue ratio = byteOf(txtRatio);
    if (!ratio.byte)
        txtRatio->setText(QStringLiteral("50"));
    else if (*ratio.byte >= 32 && *ratio.byte <= 67)
        m_session.winKey().device().wk_ditdah_ratio(*ratio.byte);
}

void frmWinKey::leadTail_LostFocus(KeyField* left)
{
    const ByteValue lead = byteOf(txtLeadIn);
    const ByteValue tail = byteOf(txtTail);
    if (lead.byte && tail.byte)
        m_session.winKey().device().wk_ptt_leadtail(*lead.byte, *tail.byte);
    else
        left->setText(QStringLiteral("0"));
}

void frmWinKey::Capital(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void frmWinKey::Text1_KeyPress(int& KeyAscii)
{
    Capital(KeyAscii);
    if (KeyAscii > 13)
        appendAndSend(QString(QChar(char16_t(KeyAscii))));
}

void frmWinKey::appendAndSend(const QString& text)
{
    QString& buffer = context().state.keyer.CWBuffer;
    const bool wasEmpty = buffer.isEmpty();
    buffer += text;
    // A send already running takes the new text along.
    if (wasEmpty)
        WKTransmit();
}

void frmWinKey::Command1_Click()
{
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
    appendAndSend(alphabet + alphabet + alphabet);
}

void frmWinKey::Command3_Click()
{
    const QPointer<frmWinKey> alive(this);
    appendAndSend(QStringLiteral("VVV TEST DE ") + context().state.station.OwnCall);
    if (alive)
        focusDone();
}

void frmWinKey::cmdStop_Click()
{
    m_session.winKey().device().wk_clearbuf();
    context().state.keyer.CWBuffer.clear();
    focusDone();
}

void frmWinKey::cmdDone_Click()
{
    const WinKeySettings current = settings();
    // A file that cannot be written is passed over: the settings stay live in the window.
    saveWinKeySettings(context().state.folders.DataFolder, current, context().services.fileWriter.get());
    hide();
}

void frmWinKey::WKTransmit() { m_session.winKey().send(); }
