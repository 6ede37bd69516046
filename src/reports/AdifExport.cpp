#include "reports/AdifExport.h"

#include "core/Tables.h"
#include "platform/DiskFile.h"
#include "platform/FileLookup.h"
#include "platform/Services.h"
#include "reports/AdifLog.h"
#include "reports/BonusPoints.h"

#include <QDir>
#include <QLocale>

namespace {

// The counties of the table as spans over entries 1 to CountyCount.
std::span<const QString> countyEntries(const std::vector<QString>& column, float count)
{
    const size_t n = std::min(size_t(std::max(count, 0.0f)), column.size() - 1);
    return std::span<const QString>(column).subspan(1, n);
}

void reportFailure(Services& services, const QString& why)
{
    services.beeper->beep();
    services.dialogs->messageBox(why, QStringLiteral("Unable to write file."));
}

} // namespace

void WriteADIFFile(const AppState& state, Services& services)
{
    Dialogs& dialogs = *services.dialogs;
    const QString& hostState = state.station.HostState;
    AdifInput input;
    input.power = dialogs
                      .inputBox(QStringLiteral("Please enter the power value that you would like to record.  This is "
                                               "an optional value that will be included in each QSO record and "
                                               "displayed in Pirow's power output column."),
                                QStringLiteral("Please enter your transmitter output power."), QStringLiteral("100"))
                      .value_or(QString());
    input.comment = dialogs
                        .inputBox(QStringLiteral("Please enter a comment that you would like to appear on each QSO "
                                                 "record.  This is an optional description that will be displayed "
                                                 "in Pirow's Comments column."),
                                  QStringLiteral("Please enter a comment."),
                                  hostState + QStringLiteral(" State QSO Party Contest"))
                        .value_or(QString());

    // Without a copy anywhere, the working directory's is the one reported missing.
    const Folders& folders = state.folders;
    const QString name = QStringLiteral("ADIFCnt.txt");
    QString tablePath = findSharedTable(folders, name);
    if (tablePath.isEmpty())
        tablePath = FileLookup::resolve(folders.WorkingDirectory, name);
    std::vector<DxccRow> dxcc;
    QString error;
    if (!LoadDxccTable(tablePath, dxcc, &error)) {
        reportFailure(services, error);
        return;
    }

    const QString proposed = QDir(folders.DataFolder).filePath(hostState + QStringLiteral(".adi"));
    const std::optional<QString> chosen =
        dialogs.saveFileName(QStringLiteral("Save As"), proposed, QStringLiteral("ADIF Files (*.adi)"));
    if (!chosen)
        return;
    const QString path = FileLookup::resolvePath(*chosen);

    input.hostState = hostState;
    input.programVersion = folders.ProgramVersion;
    input.exportDate = QLocale::system().toString(services.clock->localNow().date(), QLocale::ShortFormat);
    input.contacts = loggedContacts(state.log);
    input.countyAbbrev = countyEntries(state.tables.CountyAbbrev, state.tables.CountyCount);
    input.countyName = countyEntries(state.tables.CountyName, state.tables.CountyCount);
    input.dxcc = dxcc;

    QString writerError;
    if (!DiskFile::replaceAtomically(
            path, [&](QIODevice& device) { return WriteAdifLog(device, input, &writerError); }, &error)) {
        reportFailure(services, writerError.isEmpty() ? error : writerError);
        return;
    }
    const QString crlf = QStringLiteral("\r\n");
    dialogs.messageBox(QStringLiteral("The file was successfully written to the directory:") + crlf + crlf
                           + QDir::toNativeSeparators(path) + QLatin1Char('.'),
                       QStringLiteral("File Written Successfully."));
}
