#include "core/SharedPreferences.h"

#include "platform/DiskFile.h"
#include "platform/FileLookup.h"

#include <QFile>
#include <QIODevice>

namespace {
const QString CrLf = QStringLiteral("\r\n");
} // namespace

QString xmlDeclarationLine() { return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"); }

void LoadGlobalPreferences(SharedPreferencesState& shared, const QString& path)
{
    shared.GlobalPreferencesPath = path;
    QFile file(FileLookup::resolvePath(path));
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        shared.GlobalPreferencesText = xmlDeclarationLine();
        return;
    }
    QString text = QString::fromLatin1(file.readAll());
    if (text.endsWith(CrLf))
        text.chop(2);
    shared.GlobalPreferencesText = text;
}

bool SaveGlobalPreferences(SharedPreferencesState& shared, const QString& path, QString* error)
{
    shared.GlobalPreferencesPath = path;
    const QByteArray bytes = (shared.GlobalPreferencesText + CrLf).toLatin1();
    return DiskFile::replaceAtomically(FileLookup::resolvePath(path), bytes, error);
}

void SaveGlobalPreferences(SharedPreferencesState& shared, const QString& path, FileWriter* writer,
                           FileWriter::Done done)
{
    if (!writer) {
        QString error;
        const bool written = SaveGlobalPreferences(shared, path, &error);
        if (done)
            done(written, error);
        return;
    }
    shared.GlobalPreferencesPath = path;
    writer->replace(FileLookup::resolvePath(path), (shared.GlobalPreferencesText + CrLf).toLatin1(), std::move(done));
}

bool SetGlobalPreference(SharedPreferencesState& shared, QString& key, const QString& value,
                         quint8 save, QString* error)
{
    key = key.toUpper();
    QString& text = shared.GlobalPreferencesText;
    const QString openTag = QLatin1Char('<') + key + QLatin1Char('>');
    const QString closeTag = QStringLiteral("</") + key + QLatin1Char('>');
    const qsizetype open = text.indexOf(openTag);
    if (open >= 0) {
        const qsizetype valueStart = open + openTag.size();
        qsizetype close = text.indexOf(closeTag, valueStart);
        if (close < 0) {
            // An opening tag without its closing tag: the value runs to the end of its line.
            close = text.indexOf(QLatin1Char('\r'), valueStart);
            if (close < 0)
                close = text.size();
            text = text.left(valueStart) + value + closeTag + text.mid(close);
        } else {
            text = text.left(valueStart) + value + text.mid(close);
        }
    } else {
        text += CrLf + openTag + value + closeTag;
    }
    if (save == 1)
        return SaveGlobalPreferences(shared, shared.GlobalPreferencesPath, error);
    return true;
}
