#pragma once

// The forwarding object: the companion windows (radio, spots) call it, and it passes each
// call on to the main window that runs. The main window attaches itself as it loads and
// detaches as it closes; with none attached the calls do nothing.

#include "core/RadioTuning.h"

#include <QObject>
#include <QString>
#include <QVariant>

struct AppState;
class FileWriter;

// What the running main window does for the calls Form1 passes on.
class RunningMainWindow {
public:
    virtual void BandFreqConversion(float frequencyValue) = 0;
    virtual void ModeSelection(const QString& strMode) = 0;
    // For the CW keyer: the call field's text, logging the contact, and the message line.
    virtual QString callFieldText() const { return {}; }
    virtual void Mains() {}
    virtual void setDialogCaption(const QString&) {}
    virtual QString dialogCaption() const { return {}; }
    // The spot area: its layout from the spotting window's choices, the band map's redraw
    // and the intake of one spot (call, frequency in kHz as text, the spot line).
    virtual void PacketResize() {}
    virtual void DisplayBandMapLabels() {}
    virtual void BandMapSpots(const QString& /*call*/, const QString& /*frequencyKHz*/, const QString& /*record*/) {}
    // A spot's call written into the call field, as typing it would, and the focus there.
    virtual void chooseCall(const QString& /*call*/) {}

protected:
    ~RunningMainWindow() = default;
};

// What the spotting window's "Done" leaves chosen for the main window's spot area: the list
// or the band map, and the transport ("None" closes the area).
class SpotAreaChoice {
public:
    virtual bool listChosen() const = 0;
    virtual QString transport() const = 0;

protected:
    ~SpotAreaChoice() = default;
};

class Form1 : public QObject {
    Q_OBJECT
public:
    // The preferences are saved through the writer (at once without one).
    explicit Form1(AppState& state, FileWriter* writer = nullptr);

    QString Caption = QStringLiteral("Form1");
    double FontSize = 8.25;
    bool lblDXVisible = false; // whether the main window shows its band map
    QString txtCall;           // the last call the spectrum map wrote; nothing reads it

    void attach(RunningMainWindow& window);
    // Only the window attached detaches.
    void detach(const RunningMainWindow& window);

    // App attaches the rig session for the run; until then tuning does nothing.
    void attachRadio(RadioTuning& radio);
    void detachRadio(const RadioTuning& radio);
    void ChangeFrequency(float qChangeFreq);
    // The radio's tuning command running, and its end (see RadioTuning).
    bool radioTuning() const { return m_radio && m_radio->tuning(); }
    void endRadioTuning()
    {
        if (m_radio)
            m_radio->endTuning();
    }

    // The spotting window attaches itself as it loads; until then the spot area stays closed.
    void attachSpotting(const SpotAreaChoice& spotting);
    void detachSpotting(const SpotAreaChoice& spotting);
    const SpotAreaChoice* spotting() const { return m_spotting; }

    void SavePref();
    void BandFreqConversion(float frequencyValue);
    void ModeSelection(const QString& strMode);
    void PacketResize();
    void DisplayBandMapLabels();
    // The "!" of a CW message: logs the contact on the running main window when its call
    // field is not empty; the outcome is that window's to show.
    void MainsFromKeyer();
    // The CW keyer's echo of the text still to send, in the running window's message line.
    void SetDialogCaption(const QString& caption);
    // Empties the message line when it still shows the caption (a later message stays).
    void ClearDialogCaption(const QString& caption);
    // The spectrum map's chosen call, into the running main window's call field.
    void WriteCall(const QString& call);
    void BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord);

private:
    AppState& m_state;
    FileWriter* m_writer;
    RunningMainWindow* m_window = nullptr;
    RadioTuning* m_radio = nullptr;
    const SpotAreaChoice* m_spotting = nullptr;
};
