#include "FuzzSpotLines.h"

#include "spots/SpotDisplay.h"
#include "spots/SpotLines.h"
#include "spots/SpotStore.h"

#include <cmath>
#include <cstdlib>

namespace {

void require(bool rule)
{
    if (!rule)
        std::abort();
}

} // namespace

void fuzzSpotLines(const std::uint8_t* data, std::size_t size)
{
    const QDateTime now(QDate(2024, 10, 5), QTime(12, 0));
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    TncLineAssembler tnc;
    SpotStoreState store;
    QList<SpotListRow> rows;
    QString monitor;
    bool promptBefore = false;
    // Pieces of varying length, as ticks of the poll timer deliver them.
    for (qsizetype at = 0, piece = 1; at < text.size(); at += piece, piece = piece % 97 + 13) {
        tnc.append(text.mid(at, piece));
        tnc.takeLines([&](const QString& line) {
            // A whole line, or the text a spot line followed on it, that spot line next.
            if (promptBefore)
                require(line.startsWith(QLatin1String("DX de "), Qt::CaseInsensitive));
            promptBefore = !line.endsWith(u'\r') && !line.endsWith(u'\n');
            monitorLine(monitor, line, (line.size() & 1) != 0, [&](const QString& spotLine) {
                const SpotLineFields fields = parseSpotLine(spotLine);
                const auto spot = takeSpot(store, {}, fields.call, fields.frequency, fields.record, now);
                if (!spot)
                    return;
                insertSpotListRow(rows, spot->row);
                require(store.SpotCall[49] == fields.call && isSpotCall(fields.call));
                require(store.SpotFrequency[49] > 0 && store.SpotFrequency[49] <= 300000);
                require(spotListFrequency(spot->row.Frequency) == spotFrequencyMHz(fields.frequency));
            });
            require(monitor.size() <= MonitorTrimThreshold);
        });
        require(!tnc.buffer().contains(u'\r') && !tnc.buffer().contains(u'\n'));
        require(tnc.buffer().size() <= TncLineAssembler::MaxWaitingLine + 110);
    }
    require(rows.size() <= MaxSpotListRows);
    std::array<FrequencyRange, SpectrumLineCount> shown{};
    for (int k = 0; k < SpectrumLineCount; ++k)
        shown[k] = displayedRange(scaleCaptions(ZoomBandToSpots(store, SpectrumBandLines()[k])));
    spectrumMapLabels(store, shown, now, 5.5f);
    bandMapLabels(store, displayedRange(scaleCaptions(ZoomBandToSpots(store, bandMapEdges(QStringLiteral("20"))))),
                  now, -3);
}
