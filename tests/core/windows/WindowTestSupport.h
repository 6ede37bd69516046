#pragma once

// Helpers shared by the window tests: record files written line by line, the working
// directory switched for one test, and scripts that act on a modal window once it shows.

#include "support/TestServices.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Makes the directory current for the life of the object (start-up takes its working
// directory from there), then restores the previous one.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const QString& dir) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(dir);
    }
    ~CurrentDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

// Shows the window and makes it the active one, so that focus moves as for an operator.
inline void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QCoreApplication::processEvents();
}

// Runs the script on the visible top-level window of type W as soon as the event loop
// of a modal showing runs; the window is hidden afterwards if the script left it open,
// so the modal showing always ends.
template <class W>
void onceShown(std::function<void(W&)> script)
{
    QTimer::singleShot(0, [script] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<W*>(widget);
            if (!window || !window->isVisible())
                continue;
            script(*window);
            if (window->isVisible())
                window->hide();
            return;
        }
        ADD_FAILURE() << "no visible " << W::staticMetaObject.className();
    });
}

// Deletes the windows that closed themselves (deleteLater) during the test.
inline void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The message boxes the setup window shows when a file fails to load.
inline int fileErrorBoxes(const ScriptedDialogs& dialogs)
{
    int n = 0;
    for (const ScriptedDialogs::Shown& box : dialogs.shown) {
        if (box.kind == QLatin1String("message") && box.text == QLatin1String("Error opening file")
            && box.title == QLatin1String("Error opeining file"))
            ++n;
    }
    return n;
}
