// 500 cluster lines arriving in one burst at the spotting window, by the TNC's serial port
// (one poll tick) and by the telnet link (one read): cut into lines, shown in the monitor,
// parsed, handed through Form1 to a stand-in main window that files each spot into the
// store, puts its row at the top of the spot list and redraws its band map for every spot,
// and the monitor box refilled once the burst is worked off. Goal: < 50 ms in all. Runs
// offscreen with the test doubles of the platform services, in brevant_window_bench; the
// real log window, which redraws once per read, is timed in brevant_spot_display_bench.

#include "support/LoneWindowContext.h"

#include "FakeCluster.h"
#include "spots/SpotSession.h"
#include "spots/SpotStore.h"
#include "spots/TelnetLink.h"
#include "spots/windows/BandMap.h"
#include "spots/windows/PacketSpotfrm.h"

#include <QCoreApplication>
#include <QStandardItemModel>
#include <benchmark/benchmark.h>

namespace {

QByteArray burst()
{
    QByteArray text;
    for (int i = 0; i < 500; ++i)
        text += clusterSpotLine(QStringLiteral("K5DX"), 14000.0 + (i * 7) % 350,
                                QStringLiteral("W%1AB%2").arg(i % 10).arg(QChar(u'A' + i % 26)),
                                QStringLiteral("CQ TQP %1").arg(i));
    return text;
}

// The running main window's spot intake, with its band map shown.
class SpotHost final : public RunningMainWindow {
public:
    explicit SpotHost(LoneWindowContext& lone)
        : m_lone(lone), m_form(lone.context(), QStringLiteral("host"), 9600, 7200), m_map(m_form), m_rows(0, 8)
    {
        m_form.applyGeometry();
        m_map.placeArea(96, 6000, 9312, 1200);
        m_map.setShown(true);
    }
    void BandFreqConversion(float) override {}
    void ModeSelection(const QString&) override {}
    void BandMapSpots(const QString& call, const QString& frequency, const QString& record) override
    {
        const auto spot = takeSpot(m_lone.state.spots, m_lone.state.tables, call, frequency, record,
                                   m_lone.services.clock->local);
        if (!spot)
            return;
        m_map.DisplayBandMapLabels();
        if (m_rows.rowCount() >= MaxSpotListRows)
            m_rows.removeRows(MaxSpotListRows - 1, m_rows.rowCount() - (MaxSpotListRows - 1));
        QList<QStandardItem*> items;
        for (const QString* text : {&spot->row.Call, &spot->row.Frequency, &spot->row.QTH, &spot->row.Status,
                                    &spot->row.Comments, &spot->row.Prefix, &spot->row.Time, &spot->row.From})
            items.append(new QStandardItem(*text));
        m_rows.insertRow(0, items);
    }
    int rows() const { return m_rows.rowCount(); }

private:
    LoneWindowContext& m_lone;
    Form m_form;
    BandMap m_map;
    QStandardItemModel m_rows;
};

struct Setup {
    TestFolders folders;
    std::unique_ptr<LoneWindowContext> lone = std::make_unique<LoneWindowContext>();
    std::unique_ptr<SpotHost> host;
    std::unique_ptr<SpotSession> session;
    std::unique_ptr<PacketSpotfrm> window;

    explicit Setup(const char* transport)
    {
        folders.applyTo(lone->state);
        lone->state.station.CurrentBand = QStringLiteral("20");
        writeBytes(folders.work + QStringLiteral("/PackSpot.txt"),
                   QByteArray("\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n1\r\n\"N\"\r\n\"") + transport
                       + "\"\r\n0\r\n3\r\n0\r\n#FALSE#\r\n\"03\"\r\n\"7300\"\r\n\"127.0.0.1\"\r\n");
        host = std::make_unique<SpotHost>(*lone);
        lone->navigation.form1().attach(*host);
        session = std::make_unique<SpotSession>(
            SpotLinkDevices{lone->running.makeSerialPort, lone->running.makeTcpLink, [] { return QString(); }});
        lone->sessions.spots = session.get();
        window = std::make_unique<PacketSpotfrm>(lone->context());
        window->show();
        QCoreApplication::processEvents();
    }
    ~Setup()
    {
        window.reset();
        lone->navigation.form1().detach(*host);
    }
};

void BM_SpotBurstAtTheTnc(benchmark::State& state)
{
    const QByteArray text = burst();
    for (auto _ : state) {
        state.PauseTiming();
        Setup setup("TNC");
        setup.lone->services.serialPorts->back()->received = text;
        state.ResumeTiming();

        setup.window->Timer1_Timer();
        QCoreApplication::processEvents();

        state.PauseTiming();
        if (setup.host->rows() != MaxSpotListRows)
            state.SkipWithError("the burst did not fill the list");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SpotBurstAtTheTnc)->Unit(benchmark::kMillisecond);

void BM_SpotBurstFromTheCluster(benchmark::State& state)
{
    const QByteArray text = burst();
    for (auto _ : state) {
        state.PauseTiming();
        Setup setup("Telnet");
        FakeTcpLink& link = *setup.lone->services.tcpLinks->front();
        link.accept();
        state.ResumeTiming();

        link.send(text);
        QCoreApplication::processEvents();

        state.PauseTiming();
        if (setup.host->rows() != MaxSpotListRows)
            state.SkipWithError("the burst did not fill the list");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SpotBurstFromTheCluster)->Unit(benchmark::kMillisecond);

} // namespace
