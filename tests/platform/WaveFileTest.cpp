// The wave file reader: each encoding a recorder writes, turned into samples an output
// plays, and the files it cannot play refused with a reason.

#include "platform/WaveFile.h"

#include "support/WaveSamples.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray littleEndian(std::initializer_list<qint32> values, int bytes)
{
    QByteArray out;
    for (qint32 v : values) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, bytes);
    }
    return out;
}

template <typename T>
std::vector<T> samplesOf(const WaveSound& sound)
{
    std::vector<T> out(size_t(sound.frames.size()) / sizeof(T));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = qFromLittleEndian<T>(sound.frames.constData() + i * sizeof(T));
    return out;
}

TEST(WaveFile, EachEncodingBecomesSamplesTheOutputPlays)
{
    // 8-bit and 16-bit PCM pass as they are; 24-bit PCM and the G.711 codes are widened.
    const QByteArray eightBit("\x00\x80\xFF\x10", 4);
    auto sound = readWave(waveFile({1, 1, 8000, 8}, eightBit), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sample, WaveSound::Sample::UInt8);
    EXPECT_EQ(sound->frames, eightBit);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->framesPerSecond, 8000);

    sound = readWave(waveFile({1, 2, 44100, 16}, littleEndian({-32768, 32767, 1, -1}, 2)), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sample, WaveSound::Sample::Int16);
    EXPECT_EQ(samplesOf<qint16>(*sound), (std::vector<qint16>{-32768, 32767, 1, -1}));
    EXPECT_EQ(sound->bytesPerFrame(), 4);

    sound = readWave(waveFile({1, 1, 48000, 24}, littleEndian({-8388608, 8388607, 1}, 3)), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sample, WaveSound::Sample::Int32);
    EXPECT_EQ(samplesOf<qint32>(*sound), (std::vector<qint32>{INT32_MIN, 8388607 * 256, 256}));

    // The extensible header names its encoding in the sub-format.
    sound = readWave(waveFile({1, 1, 22050, 24, true}, littleEndian({1}, 3)), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(samplesOf<qint32>(*sound), std::vector<qint32>{256});

    QByteArray doubles(16, '\0');
    qToLittleEndian(0.5, doubles.data());
    qToLittleEndian(-1.0, doubles.data() + 8);
    sound = readWave(waveFile({3, 1, 16000, 64, true}, doubles), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sample, WaveSound::Sample::Float);
    EXPECT_EQ(samplesOf<float>(*sound), (std::vector<float>{0.5f, -1.0f}));

    // Silence, the loudest positive and the loudest negative code of each law.
    sound = readWave(waveFile({7, 1, 8000, 8}, QByteArray("\xFF\x80\x00", 3)), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(samplesOf<qint16>(*sound), (std::vector<qint16>{0, 32124, -32124}));
    sound = readWave(waveFile({6, 1, 8000, 8}, QByteArray("\xD5\xAA\x2A", 3)), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(samplesOf<qint16>(*sound), (std::vector<qint16>{8, 32256, -32256}));
}

TEST(WaveFile, ChunksAroundTheSoundAndFilesCutShort)
{
    // A list chunk of odd length before the format, another after the data: both passed over.
    const QByteArray frames = littleEndian({100, 200, 300}, 2);
    const QByteArray withLists = riffWave(waveChunk("LIST", "odd") + waveFormatChunk({}) + waveChunk("data", frames)
                                          + waveChunk("LIST", "trailing"));
    auto sound = readWave(withLists, nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(samplesOf<qint16>(*sound), (std::vector<qint16>{100, 200, 300}));
    EXPECT_EQ(sound->durationMs(), 0) << "three frames at 8000 a second";

    // A recording cut short: its data chunk claims more than the file holds, and ends in the
    // middle of a frame. What is there plays, in whole frames.
    QByteArray cut = waveFile({1, 2, 8000, 16}, littleEndian({1, 2, 3, 4, 5, 6}, 2));
    cut.chop(3);
    sound = readWave(cut, nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(samplesOf<qint16>(*sound), (std::vector<qint16>{1, 2, 3, 4}));

    // The length in milliseconds, off whole seconds.
    sound = readWave(waveFile({1, 1, 11025, 8}, QByteArray(13781, '\x80')), nullptr);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->durationMs(), 1249);
}

TEST(WaveFile, WhatCannotPlayIsRefusedWithItsReason)
{
    const QByteArray pcm = littleEndian({1, 2}, 2);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty", QByteArray(), "it is not a wave file"},
        {"text", QByteArray("RIFF....AVI LIST"), "it is not a wave file"},
        {"big-endian RIFX", "RIFX" + waveFile({}, pcm).mid(4), "it is not a wave file"},
        {"no format", riffWave(waveChunk("data", pcm)), "it has no sound format"},
        {"format cut short", riffWave(waveChunk("fmt ", QByteArray(14, '\1')) + waveChunk("data", pcm)),
         "it has no sound format"},
        {"no data", riffWave(waveFormatChunk({})), "it holds no sound"},
        {"not one frame", waveFile({}, QByteArray(1, '\0')), "it holds no sound"},
        {"ADPCM", waveFile({2, 1, 8000, 4}, pcm), "its encoding (2, 4 bits) cannot be played"},
        {"12-bit", waveFile({1, 1, 8000, 12}, pcm), "its encoding (1, 12 bits) cannot be played"},
        {"64-bit integers", waveFile({1, 1, 8000, 64}, QByteArray(16, '\0')), "its encoding (1, 64 bits) cannot be played"},
        {"16-bit mu-law", waveFile({7, 1, 8000, 16}, pcm), "its encoding (7, 16 bits) cannot be played"},
        {"no channels", waveFile({1, 0, 8000, 16}, pcm), "its format (0 channels, 8000 Hz) cannot be played"},
        {"nine channels", waveFile({1, 9, 8000, 16}, QByteArray(18, '\0')), "its format (9 channels, 8000 Hz) cannot be played"},
        {"999 Hz", waveFile({1, 1, 999, 16}, pcm), "its format (1 channels, 999 Hz) cannot be played"},
        {"absurd rate", waveFile({1, 1, 4000000000u, 16}, pcm), "its format (1 channels, 4000000000 Hz) cannot be played"},
    };
    for (const auto& c : cases) {
        QString why;
        EXPECT_FALSE(readWave(c.bytes, &why)) << c.name;
        EXPECT_EQ(why.toStdString(), c.reason) << c.name;
    }
}

// The format chunk's frame size (block align, at 12 in its body) and bits (at 14) as a
// file says them, whatever they should be: a frame the reader cannot divide by is refused
// before anything is counted in frames.
TEST(WaveFile, AFrameSizeThatIsZeroOrDoesNotFitIsRefused)
{
    const auto withFrame = [](quint16 channels, quint16 bits, quint16 frameBytes, const QByteArray& data) {
        QByteArray file = waveFile({1, channels, 8000, 16}, data);
        qToLittleEndian<quint16>(frameBytes, file.data() + 20 + 12);
        qToLittleEndian<quint16>(bits, file.data() + 20 + 14);
        return file;
    };
    // The 44 bytes of a file that once ended the program: 0 bits, a frame of 0 bytes, no data.
    const QByteArray zeroFrame = QByteArray::fromHex("524946462400000057415645666d74201000000001000100401f00000000000000000000"
                                                     "6461746100000000");
    const QByteArray pcm(8, '\1');
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"0 bits, frame of 0 bytes, no data", zeroFrame, "its format (0 bits a sample, 0 bytes a frame) cannot be played"},
        {"0 bits, frame of 0 bytes", withFrame(1, 0, 0, pcm), "its format (0 bits a sample, 0 bytes a frame) cannot be played"},
        {"16 bits, frame of 0 bytes", withFrame(2, 16, 0, pcm), "its format (16 bits a sample, 0 bytes a frame) cannot be played"},
        {"0 bits, frame of 2 bytes", withFrame(1, 0, 2, pcm), "its format (0 bits a sample, 2 bytes a frame) cannot be played"},
        {"frame of 3 bytes for 16 bits", withFrame(1, 16, 3, pcm), "its frames of 3 bytes do not hold 1 channels of 16 bits"},
        {"stereo frame of 2 bytes", withFrame(2, 16, 2, pcm), "its frames of 2 bytes do not hold 2 channels of 16 bits"},
        {"frame of 65535 bytes", withFrame(8, 32, 65535, pcm), "its frames of 65535 bytes do not hold 8 channels of 32 bits"},
    };
    for (const auto& c : cases) {
        QString why;
        EXPECT_FALSE(readWave(c.bytes, &why)) << c.name;
        EXPECT_EQ(why.toStdString(), c.reason) << c.name;
    }
}

} // namespace
