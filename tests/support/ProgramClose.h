#pragma once

#include "app/App.h"
#include "mainwindow/MainForm.h"

#include <QCoreApplication>
#include <memory>

// Ends a program a test or benchmark made, as the program closes it: the main window
// hidden first, so the field losing the focus still talks to a whole window, then App and
// whatever it left to be deleted later.
inline void closeProgram(std::unique_ptr<App>& app)
{
    if (app && app->mainWindow())
        app->mainWindow()->hide();
    app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
