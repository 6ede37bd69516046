#include "core/RecordFile.h"

#include "core/NumberFormat.h"

#include <QFile>
#include <QIODevice>
#include <cmath>
#include <limits>

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

RecordReader::RecordReader(QByteArray data) : m_data(std::move(data))
{
    if (m_data.startsWith("\xEF\xBB\xBF"))
        m_start = m_pos = 3;
}

std::optional<RecordReader> RecordReader::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return RecordReader(std::move(data));
}

bool RecordReader::onlyLineEndsLeft() const
{
    for (qsizetype i = m_pos; i < m_data.size(); ++i) {
        const char c = m_data[i];
        if (!isLineEnd(c) && !isBlank(c))
            return false;
    }
    return true;
}

bool RecordReader::atLineStart() const
{
    return m_pos == m_start || isLineEnd(m_data[m_pos - 1]);
}

// Consumes one line end (CR LF, LF or a lone CR) at the current position.
static qsizetype skipLineEnd(const QByteArray& data, qsizetype pos)
{
    if (pos < data.size() && data[pos] == '\r')
        ++pos;
    if (pos < data.size() && data[pos] == '\n')
        ++pos;
    return pos;
}

std::optional<RecordReader::RawValue> RecordReader::next()
{
    if (atEnd())
        return std::nullopt;
    qsizetype pos = m_pos;
    const qsizetype size = m_data.size();
    while (pos < size && isBlank(m_data[pos]))
        ++pos;

    RawValue value;
    if (pos < size && m_data[pos] == '"') {
        value.quoted = true;
        const qsizetype close = m_data.indexOf('"', pos + 1);
        value.unclosed = close < 0;
        const qsizetype end = close < 0 ? size : close;
        value.text = m_data.mid(pos + 1, end - pos - 1);
        pos = close < 0 ? size : close + 1;
        // Whatever stands between the closing quote and the separator is dropped.
        while (pos < size && m_data[pos] != ',' && !isLineEnd(m_data[pos]))
            ++pos;
    } else {
        const qsizetype start = pos;
        while (pos < size && m_data[pos] != ',' && !isLineEnd(m_data[pos]))
            ++pos;
        value.text = m_data.mid(start, pos - start).trimmed();
    }
    if (pos < size) {
        if (m_data[pos] == ',')
            ++pos;
        else
            pos = skipLineEnd(m_data, pos);
    }
    m_pos = pos;
    m_lastUnclosed = value.unclosed;
    return value;
}

bool RecordReader::readText(QString& out)
{
    auto value = next();
    if (!value)
        return false;
    out = QString::fromLatin1(value->text);
    return true;
}

std::optional<double> RecordReader::readNumber()
{
    auto value = next();
    if (!value)
        return std::nullopt;
    const QByteArray text = value->text.trimmed();
    if (text == "#TRUE#")
        return -1.0;
    if (text == "#FALSE#")
        return 0.0;
    return parsePlainNumber(QString::fromLatin1(text)).value_or(0.0);
}

bool RecordReader::readSingle(float& out)
{
    const auto number = readNumber();
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max())
        return false;
    out = float(*number);
    return true;
}

bool RecordReader::readDouble(double& out)
{
    const auto number = readNumber();
    if (!number)
        return false;
    out = *number;
    return true;
}

bool RecordReader::readByte(quint8& out)
{
    const auto number = readNumber();
    if (!number)
        return false;
    const double rounded = std::nearbyint(*number); // ties to even, as whole-number fields round
    if (rounded < 0 || rounded > 255)
        return false;
    out = quint8(rounded);
    return true;
}

bool RecordReader::readLong(qint32& out)
{
    const auto number = readNumber();
    if (!number)
        return false;
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return false;
    out = qint32(rounded);
    return true;
}

bool RecordReader::readBool(bool& out)
{
    const auto number = readNumber();
    if (!number)
        return false;
    out = *number != 0.0;
    return true;
}

bool RecordReader::skipValue() { return next().has_value(); }

QString recordSafeText(const QString& value)
{
    QString safe = QString::fromLatin1(value.toLatin1());
    safe.remove(QLatin1Char('"'));
    return safe;
}

RecordWriter::RecordWriter(QIODevice& device) : m_device(device) {}

void RecordWriter::put(const QByteArray& bytes)
{
    if (m_ok && m_device.write(bytes) != bytes.size())
        m_ok = false;
}

void RecordWriter::separate()
{
    if (!m_firstInRecord)
        put(QByteArrayLiteral(","));
    m_firstInRecord = false;
}

RecordWriter& RecordWriter::text(const QString& value)
{
    separate();
    QByteArray bytes = value.toLatin1();
    bytes.replace('"', QByteArray());
    put('"' + bytes + '"');
    return *this;
}

RecordWriter& RecordWriter::single(float value)
{
    separate();
    put(formatSingle(value).toLatin1());
    return *this;
}

RecordWriter& RecordWriter::number(double value)
{
    separate();
    put(formatDouble(value).toLatin1());
    return *this;
}

RecordWriter& RecordWriter::integer(qint64 value)
{
    separate();
    put(QByteArray::number(value));
    return *this;
}

RecordWriter& RecordWriter::boolean(bool value)
{
    separate();
    put(value ? QByteArrayLiteral("#TRUE#") : QByteArrayLiteral("#FALSE#"));
    return *this;
}

RecordWriter& RecordWriter::endRecord()
{
    put(QByteArrayLiteral("\r\n"));
    m_firstInRecord = true;
    return *this;
}

int readItemsInOrder(std::span<const std::function<bool()>> items)
{
    int read = 0;
    for (const auto& item : items) {
        if (!item())
            break;
        ++read;
    }
    return read;
}
