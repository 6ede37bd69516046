#include "core/forms/Form1.h"

#include "core/Preferences.h"

Form1::Form1(AppState& state, FileWriter* writer) : m_state(state), m_writer(writer) {}

void Form1::attach(RunningMainWindow& window) { m_window = &window; }

void Form1::detach(const RunningMainWindow& window)
{
    if (m_window == &window)
        m_window = nullptr;
}

void Form1::attachRadio(RadioTuning& radio) { m_radio = &radio; }

void Form1::detachRadio(const RadioTuning& radio)
{
    if (m_radio == &radio)
        m_radio = nullptr;
}

// The caller's value is its own: the radio gets a copy.
void Form1::ChangeFrequency(float qChangeFreq)
{
    if (m_radio)
        m_radio->ChangeFrequency(qChangeFreq);
}

void Form1::SavePref() { SavePrefFile(m_state, m_writer); }

void Form1::BandFreqConversion(float frequencyValue)
{
    if (m_window)
        m_window->BandFreqConversion(frequencyValue);
}

void Form1::ModeSelection(const QString& strMode)
{
    if (m_window)
        m_window->ModeSelection(strMode);
}

void Form1::MainsFromKeyer()
{
    if (m_window && !m_window->callFieldText().isEmpty())
        m_window->Mains();
}

void Form1::SetDialogCaption(const QString& caption)
{
    if (m_window)
        m_window->setDialogCaption(caption);
}

void Form1::ClearDialogCaption(const QString& caption)
{
    if (m_window && m_window->dialogCaption() == caption)
        m_window->setDialogCaption(QString());
}

void Form1::attachSpotting(const SpotAreaChoice& spotting) { m_spotting = &spotting; }

void Form1::detachSpotting(const SpotAreaChoice& spotting)
{
    if (m_spotting == &spotting)
        m_spotting = nullptr;
}

void Form1::PacketResize()
{
    if (m_window)
        m_window->PacketResize();
}

void Form1::DisplayBandMapLabels()
{
    if (m_window)
        m_window->DisplayBandMapLabels();
}

void Form1::WriteCall(const QString& call)
{
    txtCall = call;
    if (m_window)
        m_window->chooseCall(call);
}

// The spotting window hands every value over as text.
void Form1::BandMapSpots(const QVariant& qDXSpotCall, const QVariant& qDXSpotFreq, const QVariant& qDXSpotRecord)
{
    if (m_window)
        m_window->BandMapSpots(qDXSpotCall.toString(), qDXSpotFreq.toString(), qDXSpotRecord.toString());
}
