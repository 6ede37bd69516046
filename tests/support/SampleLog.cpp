#include "support/SampleLog.h"

#include "support/TestLog.h"

#include "core/LogStore.h"
#include "core/RecordFile.h"
#include "core/Tables.h"
#include "entry/BandPlan.h"
#include "entry/Scoring.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <random>

namespace {

const QString OwnCounty = QStringLiteral("TRAV");

// Call areas of the states and provinces (the host state's stations are drawn apart).
struct Region {
    const char* spc;
    const char* areas; // call-area digits, or a whole prefix after '='
};

const Region UsRegions[] = {
    {"CT", "1"}, {"MA", "1"}, {"ME", "1"}, {"NH", "1"}, {"RI", "1"}, {"VT", "1"},
    {"NY", "2"}, {"NJ", "2"}, {"DE", "3"}, {"PA", "3"}, {"MD", "3"},
    {"AL", "4"}, {"GA", "4"}, {"KY", "4"}, {"NC", "4"}, {"FL", "4"}, {"SC", "4"}, {"TN", "4"}, {"VA", "4"},
    {"AR", "5"}, {"LA", "5"}, {"MS", "5"}, {"NM", "5"}, {"OK", "5"},
    {"CA", "6"}, {"AZ", "7"}, {"WA", "7"}, {"ID", "7"}, {"MT", "7"}, {"NV", "7"}, {"OR", "7"},
    {"UT", "7"}, {"WY", "7"}, {"MI", "8"}, {"OH", "8"}, {"WV", "8"},
    {"IL", "9"}, {"IN", "9"}, {"WI", "9"},
    {"CO", "0"}, {"IA", "0"}, {"KS", "0"}, {"MN", "0"}, {"MO", "0"}, {"NE", "0"}, {"ND", "0"}, {"SD", "0"},
    {"AK", "=KL7"}, {"HI", "=KH6"},
};

const Region CanadianRegions[] = {
    {"NB", "=VE9"}, {"NS", "=VE1"}, {"QC", "=VE2"}, {"ON", "=VE3"}, {"MB", "=VE4"},
    {"SK", "=VE5"}, {"AB", "=VE6"}, {"BC", "=VE7"}, {"NT", "=VE8"}, {"NF", "=VO1"},
    {"LB", "=VO2"}, {"PE", "=VY2"}, {"YT", "=VY1"},
};

// Prefixes of the DX heard in the contest; a digit follows those without one.
const char* const DxPrefixes[] = {
    "DL", "G", "F", "I", "EA", "JA", "VK", "ZL", "LU", "PY", "OH", "SM", "OK", "SP", "HA",
    "9A", "S5", "ON", "PA", "EI", "4X4", "ZS", "XE", "CO", "KP4", "YV", "CE", "LY", "YO", "3D2",
};

// Band, share of the contacts (per mille), start of the CW and the phone segment in MHz.
struct BandUse {
    const char* band;
    int weight;
    double cw;
    double phone;
};

const BandUse Bands[] = {
    {"160", 40, 1.800, 1.850}, {"80", 150, 3.500, 3.850}, {"40", 300, 7.000, 7.180},
    {"20", 250, 14.000, 14.200}, {"15", 120, 21.000, 21.300}, {"10", 100, 28.000, 28.350},
    {"6", 30, 50.080, 50.125}, {"2", 10, 144.050, 144.200},
};

class Generator {
public:
    explicit Generator(const ReferenceTables& tables)
        : m_tables(tables), m_random(20240928u)
    {
        const int counties = int(tables.CountyCount);
        for (int i = 1; i <= counties; ++i)
            m_counties.append(tables.CountyAbbrev[size_t(i)]);
        // Mobiles run through the counties under one call each.
        for (int i = 0; i < 25; ++i)
            m_mobiles.append(newUsCall(QStringLiteral("5")) + QStringLiteral("/M"));
        m_clock = QDateTime(QDate(2024, 9, 28), QTime(14, 0), Qt::UTC);
    }

    std::vector<LogEntry> make(int count)
    {
        std::vector<LogEntry> log;
        log.reserve(size_t(count));
        while (int(log.size()) < count) {
            LogEntry e = nextContact();
            const QString key = e.Call + u'|' + e.Band + u'|' + e.Mode + u'|' + e.County;
            if (m_logged.contains(key))
                continue;
            m_logged.insert(key);
            advanceClock();
            e.Date = m_clock.toString(QStringLiteral("yyyy/MM/dd"));
            e.Time = m_clock.toString(QStringLiteral("HH:mm:ss"));
            log.push_back(std::move(e));
        }
        return log;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int perMille) { return below(1000) < perMille; }
    QChar letter() { return QChar(u'A' + below(26)); }
    const QString& randomCounty() { return m_counties.at(below(int(m_counties.size()))); }

    QString letters(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += letter();
        return s;
    }

    // K5ABC, W5XY, AA5X, KD5ABC, WB5AB: a one-letter prefix, the area digit and two or
    // three letters, or a two-letter prefix, the digit and one to three letters.
    QString newUsCall(const QString& area)
    {
        static const char* const prefixes[] = {"K", "W", "N", "K", "W", "N", "AA", "AB", "AC", "AD",
                                               "AE", "AF", "AG", "AI", "KA", "KB", "KC", "KD", "KE",
                                               "KF", "KI", "KJ", "KK", "KN", "KO", "N", "WA", "WB",
                                               "WD", "WQ", "NA", "NR"};
        const QString prefix = QString::fromLatin1(prefixes[below(std::size(prefixes))]);
        const int suffix = prefix.size() == 1 ? 2 + below(2) : 1 + below(3);
        return prefix + area + letters(suffix);
    }

    // A station of the region, more often one already in the log (worked again on
    // another band or mode) than a new one.
    QString callOf(const QString& spc, const char* areas, int repeatPerMille)
    {
        QStringList& known = m_callsOf[spc];
        if (!known.isEmpty() && chance(repeatPerMille))
            return known.at(below(int(known.size())));
        QString call;
        if (areas[0] == '=')
            call = QString::fromLatin1(areas + 1) + letters(2 + below(2));
        else
            call = newUsCall(QString(QChar(u'0' + (areas[0] - '0'))));
        if (chance(15))
            call += QStringLiteral("/P");
        known.append(call);
        return call;
    }

    LogEntry nextContact()
    {
        // Band and mode change now and then, as an operator's would.
        if (m_band.isEmpty() || chance(8)) {
            int pick = below(1000);
            for (const BandUse& b : Bands) {
                pick -= b.weight;
                if (pick < 0) {
                    m_band = QString::fromLatin1(b.band);
                    m_bandUse = &b;
                    break;
                }
            }
        }
        if (m_mode.isEmpty() || chance(12)) {
            const int pick = below(100);
            m_mode = pick < 50 ? QStringLiteral("PH") : pick < 88 ? QStringLiteral("CW") : QStringLiteral("DG");
        }

        LogEntry e;
        const int kind = below(1000);
        if (kind < 350) {
            // A Texas station: the county is the multiplier.
            e.Spc = QStringLiteral("TX");
            if (chance(150)) {
                e.Call = m_mobiles.at(below(int(m_mobiles.size())));
                e.County = randomCounty();
            } else {
                e.Call = callOf(e.Spc, "5", 400);
                QString& home = m_homeCounty[e.Call];
                if (home.isEmpty())
                    home = randomCounty();
                e.County = home;
            }
        } else if (kind < 850) {
            const Region& r = UsRegions[below(std::size(UsRegions))];
            e.Spc = QString::fromLatin1(r.spc);
            e.Call = callOf(e.Spc, r.areas, 350);
        } else if (kind < 920) {
            const Region& r = CanadianRegions[below(std::size(CanadianRegions))];
            e.Spc = QString::fromLatin1(r.spc);
            e.Call = callOf(e.Spc, r.areas, 300);
        } else {
            QString prefix = QString::fromLatin1(DxPrefixes[below(std::size(DxPrefixes))]);
            if (!prefix.back().isDigit())
                prefix += QChar(u'1' + below(9));
            e.Call = prefix + letters(2 + below(2));
            e.Spc = CountryFromCall(m_tables, e.Call);
            if (e.Spc.size() <= 2 || isExcludedFromDX(e.Spc))
                e.Spc = QStringLiteral("Not Found");
        }
        e.CountySent = OwnCounty;
        e.Mode = m_mode;
        e.Band = m_band;
        e.RstSent = m_mode == QStringLiteral("PH") ? QStringLiteral("59") : QStringLiteral("599");
        e.RstRcvd = e.RstSent;
        // About two contacts in three come with the radio's frequency.
        if (chance(650)) {
            const double start = m_mode == QStringLiteral("PH") ? m_bandUse->phone : m_bandUse->cw;
            e.Frequency = formatFrequency(start + below(60) * 0.001 + (m_mode == QStringLiteral("DG") ? 0.070 : 0));
        }
        return e;
    }

    // Two to nine seconds a contact; the night between the operating periods is skipped.
    void advanceClock()
    {
        m_clock = m_clock.addSecs(2 + below(8));
        const QDateTime nightStart(QDate(2024, 9, 29), QTime(2, 0), Qt::UTC);
        const QDateTime morning(QDate(2024, 9, 29), QTime(14, 0), Qt::UTC);
        if (m_clock >= nightStart && m_clock < morning)
            m_clock = morning;
    }

    const ReferenceTables& m_tables;
    std::mt19937 m_random;
    QStringList m_counties;
    QStringList m_mobiles;
    QHash<QString, QStringList> m_callsOf;
    QHash<QString, QString> m_homeCounty; // of the fixed Texas stations
    QSet<QString> m_logged;
    QString m_band;
    QString m_mode;
    const BandUse* m_bandUse = nullptr;
    QDateTime m_clock;
};

} // namespace

QString shippedDataFile(const QString& name)
{
    return QDir(QStringLiteral(BREVANT_DATA_DIR)).filePath(name);
}

std::vector<LogEntry> makeSampleLog(int count, const ReferenceTables& tables)
{
    return Generator(tables).make(count);
}

BenchStation::BenchStation(int generated, int written)
    : m_state(std::make_unique<AppState>())
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory: ") + m_dir.errorString();
        return;
    }
    AppState& s = *m_state;
    s.folders.WorkingDirectory = m_dir.path();
    s.folders.DataFolder = QStringLiteral(BREVANT_DATA_DIR);
    setUpStation(s.station);
    s.station.OwnCall = QStringLiteral("W5LOG");
    s.station.OwnSpc = QStringLiteral("TX");
    s.station.OwnCounty = OwnCounty;

    if (!QFile::copy(shippedDataFile(QStringLiteral("county2.txt")), m_dir.filePath(QStringLiteral("county2.txt")))
        || !LoadCountyTable(s) || s.tables.CountyCount < 1) {
        m_error = QStringLiteral("county table not loaded from ") + shippedDataFile(QStringLiteral("county2.txt"));
        return;
    }
    if (!LoadPrefixTable(s.tables, shippedDataFile(QStringLiteral("arrlpre2.txt")))) {
        m_error = QStringLiteral("prefix table not loaded from ") + shippedDataFile(QStringLiteral("arrlpre2.txt"));
        return;
    }
    fillStateProvTable(s.stateProv);

    m_entries = makeSampleLog(generated, s.tables);
    const size_t count = written < 0 ? m_entries.size() : std::min(m_entries.size(), size_t(written));
    if (!writeLogFile(logPath(), {m_entries.begin(), m_entries.begin() + std::ptrdiff_t(count)}))
        m_error = QStringLiteral("log not written to ") + logPath();
}

QString BenchStation::logPath() const
{
    return m_dir.filePath(QStringLiteral("log.txt"));
}
