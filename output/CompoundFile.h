#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

class QIODevice;

namespace quorlent {

// An OLE2 compound file (version 3, 512-byte sectors) holding a single stream below the root,
// which is all an Excel 97-2003 workbook needs. The stream is handed over in pieces so that a
// workbook of tens of megabytes is never copied into one buffer.
class CompoundFile
{
  public:
    static constexpr int kSectorSize = 512;
    // Shorter streams would belong in the mini stream, which this writer does not produce; the
    // workbook writer pads its stream up to this size instead.
    static constexpr int64_t kMinStreamSize = 4096;
    // Version 3 files keep stream sizes in 31 bits.
    static constexpr int64_t kMaxStreamSize = 0x7FFFFFFF;

    // How the sectors of a file with a stream of `streamSize` bytes are laid out: the stream
    // first, then the directory, the allocation table (FAT) and, when the FAT outgrows the 109
    // places in the header, the chain of DIFAT sectors that lists the rest.
    struct Layout
    {
        uint32_t streamSectors = 0;
        uint32_t directorySector = 0;
        uint32_t fatSectors = 0;
        uint32_t difatSectors = 0;
        uint32_t totalSectors() const { return streamSectors + 1 + fatSectors + difatSectors; }
        int64_t fileSize() const { return int64_t(kSectorSize) * (1 + totalSectors()); }
    };
    static Layout layoutFor(int64_t streamSize);

    // Writes the whole file to `device` (open for writing). `streamName` is at most 31 UTF-16
    // units. Returns false and sets `error` when the stream size is out of range or the device
    // fails.
    static bool write(QIODevice *device, const QString &streamName,
                      const std::vector<QByteArray> &pieces, QString *error);
};

} // namespace quorlent
