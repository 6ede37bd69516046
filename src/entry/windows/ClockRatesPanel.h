#pragma once

// The clocks, the operating time and the contact rates of a log window: their labels, the
// once-a-second clock tick and the once-a-minute rate count. The labels sit on the window
// that hosts the panel, placed from the panel's top left corner, so that the window's
// scaling moves them with its other controls.

#include <QDateTime>
#include <QObject>
#include <QPointF>
#include <QTimer>

class Form;
class QLabel;

class ClockRatesPanel : public QObject {
    Q_OBJECT
public:
    // The captions that differ between the windows that show the panel.
    struct Captions {
        QString operatingTime;
    };

    // Places the labels on the host, the top left corner at origin (twips).
    ClockRatesPanel(Form& host, QPointF origin, const Captions& captions);

    // Starts and stops both timers.
    void start();
    void stop();

    // The rates, once a minute.
    void Timer1_Timer();
    // The clocks and the running operating time, once a second.
    void Timer2_Timer();
    void UpdateQsoRates();

    // Time on: the operating time runs from now on top of the stored time.
    void startOperatingTime();
    // Time off: the operating time so far becomes the stored time.
    void stopOperatingTime();
    // The stored operating time, shown (a new log or a new start).
    void showStoredOperatingTime();
    // At closing or exit: a running operating time is stored and saved.
    void saveOperatingTimeIfRunning();

    QLabel* lblCurTime; // local time, 12-hour
    QLabel* Label16;    // "am" / "pm"
    QLabel* Label11;    // "UTC"
    QLabel* lblutctime;
    QLabel* Label12;    // operating time caption
    QLabel* lblttrack;  // operating time
    QLabel* Label9;     // last 60 minutes caption
    QLabel* lblAQSO60;
    QLabel* Label8;     // last 20 minutes caption
    QLabel* lblAQSO20;
    QTimer Timer1; // rates, once a minute
    QTimer Timer2; // clocks, once a second

private:
    Form& m_host;
    QDateTime m_timeOnAt;
};
