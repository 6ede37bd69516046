#include "rig/windows/RadioToLog.h"

#include "core/forms/Form1.h"
#include "platform/Dialogs.h"
#include "rig/RigSession.h"

RadioToLog::RadioToLog(RigSession& radio, Form1& form1, Dialogs& dialogs) : m_form1(form1)
{
    connect(&radio, &RigSession::frequencyRead, this, [this](float mhz) { m_form1.BandFreqConversion(mhz); });
    connect(&radio, &RigSession::modeRead, this, [this](const QString& mode) { m_form1.ModeSelection(mode); });
    connect(&radio, &RigSession::failed, this, [&dialogs](const QString& title, const QString& text) {
        dialogs.messageBox(text, title, Dialogs::Buttons::Ok);
    });
    // The message line says it once; a later message of the main window stays.
    connect(&radio, &RigSession::radioSilent, this, [this](const QString& why) {
        clearSilentMessage();
        m_silentMessage = why;
        m_form1.SetDialogCaption(why);
    });
    connect(&radio, &RigSession::silenceOver, this, &RadioToLog::clearSilentMessage);
}

void RadioToLog::clearSilentMessage()
{
    if (m_silentMessage.isEmpty())
        return;
    m_form1.ClearDialogCaption(m_silentMessage);
    m_silentMessage.clear();
}
