#pragma once

// The sound of a RIFF/WAVE file, in a form a sound output takes as it is.
//
// Layout (all numbers little-endian): "RIFF", u32 size, "WAVE", then chunks of a four-byte
// id, a u32 length and that many bytes, padded to an even length. The "fmt " chunk holds
// u16 encoding, u16 channels, u32 frames per second, u32 bytes per second, u16 bytes per
// frame, u16 bits per sample, and for the extensible encoding (0xFFFE) after a u16 extra
// length: u16 valid bits, u32 channel mask and a 16-byte sub-format whose first u16 is the
// real encoding. The "data" chunk holds the frames, channels interleaved.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

struct WaveSound {
    // The sample kinds an output plays; every encoding read becomes one of them.
    enum class Sample { UInt8, Int16, Int32, Float };

    int framesPerSecond = 0;
    int channels = 0;
    Sample sample = Sample::Int16;
    QByteArray frames;

    int bytesPerFrame() const;
    qint64 durationMs() const;
};

// Reads a wave file's bytes: integer PCM of 8, 16, 24 or 32 bits, floating point of 32 or
// 64 bits, A-law and mu-law, plainly or in the extensible header. 24-bit samples become
// 32-bit, 64-bit floats 32-bit, A-law and mu-law 16-bit. A data chunk longer than the file
// (a recording cut short) plays what is there. Nothing, with the reason in *why, for a file
// that is no wave file, an encoding other than these, a frame size of 0 or one that does not
// fit its channels and bits, or one without a single frame.
std::optional<WaveSound> readWave(QByteArrayView bytes, QString* why);
