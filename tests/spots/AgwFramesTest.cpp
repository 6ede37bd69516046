// The packet engine's frames: the header as the engine lays it out, the stream cut at
// every byte, and a peer that announces more data than a frame may keep.

#include "FakeAgwEngine.h"
#include "core/QStringPrinter.h"
#include "spots/AgwFrames.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<AgwFrame> decodeInPieces(const QByteArray& stream, qsizetype piece)
{
    AgwFrameDecoder decoder;
    std::vector<AgwFrame> frames;
    for (qsizetype at = 0; at < stream.size(); at += piece)
        decoder.feed(QByteArrayView(stream).sliced(at, std::min(piece, stream.size() - at)),
                     [&](AgwFrame&& f) { frames.push_back(std::move(f)); });
    return frames;
}

TEST(AgwFrames, TheHeaderIsTheEnginesLayout)
{
    AgwFrame connect;
    connect.port = 1;
    connect.kind = 'c';
    connect.pid = AgwNoLayer3;
    connect.callFrom = "K5TQP";
    connect.callTo = "W1AW-10";
    connect.data = "hi";
    const QByteArray bytes = encodeAgwFrame(connect);
    EXPECT_EQ(bytes, FakeAgwEngine::header('c', "K5TQP", "W1AW-10", 2, 1, 0xF0) + "hi");

    AgwFrame longCall;
    longCall.kind = 'X';
    longCall.callFrom = "ABCDEFGHIJKL";
    const QByteArray registration = encodeAgwFrame(longCall);
    ASSERT_EQ(registration.size(), AgwHeaderSize);
    EXPECT_EQ(registration.mid(8, 10), QByteArray("ABCDEFGHI\0", 10)) << "the field keeps its NUL";
}

TEST(AgwFrames, TheSameFramesComeOutWhereverTheStreamIsCut)
{
    const QByteArray stream = FakeAgwEngine::header('X', "K5TQP", {}, 1) + QByteArray(1, '\1')
                              + FakeAgwEngine::header('m', {}, {}, 0)
                              + FakeAgwEngine::header('U', "N5ABC", "DX", 5, 2, 0xF0) + "DX de"
                              + FakeAgwEngine::header('d', "0123456789", "K5TQP", 0);
    for (qsizetype piece = 1; piece <= stream.size(); ++piece) {
        SCOPED_TRACE(piece);
        const std::vector<AgwFrame> frames = decodeInPieces(stream, piece);
        ASSERT_EQ(frames.size(), 4u);
        EXPECT_EQ(frames[0].kind, 'X');
        EXPECT_EQ(frames[0].callFrom, "K5TQP");
        EXPECT_EQ(frames[0].data, QByteArray(1, '\1'));
        EXPECT_EQ(frames[1].kind, 'm');
        EXPECT_TRUE(frames[1].data.isEmpty());
        EXPECT_EQ(frames[2].port, 2);
        EXPECT_EQ(frames[2].pid, 0xF0);
        EXPECT_EQ(frames[2].callTo, "DX");
        EXPECT_EQ(frames[2].data, "DX de");
        EXPECT_EQ(frames[3].callFrom, "0123456789") << "a call filling its field";
    }
}

TEST(AgwFrames, ALongFrameKeepsItsFirstDataAndTheStreamStaysInStep)
{
    const QByteArray big(AgwDataKept + 1000, 'x');
    const QByteArray stream =
        FakeAgwEngine::header('I', "N5ABC", "K5TQP", quint32(big.size())) + big + FakeAgwEngine::header('D', "N5ABC", "K5TQP", 3) + "ok\r";
    const std::vector<AgwFrame> frames = decodeInPieces(stream, 700);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].data, big.left(AgwDataKept));
    EXPECT_EQ(frames[1].kind, 'D');
    EXPECT_EQ(frames[1].data, "ok\r");
}

TEST(AgwFrames, ALengthBeyondTheLimitStopsTheStreamAndNamesTheFrame)
{
    AgwFrameDecoder decoder;
    int frames = 0;
    const auto count = [&](AgwFrame&&) { ++frames; };
    // The largest length an engine may announce is still read, kept in part.
    EXPECT_TRUE(decoder.feed(FakeAgwEngine::header('K', "N5ABC", {}, AgwDataLimit) + QByteArray(AgwDataLimit, 'k'),
                             count));
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(decoder.badFrame().isEmpty());

    EXPECT_FALSE(decoder.feed(FakeAgwEngine::header('\x90', "EVIL", {}, AgwDataLimit + 1)
                                  + FakeAgwEngine::header('R', {}, {}, 0),
                              count));
    EXPECT_EQ(decoder.badFrame(), QStringLiteral("ERROR: Bad frame from the AGW Packet Engine: kind 144 from \"EVIL\" "
                                                 "announces 65537 bytes of data (at most 65536)."));
    EXPECT_FALSE(decoder.feed(FakeAgwEngine::header('R', {}, {}, 0), count)) << "nothing after it is read";
    EXPECT_EQ(frames, 1);
    EXPECT_LE(decoder.held(), AgwHeaderSize + AgwDataKept);
    decoder.reset();
    EXPECT_TRUE(decoder.feed(FakeAgwEngine::header('R', {}, {}, 0), count));
    EXPECT_EQ(frames, 2) << "after a reset the next frame is read from its header";
}

} // namespace
