#pragma once

#include "platform/Prompts.h"

#include <QString>
#include <QStringList>
#include <optional>

// Message boxes, input boxes, colour and file dialogs. Windows reach them only through
// this service, so that every window runs headless under a scripted double in tests.
class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    virtual Answer messageBox(const QString& text, const QString& title,
                              Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
    // The answer typed, or nothing when the operator cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultAnswer = {}) = 0;
    // Colours are 0x00BBGGRR values; nothing when the operator cancelled.
    virtual std::optional<quint32> chooseColor(quint32 initial) = 0;
    // A full path, or nothing when the operator cancelled.
    virtual std::optional<QString> openFileName(const QString& title, const QString& folder,
                                                const QString& filter) = 0;
    virtual std::optional<QString> saveFileName(const QString& title, const QString& proposedPath,
                                                const QString& filter) = 0;

    // Pays, while nothing waits on it, what the first box of a run costs (finding its icon
    // in the icon theme, polishing its widgets), so that the first question comes at once.
    virtual void prepare() {}
};

// The message and input boxes as the prompts the logic asks through.
inline Prompts promptsOf(Dialogs& dialogs)
{
    return {[&dialogs](const QString& text, const QString& title) { dialogs.messageBox(text, title); },
            [&dialogs](const QString& prompt, const QString& title, const QString& defaultAnswer) {
                return dialogs.inputBox(prompt, title, defaultAnswer);
            }};
}
