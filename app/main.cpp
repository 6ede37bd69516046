#include "core/windows/App.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevant Log"));
    QApplication::setOrganizationName(QStringLiteral("Vexol_Software"));
    App app(Services::real());
    app.start();
    return QApplication::exec();
}
