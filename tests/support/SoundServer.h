#pragma once

// A real audio output for the tests on a machine without a sound card: Debian's pulseaudio,
// private to one test program, with a null output (it plays at a real pace and discards
// the sound). Its runtime folder is a temporary folder of its own, so that test programs
// running side by side (ctest -j, other checkouts) never meet on one server; it stops with
// the test program, even one that crashes.
//
// The same program also gets a GStreamer that has only its core elements: nothing of the
// program may need more (Qt's GStreamer media backend crashed with only those).

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class PrivateSoundServer {
public:
    // How the null output keeps time: at a sound card's pace (the tests), or as it does left
    // alone, rendering 2-second blocks while no stream asks for less (to measure against).
    enum class Pace { SoundCard, BareNullOutput };

    explicit PrivateSoundServer(Pace pace = Pace::SoundCard);
    ~PrivateSoundServer();

    // Starts the server and points this process's sound at it; false, with the reason in
    // error(), when it cannot. Must run before the process first touches the sound system,
    // which connects once a run.
    bool start();
    // Stops it, as a sound server that goes away.
    void stop();
    // Kills it at once, as a server that dies (start() brings it back).
    void kill();
    QString error() const { return m_error; }

    // The program's streams that the server holds now (its player process's).
    int programStreams();

private:
    QString pactl(const QStringList& arguments);
    bool waitUntilAnswering();

    Pace m_pace;
    QTemporaryDir m_dir;
    QString m_socket;
    QProcess m_server;
    QString m_error;
};

// One private sound server for a whole test program: started before the first test and
// stopped after the last. A test program that plays sound registers it at namespace scope:
//   const auto* const soundServer = ::testing::AddGlobalTestEnvironment(new SoundServerEnvironment);
// A server that cannot start fails the program's tests: sound is never skipped.
class SoundServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    static PrivateSoundServer& server();
};
