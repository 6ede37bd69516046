#pragma once

// The main window's band map: the spots of the current band along one line, with a
// five-label scale under it. The main window hosts its controls and lays the spot area
// out; the map draws the labels from the spot store and handles clicks on them.
//
// lblDXSpot[i] always shows slot i of the store, but the widgets go with their spots: when
// the store has moved its spots down k slots, the widgets move down k places in the array
// (the ones that fell out of slot 0 coming round for the newest spots), so a spot that
// stays where it was keeps its widget where it was. The spot labels lie on a layer over
// the background, which lets a redraw show many of them at once.

#include "core/AppState.h"
#include "core/forms/Form.h"

#include <QLabel>
#include <QObject>
#include <array>
#include <vector>

class ControlLayer;
class SpotLabelWidget;
struct SpotLabel;

class BandMap : public QObject {
    Q_OBJECT
public:
    // Makes the controls on the window, hidden, at their design sizes.
    explicit BandMap(Form& form);

    QLabel* lblDX = nullptr;
    LineControl* LineDX = nullptr;
    std::array<QLabel*, 5> lblFreqSpot{};
    std::array<SpotLabelWidget*, MaxBandMapSpots> lblDXSpot{};

    // Whether the band map is shown (its background is not hidden).
    bool isShown() const;

    void SetBandMapScale();
    void DisplayBandMapLabels();
    void RefreshBandMapIfShown();
    void lblDXSpot_MouseDown(int index, int button);
    void lblDXSpot_MouseMove(int index);

    // The spot area's rectangle (twips): the background fills it, the line crosses its
    // middle and the scale hangs under the line.
    void placeArea(float left, float top, float width, float height);
    // Shows the background, the line and the scale (the spots wait for a redraw), or hides
    // them all.
    void setShown(bool shown);
    // The area closed: everything hidden and parked at the top given.
    void park(float top);

    Control& control(QWidget* widget) { return *m_form.controlFor(widget); }

Q_SIGNALS:
    // A right click: the radio has been tuned; the host puts the call into its call field
    // and moves on from it as a Tab would.
    void spotChosen(const QString& call);
    // The pointer over a spot: its tool tip for the possible-duplicates label.
    void spotHovered(const QString& toolTip);

private:
    void drawLabel(SpotLabelWidget* label, const SpotLabel& spot);

    Form& m_form;
    AppState& m_state;
    ControlLayer* m_spotLayer = nullptr;
    quint64 m_filedSeen = 0; // the store's count of spots filed when the widgets last followed it
};
