#pragma once

// The record format of every data and settings file:
//   - values follow each other; a comma and a line end both end a value, so line
//     boundaries play no part, and an empty line counts as one empty value;
//   - a text value stands in double quotes and may hold commas, never a double quote;
//   - a number stands bare, with a point as the decimal separator; a number field holding
//     text reads as 0; #TRUE# and #FALSE# are the two truth values;
//   - every record ends with CR LF; the text is 8-bit Latin-1.
// A UTF-8 byte-order mark, which many editors put at the start of a file they save, is
// no part of the first value: the reader skips it.

#include <QByteArray>
#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>

class QIODevice;

// Runs the readers of a file's items in order until one fails; the number that succeeded.
// A settings file short of items keeps the values read before the first bad one.
int readItemsInOrder(std::span<const std::function<bool()>> items);
inline int readItemsInOrder(std::initializer_list<std::function<bool()>> items)
{
    return readItemsInOrder(std::span<const std::function<bool()>>(items.begin(), items.size()));
}

class RecordReader {
public:
    explicit RecordReader(QByteArray data);

    // The whole file, or nothing when it is missing or cannot be read.
    static std::optional<RecordReader> fromFile(const QString& path);

    bool atEnd() const { return m_pos >= m_data.size(); }
    // True when nothing but line ends (or blanks) is left, as after an editor's trailing
    // empty lines.
    bool onlyLineEndsLeft() const;
    // The offset in the data of the next value, and whether it starts a line.
    qsizetype position() const { return m_pos; }
    bool atLineStart() const;
    // True when the last value read was a quoted text that the end of the data cut off
    // before its closing quote.
    bool lastValueUnclosed() const { return m_lastUnclosed; }

    // Each reader returns false when no value is left or the value does not fit its type;
    // the target is then unchanged.
    bool readText(QString& out);
    bool readSingle(float& out);
    bool readDouble(double& out);
    bool readByte(quint8& out);
    bool readLong(qint32& out);
    bool readBool(bool& out);
    bool skipValue();

private:
    struct RawValue {
        QByteArray text;
        bool quoted = false;
        bool unclosed = false;
    };
    std::optional<RawValue> next();
    std::optional<double> readNumber();

    QByteArray m_data;
    qsizetype m_start = 0; // past the byte-order mark, if any
    qsizetype m_pos = 0;
    bool m_lastUnclosed = false;
};

// Writes values in the record format to a device. A double quote inside a text value
// cannot be carried by the format and is dropped, so every file reads back as written.
class RecordWriter {
public:
    explicit RecordWriter(QIODevice& device);

    RecordWriter& text(const QString& value);
    RecordWriter& single(float value);
    RecordWriter& number(double value);
    RecordWriter& integer(qint64 value);
    RecordWriter& boolean(bool value);
    // Ends the record with CR LF.
    RecordWriter& endRecord();

    bool ok() const { return m_ok; }

private:
    void put(const QByteArray& bytes);
    void separate();

    QIODevice& m_device;
    bool m_firstInRecord = true;
    bool m_ok = true;
};

// The text the writer stores for a value: Latin-1, double quotes removed.
QString recordSafeText(const QString& value);
