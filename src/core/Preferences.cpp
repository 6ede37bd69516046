#include "core/Preferences.h"

#include "core/RecordFile.h"
#include "core/WorkFiles.h"
#include "platform/DelayedWrites.h"
#include "platform/DiskFile.h"
#include "platform/FileWriter.h"

#include <QBuffer>
#include <functional>

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

namespace {

QByteArray prefFileBytes(const StationData& station)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writePrefItems(buffer, station);
    return bytes;
}

} // namespace

bool SavePrefFile(const AppState& state, QString* error)
{
    return DiskFile::replaceAtomically(workPath(state.folders, PrefFileName), prefFileBytes(state.station), error);
}

void SavePrefFile(const AppState& state, FileWriter* writer)
{
    if (!writer) {
        SavePrefFile(state);
        return;
    }
    writer->replace(workPath(state.folders, PrefFileName), prefFileBytes(state.station));
}

void SavePrefFileSoon(const AppState& state, DelayedWrites* writes)
{
    if (!writes) {
        SavePrefFile(state);
        return;
    }
    writes->replaceSoon(workPath(state.folders, PrefFileName), [&state] { return prefFileBytes(state.station); });
}

int ReadPrefFile(AppState& state)
{
    auto reader = RecordReader::fromFile(workPath(state.folders, PrefFileName));
    if (!reader)
        return 0;
    RecordReader& r = *reader;
    StationData& s = state.station;
    const std::function<bool()> items[PrefItemCount] = {
        [&] { return r.readText(s.OwnCall); },
        [&] { return r.readText(s.OwnSpc); },
        [&] { return r.readText(s.OwnCountry); },
        [&] { return r.readText(s.OwnArrlSection); },
        [&] { return r.readText(s.OwnName); },
        [&] { return r.readText(s.OwnCategory); },
        [&] { return r.readText(s.OwnCounty); },
        [&] { return r.readText(s.OwnCity); },
        [&] { return r.readText(s.CurrentMode); },
        [&] { return r.readText(s.CurrentBand); },
        [&] { return r.readSingle(s.UtcOffsetHours); },
        [&] { return r.readSingle(s.OwnLongitude); },
        [&] { return r.readSingle(s.OwnLatitude); },
        [&] { return r.readText(s.OwnContinent); },
        [&] { return r.readByte(s.FormSizePercent); },
        [&] { return r.readLong(s.WorkedColor); },
        [&] { return r.readLong(s.RemainingColor); },
        [&] { return r.readSingle(s.StoredOperatingSeconds); },
        [&] { return r.readText(s.HostState); },
        [&] { return r.readByte(s.OutOfState); },
        [&] { return r.readByte(s.OwnRover); },
        [&] { return r.readByte(s.VoiceNavigationLevel); },
        [&] { return r.readText(s.RigName); },
        [&] { return r.readByte(s.TaskbarMode); },
        [&] { return r.readByte(s.ListPreviousContacts); },
    };
    return readItemsInOrder(items);
}
