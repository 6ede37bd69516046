#include "platform/EventWait.h"

#include <QEventLoop>
#include <algorithm>
#include <QTimer>

void letEventsRunFor(int ms)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(std::max(ms, 0));
    loop.exec();
}
