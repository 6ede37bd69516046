#include "spots/AgwFrames.h"

#include <QtEndian>
#include <algorithm>
#include <utility>

namespace {

void putCall(char* field, const QByteArray& call)
{
    std::copy_n(call.constData(), std::min<qsizetype>(call.size(), AgwCallSize - 1), field);
}

} // namespace

QByteArray encodeAgwFrame(const AgwFrame& frame)
{
    QByteArray bytes(AgwHeaderSize, '\0');
    char* h = bytes.data();
    h[0] = char(frame.port);
    h[4] = frame.kind;
    h[6] = char(frame.pid);
    putCall(h + 8, frame.callFrom);
    putCall(h + 18, frame.callTo);
    qToLittleEndian<quint32>(quint32(frame.data.size()), h + 28);
    return bytes + frame.data;
}

QByteArray agwCallField(QByteArrayView field)
{
    const qsizetype nul = field.indexOf('\0');
    return (nul < 0 ? field : field.first(nul)).toByteArray();
}

namespace {

QString describeBadFrame(const AgwFrame& frame, quint32 length)
{
    const QString kind = frame.kind > ' ' && frame.kind < 127
        ? QStringLiteral("'%1'").arg(QLatin1Char(frame.kind))
        : QString::number(quint8(frame.kind));
    return QStringLiteral("ERROR: Bad frame from the AGW Packet Engine: kind %1 from \"%2\" announces %3 bytes of data "
                          "(at most %4).")
        .arg(kind, QString::fromLatin1(frame.callFrom), QString::number(length), QString::number(AgwDataLimit));
}

} // namespace

bool AgwFrameDecoder::feed(QByteArrayView bytes, const std::function<void(AgwFrame&& frame)>& sink)
{
    if (!m_badFrame.isEmpty())
        return false;
    while (!bytes.isEmpty()) {
        if (!m_inData) {
            const qsizetype take = std::min<qsizetype>(AgwHeaderSize - m_header.size(), bytes.size());
            m_header.append(bytes.first(take));
            bytes = bytes.sliced(take);
            if (m_header.size() < AgwHeaderSize)
                return true;
            const char* h = m_header.constData();
            m_frame = AgwFrame{};
            m_frame.port = quint8(h[0]);
            m_frame.kind = h[4];
            m_frame.pid = quint8(h[6]);
            m_frame.callFrom = agwCallField(QByteArrayView(h + 8, AgwCallSize));
            m_frame.callTo = agwCallField(QByteArrayView(h + 18, AgwCallSize));
            m_dataLeft = qFromLittleEndian<quint32>(h + 28);
            m_header.clear();
            if (m_dataLeft > AgwDataLimit) {
                m_badFrame = describeBadFrame(m_frame, m_dataLeft);
                return false;
            }
            m_inData = true;
        }
        const qsizetype take = qsizetype(std::min<quint64>(m_dataLeft, quint64(bytes.size())));
        const qsizetype room = AgwDataKept - m_frame.data.size();
        m_frame.data.append(bytes.first(std::min(take, room)));
        bytes = bytes.sliced(take);
        m_dataLeft -= quint32(take);
        if (m_dataLeft == 0) {
            m_inData = false;
            sink(std::exchange(m_frame, AgwFrame{}));
        }
    }
    return true;
}

void AgwFrameDecoder::reset()
{
    m_header.clear();
    m_frame = AgwFrame{};
    m_dataLeft = 0;
    m_inData = false;
    m_badFrame.clear();
}
