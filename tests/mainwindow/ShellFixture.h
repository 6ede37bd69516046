#pragma once

// What the tests of the window's menus and companion windows add to the log window
// fixture: the items of QSOpref.txt, the captions of the menus, and modal windows driven
// while they show.

#include "support/LogWindowFixture.h"
#include "core/windows/WindowTestSupport.h"

#include <QMenu>
#include <QMenuBar>
#include <functional>

class ShellTest : public LogWindowTest {
protected:
    // Item n (from 1) of QSOpref.txt, as written; empty when the file has no such item.
    QByteArray prefItem(int n) const
    {
        const QList<QByteArray> lines = readBytes(work(QStringLiteral("QSOpref.txt"))).split('\n');
        return n <= lines.size() ? lines[n - 1].chopped(lines[n - 1].endsWith('\r') ? 1 : 0) : QByteArray();
    }
    bool prefSaved() const { return QFile::exists(work(QStringLiteral("QSOpref.txt"))); }
    QString backupFolder() const { return folders.documents + QStringLiteral("/Vexol Software/Texas/BACKUP"); }

    // The captions of a menu, "-" for a separator.
    static QStringList captions(const QList<QAction*>& actions)
    {
        QStringList list;
        for (const QAction* a : actions)
            list << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    }
    static QAction* item(const QMenu* menu, const QString& caption)
    {
        for (QAction* a : menu->actions()) {
            if (a->text() == caption)
                return a;
        }
        ADD_FAILURE() << "no menu item " << caption.toStdString();
        return nullptr;
    }

    // Makes the window the active one with the focus in the field, as a click would.
    static void focusIn(QWidget* window, QWidget* field)
    {
        QApplication::setActiveWindow(window);
        window->activateWindow();
        field->setFocus();
        QCoreApplication::processEvents();
    }

    // Triggers the menu item; the script acts on the window of type W it shows modally.
    // False when no such window showed.
    template <class W>
    bool whileShown(QAction* menuItem, std::function<void(W&)> script)
    {
        bool shown = false;
        onceShown<W>([&](W& window) {
            shown = true;
            script(window);
        });
        menuItem->trigger();
        return shown;
    }
};
