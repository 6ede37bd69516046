#include "reports/AdifLog.h"

#include "core/RecordFile.h"
#include "entry/DateTimeText.h"
#include "reports/AnsiText.h"

#include <QHash>
#include <QIODevice>
#include <limits>

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString withoutOuterBlanks(const QString& text)
{
    qsizetype begin = 0;
    while (begin < text.size() && text[begin] == QLatin1Char(' '))
        ++begin;
    return withoutTrailingBlanks(text.mid(begin));
}

// "18:05:33" and "18:05" give "1805", "930" gives "0930", an empty time "0000".
QString timeOn(const QString& logTime)
{
    QString time = withoutOuterBlanks(logTime);
    const qsizetype colon = time.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        time = time.left(colon) + time.mid(colon + 1, 2);
    time.truncate(4);
    while (time.size() < 4)
        time.prepend(QLatin1Char('0'));
    return time;
}

struct Whereabouts {
    QString country;
    QString continent;
    QString state;
};

// A two-letter exchange is a US state for a US call and a Canadian province otherwise; a
// longer one is a DX country; none means a contact in the host state, and a county always
// places the contact in the USA.
Whereabouts whereabouts(const LogEntry& e, const QString& hostState)
{
    Whereabouts w;
    if (e.Spc.size() == 2) {
        const QChar first = e.Call.isEmpty() ? QChar() : e.Call.front();
        if (first == u'A' || first == u'K' || first == u'N' || first == u'W') {
            w.country = QStringLiteral("USA");
            w.continent = QStringLiteral("NA");
            w.state = e.Spc;
            if (w.state == QLatin1String("HI"))
                w.country = QStringLiteral("Hawaii");
            if (w.state == QLatin1String("AK"))
                w.country = QStringLiteral("Alaska");
        } else {
            w.country = QStringLiteral("Canada");
        }
    }
    if (e.Spc.size() > 2)
        w.country = e.Spc;
    if (e.Spc.size() < 2)
        w.state = hostState;
    w.state.truncate(2);
    if (!e.County.isEmpty()) {
        w.country = QStringLiteral("USA");
        w.continent = QStringLiteral("NA");
    }
    return w;
}

// The records of the file, each value in the file's code page; the first value that cannot
// be written is kept in the Ansi converter.
class AdifRecords {
public:
    AdifRecords(const AdifInput& in, Ansi& ansi)
        : m_ansi(ansi), m_hasPower(!in.power.isEmpty()), m_hasComment(!in.comment.isEmpty()),
          m_power(ansi(withoutTrailingBlanks(in.power), "the power")), m_comment(ansi(in.comment, "the comment")),
          m_hostState(in.hostState)
    {
        // The first row of a name or an abbreviation is the one that counts.
        for (const DxccRow& row : in.dxcc) {
            if (!m_dxcc.contains(row.name))
                m_dxcc.insert(row.name, row.number);
        }
        // Counties are looked up without regard to case: older logs hold some as typed.
        const size_t counties = std::min(in.countyAbbrev.size(), in.countyName.size());
        for (size_t i = 0; i < counties; ++i) {
            const QString key = in.countyAbbrev[i].toUpper();
            if (!m_county.contains(key))
                m_county.insert(key, in.countyName[i]);
        }
    }

    // Contact n (from 1) of the log.
    void write(QByteArray& out, const LogEntry& e, qint32 n)
    {
        const Whereabouts w = whereabouts(e, m_hostState);
        const QByteArray& date = qsoDate(e.Date);
        const QString time = timeOn(e.Time);
        const qint16 dxcc = m_dxcc.value(withoutOuterBlanks(w.country), 0);
        const QString mode = e.Mode == QLatin1String("PH") ? QStringLiteral("SSB") : e.Mode;

        if (!e.Call.isEmpty())
            field(out, "Call", m_ansi(e.Call, "the call", n));
        if (!date.isEmpty())
            field(out, "Qso_Date", date, ":d");
        if (!e.Band.isEmpty())
            field(out, "Band", m_ansi(e.Band + QLatin1Char('M'), "the band", n));
        if (!mode.isEmpty())
            field(out, "Mode", m_ansi(mode.toUpper(), "the mode", n), nullptr, CrLf);
        if (m_hasPower)
            field(out, "Tx_Pwr", m_power);
        if (!e.Frequency.isEmpty())
            field(out, "Freq", m_ansi(withoutOuterBlanks(e.Frequency), "the frequency", n));
        if (time >= QLatin1String("0000"))
            field(out, "Time_On", m_ansi(time, "the time", n));
        if (dxcc > 0)
            field(out, "DXCC", QByteArray::number(dxcc));
        if (!w.state.isEmpty())
            field(out, "State", m_ansi(w.state, "the state", n));
        if (!e.County.isEmpty())
            field(out, "Cnty",
                  m_ansi(w.state + QLatin1Char(',') + m_county.value(e.County.toUpper()), "the county", n));
        if (!w.continent.isEmpty())
            field(out, "Cont", w.continent.toLatin1());
        if (!e.RstRcvd.isEmpty())
            field(out, "RST_Rcvd", m_ansi(withoutTrailingBlanks(e.RstRcvd), "the report received", n));
        if (!e.RstSent.isEmpty())
            field(out, "RST_Sent", m_ansi(withoutTrailingBlanks(e.RstSent), "the report sent", n));
        if (m_hasComment)
            field(out, "Comment", m_comment, nullptr, CrLf);
        out += "<eor>" + CrLf + CrLf;
    }

private:
    // The date as "YYYYMMDD", empty when the text is not a date. A log holds few distinct
    // dates, one after the other, so the last one is kept.
    const QByteArray& qsoDate(const QString& logDate)
    {
        if (logDate != m_lastLogDate) {
            m_lastLogDate = logDate;
            const QDate date = parseLogDate(logDate);
            m_lastQsoDate = date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")).toLatin1() : QByteArray();
        }
        return m_lastQsoDate;
    }

    // "<Name:length>value" and what follows it. The length counts the bytes of the value
    // as written.
    static void field(QByteArray& out, const char* name, const QByteArray& value, const char* type = nullptr,
                      const QByteArray& after = QByteArrayLiteral(" "))
    {
        out += '<';
        out += name;
        out += ':';
        out += QByteArray::number(value.size());
        if (type)
            out += type;
        out += '>';
        out += value;
        out += after;
    }

    Ansi& m_ansi;
    bool m_hasPower;
    bool m_hasComment;
    QByteArray m_power;
    QByteArray m_comment;
    QString m_hostState;
    QHash<QString, qint16> m_dxcc;
    QHash<QString, QString> m_county;
    QString m_lastLogDate;
    QByteArray m_lastQsoDate;
};

QByteArray header(const AdifInput& in, Ansi& ansi)
{
    QByteArray text;
    for (const QString& line :
         {QStringLiteral("Exported from Vexol's %1 Brevant Log %2").arg(in.hostState, in.programVersion),
          QStringLiteral("Brevant Log is written by Vexol Software."),
          QStringLiteral("www.vexolsoftware.example"), QStringLiteral("Log exported on: ") + in.exportDate,
          QString(), QStringLiteral("<EOH>"), QString()})
        text += ansi(line, "the header") + CrLf;
    return text;
}

} // namespace

bool LoadDxccTable(const QString& path, std::vector<DxccRow>& rows, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    rows.clear();
    std::optional<RecordReader> reader = RecordReader::fromFile(path);
    if (!reader)
        return fail(QStringLiteral("File not found: %1").arg(path));
    // An editor's empty lines at the end are no rows.
    while (!reader->atEnd() && !reader->onlyLineEndsLeft()) {
        const int row = int(rows.size()) + 1;
        if (row > MaxDxccRows)
            return fail(QStringLiteral("%1 holds more than %2 rows.").arg(path).arg(MaxDxccRows));
        DxccRow r;
        qint32 number = 0;
        if (!reader->readText(r.name) || !reader->readLong(number))
            return fail(QStringLiteral("Row %1 of %2 is not a country and a number.").arg(row).arg(path));
        if (number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
            return fail(QStringLiteral("Overflow: the number in row %1 of %2 is too large.").arg(row).arg(path));
        r.number = qint16(number);
        rows.push_back(std::move(r));
    }
    return true;
}

bool WriteAdifLog(QIODevice& device, const AdifInput& input, QString* error)
{
    Ansi ansi;
    QByteArray bytes = header(input, ansi);
    AdifRecords records(input, ansi);
    bytes.reserve(bytes.size() + qsizetype(input.contacts.size()) * 240);
    qint32 n = 0;
    for (const LogEntry& e : input.contacts)
        records.write(bytes, e, ++n);
    if (!ansi.failure().isEmpty()) {
        if (error)
            *error = ansi.failure();
        return false;
    }
    if (device.write(bytes) != bytes.size()) {
        if (error)
            *error = device.errorString();
        return false;
    }
    return true;
}
