#pragma once

#include <QtEndian>

#include <cstdint>

// Both the workbook records and the compound file around them are little-endian
// whatever the machine; these write a field in place.
namespace quorlent::le {

inline void put16(char *p, uint16_t v) { qToLittleEndian<quint16>(v, p); }
inline void put32(char *p, uint32_t v) { qToLittleEndian<quint32>(v, p); }
inline void put64(char *p, uint64_t v) { qToLittleEndian<quint64>(v, p); }

} // namespace quorlent::le
