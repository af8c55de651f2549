// What the readers give beside the text: each cell's kind, a number's format,
// the used range's origin, and failures by kind.
#include "biff_writer.h"
#include "fixtures.h"
#include "sheets/sheets.h"

#include <gtest/gtest.h>

namespace {

const QByteArray mainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray rel(const char *id, const char *type, const char *target)
{
    return QByteArray("<Relationship Id=\"") + id + "\" Type=\"" + relNs + "/" + type + "\" Target=\"" +
           target + "\"/>";
}

QString xlsx(const QByteArray &sheetData, const QByteArray &sharedStrings = {}, const QByteArray &styles = {})
{
    const QByteArray rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    QList<std::pair<QString, QByteArray>> parts = {
        {"_rels/.rels", rels + rel("rId1", "officeDocument", "xl/workbook.xml") + "</Relationships>"},
        {"xl/workbook.xml",
         "<workbook xmlns=\"" + mainNs + "\" xmlns:r=\"" + relNs +
             "\"><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", rels + rel("rId1", "worksheet", "worksheets/sheet1.xml") +
                                           rel("rId2", "sharedStrings", "sharedStrings.xml") +
                                           rel("rId3", "styles", "styles.xml") + "</Relationships>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet xmlns=\"" + mainNs + "\"><sheetData>" + sheetData + "</sheetData></worksheet>"},
    };
    if (!sharedStrings.isEmpty())
        parts.append({"xl/sharedStrings.xml", "<sst xmlns=\"" + mainNs + "\">" + sharedStrings + "</sst>"});
    if (!styles.isEmpty())
        parts.append({"xl/styles.xml", "<styleSheet xmlns=\"" + mainNs + "\">" + styles + "</styleSheet>"});
    return fixtures::write(QStringLiteral("typed.xlsx"), fixtures::zip(parts));
}

QString codeOf(const sheets::Sheet &sheet, int row, int col)
{
    return sheet.formatOf(sheet.rows[row][col]).code;
}

TEST(TypedCells, XlsxKindsFormatsAndOrigin)
{
    // numFmt 164 defined by the file, 14 and 3 built in; a differential format
    // and a cell-style xf must not be taken for the cells' styles.
    const QByteArray styles =
        "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"d/m/yyyy\"/></numFmts>"
        "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"14\"/><xf "
        "numFmtId=\"3\"/></cellXfs>"
        "<dxfs><dxf><numFmt numFmtId=\"164\" formatCode=\"0.0\"/></dxf></dxfs>";
    const QString file =
        xlsx("<row r=\"3\"><c r=\"C3\" t=\"s\"><v>0</v></c><c r=\"D3\" s=\"1\"><v>45306</v></c>"
             "<c r=\"E3\" s=\"2\"><v>45306</v></c><c r=\"F3\" s=\"3\"><v>5000000</v></c></row>"
             "<row r=\"4\"><c r=\"D4\" t=\"b\"><v>1</v></c><c r=\"E4\"><v>7</v></c>"
             "<c r=\"F4\" s=\"9\"><v>8</v></c></row>",
             "<si><t>NIK</t></si>", styles);
    sheets::ReadResult read = sheets::readFirstSheet(file);
    ASSERT_TRUE(read.ok());
    const sheets::Sheet &sheet = read.sheet;
    EXPECT_EQ(sheet.firstRow, 2u);
    EXPECT_EQ(sheet.firstColumn, 2u);
    EXPECT_EQ(sheet.usedColumns, 4);
    ASSERT_EQ(sheet.rows.size(), 2);
    EXPECT_EQ(sheet.rows[0][0].kind, sheets::CellKind::Text);
    EXPECT_EQ(sheet.rows[0][0].text, "NIK");
    EXPECT_EQ(sheet.rows[0][1].kind, sheets::CellKind::Number);
    EXPECT_EQ(sheet.rows[0][1].number, 45306);
    EXPECT_EQ(codeOf(sheet, 0, 1), "d/m/yyyy");
    EXPECT_EQ(codeOf(sheet, 0, 2), "mm-dd-yy");
    EXPECT_EQ(sheet.formatOf(sheet.rows[0][2]).id, 14u);
    EXPECT_EQ(codeOf(sheet, 0, 3), "#,##0");
    EXPECT_EQ(sheet.rows[1][0].kind, sheets::CellKind::Empty);
    EXPECT_EQ(sheet.rows[1][1].kind, sheets::CellKind::Boolean);
    EXPECT_EQ(codeOf(sheet, 1, 2), "General");
    EXPECT_EQ(codeOf(sheet, 1, 3), "General") << "a style the file does not have";
}

TEST(TypedCells, XlsFormatsThroughTheirStyles)
{
    using namespace biff;
    QByteArray globals = record(0x041E, u16(164) + u16(8) + QByteArray(1, '\0') + "d/m/yyyy");
    const int formatOfStyle[] = {0, 164, 20, 4};
    for (int id : formatOfStyle)
        globals += record(0x00E0, u16(0) + u16(id) + QByteArray(16, '\0'));
    QByteArray cells;
    for (int style = 0; style < 4; ++style)
        cells += record(0x0203, u16(1) + u16(style + 1) + u16(style) + f64(45306.25));
    cells += record(0x0205, u16(2) + u16(1) + u16(0) + QByteArray("\x01\x00", 2));
    sheets::ReadResult read = sheets::readFirstSheet(
        fixtures::write(QStringLiteral("typed.xls"), compoundFile(workbook(cells, globals))));
    ASSERT_TRUE(read.ok());
    const sheets::Sheet &sheet = read.sheet;
    EXPECT_EQ(sheet.firstRow, 1u);
    EXPECT_EQ(sheet.firstColumn, 1u);
    EXPECT_EQ(codeOf(sheet, 0, 0), "General");
    EXPECT_EQ(codeOf(sheet, 0, 1), "d/m/yyyy");
    EXPECT_EQ(codeOf(sheet, 0, 2), "h:mm");
    EXPECT_EQ(codeOf(sheet, 0, 3), "#,##0.00");
    EXPECT_EQ(sheet.rows[0][3].number, 45306.25);
    EXPECT_EQ(sheet.rows[1][0].kind, sheets::CellKind::Boolean);
}

TEST(TypedCells, FailuresByKindWithTheCell)
{
    EXPECT_EQ(sheets::readFirstSheet(QStringLiteral("/nonexistent/a.xlsx")).failure,
              (sheets::Failure{sheets::FailureKind::CannotOpen, {}, "/nonexistent/a.xlsx"}));
    sheets::ReadResult error = sheets::readFirstSheet(xlsx("<row r=\"2\"><c r=\"A2\"><v>1</v></c>"
                                                           "<c r=\"C2\" t=\"e\"><v>#N/A</v></c></row>"));
    EXPECT_EQ(error.failure, (sheets::Failure{sheets::FailureKind::ErrorCell, "C2", "#N/A"}));
    EXPECT_EQ(error.sheet.usedColumns, 3) << "the shape is known even so";
    // Cut to fewer columns, the error cell is not read at all.
    EXPECT_TRUE(sheets::readFirstSheet(xlsx("<row><c><v>1</v></c><c t=\"e\"><v>#N/A</v></c></row>"), 1).ok());
}

// The spreadsheet format's own limit is 32 767 characters a cell; a longer
// text fails the read naming its cell. A huge shared string is measured, not
// kept, so it fails without its size in memory.
TEST(TypedCells, TextBeyondTheCellLimit)
{
    const QByteArray longest(sheets::maxCellText, 'x');
    const QByteArray tooLong(sheets::maxCellText + 1, 'x');
    struct Case {
        QByteArray sheetData, sharedStrings;
        std::optional<QString> failingCell;
    } cases[] = {
        {"<row><c t=\"s\"><v>0</v></c></row>", "<si><t>" + longest + "</t></si>", std::nullopt},
        {"<row><c t=\"inlineStr\"><is><t>" + longest + "</t></is></c></row>", {}, std::nullopt},
        // escapes count once resolved: 32 767 characters written as 229 369
        {"<row><c t=\"s\"><v>0</v></c></row>",
         "<si><t>" + QByteArray("_x0041_").repeated(sheets::maxCellText) + "</t></si>", std::nullopt},
        {"<row r=\"4\"><c r=\"B4\" t=\"s\"><v>0</v></c></row>", "<si><t>" + tooLong + "</t></si>", "B4"},
        {"<row><c t=\"s\"><v>1</v></c></row>",
         "<si><t>a</t></si><si><r><t>" + longest + "</t></r><r><t>y</t></r></si>", "A1"},
        {"<row><c/><c t=\"inlineStr\"><is><t>" + tooLong + "</t></is></c></row>", {}, "B1"},
        {"<row><c t=\"str\"><v>" + tooLong + "</v></c></row>", {}, "A1"},
        {"<row><c r=\"C7\" t=\"s\"><v>0</v></c></row>", "<si><t>" + QByteArray(4'000'000, 'z') + "</t></si>",
         "C7"},
    };
    for (const Case &c : cases) {
        sheets::ReadResult read = sheets::readFirstSheet(xlsx(c.sheetData, c.sharedStrings));
        if (c.failingCell)
            EXPECT_EQ(read.failure, (sheets::Failure{sheets::FailureKind::CellTooLong, *c.failingCell, {}}));
        else
            EXPECT_TRUE(read.ok()) << c.sheetData.left(60).toStdString();
    }
    // An unused long string fails nothing.
    EXPECT_TRUE(sheets::readFirstSheet(xlsx("<row><c t=\"s\"><v>0</v></c></row>",
                                            "<si><t>a</t></si><si><t>" + tooLong + "</t></si>"))
                    .ok());
}

} // namespace
