#include "mainwindow/Form1.h"

#include "core/Preferences.h"
#include "core/windows/App.h"
#include "mainwindow/MainForm.h"

Form1::Form1(App& app) : m_app(app) {}

void Form1::SavePref() { SavePrefFile(m_app.state()); }

void Form1::BandFreqConversion(float frequencyValue)
{
    if (MainForm* target = m_app.mainWindow())
        target->BandFreqConversion(frequencyValue);
}

void Form1::ModeSelection(const QString& strMode)
{
    if (MainForm* target = m_app.mainWindow())
        target->ModeSelection(strMode);
}

// The band map and the spot list arrive with the spotting window; until then the main
// windows have nothing to lay out or redraw.
void Form1::PacketResize() {}

void Form1::DisplayBandMapLabels() {}

void Form1::BandMapSpots(const QVariant&, const QVariant&, const QVariant&) {}
