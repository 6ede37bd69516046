#pragma once

// The spot area at the foot of a log window: the spot list txtDX and the band map share one
// rectangle that the spotting window's choices open, switch and close. Spots reach the
// window through Form1 and the window hands them on here. The controls sit on the window
// that hosts the panel, so that the window's scaling moves them with its other controls;
// what the area does to the window's entry line it asks through the hooks the window gives.

#include "spots/SpotStore.h"

#include <QList>
#include <QObject>
#include <QRectF>
#include <functional>

class BandMap;
class Form;
class QStandardItemModel;
class QTreeView;
class SpectrumMap;

class SpotAreaPanel : public QObject {
    Q_OBJECT
public:
    // What the area asks of the window that hosts it.
    struct Hooks {
        // A spot's call into the call field as typing it would, with the focus there.
        std::function<void(const QString& call)> takeCall;
        // The focus to the call field.
        std::function<void()> focusCall;
        // On from the call field as a Tab would go, once the event in hand is handled.
        std::function<void()> moveOnFromCall;
        // The window's lists fitted to the heights the opening or closing left them.
        std::function<void()> fitLists;
        // The tool tip of the spot under the pointer, for the possible-duplicates line.
        std::function<void(const QString& text)> showSpotHint;
    };

    // Makes the controls on the host, hidden: the list at its design place (twips), the band
    // map at its design sizes.
    SpotAreaPanel(Form& host, const QRectF& listPlace, Hooks hooks);

    // The intake of one spot (call, frequency in kHz as text, the spot line).
    void BandMapSpots(const QString& qDXSpotCall, const QString& qDXSpotFreq, const QString& qDXSpotRecord);
    void DisplayBandMapLabels();
    void RefreshBandMapIfShown();
    // The layout from the spotting window's choices: opened, switched or closed.
    void PacketResize();
    // The band changed: the scale follows it.
    void bandChanged();
    void txtDX_Click();
    void txtDX_DblClick();
    void lblDX_Click();
    void lblDX_DblClick();

    // The spectrum map while it is shown.
    SpectrumMap* spectrumMap() const { return m_spectrum; }

    QTreeView* txtDX; // the spot list
    QStandardItemModel* spotRows;
    BandMap* bandMap; // lblDX, LineDX, lblFreqSpot, lblDXSpot

private:
    // Opening and closing the area: the window's other controls' heights and tops scale by
    // f; the lowest bottom met.
    float scaleForSpotArea(float f);
    void openSpotArea(bool list);
    void closeSpotArea();
    void showSpotList(bool list);
    // The spot displays redrawn once the spots in hand are all filed.
    void redrawSpotDisplaysSoon();
    void redrawSpotDisplays();
    void addSpotListRows(const QList<SpotListRow>& newestFirst);

    Form& m_host;
    const Hooks m_hooks;
    SpectrumMap* m_spectrum = nullptr;
    // What the spots filed since the last redraw of the spot displays have left to do.
    struct SpotDisplaysDue {
        bool pending = false;  // the redraw is on its way
        bool bandMap = false;  // a spot arrived while the band map was shown
        bool spectrum = false; // ... while the spectrum map was shown
        QList<SpotListRow> rows; // the spot list's new rows, newest first
    };
    SpotDisplaysDue m_spotsDue;
};
