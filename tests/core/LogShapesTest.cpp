// Whatever shape an editor or a crash gave log.txt, as long as it loads, every contact the
// program then accepts loads again at the next reload: random contacts appended to random
// logs of every shape the reader accepts, reloaded after each.

#include "LogStoreFixture.h"
#include "core/LogStore.h"
#include "core/QStringPrinter.h"
#include "support/TestLog.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// The endings the reader accepts after the last whole record.
enum class Ending { LineEnd, NoLineEnd, EmptyLines, BlankLines, CutRecord };

class Shaper {
public:
    explicit Shaper(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }
    bool oneIn(int n) { return below(n) == 0; }

    // Text the entry fields can hold: letters, digits, blanks, commas, slashes, Latin-1;
    // empty, one character or long.
    QString text()
    {
        static const QString alphabet = QStringLiteral("AKNW05 ,/-.") + QChar(0xE9) + QChar(0xD1);
        const int length = oneIn(4) ? 0 : below(14);
        QString value;
        for (int i = 0; i < length; ++i)
            value += alphabet[below(int(alphabet.size()))];
        return value;
    }

    LogEntry contact()
    {
        LogEntry e;
        for (QString* field : {&e.Call, &e.RstSent, &e.RstRcvd, &e.Spc, &e.County, &e.AltState, &e.CountySent,
                               &e.Spare8, &e.Spare9, &e.Spare10, &e.Spare11, &e.Date, &e.Time, &e.Mode, &e.Band,
                               &e.Spare17, &e.Spare18, &e.Frequency})
            *field = text();
        return e;
    }

    QByteArray lineEnd()
    {
        static const QByteArray ends[] = {"\r\n", "\n", "\r"};
        return ends[below(3)];
    }

    // A log holding the contacts, its records ended by one kind of line end or by a mix,
    // perhaps after a byte-order mark, and the ending.
    QByteArray file(const std::vector<LogEntry>& contacts, Ending ending)
    {
        const bool mixed = oneIn(3);
        const QByteArray end = lineEnd();
        QByteArray bytes = oneIn(4) ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        for (const LogEntry& e : contacts)
            bytes += logRecord(e).chopped(2) + (mixed ? lineEnd() : end);
        switch (ending) {
        case Ending::LineEnd:
            break;
        case Ending::NoLineEnd:
            if (!contacts.empty())
                bytes.chop(bytes.endsWith("\r\n") ? 2 : 1);
            break;
        case Ending::EmptyLines:
            for (int n = 1 + below(3); n > 0; --n)
                bytes += lineEnd();
            break;
        case Ending::BlankLines:
            for (int n = 1 + below(3); n > 0; --n)
                bytes += QByteArray(below(3), ' ') + (oneIn(2) ? "\t" : "") + lineEnd();
            break;
        case Ending::CutRecord: {
            // Cut anywhere before the last value's closing quote.
            const QByteArray record = logRecord(contact()).chopped(3);
            bytes += record.left(1 + below(int(record.size())));
            break;
        }
        }
        return bytes;
    }

private:
    QRandomGenerator m_random;
};

class LogShapes : public LogStoreFixture {
protected:
    // The contacts a fresh load finds, or nothing when it does not load or has to cut.
    std::optional<std::vector<LogEntry>> reloaded()
    {
        auto fresh = std::make_unique<AppState>();
        folders.applyTo(*fresh);
        QString notice;
        if (LoadLogFile(*fresh, &notice) != LoadLogResult::Loaded || !notice.isEmpty())
            return std::nullopt;
        return std::vector<LogEntry>(fresh->log.Log.begin() + 1, fresh->log.Log.begin() + 1 + fresh->log.QsoCount);
    }
};

TEST_F(LogShapes, EveryAcceptedContactLoadsAgainWhateverTheShapeOfTheLog)
{
    const Ending endings[] = {Ending::LineEnd, Ending::NoLineEnd, Ending::EmptyLines, Ending::BlankLines,
                              Ending::CutRecord};
    for (quint32 seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Shaper shape(seed);
        const Ending ending = endings[seed % std::size(endings)];
        std::vector<LogEntry> contacts;
        for (int n = shape.below(4); n > 0; --n)
            contacts.push_back(shape.contact());
        const QByteArray file = shape.file(contacts, ending);
        writeBytes(logFile(), file);

        state.log.FirstLoadCount = 0;
        QString notice;
        ASSERT_EQ(LoadLogFile(state, &notice), LoadLogResult::Loaded) << file.toPercentEncoding().toStdString();
        EXPECT_EQ(notice.isEmpty(), ending != Ending::CutRecord);
        ASSERT_EQ(state.log.QsoCount, qint32(contacts.size()));

        for (int n = 1 + shape.below(3); n > 0; --n) {
            contacts.push_back(shape.contact());
            state.log.Log[size_t(++state.log.QsoCount)] = contacts.back();
            ASSERT_TRUE(AppendLogEntry(state));
            ASSERT_EQ(reloaded(), contacts) << readBytes(logFile()).toPercentEncoding().toStdString();
        }
        // An edit rewrites the file; it loads again, without a byte-order mark.
        ASSERT_TRUE(RewriteLogFile(state));
        EXPECT_FALSE(readBytes(logFile()).startsWith("\xEF\xBB\xBF"));
        ASSERT_EQ(reloaded(), contacts);
    }
}

} // namespace
