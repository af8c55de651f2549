// BIFF8 records written by hand: the cell records, continuations and nested
// substreams the .xls reader must handle, and damaged records it must refuse.
#include "biff_writer.h"
#include "expect_table.h"
#include "fixtures.h"

#include <variant>

using namespace biff;

namespace {

QByteArray utf16(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        out += u16(c.unicode());
    return out;
}

QByteArray label(int row, int col, const QString &text)
{
    bool wide = std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; });
    return record(0x0204, cellHead(row, col) + u16(int(text.size())) + (wide ? "\x01" : QByteArray(1, '\0')) +
                              (wide ? utf16(text) : text.toLatin1()));
}

QByteArray number(int row, int col, double value)
{
    return record(0x0203, cellHead(row, col) + f64(value));
}

QByteArray labelSst(int row, int col, uint32_t index)
{
    return record(0x00FD, cellHead(row, col) + u32(index));
}

// A FORMULA record whose cached result is the given 8 bytes; the formula itself is left empty.
QByteArray formula(int row, int col, const QByteArray &result)
{
    return record(0x0006, cellHead(row, col) + result + u16(0) + u32(0) + u16(0));
}

// A result other than a number: its kind (0 text, 1 boolean, 2 error, 3 empty
// text) and value, marked by 0xFFFF in the two top bytes.
QByteArray taggedResult(int kind, int value)
{
    return QByteArray(1, char(kind)) + '\0' + char(value) + QByteArray(3, '\0') + "\xFF\xFF";
}

QByteArray rk(int row, int col, uint32_t value)
{
    return record(0x027E, cellHead(row, col) + u32(value));
}

const QByteArray noFlags(1, '\0');
const QByteArray wideFlag("\x01", 1);

struct Case {
    const char *what;
    QByteArray sheet;
    QByteArray globals;
    std::variant<importing::Table, QString> expected;
};

class BiffRecords : public ::testing::TestWithParam<Case> {};

TEST_P(BiffRecords, Read)
{
    const Case &c = GetParam();
    QString file = fixtures::write(QStringLiteral("records.xls"), compoundFile(workbook(c.sheet, c.globals)));
    if (const auto *table = std::get_if<importing::Table>(&c.expected))
        EXPECT_TABLE(sheetRead(file), *table);
    else
        EXPECT_FAILURE(sheetRead(file), std::get<QString>(c.expected));
}

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BiffRecords,
    ::testing::Values(
        Case{"LABEL one-byte and two-byte",
             label(0, 0, "Siti") + label(0, 1, QStringLiteral("Ā")),
             {},
             rows({{"Siti", "Ā"}})},
        Case{"STRING of a formula split across CONTINUE, two-byte after the split",
             formula(0, 0, taggedResult(0, 0)) + record(0x0207, u16(6) + noFlags + "abc") +
                 record(0x003C, wideFlag + utf16(QStringLiteral("ĀĀĀ"))),
             {},
             rows({{QStringLiteral("abcĀĀĀ")}})},
        Case{"SST string split with its high-byte flag read again, next header in the CONTINUE",
             labelSst(0, 0, 0) + labelSst(0, 1, 1),
             record(0x00FC, u32(2) + u32(2) + u16(6) + wideFlag + utf16(QStringLiteral("ŽŽ"))) +
                 record(0x003C, noFlags + "zzzz" + u16(2) + noFlags + "ok"),
             rows({{QStringLiteral("ŽŽzzzz"), "ok"}})},
        Case{"SST rich-text runs and phonetic block running into a CONTINUE",
             labelSst(0, 0, 0) + labelSst(0, 1, 1),
             record(0x00FC,
                    u32(2) + u32(2) + u16(4) + QByteArray("\x0C", 1) + u16(1) + u32(6) + "Siti" + u32(0)) +
                 record(0x003C, QByteArray(6, '\x07') + u16(4) + noFlags + "Budi"),
             rows({{"Siti", "Budi"}})},
        Case{"FORMULA results: boolean, empty text, number",
             formula(0, 0, taggedResult(1, 1)) + formula(0, 1, taggedResult(3, 0)) + formula(0, 2, f64(1.5)),
             {},
             rows({{"TRUE", "", "1.5"}})},
        Case{"RK forms and MULRK",
             rk(0, 0, (5000000u << 2) | 2) + rk(0, 1, (425u << 2) | 3) + rk(0, 2, 0x3FE00000) +
                 record(0x00BD, u16(0) + u16(3) + u16(15) + u32(uint32_t(-7 * 4) | 2) + u16(15) +
                                    u32(0x40000000 | 1) + u16(4)),
             {},
             rows({{"5000000", "4.25", "0.5", "-7", "0.02"}})},
        Case{"values cached in an embedded chart are no cells",
             label(0, 0, "x") + record(0x0809, u16(0x0600) + u16(0x0020) + QByteArray(12, '\0')) +
                 number(9, 9, 99) + record(0x000A, {}) + label(0, 1, "y"),
             {},
             rows({{"x", "y"}})},
        Case{"BLANK and MULBLANK widen nothing",
             label(1, 1, "a") + record(0x0201, cellHead(20, 20)) +
                 record(0x00BE, u16(0) + u16(0) + u16(15) + u16(15) + u16(15) + u16(2)),
             {},
             rows({{"a"}})},
        Case{"BOOLERR error",
             number(0, 0, 1) + record(0x0205, cellHead(4, 2) + "\x07\x01"),
             {},
             errorCell("C5", "#DIV/0!")},
        Case{"FORMULA error result", formula(2, 27, taggedResult(2, 0x2A)), {}, errorCell("AB3", "#N/A")},
        Case{"LABELSST beyond the string table", labelSst(0, 0, 1),
             record(0x00FC, u32(1) + u32(1) + u16(1) + noFlags + "a"), damaged},
        Case{"SST claiming more strings than it holds", labelSst(0, 0, 0),
             record(0x00FC, u32(9) + u32(9) + u16(1) + noFlags + "a"), damaged},
        Case{"label longer than its record",
             record(0x0204, cellHead(0, 0) + u16(100) + noFlags + "abc"),
             {},
             damaged},
        Case{"record running past the stream", label(0, 0, "a") + u16(0x0203) + u16(60000), {}, damaged},
        Case{"file-pass record in the globals", label(0, 0, "a"),
             record(0x002F, u16(1) + QByteArray(52, '\0')), encrypted}));

TEST(BiffContainer, DamagedCompoundFileIsRefused)
{
    QByteArray file = compoundFile(workbook(label(0, 0, "a")));
    struct Patch {
        const char *what;
        qsizetype at;
        QByteArray bytes;
    } patches[] = {
        {"sector size", 0x1E, u16(10)},
        {"FAT sector beyond the file", 0x4C, u32(999)},
        {"directory beyond the file", 0x30, u32(999)},
        {"stream chain looping on itself", 512 + 4 * 2, u32(2)},
        {"stream longer than its chain", 1024 + 128 + 0x78, u32(1 << 20)},
    };
    for (const Patch &p : patches) {
        SCOPED_TRACE(p.what);
        QByteArray broken = file;
        broken.replace(p.at, p.bytes.size(), p.bytes);
        EXPECT_FAILURE(sheetRead(fixtures::write(QStringLiteral("broken.xls"), broken)), damaged);
    }
    EXPECT_TABLE(sheetRead(fixtures::write(QStringLiteral("whole.xls"), file)), rows({{"a"}}));
}

} // namespace
