#pragma once

// The spectrum map: every spot of the store on eleven band lines, 160 m at the top to 2 m
// at the bottom, each line's scale narrowed to its spots. Shown modally by the main
// windows; a right click on a spot tunes the radio and writes the call into the running main
// window's call field.

#include "core/forms/Form.h"
#include "spots/SpotDisplay.h"

#include <QLabel>
#include <array>

class ControlLayer;
class SpotLabelWidget;

class SpectrumMap : public Form {
    Q_OBJECT
public:
    explicit SpectrumMap(const WindowContext& context);

    std::array<LineControl*, SpectrumLineCount> lineHF{};
    std::array<QLabel*, SpectrumLineCount> lblHFSpots{};
    std::array<QLabel*, 5 * SpectrumLineCount> lblFreqSpot{};
    // lblDXSpot[i] always shows slot i of the store; the widgets go with their spots as the
    // store moves them down (see followTheStore), on a layer over the whole window.
    std::array<SpotLabelWidget*, MaxBandMapSpots> lblDXSpot{};

    void Form_Load();
    void BandMapLabelDisplay();
    void LayoutFrequencyScales();
    void FitToWorkArea();
    void lblDXSpot_MouseDown(int index, int button);

protected:
    bool event(QEvent* event) override;

private:
    void placeSpotLabel(SpotLabelWidget* label, const SpotLabel& spot);

    ControlLayer* m_spotLayer = nullptr;
    quint64 m_filedSeen = 0; // the store's count of spots filed when the widgets last followed it
};
