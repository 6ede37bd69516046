#include "rig/RigDriver.h"

namespace rigframes {

QByteArray bothAsTyped(const RigRequests& r, const QByteArray& after)
{
    QByteArray bytes;
    for (const QString& request : {r.frequency, r.mode})
        if (!request.isEmpty())
            bytes += request.toLatin1() + after;
    return bytes;
}

RigTypeDefaults lineDefaults(const char* baud, const char* stopBits, const QString& frequencyRequest,
                             const QString& modeRequest, bool convertToHex)
{
    RigTypeDefaults d;
    d.baud = QString::fromLatin1(baud);
    d.parity = QStringLiteral("N");
    d.dataBits = QStringLiteral("8");
    d.stopBits = QString::fromLatin1(stopBits);
    d.frequencyRequest = frequencyRequest;
    d.modeRequest = modeRequest;
    d.convertToHex = convertToHex;
    return d;
}

} // namespace rigframes
