#include "xls_reader.h"

#include "biff_records.h"
#include "byte_reader.h"
#include "compound_file.h"
#include "number_formats.h"
#include "read_error.h"

#include <bit>
#include <optional>

namespace sheets {

namespace {

namespace record {
constexpr uint16_t formula = 0x0006;
constexpr uint16_t eof = 0x000A;
constexpr uint16_t filePass = 0x002F;
constexpr uint16_t boundSheet = 0x0085;
constexpr uint16_t format = 0x041E;
constexpr uint16_t xf = 0x00E0;
constexpr uint16_t mulRk = 0x00BD;
constexpr uint16_t sst = 0x00FC;
constexpr uint16_t labelSst = 0x00FD;
constexpr uint16_t rString = 0x00D6;
constexpr uint16_t number = 0x0203;
constexpr uint16_t label = 0x0204;
constexpr uint16_t boolErr = 0x0205;
constexpr uint16_t string = 0x0207;
constexpr uint16_t rk = 0x027E;
constexpr uint16_t bof = 0x0809;
// BOF records of BIFF2, BIFF3 and BIFF4.
constexpr uint16_t oldBofs[] = {0x0009, 0x0209, 0x0409};
} // namespace record

constexpr uint16_t biff8 = 0x0600;
constexpr uint16_t worksheetSubstream = 0x0010;
constexpr uint8_t worksheetSheetType = 0;

struct Bof {
    uint16_t version;
    uint16_t substream;
};

Bof readBof(const RecordStream &records)
{
    if (records.type() != record::bof)
        throwDamaged();
    ByteReader data(records.head().data, records.head().size);
    Bof bof{data.u16(), data.u16()};
    if (bof.version < biff8)
        throwOldVersion();
    return bof;
}

QString errorCode(uint8_t code)
{
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    case 0x2A:
        return QStringLiteral("#N/A");
    default:
        return QStringLiteral("#GETTING_DATA");
    }
}

double rkValue(uint32_t rk)
{
    double value;
    if (rk & 0x02) {
        value = double(int32_t(rk) >> 2);
    } else {
        value = std::bit_cast<double>(uint64_t(rk & 0xFFFFFFFC) << 32);
    }
    return (rk & 0x01) ? value / 100 : value;
}

std::vector<QString> readSst(RecordData data, size_t bytes)
{
    data.skip(4);
    uint32_t unique = data.u32();
    if (unique > maxCells)
        throwTooLarge();
    std::vector<QString> strings;
    // Each string takes at least three bytes, whatever the count claims.
    strings.reserve(std::min<size_t>(unique, bytes / 3));
    for (uint32_t i = 0; i < unique; ++i) {
        uint16_t cch = data.u16();
        uint8_t flags = data.u8();
        uint16_t runs = (flags & 0x08) ? data.u16() : 0;
        uint32_t extSize = (flags & 0x04) ? data.u32() : 0;
        strings.push_back(data.chars(cch, flags));
        data.skip(uint64_t(runs) * 4 + extSize);
    }
    return strings;
}

struct Globals {
    std::vector<uint32_t> worksheetOffsets;
    std::vector<QString> sst;
    FormatTable formats;
};

Globals readGlobals(const QByteArray &workbook)
{
    RecordStream records(workbook.constData(), size_t(workbook.size()), 0);
    if (!records.next())
        throwDamaged();
    for (uint16_t old : record::oldBofs)
        if (records.type() == old)
            throwOldVersion();
    readBof(records);

    Globals globals;
    while (records.next() && records.type() != record::eof) {
        switch (records.type()) {
        case record::filePass:
            throwEncrypted();
        case record::boundSheet: {
            ByteReader data(records.head().data, records.head().size);
            uint32_t offset = data.u32();
            data.skip(1);
            if (data.u8() == worksheetSheetType)
                globals.worksheetOffsets.push_back(offset);
            break;
        }
        case record::sst:
            globals.sst = readSst(records.data(), size_t(workbook.size()));
            break;
        case record::format: {
            RecordData data = records.data();
            uint16_t id = data.u16();
            globals.formats.define(id, data.unicodeString());
            break;
        }
        case record::xf: {
            ByteReader data(records.head().data, records.head().size);
            data.skip(2);
            globals.formats.addStyle(data.u16());
            break;
        }
        default:
            break;
        }
    }
    return globals;
}

class WorksheetReader {
public:
    WorksheetReader(Globals &globals, SheetBuilder &sheet)
        : sst_(globals.sst), formats_(globals.formats), sheet_(sheet)
    {
    }

    void cell(const RecordStream &records)
    {
        ByteReader data(records.head().data, records.head().size);
        uint16_t type = records.type();
        if (type == record::string) {
            if (stringPending_) {
                sheet_.text(pendingString_.row, pendingString_.col, records.data().unicodeString());
                stringPending_ = false;
            }
            return;
        }
        if (!isCell(type))
            return;
        stringPending_ = false;
        uint32_t row = data.u16();
        uint32_t col = data.u16();
        switch (type) {
        case record::labelSst: {
            data.skip(2);
            uint32_t index = data.u32();
            if (index >= sst_.size())
                throwDamaged();
            sheet_.text(row, col, sst_[index]);
            break;
        }
        case record::label:
        case record::rString: {
            RecordData rest = records.data();
            rest.skip(6);
            sheet_.text(row, col, rest.unicodeString());
            break;
        }
        case record::rk: {
            uint16_t format = formatOf(data.u16());
            sheet_.number(row, col, rkValue(data.u32()), format);
            break;
        }
        case record::mulRk:
            // ixfe and RK pairs, then the last column
            for (size_t n = data.left() >= 2 ? (data.left() - 2) / 6 : 0; n > 0; --n, ++col) {
                uint16_t format = formatOf(data.u16());
                sheet_.number(row, col, rkValue(data.u32()), format);
            }
            break;
        case record::number: {
            uint16_t format = formatOf(data.u16());
            sheet_.number(row, col, data.f64(), format);
            break;
        }
        case record::boolErr: {
            data.skip(2);
            uint8_t value = data.u8();
            if (data.u8())
                sheet_.error(row, col, errorCode(value));
            else
                sheet_.boolean(row, col, value != 0);
            break;
        }
        case record::formula: {
            uint16_t format = formatOf(data.u16());
            formulaResult(row, col, format, data);
            break;
        }
        }
    }

private:
    struct Position {
        uint32_t row = 0, col = 0;
    };

    static bool isCell(uint16_t type)
    {
        switch (type) {
        case record::labelSst:
        case record::label:
        case record::rString:
        case record::rk:
        case record::mulRk:
        case record::number:
        case record::boolErr:
        case record::formula:
            return true;
        default:
            return false;
        }
    }

    uint16_t formatOf(uint16_t style) { return formats_.formatOfStyle(style, sheet_); }

    void formulaResult(uint32_t row, uint32_t col, uint16_t format, ByteReader &data)
    {
        const char *value = data.take(8);
        if (uint8_t(value[6]) != 0xFF || uint8_t(value[7]) != 0xFF) {
            sheet_.number(row, col, ByteReader(value, 8).f64(), format);
            return;
        }
        switch (value[0]) {
        case 0: // the text follows in a STRING record
            pendingString_ = Position{row, col};
            stringPending_ = true;
            break;
        case 1:
            sheet_.boolean(row, col, value[2] != 0);
            break;
        case 2:
            sheet_.error(row, col, errorCode(uint8_t(value[2])));
            break;
        default: // empty text
            break;
        }
    }

    const std::vector<QString> &sst_;
    FormatTable &formats_;
    SheetBuilder &sheet_;
    // A plain flag, not std::optional: GCC's -Wmaybe-uninitialized misreads the latter here.
    Position pendingString_;
    bool stringPending_ = false;
};

// False when the substream at offset is not a worksheet after all.
bool readWorksheet(const QByteArray &workbook, uint32_t offset, Globals &globals, SheetBuilder &sheet)
{
    RecordStream records(workbook.constData(), size_t(workbook.size()), offset);
    if (!records.next() || readBof(records).substream != worksheetSubstream)
        return false;
    // A cell record takes 14 bytes or more (six a column of a MULRK): room for
    // one per ten bytes rarely runs short, and costs only untouched memory.
    sheet.expectCells((workbook.size() - offset) / 10);
    WorksheetReader cells(globals, sheet);
    // Embedded charts bring their own BOF ... EOF, with cached values that are no cells.
    for (int depth = 1; depth > 0 && records.next();) {
        if (records.type() == record::bof)
            ++depth;
        else if (records.type() == record::eof)
            --depth;
        else if (depth == 1)
            cells.cell(records);
    }
    return true;
}

} // namespace

void readXls(const QByteArray &file, SheetBuilder &sheet)
{
    CompoundFile container(file);
    std::optional<QByteArray> workbook = container.stream(QStringLiteral("Workbook"));
    if (!workbook) {
        if (container.stream(QStringLiteral("Book")))
            throwOldVersion();
        if (container.stream(QStringLiteral("EncryptedPackage")))
            throwEncrypted();
        throwNotExcel();
    }
    Globals globals = readGlobals(*workbook);
    for (uint32_t offset : globals.worksheetOffsets)
        if (readWorksheet(*workbook, offset, globals, sheet))
            return;
    throwNoWorksheet();
}

} // namespace sheets
