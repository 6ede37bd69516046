#include "reports/AdifExport.h"

#include "core/Tables.h"
#include "platform/DiskFile.h"
#include "platform/FileLookup.h"
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

} // namespace

bool LoadAdifCountries(const Folders& folders, std::vector<DxccRow>& dxcc, QString* error)
{
    const QString name = QStringLiteral("ADIFCnt.txt");
    QString tablePath = findSharedTable(folders, name);
    if (tablePath.isEmpty())
        tablePath = FileLookup::resolve(folders.WorkingDirectory, name);
    return LoadDxccTable(tablePath, dxcc, error);
}

QString proposedAdifPath(const AppState& state)
{
    return QDir(state.folders.DataFolder).filePath(state.station.HostState + QStringLiteral(".adi"));
}

bool WriteAdifExport(const AppState& state, const AdifAnswers& answers, const std::vector<DxccRow>& dxcc,
                     const QDate& day, const QString& path, QString* error)
{
    AdifInput input;
    input.power = answers.power;
    input.comment = answers.comment;
    input.hostState = state.station.HostState;
    input.programVersion = state.folders.ProgramVersion;
    input.exportDate = QLocale::system().toString(day, QLocale::ShortFormat);
    input.contacts = loggedContacts(state.log);
    input.countyAbbrev = countyEntries(state.tables.CountyAbbrev, state.tables.CountyCount);
    input.countyName = countyEntries(state.tables.CountyName, state.tables.CountyCount);
    input.dxcc = dxcc;

    QString writerError;
    QString fileError;
    if (DiskFile::replaceAtomically(
            path, [&](QIODevice& device) { return WriteAdifLog(device, input, &writerError); }, &fileError))
        return true;
    if (error)
        *error = writerError.isEmpty() ? fileError : writerError;
    return false;
}
