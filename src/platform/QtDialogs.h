#pragma once

#include "platform/Dialogs.h"

class QtDialogs final : public Dialogs {
public:
    Answer messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultAnswer) override;
    std::optional<quint32> chooseColor(quint32 initial) override;
    std::optional<QString> openFileName(const QString& title, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& title, const QString& proposedPath,
                                        const QString& filter) override;
};
