#include "keying/windows/frmCodePractice.h"

#include "core/AppState.h"
#include "core/NumberFormat.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Sessions.h"
#include "keying/KeyerSession.h"
#include "keying/windows/KeyerScaling.h"
#include "platform/EventWait.h"
#include "platform/Services.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRandomGenerator>

namespace {

const QString Bang = QStringLiteral("!");

} // namespace

PracticeTextBox::PracticeTextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(0, 0, 128));
    colours.setColor(QPalette::Text, Qt::white);
    setPalette(colours);
}

void PracticeTextBox::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (capitals && text.size() == 1 && text[0] >= QLatin1Char('a') && text[0] <= QLatin1Char('z')) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), text.toUpper(), event->isAutoRepeat(),
                        ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&upper);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

frmCodePractice::frmCodePractice(const WindowContext& context)
    : Form(context, QStringLiteral("On the Air Code Practice"), 8400, 6600), m_keyer(*context.sessions.keyer)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto label = [this](const QString& caption, float left, float top, float width) {
        return place(new QLabel(caption, this), ControlKind::Label, left, top, width, 255);
    };
    auto button = [this](const QString& caption, float left, float top, float width) {
        return place(new QPushButton(caption, this), ControlKind::CommandButton, left, top, width, 375);
    };
    auto textBox = [this](float left, float top, float width) {
        return place(new KeyField(this), ControlKind::TextBox, left, top, width, 315);
    };
    auto bigBox = [this](float top) {
        auto* box = place(new PracticeTextBox(this), ControlKind::TextBox, 240, top, 7920, 1320);
        controlFor(box)->FontName = QStringLiteral("Courier New");
        return box;
    };

    // Created first, so it is first in the tab order and has the focus as the window opens.
    label(QStringLiteral("Type characters here to send text from keyboard:"), 240, 120, 5400);
    Text5 = textBox(240, 390, 7920);

    label(QStringLiteral(" Text to Send"), 240, 870, 2400);
    Text1 = bigBox(1200);
    Text1->capitals = true;
    Command6 = button(QStringLiteral("&Clear"), 6960, 780, 1200);
    label(QStringLiteral(" Text Sent"), 240, 2670, 2400);
    Text2 = bigBox(3000);
    Command5 = button(QStringLiteral("Cl&ear"), 6960, 2580, 1200);

    label(QStringLiteral("Generate"), 240, 4500, 840);
    Text3 = textBox(1080, 4440, 600);
    Text3->setText(QStringLiteral("10"));
    label(QStringLiteral("groups of"), 1800, 4500, 900);
    Text4 = textBox(2760, 4440, 600);
    Text4->setText(QStringLiteral("5"));
    label(QStringLiteral("characters each."), 3480, 4500, 1560);
    auto* include = place(new QGroupBox(QStringLiteral("Include:"), this), ControlKind::Frame, 5160, 4320, 3000, 660);
    Option1 = place(new QRadioButton(QStringLiteral("Letters Only"), include), ControlKind::OptionButton, 120, 300,
                    1680, 255);
    Option2 = place(new QRadioButton(QStringLiteral("All"), include), ControlKind::OptionButton, 1920, 300, 960, 255);
    Option2->setChecked(true);
    Command2 = button(QStringLiteral("&Generate Random Characters"), 240, 5040, 3000);
    Command1 = button(QStringLiteral("&Paste from Clipboard"), 3360, 5040, 2400);

    auto* instructions = place(new QLabel(QStringLiteral("Practice can be sent from random characters, from text "
                                                         "pasted from the clipboard or from text typed into the "
                                                         " Text to Send box.  Click Send to send the characters. "),
                                          this),
                               ControlKind::Label, 240, 5520, 7920, 450);
    instructions->setWordWrap(true);
    instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Command3 = button(QStringLiteral("&Send"), 240, 6060, 1095);
    Command4 = button(QStringLiteral("S&top"), 1440, 6060, 1095);
    Command7 = button(QStringLiteral("&Faster"), 3600, 6060, 1095);
    Command8 = button(QStringLiteral("S&lower"), 4800, 6060, 1095);
    Label8 = label(QStringLiteral("13"), 6060, 6120, 480);
    Label8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(QStringLiteral("WPM"), 6600, 6120, 720);

    connect(Command1, &QPushButton::clicked, this, &frmCodePractice::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCodePractice::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmCodePractice::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmCodePractice::Command4_Click);
    connect(Command5, &QPushButton::clicked, Text2, &QPlainTextEdit::clear);
    connect(Command6, &QPushButton::clicked, Text1, &QPlainTextEdit::clear);
    connect(Command7, &QPushButton::clicked, this, &frmCodePractice::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &frmCodePractice::Command8_Click);
    Text5->keyPress = [this](int& KeyAscii) { Text5_KeyPress(KeyAscii); };

    // Sized to the screen and centred as the CW keyer window is.
    ScaleKeyerWindow(*this);

    showSpeed();
    PracticeCharacters = practiceCharacters();
    Text5->setFocus();
}

void frmCodePractice::showSpeed() { Label8->setText(m_keyer.wordsPerMinute()); }

void frmCodePractice::Command1_Click() { Text1->setPlainText(QApplication::clipboard()->text()); }

void frmCodePractice::Command2_Click()
{
    if (!parsePlainNumber(Text3->text()))
        Text3->setText(QStringLiteral("10"));
    if (!parsePlainNumber(Text4->text()))
        Text4->setText(QStringLiteral("5"));
    QRandomGenerator random(quint32(context().services.clock->monotonicNs()));
    Text1->setPlainText(randomGroups(*parsePlainNumber(Text3->text()), *parsePlainNumber(Text4->text()),
                                     Option1->isChecked(), random));
}

void frmCodePractice::Command3_Click()
{
    KeyerState& keyer = context().state.keyer;
    PracticeText = Text1->toPlainText();
    Text1->setFocus();
    for (qsizetype position = 1; position <= PracticeText.size(); ++position) {
        // Edits made while sending count from the next character on.
        PracticeText = Text1->toPlainText();
        const QString character = PracticeText.mid(position - 1, 1);
        keyer.CWBuffer = character == Bang ? QString() : character;
        if (keyer.CWSending == 0)
            m_keyer.LoopThroughCWBuffer();
        showSent(character);
        QTextCursor caret = Text1->textCursor();
        caret.setPosition(int(std::min(position, qsizetype(Text1->document()->characterCount() - 1))));
        Text1->setTextCursor(caret);
        letEventsRun(); // "Stop", "Clear" and the close box act here
        if (EventWaits::endRequested())
            return;
    }
}

void frmCodePractice::Command4_Click()
{
    PracticeText.clear();
    context().state.keyer.CWBuffer.clear();
}

void frmCodePractice::Command7_Click()
{
    m_keyer.stepSpeed(1);
    showSpeed();
}

void frmCodePractice::Command8_Click()
{
    m_keyer.stepSpeed(-1);
    showSpeed();
}

void frmCodePractice::Text5_KeyPress(int& KeyAscii)
{
    KeyerState& keyer = context().state.keyer;
    const int key = KeyAscii;
    KeyAscii = 0; // the box itself stays empty
    if (key >= 'a' && key <= 'z') {
        send(QString(QChar(key - 32)));
    } else if (key == 8) {
        if (!keyer.CWBuffer.isEmpty())
            keyer.CWBuffer.chop(1); // not keyed yet
        const QString sent = Text2->toPlainText();
        if (!sent.isEmpty())
            Text2->setPlainText(sent.chopped(1));
    } else if (key >= 32) {
        send(QString(QChar(key)));
    }
}

void frmCodePractice::send(const QString& character)
{
    KeyerState& keyer = context().state.keyer;
    showSent(character);
    if (character != Bang)
        keyer.CWBuffer += character;
    if (keyer.CWSending == 0)
        m_keyer.LoopThroughCWBuffer();
}

void frmCodePractice::showSent(const QString& character)
{
    Text2->moveCursor(QTextCursor::End);
    Text2->insertPlainText(character);
    Text2->ensureCursorVisible();
}

void frmCodePractice::closeEvent(QCloseEvent* event)
{
    KeyerState& keyer = context().state.keyer;
    keyer.CWBuffer.clear();
    PracticeText.clear();
    if (keyer.CWSending == 1)
        event->ignore(); // the character being keyed ends first; closing again then works
    else
        event->accept();
}
