#include "CompoundFile.h"
#include "LittleEndian.h"

#include <QIODevice>
#include <QObject>

#include <cstring>

namespace quorlent {

namespace {

using le::put16;
using le::put32;

constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kNoStream = 0xFFFFFFFF;

constexpr int kIdsPerSector = CompoundFile::kSectorSize / 4;
constexpr int kHeaderDifatIds = 109;
constexpr int kDirEntrySize = 128;

// One 128-byte directory entry; `type` 5 is the root storage, 2 a stream.
void putDirEntry(char *p, const QString &name, uint8_t type, uint32_t child, uint32_t start,
                 uint32_t size)
{
    std::memset(p, 0, kDirEntrySize);
    const int units = int(qMin<qsizetype>(name.size(), 31));
    for (int i = 0; i < units; ++i)
        put16(p + 2 * i, name.at(i).unicode());
    put16(p + 0x40, uint16_t((units + 1) * 2)); // with the terminating zero
    p[0x42] = char(type);
    p[0x43] = 1; // black: a one-node red-black tree
    put32(p + 0x44, kNoStream);
    put32(p + 0x48, kNoStream);
    put32(p + 0x4C, child);
    put32(p + 0x74, start);
    put32(p + 0x78, size);
}

void putUnusedDirEntry(char *p)
{
    std::memset(p, 0, kDirEntrySize);
    put32(p + 0x44, kNoStream);
    put32(p + 0x48, kNoStream);
    put32(p + 0x4C, kNoStream);
}

bool writeAll(QIODevice *device, const char *data, qint64 size, QString *error)
{
    while (size > 0) {
        const qint64 n = device->write(data, size);
        if (n <= 0) {
            if (error)
                *error = device->errorString();
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

CompoundFile::Layout CompoundFile::layoutFor(int64_t streamSize)
{
    Layout layout;
    layout.streamSectors = uint32_t((streamSize + kSectorSize - 1) / kSectorSize);
    layout.directorySector = layout.streamSectors;
    // The FAT has to describe its own sectors and the DIFAT sectors too, so grow both until
    // they cover everything; the counts only ever rise, so this settles within a few rounds.
    for (;;) {
        const uint64_t sectors =
            uint64_t(layout.streamSectors) + 1 + layout.fatSectors + layout.difatSectors;
        const auto fat = uint32_t((sectors + kIdsPerSector - 1) / kIdsPerSector);
        const uint32_t difat =
            fat > kHeaderDifatIds
                ? (fat - kHeaderDifatIds + (kIdsPerSector - 1) - 1) / (kIdsPerSector - 1)
                : 0;
        if (fat == layout.fatSectors && difat == layout.difatSectors)
            break;
        layout.fatSectors = fat;
        layout.difatSectors = difat;
    }
    return layout;
}

bool CompoundFile::write(QIODevice *device, const QString &streamName,
                         const std::vector<QByteArray> &pieces, QString *error)
{
    int64_t streamSize = 0;
    for (const QByteArray &piece : pieces)
        streamSize += piece.size();
    if (streamSize < kMinStreamSize || streamSize > kMaxStreamSize) {
        if (error)
            *error = QObject::tr("复合文件的数据流长度 %1 超出范围").arg(streamSize);
        return false;
    }
    if (!device || !device->isWritable()) {
        if (error)
            *error = QObject::tr("输出设备不可写");
        return false;
    }

    const Layout layout = layoutFor(streamSize);
    const uint32_t firstFat = layout.directorySector + 1;
    const uint32_t firstDifat = firstFat + layout.fatSectors;

    QByteArray header(kSectorSize, '\0');
    char *h = header.data();
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(h, signature, 8);
    put16(h + 0x18, 0x003E); // minor version
    put16(h + 0x1A, 0x0003); // major version 3: 512-byte sectors
    put16(h + 0x1C, 0xFFFE); // little-endian
    put16(h + 0x1E, 9);      // sector size 2^9
    put16(h + 0x20, 6);      // mini sector size 2^6
    put32(h + 0x2C, layout.fatSectors);
    put32(h + 0x30, layout.directorySector);
    put32(h + 0x38, uint32_t(kMinStreamSize)); // mini stream cut-off
    put32(h + 0x3C, kEndOfChain);              // no mini FAT
    put32(h + 0x44, layout.difatSectors ? firstDifat : kEndOfChain);
    put32(h + 0x48, layout.difatSectors);
    for (int i = 0; i < kHeaderDifatIds; ++i)
        put32(h + 0x4C + 4 * i, uint32_t(i) < layout.fatSectors ? firstFat + i : kFreeSector);

    QByteArray directory(kSectorSize, '\0');
    putDirEntry(directory.data(), QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    putDirEntry(directory.data() + kDirEntrySize, streamName, 2, kNoStream,
                layout.streamSectors ? 0 : kEndOfChain, uint32_t(streamSize));
    putUnusedDirEntry(directory.data() + 2 * kDirEntrySize);
    putUnusedDirEntry(directory.data() + 3 * kDirEntrySize);

    QByteArray fat(qsizetype(layout.fatSectors) * kSectorSize, '\xFF'); // all free
    char *f = fat.data();
    for (uint32_t s = 0; s < layout.streamSectors; ++s)
        put32(f + 4 * s, s + 1 < layout.streamSectors ? s + 1 : kEndOfChain);
    put32(f + 4 * layout.directorySector, kEndOfChain);
    for (uint32_t s = 0; s < layout.fatSectors; ++s)
        put32(f + 4 * (firstFat + s), kFatSector);
    for (uint32_t s = 0; s < layout.difatSectors; ++s)
        put32(f + 4 * (firstDifat + s), kDifatSector);

    QByteArray difat(qsizetype(layout.difatSectors) * kSectorSize, '\xFF');
    for (uint32_t s = 0; s < layout.difatSectors; ++s) {
        char *d = difat.data() + qsizetype(s) * kSectorSize;
        for (int i = 0; i < kIdsPerSector - 1; ++i) {
            const uint64_t fatIndex = kHeaderDifatIds + uint64_t(s) * (kIdsPerSector - 1) + i;
            if (fatIndex < layout.fatSectors)
                put32(d + 4 * i, firstFat + uint32_t(fatIndex));
        }
        const bool last = s + 1 == layout.difatSectors;
        put32(d + 4 * (kIdsPerSector - 1), last ? kEndOfChain : firstDifat + s + 1);
    }

    QString deviceError;
    bool ok = writeAll(device, header.constData(), header.size(), &deviceError);
    for (const QByteArray &piece : pieces) {
        if (!ok)
            break;
        ok = writeAll(device, piece.constData(), piece.size(), &deviceError);
    }
    const int64_t tail = int64_t(layout.streamSectors) * kSectorSize - streamSize;
    if (ok && tail > 0) {
        const QByteArray zeros(tail, '\0');
        ok = writeAll(device, zeros.constData(), zeros.size(), &deviceError);
    }
    ok = ok && writeAll(device, directory.constData(), directory.size(), &deviceError) &&
         writeAll(device, fat.constData(), fat.size(), &deviceError) &&
         writeAll(device, difat.constData(), difat.size(), &deviceError);
    if (!ok && error)
        *error = QObject::tr("写入失败：%1").arg(deviceError);
    return ok;
}

} // namespace quorlent
