#include "spots/windows/BandMap.h"

#include "core/forms/ControlLayer.h"
#include "core/forms/Form1.h"
#include "core/forms/Navigation.h"
#include "platform/Services.h"
#include "spots/SpotDisplay.h"
#include "spots/SpotStore.h"
#include "spots/windows/SpotLabelWidget.h"

#include <algorithm>

namespace {

constexpr float ScaleGap = 0.004f; // of the window's height, between the line and its labels

} // namespace

BandMap::BandMap(Form& form) : QObject(&form), m_form(form), m_state(form.context().state)
{
    lblDX = form.place(new QLabel(&form), ControlKind::Label, 0, 1000, 9600, 1000);
    lblDX->setAutoFillBackground(true);
    QPalette background = lblDX->palette();
    background.setColor(QPalette::Window, QColor(0, 0, 128));
    lblDX->setPalette(background);
    lblDX->hide();
    LineDX = form.addLine(0, 1000, 9600, 1000);
    setTextColour(LineDX, rgb(255, 255, 255));
    LineDX->hide();
    for (int i = 0; i < 5; ++i) {
        QLabel* label = form.place(new QLabel(&form), ControlKind::Label, 0, 1000, 615, 255, 6.75f);
        label->setAlignment(Qt::AlignCenter);
        setTextColour(label, rgb(255, 255, 255));
        label->hide();
        lblFreqSpot[i] = label;
    }
    m_spotLayer = new ControlLayer(lblDX);
    m_filedSeen = m_state.spots.Filed;
    for (int i = 0; i < MaxBandMapSpots; ++i) {
        auto* label = form.place(new SpotLabelWidget(i, m_spotLayer), ControlKind::Label, 0, 1000, 600, 255, 6.75f);
        form.controlFor(label)->FontName = QStringLiteral("MS Serif");
        label->setText(QStringLiteral("DXLBL"));
        setTextColour(label, rgb(255, 255, 255));
        label->hide();
        connect(label, &SpotLabelWidget::mouseDown, this, &BandMap::lblDXSpot_MouseDown);
        connect(label, &SpotLabelWidget::mouseMove, this, &BandMap::lblDXSpot_MouseMove);
        lblDXSpot[i] = label;
    }
}

bool BandMap::isShown() const { return !lblDX->isHidden(); }

void BandMap::SetBandMapScale()
{
    const auto captions = scaleCaptions(ZoomBandToSpots(m_state.spots, bandMapEdges(m_state.station.CurrentBand)));
    for (int i = 0; i < 5; ++i) {
        if (lblFreqSpot[i]->text() != captions[i])
            lblFreqSpot[i]->setText(captions[i]);
    }
}

// What shows afterwards is what hiding every label and placing the ones in range would
// show; a widget is touched only where that changes it.
void BandMap::DisplayBandMapLabels()
{
    if (!isShown())
        return;
    followTheStore(lblDXSpot, m_filedSeen, m_state.spots.Filed);
    SetBandMapScale();
    const FrequencyRange shown{readScaleCaption(lblFreqSpot[0]->text()), readScaleCaption(lblFreqSpot[4]->text())};
    const QDateTime now = m_form.context().services.clock->localNow();
    std::array<bool, MaxBandMapSpots> placed{};
    std::vector<SpotLabelWidget*> appearing;
    for (const SpotLabel& spot : bandMapLabels(m_state.spots, shown, now, m_state.station.UtcOffsetHours)) {
        SpotLabelWidget* label = lblDXSpot[spot.slot];
        placed[size_t(spot.slot)] = true;
        drawLabel(label, spot);
        if (label->isHidden())
            appearing.push_back(label);
    }
    for (int i = 0; i < MaxBandMapSpots; ++i) {
        if (!placed[size_t(i)] && !lblDXSpot[i]->isHidden())
            lblDXSpot[i]->hide();
    }
    showTogether(m_spotLayer, appearing);
}

void BandMap::drawLabel(SpotLabelWidget* label, const SpotLabel& spot)
{
    if (label->toolTip() != spot.toolTip)
        label->setToolTip(spot.toolTip);
    if (label->text() != spot.caption)
        label->setText(spot.caption);
    const Control& line = control(LineDX);
    Control& place = control(label);
    place.Top = line.Y1 - place.Height - ScaleGap * m_form.Height;
    place.Left = float(line.X1 + spot.position * (line.X2 - line.X1) - place.Width / 2);
    if (m_form.controlRect(place) != label->geometry())
        m_form.applyControlGeometry(place, false);
    setTextColour(label, spot.colour);
}


void BandMap::RefreshBandMapIfShown()
{
    if (isShown())
        DisplayBandMapLabels();
}

// The click is on the spot the label shows, even when spots filed since have not been
// drawn yet.
void BandMap::lblDXSpot_MouseDown(int index, int button)
{
    const int slot = slotShownBy(index, m_filedSeen, m_state.spots.Filed);
    if (slot < 0)
        return;
    if (button == 2) {
        m_form.context().navigation.form1().ChangeFrequency(m_state.spots.SpotFrequency[slot]);
        Q_EMIT spotChosen(m_state.spots.SpotCall[slot]);
        return;
    }
    deleteSpot(m_state.spots, slot);
    DisplayBandMapLabels();
}

void BandMap::lblDXSpot_MouseMove(int index) { Q_EMIT spotHovered(lblDXSpot[index]->toolTip()); }

void BandMap::placeArea(float left, float top, float width, float height)
{
    Control& background = control(lblDX);
    background.Left = left;
    background.Top = top;
    background.Width = width;
    background.Height = height;
    m_form.applyControlGeometry(background);
    Control& line = control(LineDX);
    const float halfSpot = control(lblDXSpot[0]).Width / 2;
    line.X1 = left + halfSpot;
    line.X2 = left + width - halfSpot;
    line.Y1 = line.Y2 = top + height / 2;
    m_form.applyControlGeometry(line);
    SetBandMapScale();
    for (int i = 0; i < 5; ++i) {
        Control& scale = control(lblFreqSpot[i]);
        scale.Top = line.Y1 + ScaleGap * m_form.Height;
        scale.Left = line.X1 + i * 0.25f * (line.X2 - line.X1) - scale.Width / 2;
        m_form.applyControlGeometry(scale);
    }
}

void BandMap::setShown(bool shown)
{
    lblDX->setVisible(shown);
    LineDX->setVisible(shown);
    for (QLabel* label : lblFreqSpot)
        label->setVisible(shown);
    for (SpotLabelWidget* label : lblDXSpot)
        label->hide();
    if (shown) {
        lblDX->lower();
        LineDX->raise();
    }
}

void BandMap::park(float top)
{
    setShown(false);
    Control& line = control(LineDX);
    line.Y1 = line.Y2 = top;
    m_form.applyControlGeometry(line);
    for (QWidget* widget : std::initializer_list<QWidget*>{lblDX, lblFreqSpot[0], lblFreqSpot[1], lblFreqSpot[2],
                                                          lblFreqSpot[3], lblFreqSpot[4]}) {
        control(widget).Top = top;
        m_form.applyControlGeometry(control(widget));
    }
    for (SpotLabelWidget* label : lblDXSpot) {
        control(label).Top = top;
        m_form.applyControlGeometry(control(label));
    }
}
