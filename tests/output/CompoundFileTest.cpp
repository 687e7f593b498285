#include "CompoundFile.h"
#include "XlsReadBack.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace quorlent;
using namespace quorlent::test;

namespace {

// Writes a stream of `size` pseudo-random bytes, handed over in uneven pieces, and reads the
// file back with the independent reader.
void expectStreamSurvives(qint64 size, int expectedDifatSectors)
{
    SCOPED_TRACE(size);
    QByteArray all(size, Qt::Uninitialized);
    std::mt19937 rng{uint32_t(size)};
    for (qint64 i = 0; i < size; ++i)
        all[i] = char(rng() & 0xFF);
    const qint64 cut1 = std::min<qint64>(size, 1000),
                 cut2 = size - std::min<qint64>(size - cut1, 777);
    const std::vector<QByteArray> pieces{all.left(cut1), all.mid(cut1, cut2 - cut1), all.mid(cut2)};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stream.bin"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QString error;
    ASSERT_TRUE(CompoundFile::write(&file, QStringLiteral("Workbook"), pieces, &error))
        << qPrintable(error);
    file.close();

    const ReadWorkbook read = readStream(path);
    ASSERT_EQ(read.failure, QString());
    EXPECT_EQ(read.problems, QStringList());
    EXPECT_EQ(read.streamSize, size);
    EXPECT_EQ(read.streamSha256, QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex());
    EXPECT_EQ(read.difatSectors, expectedDifatSectors);
}

TEST(CompoundFileTest, StreamsOfAnyLengthReadBackIntact)
{
    for (qint64 size : {4096, 4097, 4096 + 511, 8192, 100000, 1234567})
        expectStreamSurvives(size, 0);
}

// The header lists 109 FAT sectors, which describe 109 * 128 = 13952 sectors: the stream's,
// the directory's and their own. A stream of 13842 sectors (7,087,104 bytes) still fits; one
// byte more needs a 110th FAT sector and so the first DIFAT sector. That one lists 127 more
// FAT sectors: 236 in all, enough for streams up to 29970 sectors (15,344,640 bytes).
TEST(CompoundFileTest, FatBeyondTheHeaderIsListedInDifatSectors)
{
    expectStreamSurvives(7087104, 0);
    expectStreamSurvives(7087105, 1);
    expectStreamSurvives(15344640, 1);
    expectStreamSurvives(15344641, 2);
}

TEST(CompoundFileTest, RefusesWhatItCannotWrite)
{
    QString error;
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    // A stream this short would belong in the mini stream.
    EXPECT_FALSE(
        CompoundFile::write(&buffer, QStringLiteral("Workbook"), {QByteArray(4095, 'x')}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(buffer.size(), 0);

    QBuffer closed;
    error.clear();
    EXPECT_FALSE(
        CompoundFile::write(&closed, QStringLiteral("Workbook"), {QByteArray(5000, 'x')}, &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
