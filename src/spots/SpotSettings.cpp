#include "spots/SpotSettings.h"

#include "core/RecordFile.h"
#include "platform/FileWriter.h"
#include "platform/FileLookup.h"

#include <functional>

namespace {

const QString SettingsFile = QStringLiteral("PackSpot.txt");

// A value of any type as a number: a bare number, a truth value (#TRUE# is -1), or a text
// that reads as one; anything else is 0.
int anyAsInteger(const QString& raw)
{
    if (raw.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        return -1;
    bool ok = false;
    const double value = raw.trimmed().toDouble(&ok);
    return ok ? int(value) : 0;
}

bool anyAsBoolean(const QString& raw)
{
    if (raw.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0
        || raw.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    return anyAsInteger(raw) != 0;
}

} // namespace

int readSpotSettings(RecordReader& r, SpotSettings& s)
{
    QString convertToHex, listDxOnly, listChosen;
    const std::function<bool()> items[SpotSettings::ItemCount] = {
        [&] { return r.readText(s.TncBaud); },
        [&] { return r.readText(s.TncParity); },
        [&] { return r.readText(s.TncDataBits); },
        [&] { return r.readText(s.TncStopBits); },
        [&] { return r.readByte(s.TncPort); },
        [&] { return r.readText(s.TncPower); },
        [&] { return r.readText(s.SpotTransport); },
        [&] { return r.readText(convertToHex) && (s.convertToHex = anyAsInteger(convertToHex), true); },
        [&] { return r.readByte(s.TncHandshaking); },
        [&] { return r.readText(listDxOnly) && (s.listDxOnly = anyAsInteger(listDxOnly), true); },
        [&] { return r.readText(listChosen) && (s.listChosen = anyAsBoolean(listChosen), true); },
        [&] { return r.readText(s.hexCharacter); },
        [&] { return r.readText(s.telnetPort); },
        [&] { return r.readText(s.telnetHost); },
    };
    return readItemsInOrder(items);
}

bool writeSpotSettings(QIODevice& device, const SpotSettings& s)
{
    RecordWriter w(device);
    w.text(s.TncBaud).endRecord();
    w.text(s.TncParity).endRecord();
    w.text(s.TncDataBits).endRecord();
    w.text(s.TncStopBits).endRecord();
    w.integer(s.TncPort).endRecord();
    w.text(s.TncPower).endRecord();
    w.text(s.SpotTransport).endRecord();
    w.integer(s.convertToHex).endRecord();
    w.integer(s.TncHandshaking).endRecord();
    w.integer(s.listDxOnly).endRecord();
    w.boolean(s.listChosen).endRecord();
    w.text(s.hexCharacter).endRecord();
    w.text(s.telnetPort).endRecord();
    w.text(s.telnetHost).endRecord();
    return w.ok();
}

bool loadSpotSettings(const QString& workingDirectory, SpotSettings& settings)
{
    auto reader = RecordReader::fromFile(FileLookup::resolve(workingDirectory, SettingsFile));
    return reader && readSpotSettings(*reader, settings) >= SpotSettings::ItemCount;
}

void saveSpotSettings(const QString& workingDirectory, const SpotSettings& settings, FileWriter* writer)
{
    replaceFile(writer, FileLookup::resolve(workingDirectory, SettingsFile),
                [&settings](QIODevice& device) { return writeSpotSettings(device, settings); });
}
