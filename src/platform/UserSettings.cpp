#include "platform/UserSettings.h"

#include <QSettings>
#include <memory>

namespace {

std::unique_ptr<QSettings> openSettings(const QString& iniPath)
{
    if (iniPath.isEmpty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("Vexol_Software"),
                                           QStringLiteral("Vexol_Software"));
    return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

} // namespace

QtUserSettings::QtUserSettings(QString iniPath) : m_iniPath(std::move(iniPath)) {}

QString QtUserSettings::value(const QString& key, const QString& defaultValue) const
{
    auto settings = openSettings(m_iniPath);
    settings->beginGroup(QStringLiteral("Settings"));
    return settings->value(key, defaultValue).toString();
}

void QtUserSettings::setValue(const QString& key, const QString& value)
{
    auto settings = openSettings(m_iniPath);
    settings->beginGroup(QStringLiteral("Settings"));
    settings->setValue(key, value);
}

QString QtUserSettings::portDevice(int com) const
{
    auto settings = openSettings(m_iniPath);
    return settings->value(QStringLiteral("Ports/COM%1").arg(com)).toString();
}
