#include "keying/CwKeyer.h"

#include "core/NumberFormat.h"
#include "keying/Morse.h"
#include "platform/Clock.h"
#include "platform/EventWait.h"
#include "platform/KeyingLine.h"

#include <QScopeGuard>
#include <algorithm>

namespace {

constexpr int FirstFunctionKey = 112; // F1
constexpr int LastFunctionKey = 124;  // F10, passed on as F13

// Releases the line on every way out of a character.
class LineGuard {
public:
    // No line: nothing moves, and setting it always succeeds.
    explicit LineGuard(KeyingLine* line) : m_line(line) {}
    ~LineGuard()
    {
        if (m_line && m_keyed)
            m_line->setKeyed(false);
    }
    bool set(bool keyed)
    {
        if (!m_line)
            return true;
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
    if (m_window.output().keys() && (functionKey || m_keyer.KeyboardCWMode == 1)) {
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
    if (KeyerOutput& device = m_window.output(); device.takesWholeMessages()) {
        // A device that cannot be opened or does not answer sends nothing, so logs nothing.
        if (!device.ready())
            return;
        // The device logs nothing itself: the contact goes in once, before anything is sent.
        if (m_keyer.CWBuffer.contains(QLatin1Char('!')))
            m_window.logContact();
        device.transmit();
        if (m_keyer.CWRepeatActive == 1)
            m_window.armRepeat();
        return;
    }
    m_keyer.CWSending = 1;
    // The best scheduling the system grants, for as long as a message goes out.
    if (m_pumps++ == 0)
        m_clock.beginPreciseTiming();
    const auto timingEnds = qScopeGuard([this] {
        if (--m_pumps == 0)
            m_clock.endPreciseTiming();
    });
    while (!m_keyer.CWBuffer.isEmpty()) {
        const QChar character = m_keyer.CWBuffer.front();
        m_keyer.CWBuffer.remove(0, 1);
        keyCharacter(character);
        if (m_window.echo())
            m_window.showOnMainWindow(m_keyer.CWBuffer);
        // A second message, keyboard CW or Esc may change the buffer here.
        m_window.letEventsRun();
    }
    finishTiming();
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
    const bool keyed = keyCharacter(CodeCharacter);
    finishTiming();
    return keyed;
}

bool CwKeyer::keyCharacter(QChar character)
{
    using State = KeyingTarget::State;
    KeyerOutput& output = m_window.output();
    if (!output.keys() || EventWaits::endRequested())
        return false;
    const KeyingTarget target = output.keyingLine();
    if (target.state == State::Failed) {
        dropMessage(); // nothing went out: neither the rest nor its "!"
        return false;
    }
    if (character == QLatin1Char('!'))
        m_window.logContact();
    const auto space = parsePlainNumber(m_window.wordSpace());
    if (!space)
        return false;
    const QString elements = character == QLatin1Char(' ') ? adjustedWordSpace(*space) : morseElements(character);
    if (elements.isEmpty())
        return true;
    if (target.state == State::Refused)
        return false;
    LineGuard guard(target.line);
    for (const QChar element : elements) {
        // The speed is read at every element, so a change takes effect at once; one that
        // cannot be timed stops the character before the line moves again.
        const auto wordsPerMinute = parsePlainNumber(m_window.wordsPerMinute());
        const auto unit = wordsPerMinute ? unitMs(*wordsPerMinute) : std::nullopt;
        if (!unit) {
            m_running.reset();
            return false;
        }
        const qint64 startNs = waitForRunningElement();
        // The end of the program was asked for while the element ran: the line drops now,
        // in the middle of the character, and nothing more is keyed.
        if (EventWaits::endRequested()) {
            dropMessage();
            return false;
        }
        if (!guard.set(element == QLatin1Char('1'))) {
            output.keyingFailed();
            dropMessage();
            return false;
        }
        // "Sleep" keeps whole milliseconds per unit.
        const double lengthMs = m_window.timingMethod() == TimingMethod::Sleep ? roundHalfEven(*unit) : *unit;
        m_running = Running{startNs + qint64(lengthMs * 1e6), *unit, *wordsPerMinute};
    }
    return true;
}

qint64 CwKeyer::waitForRunningElement()
{
    const qint64 nowNs = m_clock.monotonicNs();
    if (!m_running)
        return nowNs;
    const Running element = *std::exchange(m_running, std::nullopt);
    if (double(nowNs - element.endNs) > element.unitMs * 1e6)
        return nowNs;
    waitUntil(element.endNs, element);
    return element.endNs;
}

void CwKeyer::waitUntil(qint64 deadlineNs, const Running& element)
{
    switch (m_window.timingMethod()) {
    // No event runs inside a character; each wait ends early only when the end of the
    // program is asked for (a signal), so that the line drops at once.
    case TimingMethod::Timer:
        // A busy wait. The clock never wraps.
        while (m_clock.monotonicNs() < deadlineNs && !EventWaits::endRequested()) {
        }
        return;
    case TimingMethod::Sleep:
        // The clock's sleep ends early too once the end is asked for.
        m_clock.sleepMs(int(roundHalfEven(double(deadlineNs - m_clock.monotonicNs()) / 1e6)));
        return;
    case TimingMethod::Loop: {
        // Counted, not clocked: one unit of passes whenever the element started. The inner
        // loop is the one the calibration counts.
        constexpr double Stretch = 65536;
        const double limit = m_window.loopsPer60ms() / element.wordsPerMinute * 20;
        volatile double count = 0;
        while (count < limit && !EventWaits::endRequested()) {
            const double stretchEnd = std::min(limit, count + Stretch);
            while (count < stretchEnd)
                count = count + 1;
        }
        return;
    }
    }
}

void CwKeyer::finishTiming()
{
    if (m_running)
        waitForRunningElement();
}

void CwKeyer::dropMessage()
{
    m_running.reset();
    m_keyer.CWBuffer.clear();
}
