#pragma once

#include <QString>

// Environment variables, the desktop's own documents folder and the user's regional settings.
class Environment {
public:
    virtual ~Environment() = default;
    virtual QString variable(const char* name) const = 0;
    // The desktop's documents folder (used when USERPROFILE is not set).
    virtual QString documentsLocation() const = 0;
    // The user's short date format in QLocale's notation ("M/d/yy"): the order in which the
    // operator writes day, month and year.
    virtual QString shortDateFormat() const = 0;
};

class SystemEnvironment final : public Environment {
public:
    QString variable(const char* name) const override;
    QString documentsLocation() const override;
    QString shortDateFormat() const override;
};
