#include "keying/KeyerSettings.h"

#include "core/NumberFormat.h"
#include "core/RecordFile.h"
#include "core/WorkFiles.h"
#include "platform/FileWriter.h"

#include <functional>

std::optional<int> repeatIntervalMs(const QString& seconds)
{
    const auto value = parsePlainNumber(seconds);
    if (!value)
        return std::nullopt;
    const double ms = roundHalfEven(*value * 1000.0);
    if (ms < 0 || ms > 65535)
        return std::nullopt;
    return int(ms);
}

namespace {

bool readRepeat(RecordReader& r, QString& seconds)
{
    QString value;
    if (!r.readText(value) || !repeatIntervalMs(value))
        return false;
    seconds = value;
    return true;
}

} // namespace

int readCwSettings(RecordReader& r, CwSettings& s)
{
    auto message = [&](int n) {
        return [&r, &s, n] { return r.readText(s.messages[size_t(n - 1)]); };
    };
    auto f9 = [&] {
        if (!r.readText(s.messages[8]))
            return false;
        if (s.messages[8].isEmpty())
            s.messages[8] = QStringLiteral("VVV DE ");
        return true;
    };
    auto keying = [&] {
        quint8 code = 0;
        if (!r.readByte(code))
            return false;
        // A code no interface has keys nothing: it is taken as "None".
        const bool known = code <= 3 || code == 5;
        s.keyingInterface = known ? KeyingInterface(code) : KeyingInterface::None;
        return true;
    };
    auto echo = [&] {
        qint32 value = 0;
        if (!r.readLong(value) || value < 0 || value > 1)
            return false;
        s.echo = value == 1;
        return true;
    };
    return readItemsInOrder({message(1), message(2), message(3), message(4), message(5), message(6),
                             message(7), message(8), f9, [&] { return r.readText(s.serialPort); },
                             [&] { return r.readText(s.wordsPerMinute); }, message(10), message(11),
                             [&] { return r.readText(s.wordSpace); }, keying,
                             [&] { return r.readText(s.parallelAddress); }, echo,
                             [&] { return readRepeat(r, s.repeatSeconds); }});
}

bool writeCwSettings(QIODevice& device, const CwSettings& s)
{
    RecordWriter w(device);
    for (int i = 0; i < 9; ++i)
        w.text(s.messages[size_t(i)]).endRecord();
    w.text(s.serialPort).endRecord();
    w.text(s.wordsPerMinute).endRecord();
    w.text(s.messages[9]).endRecord();
    w.text(s.messages[10]).endRecord();
    w.text(s.wordSpace).endRecord();
    w.integer(quint8(s.keyingInterface)).endRecord();
    w.text(s.parallelAddress).endRecord();
    w.integer(s.echo ? 1 : 0).endRecord();
    w.text(s.repeatSeconds).endRecord();
    return w.ok();
}

int readWaveSettings(RecordReader& r, WaveSettings& s)
{
    auto waveFile = [&](int n) {
        return [&r, &s, n] { return r.readText(s.waveFiles[size_t(n - 1)]); };
    };
    auto line = [&] {
        double value = 0;
        if (!r.readDouble(value))
            return false;
        if (value == 0 || value == 1 || value == 2)
            s.pttLine = PttLine(quint8(value));
        return true;
    };
    return readItemsInOrder({waveFile(1), waveFile(2), waveFile(3), waveFile(4), waveFile(5), waveFile(6),
                             waveFile(7), waveFile(8), waveFile(9), [&] { return r.readText(s.serialPort); }, line,
                             [&] { return readRepeat(r, s.repeatSeconds); },
                             [&] { return r.readText(s.parallelAddress); }});
}

bool writeWaveSettings(QIODevice& device, const WaveSettings& s)
{
    RecordWriter w(device);
    for (const QString& file : s.waveFiles)
        w.text(file.trimmed()).endRecord();
    w.text(s.serialPort).endRecord();
    if (s.pttLine)
        w.integer(quint8(*s.pttLine));
    w.endRecord();
    w.text(s.repeatSeconds).endRecord();
    w.text(s.parallelAddress).endRecord();
    return w.ok();
}

void saveCwSettings(const Folders& folders, const CwSettings& settings, FileWriter* writer, FileWriter::Done done)
{
    replaceFile(
        writer, workPath(folders, QStringLiteral("CW.txt")),
        [&settings](QIODevice& device) { return writeCwSettings(device, settings); }, std::move(done));
}

void saveWaveSettings(const Folders& folders, const WaveSettings& settings, FileWriter* writer)
{
    replaceFile(writer, workPath(folders, QStringLiteral("wave2.txt")),
                [&settings](QIODevice& device) { return writeWaveSettings(device, settings); });
}

namespace {

template <typename Settings, typename Read>
int loadSettings(const Folders& folders, const QString& name, Settings& settings, Read read)
{
    auto reader = RecordReader::fromFile(workPath(folders, name));
    return reader ? read(*reader, settings) : 0;
}

} // namespace

int loadCwSettings(const Folders& folders, CwSettings& settings)
{
    return loadSettings(folders, QStringLiteral("CW.txt"), settings, readCwSettings);
}

int loadWaveSettings(const Folders& folders, WaveSettings& settings)
{
    return loadSettings(folders, QStringLiteral("wave2.txt"), settings, readWaveSettings);
}
