#include "support/TestServices.h"

#include <QDir>
#include <QFile>

namespace {

// The next queued answer, or the fallback when none is queued.
template <class T>
T nextAnswer(std::deque<T>& queue, const T& fallback)
{
    if (queue.empty())
        return fallback;
    const T answer = queue.front();
    queue.pop_front();
    return answer;
}

} // namespace

Dialogs::Answer ScriptedDialogs::messageBox(const QString& text, const QString& title,
                                            Buttons buttons, Icon)
{
    shown.push_back({QStringLiteral("message"), text, title, {}, buttons});
    const bool asks = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
    return nextAnswer(messageAnswers, asks ? Answer::Yes : Answer::Ok);
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultAnswer)
{
    shown.push_back({QStringLiteral("input"), prompt, title, defaultAnswer, Buttons::OkCancel});
    return nextAnswer(inputAnswers, decltype(inputAnswers)::value_type{});
}

std::optional<quint32> ScriptedDialogs::chooseColor(quint32 initial)
{
    lastColorInitial = initial;
    shown.push_back({QStringLiteral("color"), {}, {}, {}, Buttons::OkCancel});
    return nextAnswer(colorAnswers, decltype(colorAnswers)::value_type{});
}

std::optional<QString> ScriptedDialogs::openFileName(const QString& title, const QString& folder,
                                                     const QString&)
{
    shown.push_back({QStringLiteral("open"), folder, title, {}, Buttons::OkCancel});
    return nextAnswer(fileAnswers, decltype(fileAnswers)::value_type{});
}

std::optional<QString> ScriptedDialogs::saveFileName(const QString& title, const QString& proposedPath,
                                                     const QString&)
{
    shown.push_back({QStringLiteral("save"), proposedPath, title, {}, Buttons::OkCancel});
    return nextAnswer(fileAnswers, decltype(fileAnswers)::value_type{});
}

int ScriptedDialogs::count(const QString& kind) const
{
    int n = 0;
    for (const Shown& s : shown)
        n += s.kind == kind;
    return n;
}

const ScriptedDialogs::Shown* ScriptedDialogs::last(const QString& kind) const
{
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (it->kind == kind)
            return &*it;
    }
    return nullptr;
}

ClockReading FakeClock::now() const
{
    QDateTime utc(local.date(), local.time(), Qt::UTC);
    utc = utc.addSecs(utcOffsetSeconds);
    return {local, utc};
}

TestServices::TestServices()
{
    auto d = std::make_unique<ScriptedDialogs>();
    auto b = std::make_unique<CountingBeeper>();
    auto c = std::make_unique<FakeClock>();
    auto s = std::make_unique<FixedScreen>();
    auto e = std::make_unique<FakeEnvironment>();
    auto m = std::make_unique<MemorySettings>();
    dialogs = d.get();
    beeper = b.get();
    clock = c.get();
    screen = s.get();
    environment = e.get();
    settings = m.get();
    services.dialogs = std::move(d);
    services.beeper = std::move(b);
    services.clock = std::move(c);
    services.screen = std::move(s);
    services.environment = std::move(e);
    services.settings = std::move(m);
    // No file writer: the settings files are written at once on the test's thread, so a test
    // reads back what a window wrote without waiting. The writer has tests of its own, and
    // the end-to-end scenarios run the program with it.
    services.delayedWrites = std::make_unique<DelayedWrites>();
    delayedWrites = services.delayedWrites.get();
    services.endProgram = [](int code) { throw ProgramEnded(code); };
    auto p = std::make_unique<RecordingParallelPort>();
    parallelPort = p.get();
    services.parallelPort = std::move(p);
    services.makeSerialPort = [made = serialPorts]() -> std::unique_ptr<SerialPort> {
        auto port = std::make_unique<FakeSerialPort>();
        port->enter(made);
        return port;
    };
    services.makeTcpLink = [made = tcpLinks]() -> std::unique_ptr<TcpLink> {
        auto link = std::make_unique<FakeTcpLink>();
        link->enter(made);
        return link;
    };
    services.makeWavePlayer = [made = wavePlayers, length = wavePlayLengthMs,
                               fakeClock = clock]() -> std::unique_ptr<WavePlayer> {
        auto player = std::make_unique<FakeWavePlayer>();
        player->enter(made);
        if (*length >= 0) {
            player->lengthMs = *length;
            player->clockMs = [fakeClock] { return fakeClock->monotonicMs(); };
        }
        return player;
    };
}

TestFolders::TestFolders()
{
    work = root.path() + QStringLiteral("/work");
    documents = root.path() + QStringLiteral("/Documents");
    QDir().mkpath(work);
    QDir().mkpath(documents + QStringLiteral("/Vexol Software/Texas/BACKUP"));
    QDir().mkpath(documents + QStringLiteral("/Vexol Software/Shared"));
}

void TestFolders::applyTo(AppState& state) const
{
    state.folders.WorkingDirectory = work;
    state.folders.WorkingDrive = work.left(1);
    state.folders.DataFolder = documents + QStringLiteral("/Vexol Software/Texas");
    state.folders.SharedFolder = documents + QStringLiteral("/Vexol Software/Shared");
    state.folders.ProgramVersion = QStringLiteral("2.3");
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}
