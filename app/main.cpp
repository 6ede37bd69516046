#include "app/App.h"
#include "app/EndSignals.h"
#include "core/forms/CaptionStyle.h"

#include <QApplication>
#include <csignal>

int main(int argc, char* argv[])
{
    // A write past the file-size limit then fails like one on a full disk, and is reported,
    // instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevant Log"));
    QApplication::setOrganizationName(QStringLiteral("Vexol_Software"));
    QApplication::setStyle(new CaptionStyle);
    App app(Services::real());
    EndSignals endSignals;
    QObject::connect(&endSignals, &EndSignals::received, &app, &App::endOnSignal);
    app.start();
    // The start-up can already have ended the run (its setup window closed without "Done").
    if (app.quitRequested())
        return 0;
    return QApplication::exec();
}
