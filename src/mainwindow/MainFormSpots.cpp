// The spot area at the foot of the window: the spot list txtDX and the band map share one
// rectangle that the spotting window's choices open, switch and close; spots arrive here
// from the spotting window through Form1.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/forms/Navigation.h"
#include "platform/Services.h"
#include "spots/SpotStore.h"
#include "spots/windows/BandMap.h"
#include "spots/windows/SpectrumMap.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>

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

void MainForm::buildSpotArea()
{
    spotRows = new QStandardItemModel(0, 8, this);
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

    bandMap = new BandMap(*this);
    bandMap->lblDX->installEventFilter(
        new ClickFilter(this, [this] { lblDX_Click(); }, [this] { lblDX_DblClick(); }));
    connect(bandMap, &BandMap::spotChosen, this, [this](const QString& call) {
        takeChosenCall(call);
        // On from the call field as a Tab would go, once the click is handled.
        QCoreApplication::postEvent(txtCall,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")));
    });
    connect(bandMap, &BandMap::spotHovered, lblDupe, &QLabel::setText);
}

// The spot goes into the store at once; the displays follow once every spot in hand (a
// whole read of the cluster) is filed, each redrawn once for all of them. Until then they
// show what they showed, and a click on the band map is on the spot its label shows.
void MainForm::BandMapSpots(const QString& qDXSpotCall, const QString& qDXSpotFreq, const QString& qDXSpotRecord)
{
    AppState& state = context().state;
    const auto spot = takeSpot(state.spots, state.tables, qDXSpotCall, qDXSpotFreq, qDXSpotRecord,
                               context().services.clock->localNow());
    if (!spot)
        return;
    m_spotsDue.bandMap = m_spotsDue.bandMap || bandMap->isShown();
    m_spotsDue.spectrum = m_spotsDue.spectrum || (m_spectrum && m_spectrum->isVisible());
    insertSpotListRow(m_spotsDue.rows, spot->row);
    redrawSpotDisplaysSoon();
}

void MainForm::redrawSpotDisplaysSoon()
{
    if (std::exchange(m_spotsDue.pending, true))
        return;
    QMetaObject::invokeMethod(this, &MainForm::redrawSpotDisplays, Qt::QueuedConnection);
}

void MainForm::redrawSpotDisplays()
{
    const SpotDisplaysDue due = std::exchange(m_spotsDue, {});
    if (due.bandMap && bandMap->isShown())
        DisplayBandMapLabels();
    if (due.spectrum && m_spectrum && m_spectrum->isVisible())
        m_spectrum->BandMapLabelDisplay();
    addSpotListRows(due.rows);
}

void MainForm::addSpotListRows(const QList<SpotListRow>& newestFirst)
{
    const int kept = std::max(0, int(MaxSpotListRows - newestFirst.size()));
    if (spotRows->rowCount() > kept)
        spotRows->removeRows(kept, spotRows->rowCount() - kept);
    for (auto row = newestFirst.crbegin(); row != newestFirst.crend(); ++row)
        spotRows->insertRow(0, spotRowItems(*row));
}

void MainForm::DisplayBandMapLabels() { bandMap->DisplayBandMapLabels(); }

void MainForm::RefreshBandMapIfShown() { bandMap->RefreshBandMapIfShown(); }

void MainForm::spotAreaBandChanged()
{
    if (!txtDX->isHidden() || bandMap->isShown())
        bandMap->SetBandMapScale();
    if (bandMap->isShown())
        DisplayBandMapLabels();
}

bool MainForm::event(QEvent* event)
{
    const bool handled = Form::event(event);
    if (event->type() == QEvent::WindowActivate && bandMap)
        RefreshBandMapIfShown();
    return handled;
}

void MainForm::PacketResize()
{
    const SpotAreaChoice* choice = context().navigation.form1().spotting();
    const bool list = choice ? choice->listChosen() : true;
    const bool none = !choice || choice->transport().compare(QLatin1String("None"), Qt::CaseInsensitive) == 0;
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
    context().navigation.form1().lblDXVisible = bandMap->isShown();
}

void MainForm::showSpotList(bool list)
{
    txtDX->setVisible(list);
    bandMap->setShown(!list);
}

float MainForm::scaleForSpotArea(float f)
{
    float lowest = 0;
    for (Control& c : controls()) {
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

void MainForm::openSpotArea(bool list)
{
    const float top = scaleForSpotArea(ShrinkFactor);
    FitListHeights();
    const float innerHeight = float(height() * screen().twipsPerPixelY());
    Control& area = *controlFor(txtDX);
    area.Top = top;
    area.Height = innerHeight - top;
    area.Left = AreaLeft * Width;
    area.Width = AreaWidth * Width;
    applyControlGeometry(area, false);
    bandMap->placeArea(area.Left, area.Top, area.Width, area.Height);
    showSpotList(list);
}

void MainForm::closeSpotArea()
{
    scaleForSpotArea(GrowFactor);
    FitListHeights();
    txtDX->hide();
    controlFor(txtDX)->Top = ParkedTop;
    applyControlGeometry(*controlFor(txtDX), false);
    bandMap->park(ParkedTop);
}

void MainForm::txtDX_Click()
{
    txtCall->setFocus();
    const QModelIndex selected = txtDX->currentIndex();
    if (spotRows->rowCount() == 0 || !selected.isValid())
        return;
    const int row = selected.row();
    const auto frequency = spotListFrequency(spotRows->item(row, 1)->text());
    if (!frequency)
        return;
    if (context().state.station.RigName.compare(QLatin1String("None"), Qt::CaseInsensitive) != 0)
        context().navigation.form1().ChangeFrequency(float(*frequency));
    takeChosenCall(spotRows->item(row, 0)->text());
}

void MainForm::takeChosenCall(const QString& call)
{
    txtCall->setFocus();
    txtCall->setText(call);
}

void MainForm::chooseCall(const QString& call) { takeChosenCall(call); }

void MainForm::lblDX_Click() { context().navigation.showSpotting(); }

void MainForm::txtDX_DblClick() { lblDX_DblClick(); }

// The spectrum map, modal; it goes again when its showing ends.
void MainForm::lblDX_DblClick()
{
    if (m_spectrum)
        return;
    SpectrumMap map(context());
    m_spectrum = &map;
    map.Form_Load();
    map.showModal();
    m_spectrum = nullptr;
}
