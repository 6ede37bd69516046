#pragma once

// The forwarding object: the companion windows (radio, spots) call it, and it passes
// each call on to the main window that runs, by OutOfState.

#include <QObject>
#include <QString>
#include <QVariant>

class App;

class Form1 : public QObject {
    Q_OBJECT
public:
    explicit Form1(App& app);

    QString Caption = QStringLiteral("Form1");
    double FontSize = 8.25;
    bool lblDXVisible = false; // whether the main window shows its band map
    QString txtCall;           // written by the spectrum map; nothing reads it

    void SavePref();
    void BandFreqConversion(float frequencyValue);
    void ModeSelection(const QString& strMode);
    void PacketResize();
    void DisplayBandMapLabels();
    void BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord);

private:
    App& m_app;
};
