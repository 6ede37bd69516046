#include "reports/windows/AdifExportDialogs.h"

#include "platform/FileLookup.h"
#include "platform/Services.h"
#include "reports/AdifExport.h"

#include <QDir>

namespace {

void reportFailure(Services& services, const QString& why)
{
    services.beeper->beep();
    services.dialogs->messageBox(why, QStringLiteral("Unable to write file."));
}

AdifAnswers askAnswers(Dialogs& dialogs, const QString& hostState)
{
    AdifAnswers answers;
    answers.power = dialogs
                        .inputBox(QStringLiteral("Please enter the power value that you would like to record.  This "
                                                 "is an optional value that will be included in each QSO record and "
                                                 "displayed in Pirow's power output column."),
                                  QStringLiteral("Please enter your transmitter output power."), QStringLiteral("100"))
                        .value_or(QString());
    answers.comment = dialogs
                          .inputBox(QStringLiteral("Please enter a comment that you would like to appear on each QSO "
                                                   "record.  This is an optional description that will be displayed "
                                                   "in Pirow's Comments column."),
                                    QStringLiteral("Please enter a comment."),
                                    hostState + QStringLiteral(" State QSO Party Contest"))
                          .value_or(QString());
    return answers;
}

} // namespace

void WriteADIFFile(const AppState& state, Services& services)
{
    Dialogs& dialogs = *services.dialogs;
    const AdifAnswers answers = askAnswers(dialogs, state.station.HostState);

    std::vector<DxccRow> dxcc;
    QString error;
    if (!LoadAdifCountries(state.folders, dxcc, &error)) {
        reportFailure(services, error);
        return;
    }

    const std::optional<QString> chosen =
        dialogs.saveFileName(QStringLiteral("Save As"), proposedAdifPath(state), QStringLiteral("ADIF Files (*.adi)"));
    if (!chosen)
        return;
    const QString path = FileLookup::resolvePath(*chosen);
    if (!WriteAdifExport(state, answers, dxcc, services.clock->localNow().date(), path, &error)) {
        reportFailure(services, error);
        return;
    }
    const QString crlf = QStringLiteral("\r\n");
    dialogs.messageBox(QStringLiteral("The file was successfully written to the directory:") + crlf + crlf
                           + QDir::toNativeSeparators(path) + QLatin1Char('.'),
                       QStringLiteral("File Written Successfully."));
}
