#include "rig/RigSettings.h"

#include "core/RecordFile.h"

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

const QStringList& rigTypes()
{
    static const QStringList types = {
        QStringLiteral("None"),           QStringLiteral("Elecraft"),        QStringLiteral("Icom"),
        QStringLiteral("Icom 735"),       QStringLiteral("Kenwood"),         QStringLiteral("Kenwood 2"),
        QStringLiteral("Ten Tec Omni VI"), QStringLiteral("Ten Tec Orion"),  QStringLiteral("Ten Tec Fnt Pnl"),
        QStringLiteral("Ten Tec Pegasus"), QStringLiteral("Yaesu"),          QStringLiteral("Yaesu 757 GX II"),
        QStringLiteral("Yaesu 890"),      QStringLiteral("Yaesu 920"),       QStringLiteral("Yaesu 990"),
        QStringLiteral("Yaesu 1000 D"),   QStringLiteral("Yaesu 1000"),      QStringLiteral("Yaesu FTdx9000"),
        QStringLiteral("Other")};
    return types;
}

RigTypeDefaults rigTypeDefaults(const QString& rigName)
{
    const auto line = [](const char* baud, const char* stop, const char* freq, const char* mode, bool hex) {
        RigTypeDefaults d;
        d.baud = QString::fromLatin1(baud);
        d.parity = QStringLiteral("N");
        d.dataBits = QStringLiteral("8");
        d.stopBits = QString::fromLatin1(stop);
        d.frequencyRequest = QString::fromLatin1(freq);
        d.modeRequest = QString::fromLatin1(mode);
        d.convertToHex = hex;
        return d;
    };
    const auto is = [&](const char* name) { return rigName == QLatin1String(name); };
    if (is("Elecraft") || is("Kenwood"))
        return line("4800", "2", "FA;", "MD;", false);
    if (is("Kenwood 2"))
        return line("4800", "2", "IF;", "", false);
    if (is("Icom") || is("Icom 735")) {
        RigTypeDefaults d = line("1200", "1", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true);
        d.icomNote = true;
        return d;
    }
    if (is("Ten Tec Omni VI"))
        return line("1200", "1", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true);
    if (is("Ten Tec Orion"))
        return line("56000", "1", "?AF", "?RMM", false);
    if (is("Ten Tec Fnt Pnl"))
        return line("56000", "1", "3F 41 0D", "3F 4D 0D", true);
    if (is("Yaesu"))
        return line("4800", "2", "00 00 00 00 03", "", true);
    if (is("Yaesu 757 GX II"))
        return line("4800", "2", "00 00 00 00 10", "", true);
    if (is("Yaesu 890") || is("Yaesu 920") || is("Yaesu 990") || is("Yaesu 1000 D") || is("Yaesu 1000"))
        return line("4800", "2", "00 00 00 02 10", "", true);
    if (is("Yaesu FTdx9000")) {
        RigTypeDefaults d;
        d.baud = QStringLiteral("4800");
        d.frequencyRequest = QStringLiteral("FA;");
        d.modeRequest = QStringLiteral("MD0;");
        return d;
    }
    return {}; // "None", "Ten Tec Pegasus", "Other"
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
