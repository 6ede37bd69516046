#pragma once

// What the radio reads reaches the running main window, whatever rig window there is: the
// frequency and mode through Form1, a failed tuning command in a message box, and a radio
// gone silent in the main window's message line until the silence is over. App makes one
// for the run.

#include <QObject>
#include <QString>

class Dialogs;
class Form1;
class RigSession;

class RadioToLog : public QObject {
    Q_OBJECT
public:
    RadioToLog(RigSession& radio, Form1& form1, Dialogs& dialogs);

private:
    void clearSilentMessage();

    Form1& m_form1;
    QString m_silentMessage; // what the message line was given for a silent radio
};
