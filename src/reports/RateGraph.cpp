#include "reports/RateGraph.h"

#include "core/NumberFormat.h"
#include "entry/BandPlan.h"
#include "entry/DateTimeText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int RateWindowSeconds = 600;
constexpr float RatePerContact = 6; // 10 minutes times 6 is an hour
constexpr int LongestBridge = 15;
constexpr int SmoothingSlots = 7;
constexpr int SlotsCleared = 1510;

} // namespace

int rateBandIndex(const QString& band)
{
    // The legend shows the first six contest bands; the rest go to Other.
    const int index = contestBandIndex(band);
    return index >= 0 && index < RateBandCount - 1 ? index : RateBandCount - 1;
}

std::optional<std::vector<RateContact>> contactsInTimeOrder(const LogStoreState& log)
{
    std::vector<RateContact> contacts;
    contacts.reserve(size_t(std::max(0, log.QsoCount)));
    // A log holds few distinct dates: each is read once.
    QString lastDateText;
    qint64 lastDateSeconds = 0;
    for (qint32 i = 1; i <= log.QsoCount; ++i) {
        const LogEntry& e = log.Log[size_t(i)];
        if (e.Date != lastDateText || i == 1) {
            const QDate date = parseLogDate(e.Date);
            if (!date.isValid())
                return std::nullopt;
            lastDateText = e.Date;
            lastDateSeconds = QDateTime(date, QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
        }
        const QTime time = parseLogTime(e.Time);
        if (!time.isValid())
            return std::nullopt;
        contacts.push_back({lastDateSeconds + time.msecsSinceStartOfDay() / 1000, rateBandIndex(e.Band)});
    }
    std::stable_sort(contacts.begin(), contacts.end(),
                     [](const RateContact& a, const RateContact& b) { return a.utcSeconds < b.utcSeconds; });
    return contacts;
}

int contactsInTenMinutes(const std::vector<RateContact>& contacts, size_t i)
{
    const qint64 at = contacts[i].utcSeconds;
    int n = 1;
    for (size_t j = i; j-- > 0;) {
        if (at - contacts[j].utcSeconds >= RateWindowSeconds)
            break;
        ++n;
    }
    return n;
}

QDateTime rateTimeLabelMoment(qint64 startUtcSeconds, qint64 spanSeconds, int k)
{
    const auto offset = qint64(roundHalfEven(double(k) * double(spanSeconds) / (RateTimeLabels - 1)));
    return QDateTime::fromSecsSinceEpoch(startUtcSeconds + offset, Qt::UTC);
}

std::optional<RateGraph> computeRateGraph(const std::vector<RateContact>& contacts,
                                          const std::array<Rgb, RateBandCount>& bandColours,
                                          Rgb background)
{
    if (contacts.empty())
        return std::nullopt;
    const qint64 start = contacts.front().utcSeconds;
    const qint64 span = contacts.back().utcSeconds - start;
    if (span <= 0)
        return std::nullopt;

    RateGraph graph;
    std::fill(graph.SlotColor.begin() + 1, graph.SlotColor.begin() + SlotsCleared + 1, background);
    const float step = float(span) / RateSlots;
    graph.SlotRate[1] = RatePerContact;
    graph.SlotPlot[1] = RatePerContact;
    for (size_t i = 0; i < contacts.size(); ++i) {
        const double slotAt = double(contacts[i].utcSeconds - start) / double(step);
        const int slot = i == 0 ? 1 : int(roundHalfEven(slotAt));
        if (slot < 0 || slot >= RateSlotArraySize)
            return std::nullopt;
        graph.SlotRate[size_t(slot)] = RatePerContact * float(contactsInTenMinutes(contacts, i));
        graph.SlotColor[size_t(slot)] = bandColours[size_t(contacts[i].band)];
        graph.SlotContact[size_t(slot)] = true;
    }
    bridgeRateGaps(graph);
    smoothRateCurve(graph);
    for (int s = 1; s <= RateSlots; ++s) {
        graph.PlotMin = std::min(graph.PlotMin, graph.SlotPlot[size_t(s)]);
        graph.PlotMax = std::max(graph.PlotMax, graph.SlotPlot[size_t(s)]);
    }
    carryBandColours(graph, background);
    return graph;
}

void bridgeRateGaps(RateGraph& graph)
{
    auto& rate = graph.SlotRate;
    for (int i = 2; i <= RateSlots; ++i) {
        if (rate[size_t(i)] != 0) {
            graph.SlotPlot[size_t(i)] = rate[size_t(i)];
            continue;
        }
        int next = 0;
        for (int k = i + 1; k <= i + LongestBridge; ++k) {
            if (rate[size_t(k)] > 0) {
                next = k;
                break;
            }
        }
        if (next == 0)
            continue;
        const float from = rate[size_t(i - 1)];
        const float to = rate[size_t(next)];
        for (int m = i; m < next; ++m) {
            const float value = from + float(m - i) * (to - from) / float(next - i);
            graph.SlotPlot[size_t(m)] = value;
            rate[size_t(m)] = value;
        }
    }
}

void smoothRateCurve(RateGraph& graph)
{
    for (int i = SmoothingSlots; i <= RateSlots; ++i) {
        float sum = 0;
        int count = 0;
        for (int k = i - SmoothingSlots + 1; k <= i; ++k) {
            if (graph.SlotRate[size_t(k)] > 0) {
                sum += graph.SlotRate[size_t(k)];
                ++count;
            }
        }
        if (count > 0)
            graph.SlotPlot[size_t(i)] = sum / float(count);
    }
}

void carryBandColours(RateGraph& graph, Rgb background)
{
    Rgb current = rgb(0, 0, 0);
    for (int s = 1; s <= RateSlots; ++s) {
        if (graph.SlotPlot[size_t(s)] > 0) {
            if (!graph.SlotContact[size_t(s)])
                graph.SlotColor[size_t(s)] = current;
            else
                current = graph.SlotColor[size_t(s)];
        } else {
            current = background;
        }
    }
}

QString rateValueLabel(const RateGraph& graph, int k)
{
    const float value = graph.PlotMin + float(k) * (graph.PlotMax - graph.PlotMin) / (RateValueLabels - 1);
    // A half rounds away from zero, as the display formats do.
    return QString::number(std::round(double(value) * 10) / 10, 'f', 1);
}
