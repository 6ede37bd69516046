#include "platform/Environment.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>

QString SystemEnvironment::variable(const char* name) const
{
    return qEnvironmentVariable(name);
}

QString SystemEnvironment::documentsLocation() const
{
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath() + QStringLiteral("/Documents");
    return docs;
}

QString SystemEnvironment::shortDateFormat() const
{
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}
