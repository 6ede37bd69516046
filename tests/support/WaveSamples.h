#pragma once

// Wave files made for the tests: a RIFF/WAVE header of a chosen encoding around the bytes
// given, and a plain tone of a given length.

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

struct WaveHeader {
    quint16 encoding = 1; // 1 PCM, 3 floating point, 6 A-law, 7 mu-law, 2 ADPCM ...
    quint16 channels = 1;
    quint32 framesPerSecond = 8000;
    quint16 bitsPerSample = 16;
    bool extensible = false; // the encoding in the sub-format of an extensible header
};

inline QByteArray waveChunk(const char* id, const QByteArray& body)
{
    QByteArray chunk(id, 4);
    QDataStream out(&chunk, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(body.size());
    chunk += body;
    if (body.size() % 2)
        chunk += '\0';
    return chunk;
}

inline QByteArray waveFormatChunk(const WaveHeader& h)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint16 frameBytes = quint16(h.channels * h.bitsPerSample / 8);
    out << quint16(h.extensible ? 0xFFFE : h.encoding) << h.channels << h.framesPerSecond
        << quint32(h.framesPerSecond * frameBytes) << frameBytes << h.bitsPerSample;
    if (h.extensible) {
        out << quint16(22) << h.bitsPerSample << quint32(h.channels == 1 ? 4 : 3) << h.encoding;
        out.writeRawData("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    return waveChunk("fmt ", body);
}

// "RIFF", its size, "WAVE" and the chunks as given.
inline QByteArray riffWave(const QByteArray& chunks)
{
    QByteArray file("RIFF");
    QDataStream out(&file, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(4 + chunks.size());
    return file + "WAVE" + chunks;
}

inline QByteArray waveFile(const WaveHeader& h, const QByteArray& frames)
{
    return riffWave(waveFormatChunk(h) + waveChunk("data", frames));
}

// A square wave of the given length, 16-bit mono at 8000 frames a second.
inline QByteArray toneWave(int ms)
{
    const int frames = 8000 * ms / 1000;
    QByteArray samples;
    QDataStream out(&samples, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < frames; ++i)
        out << qint16((i / 8) % 2 ? 4000 : -4000);
    return waveFile({}, samples);
}
