#pragma once

#include <QString>
#include <functional>
#include <optional>

// What logic below the windows asks of the operator: a message to read, a line to type.
// The window side hands in its message and input boxes (promptsOf in Dialogs.h), so the
// logic needs no dialogs of its own.
struct Prompts {
    // Shows the text under the title until the operator closes it.
    std::function<void(const QString& text, const QString& title)> tell;
    // Asks for one line; nothing when the operator cancelled.
    std::function<std::optional<QString>(const QString& prompt, const QString& title, const QString& defaultAnswer)>
        ask;
};
