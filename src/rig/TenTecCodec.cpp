#include "rig/TenTecCodec.h"

#include "core/RecordFile.h"
#include "platform/DiskFile.h"
#include "platform/FileLookup.h"
#include "rig/RigText.h"

void parseOrionFrequency(const QByteArray& reply, RigReport& report)
{
    const qsizetype p = reply.indexOf("@AF");
    if (p < 0)
        return;
    const qsizetype end = reply.indexOf('\r', p);
    if (end < 0)
        return;
    if (const auto mhz = hertzDigitsToMhz(reply.mid(p + 3, end - p - 3)))
        report.frequency = *mhz;
}

void parseOrionMode(const QByteArray& reply, RigReport& report)
{
    const qsizetype p = reply.indexOf("@RMM");
    if (p < 0 || reply.size() <= p + 4)
        return;
    const char mode = reply[p + 4];
    report.mode = mode == '2' || mode == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
}

QByteArray orionFrequencyCommand(float mhz)
{
    return "*AF" + QByteArray::number(double(mhz), 'g', 7) + '\r';
}

void readPegasusFile(const QString& folder, RigReport& report)
{
    auto reader = RecordReader::fromFile(FileLookup::resolve(folder, QStringLiteral("PEGASUS.OUT")));
    if (!reader)
        return;
    float mhz = 0;
    if (!reader->readSingle(mhz))
        return;
    report.frequency = mhz;
    QString mode;
    if (!reader->readText(mode))
        return;
    report.mode = mode.isEmpty() || mode == QLatin1String("CW") ? mode : QStringLiteral("PH");
}

void writePegasusFile(const QString& folder, float mhz, const QString& mode)
{
    const QByteArray text = QByteArray::number(double(mhz), 'g', 7) + "\r\n" + mode.trimmed().toLatin1() + "\r\n";
    DiskFile::replaceAtomically(FileLookup::resolve(folder, QStringLiteral("PEGASUS.IN")), text);
}
