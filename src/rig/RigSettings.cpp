#include "rig/RigSettings.h"

#include "core/RecordFile.h"
#include "platform/FileLookup.h"

#include <functional>

QString fixedWidth(const QString& text, int width) { return text.left(width).leftJustified(width, QLatin1Char(' ')); }

int readRigSettings(RecordReader& r, RigSettings& s)
{
    const auto fixed = [&](QString& target, int width) {
        QString value;
        if (!r.readText(value))
            return false;
        target = fixedWidth(value, width);
        return true;
    };
    const auto flag = [&](bool& target) {
        qint32 value = 0;
        if (!r.readLong(value))
            return false;
        target = value != 0;
        return true;
    };
    const std::function<bool()> items[] = {
        [&] { return fixed(s.RigBaud, 5); },
        [&] { return fixed(s.RigParity, 1); },
        [&] { return fixed(s.RigDataBits, 1); },
        [&] { return fixed(s.RigStopBits, 1); },
        [&] { return r.readText(s.RigModeRequest); },
        [&] { return r.readText(s.RigFrequencyRequest); },
        [&] { return r.readText(s.RigPortSettings); },
        [&] { return r.readByte(s.RigComPort); },
        [&] { return fixed(s.RigPowerLine, 1); },
        [&] { return fixed(s.RigPollRate, 1); },
        [&] { return r.readText(s.RigName); },
        [&] { return flag(s.convertToHex); },
        [&] { return flag(s.useFrequency); },
        [&] {
            qint32 source = 0;
            if (!r.readLong(source))
                return false;
            s.modeSource = source;
            return true;
        },
    };
    return readItemsInOrder(items);
}

bool writeRigSettings(QIODevice& device, const RigSettings& s)
{
    RecordWriter w(device);
    w.text(fixedWidth(s.RigBaud, 5)).endRecord();
    w.text(fixedWidth(s.RigParity, 1)).endRecord();
    w.text(fixedWidth(s.RigDataBits, 1)).endRecord();
    w.text(fixedWidth(s.RigStopBits, 1)).endRecord();
    w.text(s.RigModeRequest).endRecord();
    w.text(s.RigFrequencyRequest).endRecord();
    w.text(s.RigPortSettings).endRecord();
    w.integer(s.RigComPort).endRecord();
    w.text(fixedWidth(s.RigPowerLine, 1)).endRecord();
    w.text(fixedWidth(s.RigPollRate, 1)).endRecord();
    w.text(s.RigName).endRecord();
    w.integer(s.convertToHex ? 1 : 0).endRecord();
    w.integer(s.useFrequency ? 1 : 0).endRecord();
    w.integer(s.modeSource).endRecord();
    return w.ok();
}

std::optional<int> pollIntervalMs(const QString& rate)
{
    if (rate == QLatin1String("F"))
        return 50;
    if (rate == QLatin1String("M"))
        return 250;
    if (rate == QLatin1String("S"))
        return 1000;
    if (rate == QLatin1String("R"))
        return 5000;
    return std::nullopt;
}

QString portSettingsText(const RigSettings& s)
{
    QString baud = s.RigBaud;
    while (baud.endsWith(QLatin1Char(' ')))
        baud.chop(1);
    return baud + QLatin1Char(',') + s.RigParity + QLatin1Char(',') + s.RigDataBits + QLatin1Char(',') + s.RigStopBits;
}

std::optional<StoredRigSettings> loadRigSettings(const QString& folder, const QString& rigName)
{
    auto reader = RecordReader::fromFile(FileLookup::resolve(folder, QStringLiteral("RigCntrl.txt")));
    if (!reader)
        return std::nullopt;
    RigSettings read;
    read.RigName = rigName;
    StoredRigSettings stored;
    stored.items = readRigSettings(*reader, read);
    RigSettings& s = stored.settings;
    s.RigName = stored.items >= 11 ? read.RigName : rigName;
    if (stored.items >= RigSettings::ItemCount) {
        s.RigFrequencyRequest = read.RigFrequencyRequest;
        s.RigModeRequest = read.RigModeRequest;
        s.convertToHex = read.convertToHex;
        s.useFrequency = read.useFrequency;
        s.modeSource = read.modeSource >= 1 && read.modeSource <= 3 ? read.modeSource : 1;
        if (read.RigComPort >= 1 && read.RigComPort <= 10) {
            s.RigComPort = read.RigComPort;
            s.RigBaud = read.RigBaud;
            s.RigParity = read.RigParity;
            s.RigDataBits = read.RigDataBits;
            s.RigStopBits = read.RigStopBits;
            s.RigPowerLine = read.RigPowerLine;
            s.RigPollRate = read.RigPollRate;
        }
    }
    s.RigPortSettings = portSettingsText(s);
    return stored;
}
