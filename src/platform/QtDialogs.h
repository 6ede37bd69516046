#pragma once

#include "platform/Dialogs.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class QtDialogs final : public Dialogs {
public:
    QtDialogs();

    Answer messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultAnswer) override;
    std::optional<quint32> chooseColor(quint32 initial) override;
    std::optional<QString> openFileName(const QString& title, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& title, const QString& proposedPath,
                                        const QString& filter) override;
    void prepare() override;

private:
    // The window a dialog belongs to: the modal one shown, else the active one, else the one
    // the operator last worked in (just after one dialog closes, no window is active yet).
    QWidget* dialogParent() const;

    QObject m_watch;
    QPointer<QWidget> m_lastActive;
};
