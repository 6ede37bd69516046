#include "spots/windows/SpotAreaPanel.h"

#include "core/AppState.h"
#include "core/forms/Form.h"
#include "core/forms/Form1.h"
#include "core/forms/Navigation.h"
#include "platform/Services.h"
#include "spots/SpotLinkKind.h"
#include "spots/windows/BandMap.h"
#include "spots/windows/SpectrumMap.h"

#include <QEvent>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

constexpr float ShrinkFactor = 0.9f;
constexpr float GrowFactor = 1.1111111f;
constexpr float ParkedTop = 1000;
constexpr float AreaLeft = 0.01f;  // of the window's width
constexpr float AreaWidth = 0.97f; // of the window's width

// Clicks and double clicks on a widget that has no signal for them.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> click, std::function<void()> doubleClick)
        : QObject(parent), m_click(std::move(click)), m_doubleClick(std::move(doubleClick))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            m_click();
        else if (event->type() == QEvent::MouseButtonDblClick)
            m_doubleClick();
        return false;
    }

private:
    std::function<void()> m_click;
    std::function<void()> m_doubleClick;
};

QList<QStandardItem*> spotRowItems(const SpotListRow& row)
{
    QList<QStandardItem*> items;
    for (const QString* text : {&row.Call, &row.Frequency, &row.QTH, &row.Status, &row.Comments, &row.Prefix,
                                &row.Time, &row.From})
        items.append(new QStandardItem(*text));
    items[1]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    items[3]->setTextAlignment(Qt::AlignCenter);
    return items;
}

bool scaledWithSpotArea(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: case ControlKind::TextBox: case ControlKind::CommandButton:
    case ControlKind::ListBox: case ControlKind::ListView:
        return true;
    default:
        return false;
    }
}

} // namespace

SpotAreaPanel::SpotAreaPanel(Form& host, const QRectF& listPlace, Hooks hooks)
    : QObject(&host), m_host(host), m_hooks(std::move(hooks))
{
    txtDX = host.place(new QTreeView(&host), ControlKind::ListView, float(listPlace.left()), float(listPlace.top()),
                       float(listPlace.width()), float(listPlace.height()));
    txtDX->setRootIsDecorated(false);
    txtDX->hide();
    spotRows = new QStandardItemModel(0, 8, &host);
    spotRows->setHorizontalHeaderLabels({QStringLiteral("Call"), QStringLiteral("Frequency"), QStringLiteral("QTH"),
                                         QStringLiteral("Status"), QStringLiteral("Comments"), QStringLiteral("Prefix"),
                                         QStringLiteral("Time"), QStringLiteral("From")});
    txtDX->setModel(spotRows);
    txtDX->setEditTriggers(QAbstractItemView::NoEditTriggers);
    txtDX->setAutoFillBackground(true);
    QPalette colours = txtDX->palette();
    colours.setColor(QPalette::Base, QColor(0, 0, 128));
    colours.setColor(QPalette::Text, Qt::white);
    txtDX->setPalette(colours);
    // A click anywhere in the list, on a row or not.
    txtDX->viewport()->installEventFilter(
        new ClickFilter(this, [this] { txtDX_Click(); }, [this] { txtDX_DblClick(); }));

    bandMap = new BandMap(host);
    bandMap->lblDX->installEventFilter(
        new ClickFilter(this, [this] { lblDX_Click(); }, [this] { lblDX_DblClick(); }));
    connect(bandMap, &BandMap::spotChosen, this, [this](const QString& call) {
        m_hooks.takeCall(call);
        m_hooks.moveOnFromCall();
    });
    connect(bandMap, &BandMap::spotHovered, this, [this](const QString& text) { m_hooks.showSpotHint(text); });
}

// The spot goes into the store at once; the displays follow once every spot in hand (a
// whole read of the cluster) is filed, each redrawn once for all of them. Until then they
// show what they showed, and a click on the band map is on the spot its label shows.
void SpotAreaPanel::BandMapSpots(const QString& qDXSpotCall, const QString& qDXSpotFreq, const QString& qDXSpotRecord)
{
    AppState& state = m_host.context().state;
    const auto spot = takeSpot(state.spots, state.tables, qDXSpotCall, qDXSpotFreq, qDXSpotRecord,
                               m_host.context().services.clock->localNow());
    if (!spot)
        return;
    m_spotsDue.bandMap = m_spotsDue.bandMap || bandMap->isShown();
    m_spotsDue.spectrum = m_spotsDue.spectrum || (m_spectrum && m_spectrum->isVisible());
    insertSpotListRow(m_spotsDue.rows, spot->row);
    redrawSpotDisplaysSoon();
}

void SpotAreaPanel::redrawSpotDisplaysSoon()
{
    if (std::exchange(m_spotsDue.pending, true))
        return;
    QMetaObject::invokeMethod(this, &SpotAreaPanel::redrawSpotDisplays, Qt::QueuedConnection);
}

void SpotAreaPanel::redrawSpotDisplays()
{
    const SpotDisplaysDue due = std::exchange(m_spotsDue, {});
    if (due.bandMap && bandMap->isShown())
        DisplayBandMapLabels();
    if (due.spectrum && m_spectrum && m_spectrum->isVisible())
        m_spectrum->BandMapLabelDisplay();
    addSpotListRows(due.rows);
}

void SpotAreaPanel::addSpotListRows(const QList<SpotListRow>& newestFirst)
{
    const int kept = std::max(0, int(MaxSpotListRows - newestFirst.size()));
    if (spotRows->rowCount() > kept)
        spotRows->removeRows(kept, spotRows->rowCount() - kept);
    for (auto row = newestFirst.crbegin(); row != newestFirst.crend(); ++row)
        spotRows->insertRow(0, spotRowItems(*row));
}

void SpotAreaPanel::DisplayBandMapLabels() { bandMap->DisplayBandMapLabels(); }

void SpotAreaPanel::RefreshBandMapIfShown() { bandMap->RefreshBandMapIfShown(); }

void SpotAreaPanel::bandChanged()
{
    if (!txtDX->isHidden() || bandMap->isShown())
        bandMap->SetBandMapScale();
    if (bandMap->isShown())
        DisplayBandMapLabels();
}

void SpotAreaPanel::PacketResize()
{
    Form1& form1 = m_host.context().navigation.form1();
    const SpotAreaChoice* choice = form1.spotting();
    const bool list = choice ? choice->listChosen() : true;
    // "None" closes the area; a list with nothing chosen does not.
    const SpotLinkKind* kind = choice ? findSpotLinkKind(choice->transport()) : nullptr;
    const bool none = !choice || (kind && !kind->links);
    const bool listShown = !txtDX->isHidden();
    const bool mapShown = bandMap->isShown();
    if (listShown && !list)
        showSpotList(false);
    else if (list && mapShown)
        showSpotList(true);
    if (!listShown && !mapShown && !none)
        openSpotArea(list);
    else if (none && (listShown || mapShown))
        closeSpotArea();
    form1.lblDXVisible = bandMap->isShown();
}

void SpotAreaPanel::showSpotList(bool list)
{
    txtDX->setVisible(list);
    bandMap->setShown(!list);
}

float SpotAreaPanel::scaleForSpotArea(float f)
{
    float lowest = 0;
    for (Control& c : m_host.controls()) {
        if (scaledWithSpotArea(c.kind)) {
            c.Height *= f;
            c.Top *= f;
            lowest = std::max(lowest, c.Top + c.Height);
        } else if (c.kind == ControlKind::Line) {
            c.Y1 *= f;
            c.Y2 *= f;
        }
    }
    return lowest;
}

void SpotAreaPanel::openSpotArea(bool list)
{
    const float top = scaleForSpotArea(ShrinkFactor);
    m_hooks.fitLists();
    const float innerHeight = float(m_host.height() * m_host.screen().twipsPerPixelY());
    Control& area = *m_host.controlFor(txtDX);
    area.Top = top;
    area.Height = innerHeight - top;
    area.Left = AreaLeft * m_host.Width;
    area.Width = AreaWidth * m_host.Width;
    m_host.applyControlGeometry(area, false);
    bandMap->placeArea(area.Left, area.Top, area.Width, area.Height);
    showSpotList(list);
}

void SpotAreaPanel::closeSpotArea()
{
    scaleForSpotArea(GrowFactor);
    m_hooks.fitLists();
    txtDX->hide();
    m_host.controlFor(txtDX)->Top = ParkedTop;
    m_host.applyControlGeometry(*m_host.controlFor(txtDX), false);
    bandMap->park(ParkedTop);
}

void SpotAreaPanel::txtDX_Click()
{
    m_hooks.focusCall();
    const QModelIndex selected = txtDX->currentIndex();
    if (spotRows->rowCount() == 0 || !selected.isValid())
        return;
    const int row = selected.row();
    const auto frequency = spotListFrequency(spotRows->item(row, 1)->text());
    if (!frequency)
        return;
    const WindowContext& context = m_host.context();
    if (context.state.station.RigName.compare(QLatin1String("None"), Qt::CaseInsensitive) != 0)
        context.navigation.form1().ChangeFrequency(float(*frequency));
    m_hooks.takeCall(spotRows->item(row, 0)->text());
}

void SpotAreaPanel::lblDX_Click() { m_host.context().navigation.showSpotting(); }

void SpotAreaPanel::txtDX_DblClick() { lblDX_DblClick(); }

// The spectrum map, modal; it goes again when its showing ends.
void SpotAreaPanel::lblDX_DblClick()
{
    if (m_spectrum)
        return;
    SpectrumMap map(m_host.context());
    m_spectrum = &map;
    map.Form_Load();
    map.showModal();
    m_spectrum = nullptr;
}
