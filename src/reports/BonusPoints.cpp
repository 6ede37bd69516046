#include "reports/BonusPoints.h"

#include <algorithm>
#include <vector>

std::span<const LogEntry> loggedContacts(const LogStoreState& log)
{
    const qsizetype count = std::clamp<qsizetype>(log.QsoCount, 0, qsizetype(log.Log.size()) - 1);
    return {log.Log.data() + 1, size_t(count)};
}

std::optional<qint64> RoverBonus(std::span<const LogEntry> contacts)
{
    struct CountyTally {
        QString text;
        int contacts = 0;
    };
    std::vector<CountyTally> tallies;
    for (const LogEntry& e : contacts) {
        if (e.CountySent.isEmpty())
            continue;
        auto it = std::find_if(tallies.begin(), tallies.end(), [&](const CountyTally& t) {
            return t.text.compare(e.CountySent, Qt::CaseInsensitive) == 0;
        });
        if (it != tallies.end()) {
            ++it->contacts;
            continue;
        }
        if (int(tallies.size()) == MaxRoverCountyTexts)
            return std::nullopt;
        tallies.push_back({e.CountySent, 1});
    }
    const auto covered = std::count_if(tallies.begin(), tallies.end(),
                                       [](const CountyTally& t) { return t.contacts > 4; });
    return qint64(covered) * 1000;
}

qint64 FiveCountyBonus(std::span<const LogEntry> contacts)
{
    struct Pair {
        const QString* call;
        const QString* county;
        QString key;
    };
    std::vector<Pair> pairs;
    pairs.reserve(contacts.size());
    for (const LogEntry& e : contacts)
        pairs.push_back({&e.Call, &e.County, e.Call + QLatin1Char(' ') + e.County});
    // A stable sort gives the very order that swapping neighbours until none is out of order
    // would give.
    std::stable_sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
        return a.key.compare(b.key, Qt::CaseInsensitive) < 0;
    });

    qint64 fives = 0;
    qint64 counties = 0;
    for (size_t i = 0; i < pairs.size(); ++i) {
        const bool newStation =
            i == 0 || pairs[i].call->compare(*pairs[i - 1].call, Qt::CaseInsensitive) != 0;
        if (newStation) {
            fives += counties / 5;
            counties = 1;
        } else if (pairs[i].county->compare(*pairs[i - 1].county, Qt::CaseInsensitive) > 0) {
            ++counties;
        }
    }
    fives += counties / 5;
    return fives * 500;
}
