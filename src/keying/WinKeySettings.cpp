#include "keying/WinKeySettings.h"

#include "core/RecordFile.h"
#include "platform/FileWriter.h"
#include "platform/FileLookup.h"

#include <functional>

int readWinKeySettings(RecordReader& r, WinKeySettings& s)
{
    const std::function<bool()> items[] = {
        [&] { return r.readByte(s.comPort); },
        [&] { return r.readText(s.wordsPerMinute); },
        [&] { return r.readText(s.weight); },
        [&] { return r.readText(s.leadIn); },
        [&] { return r.readText(s.tail); },
        [&] { return r.readText(s.ratio); },
        [&] { return r.readByte(s.pinConfig); },
        [&] { return r.readByte(s.mode); },
    };
    int read = 0;
    for (const auto& item : items) {
        if (read >= 6 && r.onlyLineEndsLeft())
            break;
        if (!item())
            break;
        ++read;
    }
    return read;
}

bool writeWinKeySettings(QIODevice& device, const WinKeySettings& s)
{
    RecordWriter w(device);
    w.integer(s.comPort).endRecord();
    for (const QString* text : {&s.wordsPerMinute, &s.weight, &s.leadIn, &s.tail, &s.ratio})
        w.text(*text).endRecord();
    w.integer(s.pinConfig).endRecord();
    w.integer(s.mode).endRecord();
    return w.ok();
}

namespace {

const QString FileName = QStringLiteral("WK.txt");

} // namespace

std::optional<WinKeyFileRead> loadWinKeySettings(const QString& dataFolder, WinKeySettings& settings)
{
    auto reader = RecordReader::fromFile(FileLookup::resolve(dataFolder, FileName));
    if (!reader)
        return std::nullopt;
    const int read = readWinKeySettings(*reader, settings);
    return WinKeyFileRead{read, read == WinKeySettings::ItemCount || (read >= 6 && reader->onlyLineEndsLeft())};
}

void saveWinKeySettings(const QString& dataFolder, const WinKeySettings& settings, FileWriter* writer)
{
    replaceFile(writer, FileLookup::resolve(dataFolder, FileName),
                [&settings](QIODevice& device) { return writeWinKeySettings(device, settings); });
}
