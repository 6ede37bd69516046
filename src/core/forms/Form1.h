#pragma once

// The forwarding object: the companion windows (radio, spots) call it, and it passes each
// call on to the main window that runs. The main window attaches itself as it loads and
// detaches as it closes; with none attached the calls do nothing.

#include <QObject>
#include <QString>
#include <QVariant>

struct AppState;

// What the running main window does for the calls Form1 passes on.
class RunningMainWindow {
public:
    virtual void BandFreqConversion(float frequencyValue) = 0;
    virtual void ModeSelection(const QString& strMode) = 0;
    // For the CW keyer: the call field's text, logging the contact, and the message line.
    virtual QString callFieldText() const { return {}; }
    virtual void Mains() {}
    virtual void setDialogCaption(const QString&) {}

protected:
    ~RunningMainWindow() = default;
};

// What the rig window does for the band maps and the spot list: tunes the radio to a
// frequency in MHz (nothing while it is not polling the radio).
class RadioTuning {
public:
    virtual void ChangeFrequency(float& qChangeFreq) = 0;

protected:
    ~RadioTuning() = default;
};

class Form1 : public QObject {
    Q_OBJECT
public:
    explicit Form1(AppState& state);

    QString Caption = QStringLiteral("Form1");
    double FontSize = 8.25;
    bool lblDXVisible = false; // whether the main window shows its band map
    QString txtCall;           // written by the spectrum map; nothing reads it

    void attach(RunningMainWindow& window);
    // Only the window attached detaches.
    void detach(const RunningMainWindow& window);

    // The rig window attaches itself as it loads; until then tuning does nothing.
    void attachRadio(RadioTuning& radio);
    void detachRadio(const RadioTuning& radio);
    void ChangeFrequency(float qChangeFreq);

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
    void BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord);

private:
    AppState& m_state;
    RunningMainWindow* m_window = nullptr;
    RadioTuning* m_radio = nullptr;
};
