#pragma once

#include <QString>

// Per-user values of the application "Vexol_Software", section "Settings".
class UserSettings {
public:
    virtual ~UserSettings() = default;
    virtual QString value(const QString& key, const QString& defaultValue = {}) const = 0;
    virtual void setValue(const QString& key, const QString& value) = 0;
    // The device the operator named for COM port n (section "Ports", key "COM<n>"); empty
    // when none is named.
    virtual QString portDevice(int com) const = 0;
};

// QSettings in INI format, organisation "Vexol_Software", group "Settings". An empty
// path means the user's ordinary configuration location.
class QtUserSettings final : public UserSettings {
public:
    explicit QtUserSettings(QString iniPath = {});
    QString value(const QString& key, const QString& defaultValue) const override;
    void setValue(const QString& key, const QString& value) override;
    QString portDevice(int com) const override;

private:
    QString m_iniPath;
};
