#pragma once

#include <QString>

// Environment variables and the desktop's own documents folder.
class Environment {
public:
    virtual ~Environment() = default;
    virtual QString variable(const char* name) const = 0;
    // The desktop's documents folder (used when USERPROFILE is not set).
    virtual QString documentsLocation() const = 0;
};

class SystemEnvironment final : public Environment {
public:
    QString variable(const char* name) const override;
    QString documentsLocation() const override;
};
