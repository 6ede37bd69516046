#pragma once

// The keyers' devices for the whole run: the CW keying port, the CW keyer and its outputs
// (each in a file of its own: a serial line, the parallel port's register, the WinKey
// device, none), the voice keyer with its player and push-to-talk port, the prompt player,
// and the timers that repeat F1 and watch a voice message. App owns the session; the keyer
// windows show and collect the settings, put them here as the operator changes them, and
// call the session to act. Whatever the operator must be told goes out as a signal for the
// window that tells it.
//
// The CW keying port, the push-to-talk port and the WinKey device share the serial ports:
// the session enters all three in the keyer state's port sharing for as long as it lives.

#include "core/AppState.h"
#include "keying/CwKeyer.h"
#include "keying/KeyerOutput.h"
#include "keying/KeyerSettings.h"
#include "keying/VoiceKeyer.h"
#include "keying/WinKeyOutput.h"
#include "platform/Clock.h"
#include "platform/WavePlayer.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

class ParallelPort;
class SerialPort;
struct ReferenceTables;

class KeyerSession : public QObject {
    Q_OBJECT
public:
    using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;
    using WavePlayerFactory = std::function<std::unique_ptr<WavePlayer>()>;
    // Makes the CW output of an interface in place of the session's own (a test's
    // recording output); nullptr leaves the session's own.
    using OutputFactory = std::function<std::unique_ptr<KeyerOutput>(KeyingInterface)>;

    KeyerSession(KeyerState& keyer, const ReferenceTables& tables, Clock& clock, ParallelPort& parallel,
                 const SerialPortFactory& makeSerialPort, const WavePlayerFactory& makeWavePlayer,
                 OutputFactory makeOutput = {});
    // Releases every line and closes every port and the device.
    ~KeyerSession() override;

    // Every keyed line released, every port and the WinKey device closed, nothing repeating
    // or playing. The program's one way out calls it; the session stays usable.
    void releaseAll();

    // The keyers' settings files of the working folder read over the settings held (what
    // was read before an item that failed counts): the setup window's load. The keyer
    // windows show what the session holds as they load.
    struct SettingsRead {
        int cwItems = 0;    // of CW.txt, 0 when there is none
        int voiceItems = 0; // of wave2.txt, 0 when there is none
    };
    SettingsRead loadSettingsFiles(const Folders& folders);

    // --- CW ---
    // The settings the CW keyer reads whenever it sends, as the operator set them.
    void setCwSettings(const CwSettings& settings);
    const CwSettings& cwSettings() const { return m_cw; }
    void setCwTiming(TimingMethod method, double loopsPer60ms);
    // The speed, in words per minute as its box shows it.
    const QString& wordsPerMinute() const { return m_cw.wordsPerMinute; }
    void setWordsPerMinute(const QString& wordsPerMinute);
    // One word per minute faster or slower; a speed that is no number stays.
    void stepSpeed(int by);

    // The output of the keying interface the keyer state names, made on its first use.
    KeyerOutput& output();
    // Whether CW goes anywhere: an interface is chosen.
    bool keysCw() { return output().keys(); }
    void FKeyCW(int KeyCode) { m_cwKeyer.FKeyCW(KeyCode); }
    void LoopThroughCWBuffer() { m_cwKeyer.LoopThroughCWBuffer(); }
    // (Re)opens the CW keying port the settings name; false when it would not open, after
    // cwPortInvalid.
    bool openCwPort();
    // Lets go of the CW keying: no repeat comes back, the serial lines are dropped and the
    // port closed, the parallel port's control register released.
    void releaseCwKeying();
    SerialPort& cwPort() { return *m_cwPort; }
    // How long the F1 repeat waits after a message before it sends F1 again, as the CW
    // window reads it from its box (0: at once).
    void setCwRepeatMs(int ms) { m_cwRepeat.setInterval(ms); }
    int cwRepeatMs() const { return m_cwRepeat.interval(); }
    // The F1 repeat waits to send again.
    bool cwRepeatWaiting() const { return m_cwRepeat.isActive(); }
    // The F1 repeat's wait is over: F1 goes out again.
    void repeatCw();

    // Any key ends the F1 repeats: the rest of the CW message is dropped (on the WinKey
    // device too) and the timers stopped; a voice message that plays goes on to its end.
    void stopRepeats();

    // --- WinKey ---
    // The keyer device's output, whatever interface keys: its window opens, sets and
    // feeds the device through it, and hears from it by its signals.
    WinKeyOutput& winKey() { return *m_winKey; }
    // Esc while the keyer device still sends: it stops and what waits is dropped. False when
    // the output is no device, or the device has nothing to send.
    bool stopDeviceSending() { return output().stopSending(); }

    // --- Voice ---
    void setVoiceSettings(const WaveSettings& settings);
    const WaveSettings& voiceSettings() const { return m_voice; }
    void FKeyPhone(int KeyCode) { m_voiceKeyer.FKeyPhone(KeyCode); }
    // (Re)opens the push-to-talk port the settings name; pttPortInvalid when it would not.
    void openPttPort();
    // Lets go of the push-to-talk port: its keyed line dropped, the port closed.
    void closePttPort();
    // Stops the message and its repeat, and releases every push-to-talk output (serial
    // line and parallel register) and the port.
    void releaseTransmitter();
    // Esc while a voice message plays: it stops, and the watch then releases the
    // transmitter. False when none plays.
    bool stopVoiceMessage();
    SerialPort& pttPort() { return *m_pttPort; }
    // How long the voice F1 repeat waits after a message, as the voice window reads it
    // from its box; 0 never repeats.
    void setVoiceRepeatMs(int ms) { m_voiceRepeat.setInterval(ms); }
    int voiceRepeatMs() const { return m_voiceRepeat.interval(); }
    bool voiceRepeatWaiting() const { return m_voiceRepeat.isActive(); }
    // A voice message is watched for its end, every voiceWatchMs.
    bool watchingVoiceMessage() const { return m_voiceWatch.isActive(); }
    int voiceWatchMs() const { return m_voiceWatch.interval(); }
    void watchVoiceMessage() { m_voiceKeyer.watchTick(); }
    void repeatVoice();

    // Whether there is a sound output, as last found; probeSoundOutput looks again, and the
    // answer comes as soundOutputChecked.
    bool soundOutputFound() const;
    void probeSoundOutput();

    // --- Spoken prompts ---
    // Plays a prompt without waiting, cutting off the one before; why it cannot, when it
    // cannot.
    WaveProblem playPrompt(const QString& path);
    // Returns once the prompt playing has ended, or when it has played its length and the
    // player's margin without reporting the end (a stuck sound system must not hold the
    // program): that prompt is then given up. Painting, timers and the player's news go on
    // meanwhile; keys and clicks wait until after. The output's failure, if any. The window
    // that asked may be gone on return (the program closed meanwhile): the caller looks.
    // The failure goes out as promptProblem too.
    WaveProblem waitForPrompt();
    void closePrompt();

Q_SIGNALS:
    // The "!" of a CW message: the contact is logged on the running main window.
    void contactToLog();
    // The CW keyer's echo of what is still to go out, for the main window's message line.
    void mainWindowText(const QString& text);
    // The speed changed, from wherever.
    void wordsPerMinuteChanged(const QString& wordsPerMinute);
    // The CW keying port would not open, or went away while keying.
    void cwPortInvalid();
    // The push-to-talk port would not open.
    void pttPortInvalid();
    // Why a voice message did not play or broke off.
    void soundProblem(const WaveProblem& problem);
    // A voice message plays.
    void voiceMessagePlaying();
    // A look for the sound output has an answer: soundOutputFound().
    void soundOutputChecked();
    // A prompt failed for the sound output's sake, after it was asked for, or its wait gave
    // it up.
    void promptProblem(const WaveProblem& problem);

private:
    // What the keyers read and ask for.
    class CwSide;
    class VoiceSide;

    // The one place an interface becomes its output; nullptr for the WinKey output.
    std::unique_ptr<KeyerOutput> makeOutput(KeyingInterface keying);
    void keyingFailed();
    void dropCwSerialLines();
    // Tells promptProblem, and returns it.
    WaveProblem givePromptProblem(const WaveProblem& problem);

    KeyerState& m_keyer;
    const ReferenceTables& m_tables;
    Clock& m_clock;
    ParallelPort& m_parallel;
    CwSettings m_cw;
    TimingMethod m_timing = TimingMethod::Timer;
    double m_loopsPer60ms = 0;
    WaveSettings m_voice;

    std::unique_ptr<CwSide> m_cwSide;
    std::unique_ptr<VoiceSide> m_voiceSide;

    std::unique_ptr<SerialPort> m_cwPort;
    OutputFactory m_outputInstead;
    // The outputs made on first use; none for WinKey, whose output is the session's own.
    std::map<KeyingInterface, std::unique_ptr<KeyerOutput>> m_outputs;
    CwKeyer m_cwKeyer;
    QTimer m_cwRepeat;

    std::unique_ptr<WinKeyOutput> m_winKey;

    std::unique_ptr<WavePlayer> m_voicePlayer;
    std::unique_ptr<SerialPort> m_pttPort;
    VoiceKeyer m_voiceKeyer;
    QTimer m_voiceWatch;
    QTimer m_voiceRepeat;

    std::unique_ptr<WavePlayer> m_promptPlayer;
    qint64 m_promptGiveUpAtMs = 0; // when the prompt playing is given up
};
