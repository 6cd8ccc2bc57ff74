// The writer behind: pieces arrive whole and in order, from buffers the converter refills, and a failure reaches
// the converter.
#include "engine/WriteBehind.h"

#include "support/TestSupport.h"

#include <stdexcept>
#include <thread>

namespace quillora {
namespace {

constexpr qint64 large = qint64(64) << 20;

// Hands pieces 0 .. count-1 from two buffers it refills in turn, as the converters do, and returns what the sink got.
QByteArray writeThrough(qint64 size, int count, int failingPiece = -1)
{
    QByteArray written;
    int calls = 0;
    const Utf8Sink sink = [&](QByteArrayView bytes) {
        if (calls++ == failingPiece)
            throw std::runtime_error("disk full");
        // Gives the converter every chance to refill the buffer being written, were it allowed to.
        std::this_thread::yield();
        written.append(bytes);
    };
    QByteArray buffers[2];
    WriteBehind behind(sink, size);
    for (int piece = 0; piece < count; ++piece) {
        QByteArray& buffer = buffers[piece % 2];
        buffer = QByteArray(1000, char('a' + piece % 26));
        behind.sink()(buffer);
    }
    behind.finish();
    return written;
}

QByteArray expectedPieces(int count)
{
    QByteArray expected;
    for (int piece = 0; piece < count; ++piece)
        expected.append(QByteArray(1000, char('a' + piece % 26)));
    return expected;
}

TEST(WriteBehind, HandsEveryPieceWholeAndInOrderWhetherBehindOrStraight)
{
    for (const qint64 size : {qint64(100), large}) {
        for (const int count : {0, 1, 2, 3, 500})
            EXPECT_EQ(writeThrough(size, count), expectedPieces(count)) << size << " bytes, " << count << " pieces";
    }
}

TEST(WriteBehind, AFailedWriteReachesTheConverter)
{
    for (const qint64 size : {qint64(100), large}) {
        for (const int failing : {0, 1, 7}) {
            QByteArray written;
            EXPECT_THROW(written = writeThrough(size, 20, failing), std::runtime_error) << size << ", " << failing;
        }
    }
}

} // namespace
} // namespace quillora
