#include "app/App.h"
#include "app/EndSignals.h"
#include "core/forms/CaptionStyle.h"
#include "platform/FolderLock.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <csignal>
#include <cstdio>

namespace {

const QString AlreadyRunning = QStringLiteral("Another copy of Brevant Log is already running in this folder.");

// A second copy on the same working folder would rewrite log.txt from what it read before
// the first copy's contacts: it is told so and ends before it reads or writes any file.
void tellAlreadyRunning()
{
    std::fprintf(stderr, "%s (%s)\n", qPrintable(AlreadyRunning), qPrintable(QDir::currentPath()));
    QtDialogs().messageBox(AlreadyRunning, QStringLiteral("Brevant Log"), Dialogs::Buttons::Ok,
                           Dialogs::Icon::Warning);
}

} // namespace

int main(int argc, char* argv[])
{
    // A write past the file-size limit then fails like one on a full disk, and is reported,
    // instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevant Log"));
    QApplication::setOrganizationName(QStringLiteral("Vexol_Software"));
    QApplication::setStyle(new CaptionStyle);
    // The working folder is the current one; held until the program ends.
    FolderLock folderLock;
    if (folderLock.take(QDir::currentPath()) == FolderLock::Result::HeldByAnother) {
        tellAlreadyRunning();
        return 1;
    }
    App app(Services::real());
    EndSignals endSignals;
    QObject::connect(&endSignals, &EndSignals::received, &app, &App::endOnSignal);
    app.start();
    // The start-up can already have ended the run (its setup window closed without "Done").
    if (app.quitRequested())
        return 0;
    return QApplication::exec();
}
