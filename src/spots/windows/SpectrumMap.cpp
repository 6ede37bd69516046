#include "spots/windows/SpectrumMap.h"

#include "core/forms/ControlLayer.h"
#include "core/forms/Form1.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "platform/EventWait.h"
#include "platform/Services.h"
#include "spots/SpotStore.h"
#include "spots/windows/SpotLabelWidget.h"

#include <QGuiApplication>

namespace {

constexpr float LineLeft = 360;
constexpr float LineRight = 9120;
constexpr float FirstLineY = 360;
constexpr float LineSpacing = 600;

} // namespace

SpectrumMap::SpectrumMap(const WindowContext& context)
    : Form(context, QStringLiteral(" HF Spectrum Map"), 9480, 6795)
{
    for (int k = 0; k < SpectrumLineCount; ++k) {
        QLabel* strip = place(new QLabel(this), ControlKind::Label, 120, 120 + LineSpacing * k, 9255, 495);
        strip->setAutoFillBackground(true);
        QPalette palette = strip->palette();
        palette.setColor(QPalette::Window, QColor(0, 0, 128));
        strip->setPalette(palette);
        lblHFSpots[k] = strip;
        const float y = FirstLineY + LineSpacing * k;
        lineHF[k] = addLine(LineLeft, y, LineRight, y);
        setTextColour(lineHF[k], rgb(255, 255, 255));
    }
    for (size_t n = 0; n < lblFreqSpot.size(); ++n) {
        QLabel* label = place(new QLabel(this), ControlKind::Label, 0, 0, 615, 255, 6.75f);
        controlFor(label)->FontName = QStringLiteral("MS Serif");
        label->setAlignment(Qt::AlignCenter);
        setTextColour(label, rgb(255, 255, 255));
        label->hide();
        lblFreqSpot[n] = label;
    }
    // Over the strips, the lines and the scales.
    m_spotLayer = new ControlLayer(this);
    m_filedSeen = context.state.spots.Filed;
    for (int i = 0; i < MaxBandMapSpots; ++i) {
        auto* label = place(new SpotLabelWidget(i, m_spotLayer), ControlKind::Label, 0, 0, 600, 180, 6.75f);
        controlFor(label)->FontName = QStringLiteral("MS Serif");
        label->setText(QStringLiteral("DXLBL"));
        label->hide();
        connect(label, &SpotLabelWidget::mouseDown, this, &SpectrumMap::lblDXSpot_MouseDown);
        lblDXSpot[i] = label;
    }
}

void SpectrumMap::Form_Load()
{
    LocalScaling scaling;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::Label, ControlKind::TextBox, ControlKind::CommandButton, ControlKind::ListBox,
                           ControlKind::Frame, ControlKind::OptionButton, ControlKind::Image, ControlKind::Line};
    scaling.fontKinds = {ControlKind::Label, ControlKind::TextBox, ControlKind::CommandButton, ControlKind::ListBox,
                         ControlKind::Frame, ControlKind::OptionButton};
    ScaleFormLocally(*this, scaling);
    lblDXSpot[MaxBandMapSpots - 1]->raise();
    LayoutFrequencyScales();
    for (QLabel* label : lblFreqSpot)
        label->show();
    FitToWorkArea();
    applyGeometry();
    letEventsRun();
}

void SpectrumMap::LayoutFrequencyScales()
{
    const SpotStoreState& store = context().state.spots;
    for (int k = 0; k < SpectrumLineCount; ++k) {
        const FrequencyRange range = ZoomBandToSpots(store, SpectrumBandLines()[k]);
        const auto captions = scaleCaptions(range);
        const Control& line = *controlFor(lineHF[k]);
        for (int i = 0; i < 5; ++i) {
            QLabel* label = lblFreqSpot[size_t(5 * k + i)];
            Control& place = *controlFor(label);
            // Only what changed is touched, so a redraw that moves no scale costs nothing here.
            if (label->text() != captions[i])
                label->setText(captions[i]);
            place.Top = line.Y1 + 0.004f * Height;
            place.Left = (line.X2 - line.X1) * (i * 0.25f) - place.Width / 2 + line.X1;
            if (controlRect(place) != label->geometry())
                applyControlGeometry(place);
        }
    }
}

void SpectrumMap::FitToWorkArea()
{
    stretchTo(screen().workAreaTwips());
}

// What shows afterwards is what hiding every label and placing the ones of the last hour
// shows; a widget is touched only where that changes it, and the labels that appear are
// shown together, so a burst of spots is one redraw of the window.
void SpectrumMap::BandMapLabelDisplay()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    followTheStore(lblDXSpot, m_filedSeen, context().state.spots.Filed);
    LayoutFrequencyScales();
    std::array<FrequencyRange, SpectrumLineCount> shown{};
    for (int k = 0; k < SpectrumLineCount; ++k)
        shown[k] = {readScaleCaption(lblFreqSpot[size_t(5 * k)]->text()),
                    readScaleCaption(lblFreqSpot[size_t(5 * k + 4)]->text())};
    const QDateTime now = context().services.clock->localNow();
    std::array<bool, MaxBandMapSpots> placed{};
    std::vector<SpotLabelWidget*> appearing;
    for (const SpotLabel& spot :
         spectrumMapLabels(context().state.spots, shown, now, context().state.station.UtcOffsetHours)) {
        SpotLabelWidget* label = lblDXSpot[size_t(spot.slot)];
        if (label->toolTip() != spot.toolTip)
            label->setToolTip(spot.toolTip);
        if (label->text() != spot.caption)
            label->setText(spot.caption);
        setTextColour(label, spot.colour);
        if (!spot.shown)
            continue;
        placed[size_t(spot.slot)] = true;
        placeSpotLabel(label, spot);
        if (label->isHidden())
            appearing.push_back(label);
    }
    for (size_t i = 0; i < lblDXSpot.size(); ++i) {
        if (!placed[i] && !lblDXSpot[i]->isHidden())
            lblDXSpot[i]->hide();
    }
    showTogether(m_spotLayer, appearing);
    QGuiApplication::restoreOverrideCursor();
}

void SpectrumMap::placeSpotLabel(SpotLabelWidget* label, const SpotLabel& spot)
{
    const Control& line = *controlFor(lineHF[spot.line]);
    Control& place = *controlFor(label);
    place.Top = line.Y1 - place.Height;
    place.Left = float(spot.position * (line.X2 - line.X1) - place.Width / 2 + line.X1);
    if (controlRect(place) != label->geometry())
        applyControlGeometry(place, false);
}

void SpectrumMap::lblDXSpot_MouseDown(int index, int button)
{
    SpotStoreState& store = context().state.spots;
    // The click is on the spot the label shows, even when spots filed since have not been
    // drawn yet.
    const int slot = slotShownBy(index, m_filedSeen, store.Filed);
    if (slot < 0)
        return;
    if (button == 2) {
        Form1& form1 = context().navigation.form1();
        form1.ChangeFrequency(store.SpotFrequency[size_t(slot)]);
        form1.WriteCall(store.SpotCall[size_t(slot)]);
        hide();
        return;
    }
    deleteSpot(store, slot);
    BandMapLabelDisplay();
}

bool SpectrumMap::event(QEvent* event)
{
    const bool handled = Form::event(event);
    if (event->type() == QEvent::WindowActivate)
        BandMapLabelDisplay();
    return handled;
}
