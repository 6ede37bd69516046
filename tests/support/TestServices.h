#pragma once

// Test doubles of the platform services and a fixture folder for the working directory.

#include "core/AppState.h"
#include "platform/Services.h"
#include "support/FakeDevices.h"
#include "support/FakeWavePlayer.h"

#include <QDateTime>
#include <QMap>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

// Every box shown, and the answers queued for the next ones (Ok / Yes by default).
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind; // "message", "input", "color", "open", "save"
        QString text;
        QString title;
        QString defaultAnswer;
        Buttons buttons = Buttons::Ok;
    };

    std::vector<Shown> shown;
    std::deque<Answer> messageAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<quint32>> colorAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    quint32 lastColorInitial = 0;
    int prepared = 0; // how many times prepare() ran

    Answer messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultAnswer) override;
    std::optional<quint32> chooseColor(quint32 initial) override;
    std::optional<QString> openFileName(const QString& title, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& title, const QString& proposedPath,
                                        const QString& filter) override;
    void prepare() override { ++prepared; }

    int count(const QString& kind) const;
    const Shown* last(const QString& kind) const;
};

class CountingBeeper final : public Beeper {
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

// A clock that stands still until the test moves it; only a busy wait on the nanosecond
// reading moves it, a microsecond at each reading, so that such a wait ends.
class FakeClock final : public Clock {
public:
    QDateTime local = QDateTime(QDate(2026, 4, 25), QTime(13, 5, 0));
    int utcOffsetSeconds = 5 * 3600; // UTC is local plus this
    mutable qint64 monotonic = 1000;
    mutable qint64 nsWithinMs = 0;
    std::vector<int> sleeps;

    ClockReading now() const override;
    qint64 monotonicMs() const override { return monotonic; }
    qint64 monotonicNs() const override
    {
        nsWithinMs += 1000;
        monotonic += nsWithinMs / 1'000'000;
        nsWithinMs %= 1'000'000;
        if (onNanosecondReading)
            onNanosecondReading(nanoseconds());
        return nanoseconds();
    }
    // Called at each nanosecond reading with the time read: something that happens in the
    // middle of a busy wait (a signal arriving).
    std::function<void(qint64)> onNanosecondReading;
    // The time without moving it, for the records of the devices.
    qint64 nanoseconds() const { return monotonic * 1'000'000 + nsWithinMs; }
    void sleepMs(int ms) override
    {
        sleeps.push_back(ms);
        monotonic += ms;
    }
    // How often precise timing was asked for, and whether it still is.
    int preciseTimingRequests = 0;
    bool preciseTiming = false;
    void beginPreciseTiming() override
    {
        ++preciseTimingRequests;
        preciseTiming = true;
    }
    void endPreciseTiming() override { preciseTiming = false; }
};

class FixedScreen final : public Screen {
public:
    QSizeF size{9600, 7200};
    QRectF workArea{0, 0, 9600, 6800};
    double perPixel = 15;
    QSizeF sizeTwips() const override { return size; }
    QRectF workAreaTwips() const override { return workArea; }
    double twipsPerPixelX() const override { return perPixel; }
    double twipsPerPixelY() const override { return perPixel; }
};

class FakeEnvironment final : public Environment {
public:
    QMap<QString, QString> variables;
    QString documents;
    QString dateFormat = QStringLiteral("M/d/yy"); // a US user's
    QString variable(const char* name) const override { return variables.value(QString::fromLatin1(name)); }
    QString documentsLocation() const override { return documents; }
    QString shortDateFormat() const override { return dateFormat; }
};

class MemorySettings final : public UserSettings {
public:
    QMap<QString, QString> values;
    QString value(const QString& key, const QString& defaultValue) const override
    {
        return values.value(key, defaultValue);
    }
    void setValue(const QString& key, const QString& value) override { values[key] = value; }
    QMap<int, QString> portDevices;
    QString portDevice(int com) const override { return portDevices.value(com); }
};

// Thrown by the double of endProgram, so a test sees where the program would end.
struct ProgramEnded : std::runtime_error {
    explicit ProgramEnded(int code) : std::runtime_error("program ended"), exitCode(code) {}
    int exitCode;
};

// Services made of doubles, with typed access to each.
struct TestServices {
    Services services;
    ScriptedDialogs* dialogs;
    CountingBeeper* beeper;
    FakeClock* clock;
    FixedScreen* screen;
    FakeEnvironment* environment;
    MemorySettings* settings;
    DelayedWrites* delayedWrites;
    // The prompt players that services.makeWavePlayer made and that are still alive,
    // oldest first: a player leaves the list when the window that owns it is unloaded.
    std::shared_ptr<std::vector<FakeWavePlayer*>> wavePlayers =
        std::make_shared<std::vector<FakeWavePlayer*>>();
    // How long each prompt of the players made from now on plays on the fake clock; below 0
    // a prompt plays until the test finishes it.
    std::shared_ptr<qint64> wavePlayLengthMs = std::make_shared<qint64>(-1);
    // The serial ports and TCP links that services.makeSerialPort and makeTcpLink made and
    // that are still alive, oldest first; and the parallel port.
    std::shared_ptr<std::vector<FakeSerialPort*>> serialPorts = std::make_shared<std::vector<FakeSerialPort*>>();
    std::shared_ptr<std::vector<FakeTcpLink*>> tcpLinks = std::make_shared<std::vector<FakeTcpLink*>>();
    RecordingParallelPort* parallelPort;
    // The keyer session's players, when the session was made from these services: it makes
    // its voice player and then its prompt player, before any other player is made.
    FakeWavePlayer& keyerVoicePlayer() const { return *wavePlayers->at(0); }
    FakeWavePlayer& keyerPromptPlayer() const { return *wavePlayers->at(1); }

    TestServices();
    // The scripted dialogs as the prompts logic asks through.
    Prompts prompts() { return promptsOf(*dialogs); }
};

// A temporary folder tree: the working directory, and the documents folder with the data
// and shared folders under it.
struct TestFolders {
    QTemporaryDir root;
    QString work;
    QString documents;

    TestFolders();
    // Points the folders of the state at this tree (as start-up would).
    void applyTo(AppState& state) const;
    QString path(const QString& relative) const { return root.path() + QLatin1Char('/') + relative; }
};

// Whole files as bytes.
QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// Lines as the record files hold them: each ended by CR LF.
QByteArray crlfLines(const QList<QByteArray>& lines);
