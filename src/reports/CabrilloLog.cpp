#include "reports/CabrilloLog.h"

#include "core/AmateurBands.h"
#include "core/NumberFormat.h"
#include "entry/DateTimeText.h"
#include "entry/Scoring.h"
#include "reports/AnsiText.h"

#include <QIODevice>
#include <algorithm>
#include <cmath>

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray SummaryTag = QByteArrayLiteral("SCORE-SUMMARY:");

// A number made part of a text: shortest decimal form, no blanks, no separators.
QByteArray joined(double value) { return formatDouble(value).toLatin1(); }

// A number written as a line's own item: its sign place (a blank unless negative), the
// digits, one trailing blank.
QByteArray printed(double value)
{
    return (value < 0 ? QByteArrayLiteral("-") : QByteArrayLiteral(" ")) + joined(std::fabs(value))
        + ' ';
}

class Lines {
public:
    explicit Lines(Ansi& ansi) : m_ansi(ansi) {}

    void line(const QByteArray& text) { m_bytes += text + CrLf; }
    void line(const char* tag, const QString& text, const char* source)
    {
        line(QByteArray(tag) + m_ansi(text, source));
    }
    void summary(const QByteArray& text) { line(SummaryTag + text); }

    // The items after one blank each; a line is written whenever the text grows beyond 50
    // characters, and once more for what is left.
    void summaryList(const QStringList& items, const char* source)
    {
        QByteArray text;
        for (const QString& item : items) {
            text += ' ' + m_ansi(item, source);
            if (text.size() > 50) {
                summary(' ' + text);
                text.clear();
            }
        }
        if (!text.isEmpty())
            summary(' ' + text);
    }

    QByteArray& bytes() { return m_bytes; }

private:
    Ansi& m_ansi;
    QByteArray m_bytes;
};

// Fills with blanks up to the column (counted from 1). A field that ran past the column
// before it keeps one blank between it and the next, so the fields stay apart.
void column(QByteArray& line, int col)
{
    const qsizetype before = col - 1;
    if (line.size() < before)
        line.append(before - line.size(), ' ');
    else if (!line.endsWith(' '))
        line.append(' ');
}

QString sentExchange(const CabrilloInput& in, const LogEntry& e)
{
    const QString& sent = in.inHostState ? e.CountySent : in.ownSpc;
    return sent.left(8).trimmed();
}

QString receivedExchange(const LogEntry& e)
{
    if (!e.County.isEmpty())
        return e.County.trimmed();
    if (e.Spc.size() > 2)
        return QStringLiteral("DX");
    return e.Spc.trimmed();
}

bool appendQsoLine(QByteArray& out, Ansi& ansi, qint32 number, const LogEntry& e, const CabrilloInput& in,
                   const QByteArray& ownCall)
{
    const QDate date = parseLogDate(e.Date);
    if (!date.isValid())
        return false;
    QByteArray line = QByteArrayLiteral("QSO:");
    const QByteArray digits = QByteArray::number(number);
    column(line, int(std::max<qsizetype>(5, 11 - digits.size())));
    line += digits;
    line += ' ';
    line += bandFrequencyText(e.Band).toLatin1();
    column(line, 18);
    line += ansi(e.Mode, "the mode", number);
    column(line, 21);
    line += date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
    column(line, 32);
    line += ansi(e.Time.mid(0, 2) + e.Time.mid(3, 2), "the time", number);
    column(line, 37);
    line += ownCall;
    column(line, 47);
    line += ansi(e.RstSent, "the report sent", number);
    column(line, 51);
    line += ansi(sentExchange(in, e), "the exchange sent", number);
    column(line, 60);
    line += ansi(e.Call.left(9), "the call", number);
    column(line, 70);
    line += ansi(e.RstRcvd, "the report received", number);
    column(line, 74);
    line += ansi(receivedExchange(e), "the exchange received", number);
    out += line + CrLf;
    return true;
}

} // namespace

QString categoryWord(EntryCategory category)
{
    switch (category) {
    case EntryCategory::SingleOp: return QStringLiteral("SINGLE-OP");
    case EntryCategory::MultiOp: return QStringLiteral("MULTI-OP");
    case EntryCategory::QrpSo: return QStringLiteral("QRP SO");
    case EntryCategory::CwoSo: return QStringLiteral("CWO SO");
    case EntryCategory::TxmSo: return QStringLiteral("TXM SO");
    case EntryCategory::TxmMo: return QStringLiteral("TXM MO");
    }
    return {};
}

QString powerWord(PowerCategory power)
{
    switch (power) {
    case PowerCategory::High: return QStringLiteral(" HIGH");
    case PowerCategory::Low: return QStringLiteral(" LOW");
    case PowerCategory::Qrp: return QStringLiteral(" QRP");
    }
    return {};
}

QString modeWord(ModeCategory mode)
{
    switch (mode) {
    case ModeCategory::CW: return QStringLiteral("CW");
    case ModeCategory::SSB: return QStringLiteral("SSB");
    case ModeCategory::Mixed: return QStringLiteral("MIXED");
    }
    return {};
}

QString bandFrequencyText(const QString& band)
{
    // Cabrillo's frequency column: a band below 30 MHz by its lower edge in kHz, a higher
    // one by its designator, its lower edge in MHz ("   50", "  144").
    const AmateurBand* known = findAmateurBand(band, AmateurBand::Contest);
    if (!known)
        return {};
    constexpr qint64 StepsPerKHz = 10;
    constexpr qint64 StepsPerMHz = 10000;
    constexpr qint64 HighestInKHz = 30 * StepsPerMHz;
    const qint64 shown = known->lower < HighestInKHz ? known->lower / StepsPerKHz : known->lower / StepsPerMHz;
    return QStringLiteral("%1").arg(shown, 5);
}

bool WriteCabrilloLog(QIODevice& device, const CabrilloInput& in, QString* error)
{
    Ansi ansi;
    Lines out(ansi);
    out.bytes().reserve(1024 + qsizetype(in.contacts.size()) * 96);

    out.line("START-OF-LOG: 2.0");
    out.line("CREATED-BY: Vexol's Brevant Log ", in.programVersion, "the program's version");
    out.line("CALLSIGN: ", in.ownCall, "the station's call");
    out.line("ARRL-SECTION: ", in.arrlSection, "the station's ARRL section");
    out.line("CONTEST: State QSO Party - ", in.hostState, "the host state");
    out.line(QByteArrayLiteral("CATEGORY: ")
             + (categoryWord(in.category) + powerWord(in.power) + QLatin1Char(' ') + modeWord(in.mode)).toLatin1());
    if (!in.clubName.isEmpty())
        out.line("CLUB-NAME: ", in.clubName, "the box \"Club Name\"");
    out.line(QByteArrayLiteral("CLAIMED-SCORE: ") + printed(in.shownScore + in.bonusTotal));
    if (in.operators.isEmpty())
        out.line("OPERATORS: ", in.ownCall, "the station's call");
    else
        out.line("OPERATORS: ", in.operators, "the box \"If Multi Op, list all calls\"");
    out.line("NAME: ", in.name, "the box \"Your Name\"");
    out.line("ADDRESS: ", in.addressLine1, "the box \"Address Line 1\"");
    out.line("ADDRESS: ", in.addressLine2, "the box \"Address Line 2\"");
    out.line("ADDRESS: (e-mail) ", in.email, "the box \"Email Address\"");
    out.line("SOAPBOX: ", in.soapbox, "the box \"Soapbox\"");

    const double points = CwContactPoints * in.qsoCountCW + PhoneContactPoints * in.qsoCountPH
        + DigitalContactPoints * in.qsoCountDG;
    const double counties = double(in.countiesWorked.size());
    const double countries = in.inHostState ? double(in.dxWorked.size()) : 0;
    const double states = in.inHostState ? in.shownMultipliers - countries - counties : 0;
    const double multipliers = counties + countries + states;
    const double finalScore = points * multipliers + in.bonusTotal;

    out.summary("   ");
    out.summary(" QSO POINTS:");
    out.summary(" NUMBER OF PHONE QSOs " + joined(in.qsoCountPH) + " X " + joined(PhoneContactPoints) + " POINTs = "
                + joined(PhoneContactPoints * in.qsoCountPH));
    out.summary(" NUMBER OF CW QSOs " + joined(in.qsoCountCW) + " X " + joined(CwContactPoints) + " POINTS = "
                + joined(CwContactPoints * in.qsoCountCW));
    out.summary(" NUMBER OF Digital QSOs " + joined(in.qsoCountDG) + " X " + joined(DigitalContactPoints)
                + " POINTS = " + joined(DigitalContactPoints * in.qsoCountDG));
    out.summary("          TOTAL QSO POINTS = " + printed(points));
    out.summary("   ");
    out.summary(" MULTIPLIER POINTS:");
    out.summary(" TOTAL NUMBER OF TX COUNTIES WORKED " + printed(counties));
    if (in.inHostState) {
        out.summary(" TOTAL NUMBER OF STATES /PROVINCES WORKED " + printed(states));
        out.summary(" TOTAL NUMBER OF COUNTRIES WORKED " + printed(countries));
    }
    out.summary("          TOTAL MULTIPLIERS = " + printed(multipliers));
    out.summary("");
    out.summary(" BONUS POINTS");
    out.summary(" Add 500 points for each mobile worked in 5 different counties: "
                + ansi(in.fiveCountyBonusText, "the box of the 500-point bonus"));
    out.summary(" Mobiles add 1000 points per county covered with 5 contacts: "
                + ansi(in.roverBonusText, "the box of the 1000-point bonus"));
    out.summary(" TOTAL BONUS POINTS " + printed(in.bonusTotal));
    out.summary("");
    out.summary(" FINAL SCORE");
    out.summary(" TOTAL QSO POINTS " + joined(points) + " X TOTAL MULTIPLIERS " + joined(multipliers)
                + " + BONUS POINTS " + joined(in.bonusTotal) + " = " + joined(finalScore));
    out.summary("");
    out.summary(" MULTIPLIER LISTS");
    out.summary(" COUNTIES WORKED");
    out.summaryList(in.countiesWorked, "the list of counties worked");
    if (in.inHostState) {
        out.summary("");
        out.summary(" DX WORKED");
        out.summaryList(in.dxWorked, "the list of DX worked");
        out.summary("");
        out.summary(" STATES / PROVINCES WORKED");
        out.summaryList(in.statesWorked, "the list of states and provinces worked");
    }
    out.summary("");

    const QByteArray ownCall = ansi(in.ownCall.left(9), "the station's call");
    qint32 number = 0;
    for (const LogEntry& e : in.contacts) {
        ++number;
        if (!appendQsoLine(out.bytes(), ansi, number, e, in, ownCall)) {
            if (error)
                *error = QStringLiteral("Type mismatch: the date \"%1\" of contact %2 is not a date")
                             .arg(e.Date)
                             .arg(number);
            return false;
        }
    }
    out.line("END-OF-LOG:");
    if (!ansi.failure().isEmpty()) {
        if (error)
            *error = ansi.failure();
        return false;
    }

    const QByteArray& bytes = out.bytes();
    if (device.write(bytes) != bytes.size()) {
        if (error)
            *error = device.errorString();
        return false;
    }
    return true;
}
