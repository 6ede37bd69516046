// brevant-player: plays one wave file through the sound server, in a process of its own, so
// that a sound library that hangs or aborts (a server that dies at the moment of playing)
// costs one message and never the log window. The program starts it beside itself and
// watches it (platform/WavePlayer.cpp); whatever it has to say is one line on its output:
//
//   brevant-player FILE     reads FILE, opens a stream for it on the server's default
//                           output and says "ready"; then waits for "play" on its input
//                           (its input closed ends it), says "started", hands the server
//                           every sample, waits until the server has played them out and
//                           says "done".
//   brevant-player --probe  says "ready" when the server takes a stream at all.
//
// A failure says "error file TEXT" (the file cannot play) or "error output TEXT" (the sound
// output cannot), and the program ends with a status other than 0.

#include "platform/WaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <string>
#include <unistd.h>

namespace {

void say(const QByteArray& line)
{
    const QByteArray out = line + '\n';
    const char* at = out.constData();
    qsizetype left = out.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, at, size_t(left));
        if (written <= 0)
            return;
        at += written;
        left -= written;
    }
}

int failFile(const QString& text)
{
    say("error file " + text.toUtf8());
    return 2;
}

int failOutput(const QString& text)
{
    say("error output " + text.toUtf8());
    return 3;
}

pa_sample_format_t serverSample(WaveSound::Sample sample)
{
    switch (sample) {
    case WaveSound::Sample::UInt8: return PA_SAMPLE_U8;
    case WaveSound::Sample::Int16: return PA_SAMPLE_S16LE;
    case WaveSound::Sample::Int32: return PA_SAMPLE_S32LE;
    case WaveSound::Sample::Float: return PA_SAMPLE_FLOAT32LE;
    }
    return PA_SAMPLE_INVALID;
}

// A server that is not there at all is no sound output; one that refuses the stream is an
// output that cannot be opened.
QString openingFailure(int error)
{
    if (error == PA_ERR_CONNECTIONREFUSED || error == PA_ERR_NOENTITY || error == PA_ERR_INVALIDSERVER)
        return QStringLiteral("No sound output was found.");
    return QStringLiteral("The sound output could not be opened (%1).").arg(QString::fromUtf8(pa_strerror(error)));
}

// The stream carries the file's name, so the server's list shows what is playing.
pa_simple* openStream(const pa_sample_spec& spec, const QString& name, int* error)
{
    // The server holds half a second ahead of what sounds, so that a loaded machine does
    // not starve it; a stop kills the player, and its stream goes with it at once.
    pa_buffer_attr buffer;
    std::memset(&buffer, 0xFF, sizeof buffer); // (uint32_t)-1 everywhere: the server's choice
    buffer.tlength = uint32_t(pa_usec_to_bytes(500'000, &spec));
    return pa_simple_new(nullptr, "Brevant Log", PA_STREAM_PLAYBACK, nullptr, name.toUtf8().constData(), &spec,
                         nullptr, &buffer, error);
}

int probe()
{
    const pa_sample_spec spec{PA_SAMPLE_S16LE, 8000, 1};
    int error = 0;
    pa_simple* stream = openStream(spec, QStringLiteral("sound output check"), &error);
    if (!stream)
        return failOutput(openingFailure(error));
    pa_simple_free(stream);
    say("ready");
    return 0;
}

int play(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failFile(QStringLiteral("%1 cannot be read: %2.").arg(path, file.errorString()));
    QString why;
    const std::optional<WaveSound> sound = readWave(file.readAll(), &why);
    if (!sound)
        return failFile(QStringLiteral("%1 cannot be played: %2.").arg(path, why));
    const pa_sample_spec spec{serverSample(sound->sample), uint32_t(sound->framesPerSecond), uint8_t(sound->channels)};
    if (!pa_sample_spec_valid(&spec))
        return failOutput(QStringLiteral("The sound output cannot play %1 Hz, %2 channels.")
                              .arg(sound->framesPerSecond)
                              .arg(sound->channels));
    int error = 0;
    pa_simple* stream = openStream(spec, QFileInfo(path).fileName(), &error);
    if (!stream)
        return failOutput(openingFailure(error));
    say("ready");

    char line[64];
    if (!std::fgets(line, sizeof line, stdin) || std::strncmp(line, "play", 4) != 0) {
        pa_simple_free(stream);
        return 0;
    }
    say("started");
    if (pa_simple_write(stream, sound->frames.constData(), size_t(sound->frames.size()), &error) < 0
        || pa_simple_drain(stream, &error) < 0) {
        pa_simple_free(stream);
        return failOutput(QStringLiteral("The sound output failed while playing (%1).")
                              .arg(QString::fromUtf8(pa_strerror(error))));
    }
    // Said before the stream is let go: push-to-talk drops on it.
    say("done");
    pa_simple_free(stream);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--probe") == 0)
        return probe();
    if (argc != 2) {
        std::fprintf(stderr, "usage: brevant-player FILE | --probe\n");
        return 1;
    }
    return play(QFile::decodeName(argv[1]));
}
