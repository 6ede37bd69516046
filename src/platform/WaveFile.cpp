#include "platform/WaveFile.h"

#include <QtEndian>
#include <cstring>

namespace {

enum Encoding : quint16 { Pcm = 1, IeeeFloat = 3, ALaw = 6, MuLaw = 7, Extensible = 0xFFFE };

constexpr int MaxChannels = 8;
constexpr quint32 MinFramesPerSecond = 1000;
constexpr quint32 MaxFramesPerSecond = 384000;

struct Format {
    quint16 encoding = 0;
    int channels = 0;
    quint32 framesPerSecond = 0;
    int bytesPerFrame = 0;
    int bitsPerSample = 0;
};

quint16 u16(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.data() + at); }
quint32 u32(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.data() + at); }

std::optional<Format> readFormat(QByteArrayView chunk)
{
    if (chunk.size() < 16)
        return std::nullopt;
    Format f;
    f.encoding = u16(chunk, 0);
    f.channels = u16(chunk, 2);
    f.framesPerSecond = u32(chunk, 4);
    f.bytesPerFrame = u16(chunk, 12);
    f.bitsPerSample = u16(chunk, 14);
    if (f.encoding == Extensible && chunk.size() >= 40)
        f.encoding = u16(chunk, 24);
    return f;
}

// G.711 expansion to 16-bit linear samples.
qint16 fromMuLaw(quint8 code)
{
    code = quint8(~code);
    const int magnitude = ((((code & 0x0F) << 3) + 0x84) << ((code & 0x70) >> 4)) - 0x84;
    return qint16((code & 0x80) ? -magnitude : magnitude);
}

qint16 fromALaw(quint8 code)
{
    code ^= 0x55;
    int magnitude = (code & 0x0F) << 4;
    const int segment = (code & 0x70) >> 4;
    magnitude += segment == 0 ? 8 : 0x108;
    if (segment > 1)
        magnitude <<= segment - 1;
    return qint16((code & 0x80) ? magnitude : -magnitude);
}

template <typename Out, typename Convert>
QByteArray convertEach(QByteArrayView in, int inBytes, Convert convert)
{
    const qsizetype count = in.size() / inBytes;
    QByteArray out(count * qsizetype(sizeof(Out)), Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        qToLittleEndian<Out>(convert(in.data() + i * inBytes), out.data() + i * qsizetype(sizeof(Out)));
    return out;
}

// The frames as one of the output's sample kinds; nothing for an encoding it has no way to.
std::optional<WaveSound> decode(const Format& f, QByteArrayView data)
{
    WaveSound sound;
    sound.framesPerSecond = int(f.framesPerSecond);
    sound.channels = f.channels;
    const int bytes = f.bitsPerSample / 8;
    // A frame of no bytes would divide by zero below: nothing for it, whoever calls.
    if (bytes < 1 || f.bitsPerSample % 8 != 0 || f.bytesPerFrame != bytes * f.channels)
        return std::nullopt;
    const QByteArrayView whole = data.first(data.size() - data.size() % f.bytesPerFrame);
    if (f.encoding == Pcm) {
        switch (bytes) {
        case 1: sound.sample = WaveSound::Sample::UInt8; sound.frames = whole.toByteArray(); return sound;
        case 2: sound.sample = WaveSound::Sample::Int16; sound.frames = whole.toByteArray(); return sound;
        case 4: sound.sample = WaveSound::Sample::Int32; sound.frames = whole.toByteArray(); return sound;
        case 3:
            sound.sample = WaveSound::Sample::Int32;
            sound.frames = convertEach<qint32>(whole, 3, [](const char* s) {
                const auto* b = reinterpret_cast<const quint8*>(s);
                return qint32(quint32(b[0]) << 8 | quint32(b[1]) << 16 | quint32(b[2]) << 24);
            });
            return sound;
        default: return std::nullopt;
        }
    }
    if (f.encoding == IeeeFloat && (bytes == 4 || bytes == 8)) {
        sound.sample = WaveSound::Sample::Float;
        if (bytes == 4)
            sound.frames = whole.toByteArray();
        else
            sound.frames = convertEach<float>(whole, 8, [](const char* s) {
                return float(qFromLittleEndian<double>(s));
            });
        return sound;
    }
    if ((f.encoding == ALaw || f.encoding == MuLaw) && bytes == 1) {
        sound.sample = WaveSound::Sample::Int16;
        const bool aLaw = f.encoding == ALaw;
        sound.frames = convertEach<qint16>(whole, 1, [aLaw](const char* s) {
            return aLaw ? fromALaw(quint8(*s)) : fromMuLaw(quint8(*s));
        });
        return sound;
    }
    return std::nullopt;
}

std::optional<WaveSound> refuse(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

int WaveSound::bytesPerFrame() const
{
    const int bytes = sample == Sample::UInt8 ? 1 : sample == Sample::Int16 ? 2 : 4;
    return bytes * channels;
}

qint64 WaveSound::durationMs() const
{
    if (framesPerSecond <= 0 || channels <= 0)
        return 0;
    return qint64(frames.size() / bytesPerFrame()) * 1000 / framesPerSecond;
}

std::optional<WaveSound> readWave(QByteArrayView bytes, QString* why)
{
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return refuse(why, QStringLiteral("it is not a wave file"));
    std::optional<Format> format;
    std::optional<QByteArrayView> data;
    // The chunks in file order, up to the end of the file whatever the RIFF size says.
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qsizetype length = qMin<qsizetype>(u32(bytes, at + 4), bytes.size() - at - 8);
        const QByteArrayView body = bytes.sliced(at + 8, length);
        if (id == "fmt " && !format)
            format = readFormat(body);
        else if (id == "data" && !data)
            data = body;
        at += 8 + length + (length & 1);
    }
    if (!format)
        return refuse(why, QStringLiteral("it has no sound format"));
    if (!data)
        return refuse(why, QStringLiteral("it holds no sound"));
    if (format->channels < 1 || format->channels > MaxChannels || format->framesPerSecond < MinFramesPerSecond
        || format->framesPerSecond > MaxFramesPerSecond)
        return refuse(why, QStringLiteral("its format (%1 channels, %2 Hz) cannot be played")
                               .arg(format->channels)
                               .arg(format->framesPerSecond));
    // The frames of an encoding read here are counted by dividing by their size: a size of
    // 0 or one that does not fit the channels and bits cannot be divided into samples.
    const quint16 encoding = format->encoding;
    const bool known = encoding == Pcm || encoding == IeeeFloat || encoding == ALaw || encoding == MuLaw;
    if (known && (format->bitsPerSample == 0 || format->bytesPerFrame == 0))
        return refuse(why, QStringLiteral("its format (%1 bits a sample, %2 bytes a frame) cannot be played")
                               .arg(format->bitsPerSample)
                               .arg(format->bytesPerFrame));
    if (known && format->bitsPerSample % 8 == 0 && format->bytesPerFrame != format->bitsPerSample / 8 * format->channels)
        return refuse(why, QStringLiteral("its frames of %1 bytes do not hold %2 channels of %3 bits")
                               .arg(format->bytesPerFrame)
                               .arg(format->channels)
                               .arg(format->bitsPerSample));
    auto sound = decode(*format, *data);
    if (!sound)
        return refuse(why, QStringLiteral("its encoding (%1, %2 bits) cannot be played")
                               .arg(format->encoding)
                               .arg(format->bitsPerSample));
    if (sound->frames.isEmpty())
        return refuse(why, QStringLiteral("it holds no sound"));
    return sound;
}
