// The keyers' settings files: CW.txt and wave2.txt written from their values, read back,
// and read when short or damaged.

#include "keying/KeyerSettings.h"

#include "KeyerSamples.h"

#include "core/QStringPrinter.h"
#include "core/RecordFile.h"
#include "reports/QByteArrayPrinter.h"
#include "support/TestServices.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

template <class Settings>
QByteArray bytesOf(const Settings& settings, bool (*write)(QIODevice&, const Settings&))
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(write(buffer, settings));
    return bytes;
}

QByteArray cwFile(const CwSettings& s) { return bytesOf(s, writeCwSettings); }
QByteArray waveFile(const WaveSettings& s) { return bytesOf(s, writeWaveSettings); }

} // namespace

// Settings in failure messages as the files would hold them.
void PrintTo(const CwSettings& s, std::ostream* os) { PrintTo(cwFile(s), os); }
void PrintTo(const WaveSettings& s, std::ostream* os) { PrintTo(waveFile(s), os); }

namespace {

// The settings read from the bytes over the given ones, and the count of items read.
template <class Settings>
std::pair<Settings, int> readFrom(const QByteArray& bytes, Settings settings,
                                  int (*read)(RecordReader&, Settings&))
{
    RecordReader reader(bytes);
    const int items = read(reader, settings);
    return {settings, items};
}

// keyedStation() with the items after the first n at their design values.
CwSettings keyedUpTo(int n)
{
    const CwSettings design;
    CwSettings s = keyedStation();
    for (int item = n + 1; item <= CwSettings::ItemCount; ++item) {
        switch (item) {
        case 10: s.serialPort = design.serialPort; break;
        case 11: s.wordsPerMinute = design.wordsPerMinute; break;
        case 12: s.messages[9] = design.messages[9]; break;
        case 13: s.messages[10] = design.messages[10]; break;
        case 14: s.wordSpace = design.wordSpace; break;
        case 15: s.keyingInterface = design.keyingInterface; break;
        case 16: s.parallelAddress = design.parallelAddress; break;
        case 17: s.echo = design.echo; break;
        case 18: s.repeatSeconds = design.repeatSeconds; break;
        default: s.messages[size_t(item - 1)] = design.messages[size_t(item - 1)]; break;
        }
    }
    return s;
}

TEST(CwSettingsFile, DesignValuesWriteEighteenLines)
{
    const QByteArray design = crlfLines({"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                         "\"0\"", "\"13\"", "\"\"", "\"\"", "\"0\"", "0", "\"&H378\"", "1", "\"0\""});
    EXPECT_EQ(cwFile(CwSettings{}), design);

    // Read back, the empty F9 message becomes "VVV DE ", and is stored so next time.
    auto [read, items] = readFrom(design, keyedStation(), readCwSettings);
    EXPECT_EQ(items, CwSettings::ItemCount);
    CwSettings expected;
    expected.messages[8] = "VVV DE ";
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(cwFile(read).contains("\r\n\"VVV DE \"\r\n\"0\"\r\n\"13\"\r\n"));
}

TEST(CwSettingsFile, EverySettingComesBackAsWritten)
{
    const QByteArray bytes = cwFile(keyedStation());
    EXPECT_TRUE(bytes.startsWith("\"CQ TX $\"\r\n\"$ *\"\r\n"));
    EXPECT_TRUE(bytes.endsWith("\"-2\"\r\n2\r\n\"&H278\"\r\n0\r\n\"2.5\"\r\n"));
    auto [read, items] = readFrom(bytes, CwSettings{}, readCwSettings);
    EXPECT_EQ(items, CwSettings::ItemCount);
    EXPECT_EQ(read, keyedStation());
    EXPECT_EQ(cwFile(read), bytes);

    // A code that no interface has keys nothing: it reads as "None", and the items after it
    // are still read.
    for (const char* code : {"4", "7", "255"}) {
        QByteArray unknown = bytes;
        unknown.replace("\r\n2\r\n", QByteArray("\r\n") + code + "\r\n");
        auto [settings, count] = readFrom(unknown, CwSettings{}, readCwSettings);
        EXPECT_EQ(settings.keyingInterface, KeyingInterface::None) << code;
        EXPECT_EQ(count, CwSettings::ItemCount) << code;
    }
}

TEST(CwSettingsFile, ReadingStopsAtTheFirstItemThatDoesNotRead)
{
    const QList<QByteArray> lines = cwFile(keyedStation()).split('\n');
    auto withItem = [&](int item, const QByteArray& value) {
        QList<QByteArray> changed = lines;
        changed[item - 1] = value + '\r';
        return changed.join('\n');
    };
    auto firstItems = [&](int n) { return lines.mid(0, n).join('\n') + '\n'; };
    const struct {
        const char* what;
        QByteArray bytes;
        int items;
    } cases[] = {
        {"an empty file", "", 0},
        {"cut after the speed", firstItems(11), 11},
        {"cut before the repeat", firstItems(17), 17},
        {"a keying code above a byte", withItem(15, "300"), 14},
        {"a negative keying code", withItem(15, "-1"), 14},
        {"an echo of 2", withItem(17, "2"), 16},
        {"a repeat that is not a number", withItem(18, "\"soon\""), 17},
        {"a repeat beyond 65535 ms", withItem(18, "\"65.536\""), 17},
        {"a negative repeat", withItem(18, "\"-1\""), 17},
    };
    for (const auto& c : cases) {
        auto [read, items] = readFrom(c.bytes, CwSettings{}, readCwSettings);
        EXPECT_EQ(items, c.items) << c.what;
        EXPECT_EQ(read, keyedUpTo(c.items)) << c.what << ": what was read is taken, the rest keeps its value";
    }
}

TEST(WaveSettingsFile, DesignValuesWriteThirteenLinesAndReadBack)
{
    const QByteArray design = crlfLines({"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                         "\"0\"", "0", "\"0\"", "\"&H378\""});
    EXPECT_EQ(waveFile(WaveSettings{}), design);
    WaveSettings other;
    other.pttLine = PttLine::Parallel;
    other.repeatSeconds = "4";
    auto [read, items] = readFrom(design, other, readWaveSettings);
    EXPECT_EQ(items, WaveSettings::ItemCount);
    EXPECT_EQ(read, WaveSettings{});
}

TEST(WaveSettingsFile, FilesAreStoredTrimmedAndEverySettingComesBack)
{
    WaveSettings s = voiceStation();
    s.waveFiles[0] = " /home/op/cq.wav ";
    const QByteArray bytes = waveFile(s);
    EXPECT_TRUE(bytes.startsWith("\"/home/op/cq.wav\"\r\n"));
    EXPECT_TRUE(bytes.endsWith("\"/home/op/f9.wav\"\r\n\" 2\"\r\n1\r\n\"2.5\"\r\n\"&H278\"\r\n"));
    auto [read, items] = readFrom(bytes, WaveSettings{}, readWaveSettings);
    EXPECT_EQ(items, WaveSettings::ItemCount);
    WaveSettings expected = s;
    expected.waveFiles[0] = "/home/op/cq.wav";
    EXPECT_EQ(read, expected);
}

TEST(WaveSettingsFile, TheLineNumberChoosesTheLine)
{
    const struct {
        const char* stored;
        std::optional<PttLine> line;
    } cases[] = {
        {"0", PttLine::Rts}, {"", PttLine::Rts}, {"1", PttLine::Dtr}, {"2", PttLine::Parallel},
        {"7", PttLine::Dtr}, {"1.5", PttLine::Dtr}, {"-1", PttLine::Dtr}, // others keep the line there was
    };
    WaveSettings s;
    for (const auto& c : cases) {
        QList<QByteArray> lines = waveFile(s).split('\n');
        lines[10] = QByteArray(c.stored) + '\r';
        WaveSettings before;
        before.pttLine = PttLine::Dtr;
        auto [read, items] = readFrom(lines.join('\n'), before, readWaveSettings);
        EXPECT_EQ(items, WaveSettings::ItemCount) << c.stored;
        EXPECT_EQ(read.pttLine, c.line) << c.stored;
    }

    s.pttLine = std::nullopt;
    EXPECT_EQ(waveFile(s).split('\n')[10], "\r") << "no line chosen is an empty line";
}

TEST(WaveSettingsFile, ARepeatWithoutAnIntervalStopsTheReading)
{
    QList<QByteArray> lines = waveFile(WaveSettings{}).split('\n');
    lines[11] = "\"1e9\"\r";
    auto [read, items] = readFrom(lines.join('\n'), WaveSettings{}, readWaveSettings);
    EXPECT_EQ(items, 11);
    EXPECT_EQ(read.repeatSeconds, "0");
    EXPECT_EQ(read.parallelAddress, "&H378");
}

TEST(RepeatInterval, WholeMillisecondsUpToTheTimersLimit)
{
    const struct {
        const char* seconds;
        std::optional<int> ms;
    } cases[] = {
        {"0", 0},           {"2.5", 2500},        {"65.535", 65535},    {"65.536", std::nullopt},
        {"-1", std::nullopt}, {"soon", std::nullopt}, {"", std::nullopt}, {"0.0005", 0},
        {"0.0015", 2},      {"0.0025", 2},        {" 3 ", 3000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(repeatIntervalMs(c.seconds), c.ms) << c.seconds;
}

} // namespace
