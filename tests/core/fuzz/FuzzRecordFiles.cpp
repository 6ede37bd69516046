#include "FuzzRecordFiles.h"

#include "core/AppState.h"
#include "core/LogStore.h"
#include "core/Preferences.h"
#include "core/RecordFile.h"
#include "core/SharedPreferences.h"
#include "core/Tables.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace {

void require(bool rule)
{
    if (!rule)
        std::abort();
}

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// Every value of the data as the reader gives it, read as text. Each read moves on by at
// least one byte and never past the end, so the reading ends.
QStringList allValues(RecordReader& reader, qsizetype size)
{
    QStringList values;
    while (!reader.atEnd()) {
        const qsizetype before = reader.position();
        QString value;
        require(reader.readText(value));
        require(reader.position() > before && reader.position() <= size);
        values.append(value);
    }
    QString none;
    require(!reader.readText(none) && none.isEmpty());
    return values;
}

void checkReader(const QByteArray& bytes)
{
    RecordReader plain(bytes);
    const QStringList values = allValues(plain, bytes.size());
    // A byte-order mark in front changes nothing of what is read.
    if (!bytes.startsWith(Bom)) {
        RecordReader marked(Bom + bytes);
        require(marked.atLineStart());
        require(allValues(marked, bytes.size() + Bom.size()) == values);
    }
    // The typed readers take or refuse a value, never more than one.
    RecordReader typed(bytes);
    for (int kind = 0; !typed.atEnd(); kind = (kind + 1) % 6) {
        const qsizetype before = typed.position();
        float single = 0;
        double real = 0;
        quint8 byte = 0;
        qint32 whole = 0;
        bool truth = false;
        switch (kind) {
        case 0: typed.readSingle(single); break;
        case 1: typed.readDouble(real); break;
        case 2: typed.readByte(byte); break;
        case 3: typed.readLong(whole); break;
        case 4: typed.readBool(truth); break;
        default: typed.skipValue(); break;
        }
        require(typed.position() > before);
    }
}

// The input's lines, as texts, written by the writer read back as the writer says it keeps
// them: Latin-1 without double quotes.
void checkWrittenTexts(const QByteArray& bytes)
{
    const QList<QByteArray> pieces = bytes.split('\n');
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    QStringList written;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        written.append(QString::fromLatin1(pieces[i]));
        writer.text(written.back());
        if (i % 3 == 2)
            writer.endRecord();
    }
    writer.endRecord();
    require(writer.ok());
    RecordReader reader(file);
    for (const QString& text : written) {
        QString back;
        require(reader.readText(back));
        require(back == recordSafeText(text));
    }
    require(reader.onlyLineEndsLeft());
}

// A folder laid out as the program's: the working folder and the data folder, in which the
// files are written anew for each input.
struct Workplace {
    QTemporaryDir root;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();

    Workplace()
    {
        require(root.isValid());
        QDir(root.path()).mkpath(QStringLiteral("work"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        state->folders.WorkingDirectory = root.path() + QStringLiteral("/work");
        state->folders.DataFolder = root.path() + QStringLiteral("/data");
        state->folders.SharedFolder = root.path() + QStringLiteral("/data");
        state->station.HostState = QStringLiteral("TX");
    }
    QString work(const QString& name) const { return state->folders.WorkingDirectory + QLatin1Char('/') + name; }
    QDir backup() const { return QDir(state->folders.DataFolder + QStringLiteral("/BACKUP")); }
};

Workplace& workplace()
{
    static Workplace place;
    return place;
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(bytes) == bytes.size());
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QByteArray written(const LogStoreState& log)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    for (qint32 i = 1; i <= log.QsoCount; ++i)
        writeLogEntry(writer, log.Log[size_t(i)]);
    require(writer.ok());
    return bytes;
}

// log.txt: a log that reads loads whole and untouched, and writes back as a log that reads
// the same; one whose last record a crash cut loads once the cut record is set aside (the
// whole file kept in BACKUP, log.txt the part before it, which reads); any other is refused
// and left as it was.
void checkLog(const QByteArray& bytes)
{
    Workplace& place = workplace();
    AppState& state = *place.state;
    place.backup().removeRecursively();
    const QString path = place.work(QStringLiteral("log.txt"));
    write(path, bytes);
    const bool readable = isReadableLog(bytes);
    QString notice;
    const LoadLogResult result = LoadLogFile(state, &notice);
    require(state.log.QsoCount >= 0 && state.log.QsoCount <= MaxLogEntries);
    const QByteArray after = contents(path);
    if (readable) {
        require(result == LoadLogResult::Loaded && notice.isEmpty() && after == bytes);
        // Written back, the records read as the same records.
        const qint32 count = state.log.QsoCount;
        const QByteArray again = written(state.log);
        write(path, again);
        require(LoadLogFile(state) == LoadLogResult::Loaded && state.log.QsoCount == count);
        require(written(state.log) == again);
    } else if (result == LoadLogResult::Loaded && after != bytes) {
        require(!notice.isEmpty() && bytes.startsWith(after));
        const QStringList kept = place.backup().entryList(QDir::Files);
        require(kept.size() == 1 && contents(place.backup().filePath(kept.front())) == bytes);
        // What is left loads as it is, with nothing more to set aside. (A record of nothing
        // but empty lines just before the cut one reads as trailing empty lines once the
        // cut one is gone, so the count may be one less.)
        const qint32 count = state.log.QsoCount;
        notice.clear();
        require(LoadLogFile(state, &notice) == LoadLogResult::Loaded && notice.isEmpty());
        require(state.log.QsoCount <= count && contents(path) == after);
    } else {
        require(after == bytes);
    }
}

// The other files that go through the reader: whatever they hold, their loading stays
// within its tables.
void checkTables(const QByteArray& bytes)
{
    Workplace& place = workplace();
    AppState& state = *place.state;
    for (const char* name : {"county2.txt", "states.txt", "QSOpref.txt", "arrlpre2.txt", "prefs.xml"})
        write(place.work(QString::fromLatin1(name)), bytes);

    qint32 left = 0;
    LoadCountyTable(state, &left);
    require(state.tables.CountyCount >= 0 && state.tables.CountyCount <= MaxHostCounties && left >= 0);
    LoadStateTable(state);
    state.tables.PrefixCount = 0;
    LoadPrefixTable(state.tables, place.work(QStringLiteral("arrlpre2.txt")));
    require(state.tables.PrefixCount >= 0 && state.tables.PrefixCount <= MaxPrefixRows);
    require(ReadPrefFile(state) >= 0);
    LoadGlobalPreferences(state.shared, place.work(QStringLiteral("prefs.xml")));
    QString key = QStringLiteral("Sound");
    require(SetGlobalPreference(state.shared, key, QStringLiteral("on"), 0));
    require(state.shared.GlobalPreferencesText.contains(QStringLiteral("<SOUND>on</SOUND>")));
}

} // namespace

void fuzzRecordFiles(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkReader(bytes);
    checkWrittenTexts(bytes);
    checkLog(bytes);
    checkTables(bytes);
}
