#include "core/windows/App.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevant Log"));
    QApplication::setOrganizationName(QStringLiteral("Vexol_Software"));
    App app(Services::real());
    app.start();
    // The start-up can already have ended the run (its setup window closed without "Done").
    if (app.quitRequested())
        return 0;
    return QApplication::exec();
}
