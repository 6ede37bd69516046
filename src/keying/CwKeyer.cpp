#include "keying/CwKeyer.h"

#include "core/NumberFormat.h"
#include "keying/Morse.h"
#include "platform/Clock.h"
#include "platform/KeyingLine.h"

namespace {

constexpr int FirstFunctionKey = 112; // F1
constexpr int LastFunctionKey = 124;  // F10, passed on as F13

// Releases the line on every way out of a character.
class LineGuard {
public:
    explicit LineGuard(KeyingLine* line) : m_line(line) {}
    ~LineGuard()
    {
        if (m_line && m_keyed)
            m_line->setKeyed(false);
    }
    bool set(bool keyed)
    {
        m_keyed = m_keyed || keyed;
        const bool done = m_line->setKeyed(keyed);
        if (done && !keyed)
            m_keyed = false;
        return done;
    }

private:
    KeyingLine* m_line;
    bool m_keyed = false;
};

} // namespace

CwKeyer::CwKeyer(KeyerState& keyer, Clock& clock, CwKeyerWindow& window)
    : m_keyer(keyer), m_clock(clock), m_window(window)
{
}

void CwKeyer::FKeyCW(int KeyCode)
{
    m_keyer.CWBuffer.clear();
    const bool functionKey = KeyCode >= FirstFunctionKey && KeyCode <= LastFunctionKey;
    if (m_keyer.CWKeyingInterface != KeyingInterface::None && (functionKey || m_keyer.KeyboardCWMode == 1)) {
        if (KeyCode == RepeatKey) {
            const auto seconds = parsePlainNumber(m_window.repeatSeconds());
            if (!seconds)
                return; // a failure ends it quietly, without the last yield
            if (*seconds > 0)
                m_keyer.CWRepeatActive = 1;
        }
        QString message = m_window.message(KeyCode);
        if (KeyCode < FirstFunctionKey && m_keyer.KeyboardCWMode == 1)
            message = QString(QChar(KeyCode)).toUpper();
        if (!message.isEmpty()) {
            m_keyer.CWBuffer += expandMacros(message, m_keyer,
                                             [this](const QString& county) { return m_window.countyText(county); });
            LoopThroughCWBuffer();
        }
    }
    m_window.letEventsRun();
}

void CwKeyer::LoopThroughCWBuffer()
{
    if (m_keyer.CWKeyingInterface == KeyingInterface::WinKey) {
        // The device logs nothing itself: the contact goes in once, before anything is sent.
        if (m_keyer.CWBuffer.contains(QLatin1Char('!')))
            m_window.logContact();
        m_window.winKeyTransmit();
        if (m_keyer.CWRepeatActive == 1)
            m_window.armRepeat();
        return;
    }
    m_keyer.CWSending = 1;
    while (!m_keyer.CWBuffer.isEmpty()) {
        const QChar character = m_keyer.CWBuffer.front();
        m_keyer.CWBuffer.remove(0, 1);
        Transmit(character);
        if (m_window.echo())
            m_window.showOnMainWindow(m_keyer.CWBuffer);
        // A second message, keyboard CW or Esc may change the buffer here.
        m_window.letEventsRun();
    }
    if (m_keyer.CWRepeatActive == 1)
        m_window.armRepeat();
    m_keyer.CWSending = 0;
    if (m_window.echo())
        m_window.showOnMainWindow(m_keyer.KeyboardCWMode != 0
                                      ? QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.")
                                      : QString());
}

bool CwKeyer::Transmit(QChar CodeCharacter)
{
    if (m_keyer.CWKeyingInterface == KeyingInterface::None)
        return false;
    KeyingLine* line = m_window.keyingLine();
    if (CodeCharacter == QLatin1Char('!'))
        m_window.logContact();
    const auto space = parsePlainNumber(m_window.wordSpace());
    if (!space)
        return false;
    const QString elements = CodeCharacter == QLatin1Char(' ') ? adjustedWordSpace(*space)
                                                               : morseElements(CodeCharacter);
    if (elements.isEmpty())
        return true;
    if (!line)
        return false;
    LineGuard guard(line);
    for (const QChar element : elements) {
        // The speed is read at every element, so a change takes effect at once; one that
        // cannot be timed stops the character before the line moves again.
        const auto wordsPerMinute = parsePlainNumber(m_window.wordsPerMinute());
        const auto unit = wordsPerMinute ? unitMs(*wordsPerMinute) : std::nullopt;
        if (!unit)
            return false;
        if (!guard.set(element == QLatin1Char('1')))
            return false;
        if (!waitOneUnit(*unit, *wordsPerMinute))
            return false;
    }
    return true;
}

bool CwKeyer::waitOneUnit(double unit, double wordsPerMinute)
{
    switch (m_window.timingMethod()) {
    case TimingMethod::Timer: {
        // A busy wait: no event runs inside a character. The clock never wraps.
        const double deadline = double(m_clock.monotonicNs()) + unit * 1e6;
        while (double(m_clock.monotonicNs()) < deadline) {
        }
        return true;
    }
    case TimingMethod::Sleep:
        m_clock.sleepMs(int(roundHalfEven(unit)));
        return true;
    case TimingMethod::Loop: {
        const double limit = m_window.loopsPer60ms() / wordsPerMinute * 20;
        volatile double count = 0;
        while (count < limit)
            count = count + 1;
        return true;
    }
    }
    return false;
}
