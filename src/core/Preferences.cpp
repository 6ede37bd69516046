#include "core/Preferences.h"

#include "core/RecordFile.h"
#include "core/WorkFiles.h"
#include "platform/DiskFile.h"

#include <QFileInfo>

namespace {
const QString PrefFileName = QStringLiteral("QSOpref.txt");
} // namespace

void writePrefItems(QIODevice& device, const StationData& s)
{
    RecordWriter w(device);
    w.text(s.OwnCall).endRecord();
    w.text(s.OwnSpc).endRecord();
    w.text(s.OwnCountry).endRecord();
    w.text(s.OwnArrlSection).endRecord();
    w.text(s.OwnName).endRecord();
    w.text(s.OwnCategory).endRecord();
    w.text(s.OwnCounty).endRecord();
    w.text(s.OwnCity).endRecord();
    w.text(s.CurrentMode).endRecord();
    w.text(s.CurrentBand).endRecord();
    w.single(s.UtcOffsetHours).endRecord();
    w.single(s.OwnLongitude).endRecord();
    w.single(s.OwnLatitude).endRecord();
    w.text(s.OwnContinent).endRecord();
    w.integer(s.FormSizePercent).endRecord();
    w.integer(s.WorkedColor).endRecord();
    w.integer(s.RemainingColor).endRecord();
    w.single(s.StoredOperatingSeconds).endRecord();
    w.text(s.HostState).endRecord();
    w.integer(s.OutOfState).endRecord();
    w.integer(s.OwnRover).endRecord();
    w.integer(s.VoiceNavigationLevel).endRecord();
    w.text(s.RigName).endRecord();
    w.integer(s.TaskbarMode).endRecord();
    w.integer(s.ListPreviousContacts).endRecord();
}

bool SavePrefFile(const AppState& state)
{
    return DiskFile::replaceAtomically(workPath(state.folders, PrefFileName), [&](QIODevice& device) {
        writePrefItems(device, state.station);
        return true;
    });
}

PrefReadResult ReadPrefFile(AppState& state)
{
    auto reader = RecordReader::fromFile(workPath(state.folders, PrefFileName));
    if (!reader)
        return PrefReadResult::Failed;
    RecordReader& r = *reader;
    StationData& s = state.station;
    const bool complete = r.readText(s.OwnCall) && r.readText(s.OwnSpc) && r.readText(s.OwnCountry)
        && r.readText(s.OwnArrlSection) && r.readText(s.OwnName) && r.readText(s.OwnCategory)
        && r.readText(s.OwnCounty) && r.readText(s.OwnCity) && r.readText(s.CurrentMode)
        && r.readText(s.CurrentBand) && r.readSingle(s.UtcOffsetHours)
        && r.readSingle(s.OwnLongitude) && r.readSingle(s.OwnLatitude)
        && r.readText(s.OwnContinent) && r.readByte(s.FormSizePercent)
        && r.readLong(s.WorkedColor) && r.readLong(s.RemainingColor)
        && r.readSingle(s.StoredOperatingSeconds) && r.readText(s.HostState)
        && r.readByte(s.OutOfState) && r.readByte(s.OwnRover) && r.readByte(s.VoiceNavigationLevel)
        && r.readText(s.RigName) && r.readByte(s.TaskbarMode) && r.readByte(s.ListPreviousContacts);
    return complete ? PrefReadResult::Complete : PrefReadResult::Failed;
}
