#include "rig/TenTecCodec.h"

#include "core/RecordFile.h"
#include "platform/DiskFile.h"
#include "platform/FileLookup.h"
#include "rig/RigText.h"

#include <algorithm>

bool parseTenTecPanelFrequency(const QByteArray& reply, RigReport& report)
{
    if (reply.size() < 5)
        return false;
    report.frequency = hertzToMhz(bytesToHexDigits(reply.mid(1, 4)).toULongLong(nullptr, 16));
    return true;
}

bool parseTenTecPanelMode(const QByteArray& reply, RigReport& report)
{
    if (reply.size() < 3)
        return false;
    const int mode = quint8(reply[1]) & 0x0F;
    if (mode == 3)
        report.mode = QStringLiteral("CW");
    else if (mode <= 4)
        report.mode = QStringLiteral("PH");
    return true;
}

std::optional<QByteArray> tenTecPanelFrequencyCommand(float mhz)
{
    constexpr qint64 fourBytes = 0xFFFFFFFF;
    const auto exact = mhzToHertz(mhz, fourBytes);
    if (!exact)
        return std::nullopt;
    // Whole hertz held in single precision: above 16,777,216 Hz the nearest value it holds.
    const auto hertz = quint64(double(float(*exact)));
    if (hertz > quint64(fourBytes))
        return std::nullopt;
    QString digits = QString::number(hertz, 16).toUpper().rightJustified(8, QLatin1Char('0'));
    if (digits.size() % 2 != 0)
        digits.prepend(QLatin1Char('0'));
    const QString text = QStringLiteral("2A41") + digits + QStringLiteral("0D");
    return hexDigitsToBytes(text);
}

bool parseOrionFrequency(const QByteArray& reply, RigReport& report)
{
    const qsizetype p = reply.indexOf("@AF");
    if (p < 0)
        return false;
    const qsizetype end = reply.indexOf('\r', p);
    if (end < 0)
        return false;
    const auto mhz = hertzDigitsToMhz(reply.mid(p + 3, end - p - 3));
    if (mhz)
        report.frequency = *mhz;
    return mhz.has_value();
}

bool parseOrionMode(const QByteArray& reply, RigReport& report)
{
    const qsizetype p = reply.indexOf("@RMM");
    if (p < 0 || reply.size() <= p + 4)
        return false;
    const char mode = reply[p + 4];
    report.mode = mode == '2' || mode == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
    return true;
}

std::optional<QByteArray> orionFrequencyCommand(float mhz)
{
    if (!mhzToHertz(mhz, HighestRadioHertz))
        return std::nullopt;
    return "*AF" + QByteArray::number(double(mhz), 'g', 7) + '\r';
}

bool readPegasusFile(const QString& folder, RigReport& report)
{
    auto reader = RecordReader::fromFile(FileLookup::resolve(folder, QStringLiteral("PEGASUS.OUT")));
    if (!reader)
        return false;
    float mhz = 0;
    if (!reader->readSingle(mhz))
        return false;
    report.frequency = mhz;
    QString mode;
    if (reader->readText(mode))
        report.mode = mode.isEmpty() || mode == QLatin1String("CW") ? mode : QStringLiteral("PH");
    return true;
}

void writePegasusFile(const QString& folder, float mhz, const QString& mode)
{
    const QByteArray text = QByteArray::number(double(mhz), 'g', 7) + "\r\n" + mode.trimmed().toLatin1() + "\r\n";
    DiskFile::replaceAtomically(FileLookup::resolve(folder, QStringLiteral("PEGASUS.IN")), text);
}
