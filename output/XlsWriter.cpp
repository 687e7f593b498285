#include "XlsWriter.h"

#include "CompoundFile.h"
#include "LittleEndian.h"

#include <QDir>
#include <QIODevice>
#include <QObject>
#include <QSaveFile>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <span>

namespace quorlent {

namespace {

using le::put16;
using le::put32;
using le::put64;

// Record types of BIFF8.
enum RecordType : uint16_t
{
    kBof = 0x0809,
    kEof = 0x000A,
    kInterfaceHdr = 0x00E1,
    kMms = 0x00C1,
    kInterfaceEnd = 0x00E2,
    kWriteAccess = 0x005C,
    kCodePage = 0x0042,
    kDsf = 0x0161,
    kTabId = 0x013D,
    kFnGroupCount = 0x009C,
    kWindowProtect = 0x0019,
    kProtect = 0x0012,
    kPassword = 0x0013,
    kProt4Rev = 0x01AF,
    kProt4RevPass = 0x01BC,
    kWindow1 = 0x003D,
    kBackup = 0x0040,
    kHideObj = 0x008D,
    kDate1904 = 0x0022,
    kPrecision = 0x000E,
    kRefreshAll = 0x01B7,
    kBookBool = 0x00DA,
    kFont = 0x0031,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kUsesElfs = 0x0160,
    kBoundSheet = 0x0085,
    kCountry = 0x008C,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kExtSst = 0x00FF,
    kIndex = 0x020B,
    kCalcMode = 0x000D,
    kCalcCount = 0x000C,
    kRefMode = 0x000F,
    kIteration = 0x0011,
    kDelta = 0x0010,
    kSaveRecalc = 0x005F,
    kPrintHeaders = 0x002A,
    kPrintGridlines = 0x002B,
    kGridSet = 0x0082,
    kGuts = 0x0080,
    kDefaultRowHeight = 0x0225,
    kWsBool = 0x0081,
    kHeader = 0x0014,
    kFooter = 0x0015,
    kHCenter = 0x0083,
    kVCenter = 0x0084,
    kSetup = 0x00A1,
    kDefColWidth = 0x0055,
    kDimensions = 0x0200,
    kRow = 0x0208,
    kDbCell = 0x00D7,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kRk = 0x027E,
    kMulRk = 0x00BD,
    kWindow2 = 0x023E,
};

constexpr int kMaxRecordData = 8224; // payload limit of one record; longer data goes on in CONTINUE
constexpr uint16_t kCellXf = 15;     // the default cell format, after the 15 built-in style XFs
constexpr int kRowsPerBlock = 32;
constexpr int kRowRecordSize = 20;
constexpr uint16_t kRowHeight = 0x00FF; // twips; what Excel uses for 10-point Arial
constexpr uint16_t kUtf16Le = 1200;

bool needsUtf16(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; });
}

// A BIFF record stream under construction. Positions are offsets in the whole Workbook stream,
// which is what BOUNDSHEET, INDEX, DBCELL and EXTSST point with.
class Biff
{
  public:
    explicit Biff(int64_t base) : m_base(base) {}

    int64_t pos() const { return m_base + m_data.size(); }
    qsizetype size() const { return m_data.size(); }
    QByteArray take() { return std::move(m_data); }
    void reserve(qsizetype n) { m_data.reserve(n); }

    // A record whose length end() fills in.
    void begin(uint16_t type)
    {
        m_recordStart = m_data.size();
        u16(type);
        u16(0);
    }
    void end()
    {
        const qsizetype length = m_data.size() - m_recordStart - 4;
        Q_ASSERT(length <= kMaxRecordData);
        patch16(m_recordStart + 2, uint16_t(length));
    }
    int room() const { return kMaxRecordData - int(m_data.size() - m_recordStart - 4); }
    int64_t recordPos() const { return m_base + m_recordStart; }

    void record(uint16_t type, std::initializer_list<uint16_t> words)
    {
        begin(type);
        for (uint16_t w : words)
            u16(w);
        end();
    }

    void u8(uint8_t v) { m_data.append(char(v)); }
    void u16(uint16_t v)
    {
        char b[2];
        put16(b, v);
        m_data.append(b, 2);
    }
    void u32(uint32_t v)
    {
        char b[4];
        put32(b, v);
        m_data.append(b, 4);
    }
    void f64(double v)
    {
        char b[8];
        put64(b, std::bit_cast<uint64_t>(v));
        m_data.append(b, 8);
    }
    void raw(const char *p, qsizetype n) { m_data.append(p, n); }
    void zeros(qsizetype n) { m_data.append(n, '\0'); }

    // Characters of an XLUnicodeString: one byte each (Latin-1) or UTF-16LE.
    void chars(QStringView text, bool utf16)
    {
        if (!utf16) {
            const qsizetype at = m_data.size();
            m_data.resize(at + text.size());
            char *p = m_data.data() + at;
            for (QChar c : text)
                *p++ = char(c.unicode());
        } else if constexpr (std::endian::native == std::endian::little) {
            m_data.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        } else {
            for (QChar c : text)
                u16(c.unicode());
        }
    }

    void patch16(qsizetype at, uint16_t v) { put16(m_data.data() + at, v); }
    void patch32(qsizetype at, uint32_t v) { put32(m_data.data() + at, v); }

  private:
    int64_t m_base;
    QByteArray m_data;
    qsizetype m_recordStart = 0;
};

void writeBof(Biff &b, uint16_t substreamType)
{
    b.begin(kBof);
    b.u16(0x0600); // BIFF8
    b.u16(substreamType);
    b.u16(0x0DBB); // build and year of the Excel 97 that introduced BIFF8
    b.u16(0x07CC);
    b.u32(0); // file history
    b.u32(6); // lowest version that can read every record
    b.end();
}

void writeFont(Biff &b)
{
    b.begin(kFont);
    b.u16(200);    // 10 points, in twips
    b.u16(0);      // not italic, not struck out
    b.u16(0x7FFF); // automatic colour
    b.u16(400);    // normal weight
    b.u16(0);      // no super- or subscript
    b.u8(0);       // no underline
    b.u8(0);       // family
    b.u8(0);       // character set: the one of the font
    b.u8(0);
    const QString name = QStringLiteral("Arial");
    b.u8(uint8_t(name.size()));
    b.u8(0);
    b.chars(name, false);
    b.end();
}

// One XF record: 20 bytes, vertical alignment at the bottom, no borders, automatic colours.
void writeXf(Biff &b, uint16_t font, uint16_t format, bool style, uint8_t usedAttributes)
{
    b.begin(kXf);
    b.u16(font);
    b.u16(format);
    b.u16(style ? 0xFFF5 : 0x0001); // locked; style XFs have no parent (0xFFF)
    b.u8(0x20);                     // bottom-aligned
    b.u8(0);                        // no rotation
    b.u8(0);                        // no indent
    b.u8(usedAttributes);
    b.u32(0);      // borders
    b.u32(0);      // border colours
    b.u16(0x20C0); // pattern colours: system window text and background
    b.end();
}

void writeFormatRecords(Biff &b)
{
    // Excel's standard set: fonts 0-3 and 5 (index 4 does not exist), the 15 style XFs for the
    // Normal style and the outline levels, the default cell XF 15, and style XFs 16-20 for the
    // built-in Comma, Currency and Percent styles.
    for (int i = 0; i < 5; ++i)
        writeFont(b);
    writeXf(b, 0, 0, true, 0);
    writeXf(b, 1, 0, true, 0xF4);
    writeXf(b, 1, 0, true, 0xF4);
    writeXf(b, 2, 0, true, 0xF4);
    writeXf(b, 2, 0, true, 0xF4);
    for (int i = 5; i < 15; ++i)
        writeXf(b, 0, 0, true, 0xF4);
    writeXf(b, 0, 0, false, 0);
    writeXf(b, 1, 0x2B, true, 0xF8);
    writeXf(b, 1, 0x29, true, 0xF8);
    writeXf(b, 1, 0x2C, true, 0xF8);
    writeXf(b, 1, 0x2A, true, 0xF8);
    writeXf(b, 1, 0x09, true, 0xF8);

    struct BuiltInStyle
    {
        uint16_t xf;
        uint8_t id;
    };
    static constexpr BuiltInStyle styles[] = {{0, 0}, {16, 3}, {17, 6}, {18, 4}, {19, 7}, {20, 5}};
    for (const BuiltInStyle &s : styles) {
        b.begin(kStyle);
        b.u16(0x8000 | s.xf);
        b.u8(s.id);
        b.u8(0xFF); // no outline level
        b.end();
    }
}

// The shared string table, continued in CONTINUE records as it grows, and the EXTSST index into
// it. A string's 3-byte header never straddles two records, and when its characters do, the
// continuation repeats the flag byte that says whether they are one or two bytes wide.
void writeSst(Biff &b, const std::vector<const QString *> &strings, uint32_t references)
{
    const auto unique = uint32_t(strings.size());
    const uint32_t perBucket = std::max<uint32_t>(8, unique / 128 + 1); // at most 128 buckets
    struct Bucket
    {
        uint32_t pos;
        uint16_t offsetInRecord;
    };
    std::vector<Bucket> buckets;

    b.begin(kSst);
    b.u32(references);
    b.u32(unique);
    for (uint32_t i = 0; i < unique; ++i) {
        const QString &s = *strings[i];
        const bool utf16 = needsUtf16(s);
        const int unit = utf16 ? 2 : 1;
        if (b.room() < 3 + unit) {
            b.end();
            b.begin(kContinue);
        }
        if (i % perBucket == 0)
            buckets.push_back({uint32_t(b.pos()), uint16_t(b.pos() - b.recordPos())});
        b.u16(uint16_t(s.size()));
        b.u8(utf16 ? 1 : 0);
        qsizetype done = 0;
        while (done < s.size()) {
            qsizetype take = std::min<qsizetype>(b.room() / unit, s.size() - done);
            // Keep a surrogate pair together, so that each record holds whole characters.
            if (utf16 && take > 0 && done + take < s.size() &&
                s.at(done + take - 1).isHighSurrogate())
                --take;
            if (take == 0) {
                b.end();
                b.begin(kContinue);
                b.u8(utf16 ? 1 : 0);
                continue;
            }
            b.chars(QStringView(s).mid(done, take), utf16);
            done += take;
        }
    }
    b.end();

    b.begin(kExtSst);
    b.u16(uint16_t(perBucket));
    for (const Bucket &bucket : buckets) {
        b.u32(bucket.pos);
        b.u16(bucket.offsetInRecord);
        b.u16(0);
    }
    b.end();
}

// The workbook globals. Returns where each BOUNDSHEET keeps the stream offset of its sheet, to
// be filled in once the sizes of the sheets before it are known.
std::vector<qsizetype> writeGlobals(Biff &b, const std::vector<QString> &sheetNames,
                                    const std::vector<const QString *> &strings,
                                    uint32_t references)
{
    writeBof(b, 0x0005);
    b.record(kInterfaceHdr, {kUtf16Le});
    b.record(kMms, {0});
    b.record(kInterfaceEnd, {});

    b.begin(kWriteAccess); // the user name, blank-padded to 112 bytes
    const QString user = QStringLiteral("Quorlent");
    b.u16(uint16_t(user.size()));
    b.u8(0);
    b.chars(user, false);
    b.raw(QByteArray(112 - 3 - user.size(), ' ').constData(), 112 - 3 - user.size());
    b.end();

    b.record(kCodePage, {kUtf16Le});
    b.record(kDsf, {0});
    b.begin(kTabId);
    for (size_t i = 0; i < sheetNames.size(); ++i)
        b.u16(uint16_t(i + 1));
    b.end();
    b.record(kFnGroupCount, {0x000E});
    b.record(kWindowProtect, {0});
    b.record(kProtect, {0});
    b.record(kPassword, {0});
    b.record(kProt4Rev, {0});
    b.record(kProt4RevPass, {0});
    // Window position and size in twips, tab bar on, first sheet active and the only one
    // selected, tab bar taking 60% of the scroll bar width.
    b.record(kWindow1, {0x0168, 0x001E, 0x3A98, 0x2328, 0x0038, 0, 0, 1, 0x0258});
    b.record(kBackup, {0});
    b.record(kHideObj, {0});
    b.record(kDate1904, {0});
    b.record(kPrecision, {1});
    b.record(kRefreshAll, {0});
    b.record(kBookBool, {0});
    writeFormatRecords(b);
    b.record(kUsesElfs, {0});

    std::vector<qsizetype> offsetFields;
    for (const QString &name : sheetNames) {
        b.begin(kBoundSheet);
        offsetFields.push_back(b.size());
        b.u32(0);
        b.u8(0); // visible
        b.u8(0); // worksheet
        const bool utf16 = needsUtf16(name);
        b.u8(uint8_t(name.size()));
        b.u8(utf16 ? 1 : 0);
        b.chars(name, utf16);
        b.end();
    }
    b.record(kCountry, {1, 1});
    writeSst(b, strings, references);
    b.record(kEof, {});
    return offsetFields;
}

bool toRk(double v, uint32_t *rk)
{
    // A 30-bit integer, or a double whose low 34 bits are zero (0.5, 1.25, ...).
    if (v >= -536870912.0 && v <= 536870911.0) {
        const auto i = int32_t(v);
        if (double(i) == v) {
            *rk = (uint32_t(i) << 2) | 2;
            return true;
        }
    }
    const auto bits = std::bit_cast<uint64_t>(v);
    if ((bits & 0x3FFFFFFFFull) == 0) {
        *rk = uint32_t(bits >> 32);
        return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------

QString XlsWriter::sheetName(int sheet) const
{
    return sheet >= 0 && sheet < sheetCount() ? m_sheets[size_t(sheet)].name : QString();
}

int XlsWriter::addSheet(const QString &name)
{
    if (name.isEmpty() || name.size() > kMaxSheetNameLength || sheetCount() >= kMaxSheets)
        return -1;
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return -1;
    for (QChar c : name) {
        if (QStringView(u"[]:*?/\\").contains(c))
            return -1;
    }
    for (const Sheet &sheet : m_sheets) {
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0)
            return -1;
    }
    m_sheets.push_back(Sheet{name, {}});
    return sheetCount() - 1;
}

bool XlsWriter::addCell(int sheet, int row, int column, const Cell &cell)
{
    if (sheet < 0 || sheet >= sheetCount() || row < 0 || row >= kMaxRows || column < 0 ||
        column >= kMaxColumns)
        return false;
    Cell placed = cell;
    placed.row = uint32_t(row);
    placed.column = uint16_t(column);
    m_sheets[size_t(sheet)].cells.push_back(placed);
    return true;
}

uint32_t XlsWriter::internText(const QString &text)
{
    const auto found = m_stringIndex.constFind(text);
    if (found != m_stringIndex.constEnd())
        return found.value();
    const auto index = uint32_t(m_strings.size());
    m_strings.push_back(text);
    m_stringIndex.insert(text, index);
    return index;
}

bool XlsWriter::setText(int sheet, int row, int column, const QString &text)
{
    if (sheet < 0 || sheet >= sheetCount() || row < 0 || row >= kMaxRows || column < 0 ||
        column >= kMaxColumns)
        return false;
    Cell cell{};
    if (text.isEmpty()) {
        cell.kind = Kind::Blank;
    } else {
        cell.kind = Kind::Text;
        if (text.size() <= kMaxTextLength) {
            cell.text = internText(text);
        } else {
            QString cut = text.left(kMaxTextLength);
            if (cut.back().isHighSurrogate())
                cut.chop(1);
            cell.text = internText(cut);
        }
    }
    return addCell(sheet, row, column, cell);
}

bool XlsWriter::setNumber(int sheet, int row, int column, double value)
{
    if (!std::isfinite(value))
        return false;
    Cell cell{};
    cell.kind = Kind::Number;
    cell.number = value;
    return addCell(sheet, row, column, cell);
}

namespace {

// Cells in row-major order with the last value set for each place, blanks dropped. A grid
// written row by row is already in order and only checked.
template <typename Cell, typename Kind> void settle(std::vector<Cell> &cells, Kind blank)
{
    const auto before = [](const Cell &a, const Cell &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    };
    const bool strictlyOrdered =
        std::adjacent_find(cells.begin(), cells.end(), [&](const Cell &a, const Cell &b) {
            return !before(a, b);
        }) == cells.end();
    if (!strictlyOrdered) {
        std::stable_sort(cells.begin(), cells.end(), before);
        // Of equal places keep the last, which stable sorting left last.
        std::vector<Cell> kept;
        kept.reserve(cells.size());
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i + 1 < cells.size() && !before(cells[i], cells[i + 1]))
                continue;
            kept.push_back(cells[i]);
        }
        cells.swap(kept);
    }
    std::erase_if(cells, [blank](const Cell &c) { return c.kind == blank; });
}

// A row that holds cells: [first, last) into the sheet's cells.
struct RowSpan
{
    uint32_t row;
    size_t first, last;
    uint16_t colMic, colMac;
};

template <typename Cell> std::vector<RowSpan> rowSpans(const std::vector<Cell> &cells)
{
    std::vector<RowSpan> rows;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (rows.empty() || rows.back().row != cells[i].row)
            rows.push_back({cells[i].row, i, i, cells[i].column, cells[i].column});
        rows.back().last = i + 1;
        rows.back().colMac = uint16_t(cells[i].column + 1);
    }
    return rows;
}

// What a worksheet says of itself between its INDEX and its DEFCOLWIDTH: calculation, printing
// and page set-up, all as Excel writes them by default.
void writeSheetSettings(Biff &b)
{
    b.record(kCalcMode, {1});
    b.record(kCalcCount, {100});
    b.record(kRefMode, {1});
    b.record(kIteration, {0});
    b.begin(kDelta);
    b.f64(0.001);
    b.end();
    b.record(kSaveRecalc, {1});
    b.record(kPrintHeaders, {0});
    b.record(kPrintGridlines, {0});
    b.record(kGridSet, {1});
    b.record(kGuts, {0, 0, 0, 0});
    b.record(kDefaultRowHeight, {0, kRowHeight});
    b.record(kWsBool, {0x04C1});
    b.record(kHeader, {});
    b.record(kFooter, {});
    b.record(kHCenter, {0});
    b.record(kVCenter, {0});
    b.begin(kSetup); // printer settings not initialised (fNoPls): Excel uses its defaults
    b.u16(0);
    b.u16(100);
    b.u16(1);
    b.u16(1);
    b.u16(1);
    b.u16(0x0004);
    b.u16(0);
    b.u16(0);
    b.f64(0.5);
    b.f64(0.5);
    b.u16(1);
    b.end();
}

// The cells of one row: texts as LABELSST, numbers as RK, runs of RK numbers side by side as one
// MULRK, the others as NUMBER.
template <typename Cell>
void writeRowCells(Biff &b, const RowSpan &span, const std::vector<Cell> &cells,
                   const std::vector<uint32_t> &sstIndex)
{
    using Kind = decltype(Cell::kind);
    uint32_t rk[XlsWriter::kMaxColumns];
    const auto row = uint16_t(span.row);
    for (size_t i = span.first; i < span.last;) {
        const Cell &cell = cells[i];
        if (cell.kind == Kind::Text) {
            b.begin(kLabelSst);
            b.u16(row);
            b.u16(cell.column);
            b.u16(kCellXf);
            b.u32(sstIndex[cell.text]);
            b.end();
            ++i;
            continue;
        }
        if (!toRk(cell.number, &rk[0])) {
            b.begin(kNumber);
            b.u16(row);
            b.u16(cell.column);
            b.u16(kCellXf);
            b.f64(cell.number);
            b.end();
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < span.last && cells[j].kind == Kind::Number &&
               cells[j].column == cells[j - 1].column + 1 && toRk(cells[j].number, &rk[j - i]))
            ++j;
        if (j - i == 1) {
            b.begin(kRk);
            b.u16(row);
            b.u16(cell.column);
            b.u16(kCellXf);
            b.u32(rk[0]);
        } else {
            b.begin(kMulRk);
            b.u16(row);
            b.u16(cell.column);
            for (size_t k = 0; k < j - i; ++k) {
                b.u16(kCellXf);
                b.u32(rk[k]);
            }
            b.u16(cells[j - 1].column);
        }
        b.end();
        i = j;
    }
}

// One block of up to kRowsPerBlock rows: their ROW records, their cells, and the DBCELL that lets
// Excel find them. Returns where the DBCELL lies.
template <typename Cell>
uint32_t writeRowBlock(Biff &b, std::span<const RowSpan> rows, const std::vector<Cell> &cells,
                       const std::vector<uint32_t> &sstIndex)
{
    const int64_t firstRowPos = b.pos();
    for (const RowSpan &r : rows) {
        b.begin(kRow);
        b.u16(uint16_t(r.row));
        b.u16(r.colMic);
        b.u16(r.colMac);
        b.u16(kRowHeight);
        b.u16(0);
        b.u16(0);
        b.u16(0x0100);
        b.u16(kCellXf);
        b.end();
    }
    std::vector<int64_t> cellStart;
    for (const RowSpan &r : rows) {
        cellStart.push_back(b.pos());
        writeRowCells(b, r, cells, sstIndex);
    }
    // DBCELL: back to the first ROW, then from the end of that ROW record to the first cell of
    // the block's first row, and from each row's first cell to the next one's.
    const auto dbCellPos = uint32_t(b.pos());
    b.begin(kDbCell);
    b.u32(uint32_t(b.recordPos() - firstRowPos));
    for (size_t k = 0; k < cellStart.size(); ++k) {
        const int64_t from = k == 0 ? firstRowPos + kRowRecordSize : cellStart[k - 1];
        b.u16(uint16_t(cellStart[k] - from));
    }
    b.end();
    return dbCellPos;
}

// A worksheet's substream, starting at `streamPos` of the Workbook stream.
template <typename Cell>
QByteArray writeSheet(int64_t streamPos, const std::vector<Cell> &cells, bool first,
                      const std::vector<uint32_t> &sstIndex)
{
    Biff b(streamPos);
    b.reserve(qsizetype(cells.size()) * 12 + 1024);
    writeBof(b, 0x0010);

    const std::vector<RowSpan> rows = rowSpans(cells);
    const size_t blocks = (rows.size() + kRowsPerBlock - 1) / kRowsPerBlock;
    const uint32_t rwMic = rows.empty() ? 0 : rows.front().row;
    const uint32_t rwMac = rows.empty() ? 0 : rows.back().row + 1;
    uint16_t colMic = rows.empty() ? 0 : 0xFFFF, colMac = 0;
    for (const RowSpan &r : rows) {
        colMic = std::min(colMic, r.colMic);
        colMac = std::max(colMac, r.colMac);
    }

    // INDEX lists the DBCELL records so that Excel can find a row without reading the rows
    // before it; its places are filled in at the end.
    b.begin(kIndex);
    b.u32(0);
    b.u32(rwMic);
    b.u32(rwMac);
    const qsizetype defColWidthField = b.size();
    b.u32(0);
    const qsizetype dbCellFields = b.size();
    b.zeros(qsizetype(4 * blocks));
    b.end();

    writeSheetSettings(b);
    const auto defColWidthPos = uint32_t(b.pos());
    b.record(kDefColWidth, {8});

    b.begin(kDimensions);
    b.u32(rwMic);
    b.u32(rwMac);
    b.u16(colMic);
    b.u16(colMac);
    b.u16(0);
    b.end();

    std::vector<uint32_t> dbCellPos;
    dbCellPos.reserve(blocks);
    for (size_t block = 0; block < blocks; ++block) {
        const size_t r0 = block * kRowsPerBlock;
        const size_t r1 = std::min(rows.size(), r0 + kRowsPerBlock);
        dbCellPos.push_back(
            writeRowBlock(b, std::span(rows).subspan(r0, r1 - r0), cells, sstIndex));
    }

    b.begin(kWindow2);
    b.u16(first ? 0x06B6 : 0x00B6); // grid, headers, zeros, outline; the first sheet shown
    b.u16(0);
    b.u16(0);
    b.u16(0x40); // automatic grid colour
    b.u16(0);
    b.u16(0);
    b.u16(0);
    b.u32(0);
    b.end();
    b.record(kEof, {});

    b.patch32(defColWidthField, defColWidthPos);
    for (size_t k = 0; k < blocks; ++k)
        b.patch32(dbCellFields + qsizetype(4 * k), dbCellPos[k]);
    return b.take();
}

} // namespace

XlsWriter::SharedStrings XlsWriter::sharedStrings() const
{
    // Strings whose cells were all overwritten stay out of the table.
    std::vector<uint32_t> uses(m_strings.size(), 0);
    SharedStrings table;
    for (const Sheet &sheet : m_sheets) {
        for (const Cell &cell : sheet.cells) {
            if (cell.kind == Kind::Text) {
                ++uses[cell.text];
                ++table.references;
            }
        }
    }
    table.index.resize(m_strings.size());
    table.used.reserve(m_strings.size());
    for (size_t i = 0; i < m_strings.size(); ++i) {
        table.index[i] = uint32_t(table.used.size());
        if (uses[i])
            table.used.push_back(&m_strings[i]);
    }
    return table;
}

bool XlsWriter::write(QIODevice *device)
{
    m_error.clear();
    if (!device || !device->isOpen() || !device->isWritable()) {
        m_error = QObject::tr("输出设备没有以写方式打开");
        return false;
    }

    std::vector<QString> sheetNames;
    for (Sheet &sheet : m_sheets) {
        settle(sheet.cells, Kind::Blank);
        sheetNames.push_back(sheet.name);
    }
    if (sheetNames.empty())
        sheetNames.push_back(QStringLiteral("Sheet1"));
    const SharedStrings strings = sharedStrings();

    Biff globals(0);
    const std::vector<qsizetype> offsetFields =
        writeGlobals(globals, sheetNames, strings.used, strings.references);

    std::vector<QByteArray> pieces;
    int64_t streamPos = globals.size();
    std::vector<int64_t> sheetStarts;
    static const std::vector<Cell> noCells;
    for (size_t s = 0; s < sheetNames.size(); ++s) {
        sheetStarts.push_back(streamPos);
        const std::vector<Cell> &cells = s < m_sheets.size() ? m_sheets[s].cells : noCells;
        pieces.push_back(writeSheet(streamPos, cells, s == 0, strings.index));
        streamPos += pieces.back().size();
    }

    QByteArray globalBytes = globals.take();
    for (size_t s = 0; s < offsetFields.size(); ++s)
        put32(globalBytes.data() + offsetFields[s], uint32_t(sheetStarts[s]));
    pieces.insert(pieces.begin(), std::move(globalBytes));
    // Excel expects the workbook in regular sectors; bytes after the last sheet's EOF are never
    // read.
    if (streamPos < CompoundFile::kMinStreamSize)
        pieces.emplace_back(qsizetype(CompoundFile::kMinStreamSize - streamPos), '\0');

    return CompoundFile::write(device, QStringLiteral("Workbook"), pieces, &m_error);
}

bool XlsWriter::write(const QString &fileName)
{
    const QString shownName = QDir::toNativeSeparators(fileName);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QObject::tr("无法写入文件 %1：%2").arg(shownName, file.errorString());
        return false;
    }
    if (!write(&file)) {
        file.cancelWriting();
        m_error = QObject::tr("无法写入文件 %1：%2").arg(shownName, m_error);
        return false;
    }
    if (!file.commit()) {
        m_error = QObject::tr("无法写入文件 %1：%2").arg(shownName, file.errorString());
        return false;
    }
    return true;
}

} // namespace quorlent
