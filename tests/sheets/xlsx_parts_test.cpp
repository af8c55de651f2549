// Packages written by hand, for what the writers at hand never produce.
#include "expect_table.h"
#include "fixtures.h"

#include <QStringEncoder>

namespace {

const QByteArray mainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const QByteArray packageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";

QByteArray relationships(const QList<std::tuple<QByteArray, QByteArray, QByteArray>> &rels)
{
    QByteArray xml = "<Relationships xmlns=\"" + packageRelNs + "\">";
    for (const auto &[id, type, target] : rels)
        xml +=
            "<Relationship Id=\"" + id + "\" Type=\"" + relNs + "/" + type + "\" Target=\"" + target + "\"/>";
    return xml + "</Relationships>";
}

QByteArray workbook(const QByteArray &sheets)
{
    return "<workbook xmlns=\"" + mainNs + "\" xmlns:r=\"" + relNs + "\"><sheets>" + sheets +
           "</sheets></workbook>";
}

QByteArray worksheet(const QByteArray &sheetData)
{
    return "<worksheet xmlns=\"" + mainNs + "\"><sheetData>" + sheetData + "</sheetData></worksheet>";
}

// A one-sheet package of this worksheet part; sharedStrings, when given, holds the <si> items.
QString packageOf(const QByteArray &worksheetXml, const QByteArray &sharedStrings = {})
{
    QList<std::pair<QString, QByteArray>> parts = {
        {"_rels/.rels", relationships({{"rId1", "officeDocument", "xl/workbook.xml"}})},
        {"xl/workbook.xml", workbook("<sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/>")},
        {"xl/_rels/workbook.xml.rels", relationships({{"rId1", "worksheet", "worksheets/sheet1.xml"},
                                                      {"rId2", "sharedStrings", "sharedStrings.xml"}})},
        {"xl/worksheets/sheet1.xml", worksheetXml},
    };
    if (!sharedStrings.isEmpty())
        parts.append({"xl/sharedStrings.xml", "<sst xmlns=\"" + mainNs + "\">" + sharedStrings + "</sst>"});
    return fixtures::write(QStringLiteral("crafted.xlsx"), fixtures::zip(parts));
}

QString package(const QByteArray &sheetData, const QByteArray &sharedStrings = {})
{
    return packageOf(worksheet(sheetData), sharedStrings);
}

TEST(XlsxParts, RowsAndCellsWithoutReferenceFollowThePreviousOne)
{
    QString file = package("<row><c><v>1</v></c><c><v>2</v></c><c r=\"E1\"><v>5</v></c><c><v>6</v></c></row>"
                           "<row r=\"3\"><c r=\"B3\"><v>32</v></c></row>"
                           "<row><c><v>41</v></c></row>");
    EXPECT_TABLE(sheetRead(file), rows({{"1", "2", "", "", "5", "6"},
                                        {"", "", "", "", "", ""},
                                        {"", "32", "", "", "", ""},
                                        {"41", "", "", "", "", ""}}));
}

TEST(XlsxParts, PrefixedElementNames)
{
    QByteArray sheet = "<x:worksheet xmlns:x=\"" + mainNs +
                       "\"><x:sheetData><x:row r=\"2\">"
                       "<x:c r=\"C2\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"D2\"><x:v>1.5</x:v></x:c>"
                       "</x:row></x:sheetData></x:worksheet>";
    QList<std::pair<QString, QByteArray>> parts = {
        {"_rels/.rels", relationships({{"rId1", "officeDocument", "xl/workbook.xml"}})},
        {"xl/workbook.xml",
         "<s:workbook xmlns:s=\"" + mainNs + "\" xmlns:rel=\"" + relNs +
             "\"><s:sheets><s:sheet name=\"A\" sheetId=\"1\" rel:id=\"rId1\"/></s:sheets></s:workbook>"},
        {"xl/_rels/workbook.xml.rels", relationships({{"rId1", "worksheet", "worksheets/sheet1.xml"},
                                                      {"rId2", "sharedStrings", "sharedStrings.xml"}})},
        {"xl/worksheets/sheet1.xml", sheet},
        {"xl/sharedStrings.xml",
         "<ss:sst xmlns:ss=\"" + mainNs + "\"><ss:si><ss:t>teks</ss:t></ss:si></ss:sst>"},
    };
    EXPECT_TABLE(sheetRead(fixtures::write("prefixed.xlsx", fixtures::zip(parts))), rows({{"teks", "1.5"}}));
}

TEST(XlsxParts, SharedStringsRunsPhoneticsAndEscapes)
{
    QString file =
        package("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                "<c r=\"C1\" t=\"inlineStr\"><is><r><t>in</t></r><r><t xml:space=\"preserve\"> line</t></r>"
                "</is></c><c r=\"D1\" t=\"str\"><f>A1</f><v>x_x0009_y</v></c></row>",
                "<si><r><t xml:space=\"preserve\">Siti </t></r><r><rPr><b/></rPr><t>Aminah</t></r>"
                "<rPh sb=\"0\" eb=\"4\"><t>SHITI</t></rPh><phoneticPr fontId=\"1\"/></si>"
                "<si><t>a_x000D_b_x005F_x0041_c_x00e9__xZZZZ_</t></si>");
    EXPECT_TABLE(sheetRead(file), rows({{"Siti Aminah", "a\rb_x0041_c\u00e9_xZZZZ_", "in line", "x\ty"}}));
}

TEST(XlsxParts, WorksheetMarkupAsXmlReadsIt)
{
    // References, CDATA, comments and instructions, line ends, quoting styles;
    // what follows sheetData is not read.
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<!-- by hand -->"
        "<worksheet xmlns=\"" +
        mainNs +
        "\"><sheetData><?keep going?>\n<row r='1' >"
        "<c r = \"A1\" t=\"inlineStr\"><is><t>a&lt;b&amp;&#233;&#x1F600;</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><t>x<!-- note -->y<?pi?>z</t></is></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><t>one\r\ntwo\rthree</t></is></c>"
        "<c r=\"D1\"><v><![CDATA[12]]>.5</v></c>"
        "<c r=\"&#69;1\" t=\"str\"><v>&quot;q&apos;</v></c>"
        "<c r=\"F1\"/>"
        "<c r=\"G1\" t=\"inlineStr\"><is><t><![CDATA[<raw & text>]]></t></is></c>"
        "</row></sheetData><extLst><ext><row r=\"5\"><c r=\"A5\"><v>9</v></c></row></ext></extLst>"
        "</worksheet>";
    EXPECT_TABLE(sheetRead(packageOf(xml)), rows({{"a<b&\u00e9\U0001F600", "xyz", "one\ntwo\nthree", "12.5",
                                                   "\"q'", "", "<raw & text>"}}));
}

TEST(XlsxParts, WorksheetInAnotherEncoding)
{
    QString body =
        "<worksheet xmlns=\"" + QString::fromLatin1(mainNs) +
        "\"><sheetData><row><c t=\"inlineStr\"><is><t>D\u00e9</t></is></c></row></sheetData></worksheet>";
    QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QByteArray utf16 = toUtf16(body);
    QByteArray latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + body.toLatin1();
    for (const QByteArray &xml : {utf16, latin1}) {
        SCOPED_TRACE(xml.left(50).toStdString());
        EXPECT_TABLE(sheetRead(packageOf(xml)), rows({{"D\u00e9"}}));
    }
}

TEST(XlsxParts, MalformedWorksheetXmlIsDamaged)
{
    const char *cases[] = {
        "<row r=\"1\"><c r=\"A1\"><v>1</v></x></row>",     // end tag of another element
        "<row r=\"1\"><p:c r=\"A1\"><v>1</v></p:c></row>", // undeclared prefix
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&nbsp;</t></is></c></row>", // undeclared entity
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&#0;</t></is></c></row>",   // no character
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>&#xD800;</t></is></c></row>",
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>\x01</t></is></c></row>",  // control character
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>\xFF</t></is></c></row>",  // not UTF-8
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a<b/></t></is></c></row>", // element in a text
        "<row r=\"1\"><c r=\"A1\" r=\"B1\"><v>1</v></c></row>",                     // attribute twice
        "<row r=\"1\"><c r=\"A<1\"><v>1</v></c></row>",
        "<row r=\"1\"><c r=\"A1><v>1</v></c></row>",
        "<row r=\"1\"><c r=\"A1\"><v><b/>1</v></c></row>", // element in a value
        "<row r=\"1\"><c r=\"A1\"><v>1<!-- x --></v></c></row>",
        "<row r=\"1\"><!-- unterminated </row>",
        "<row r=\"1\"><c r=\"A1\"><v>1]]></v></c></row>",
    };
    for (const char *sheetData : cases) {
        SCOPED_TRACE(sheetData);
        EXPECT_FAILURE(sheetRead(package(sheetData)), damaged);
    }
    // A document type could declare entities that expand without bound.
    QByteArray doctype = "<!DOCTYPE worksheet [<!ENTITY e \"x\">]>" + worksheet("<row><c><v>1</v></c></row>");
    EXPECT_FAILURE(sheetRead(packageOf(doctype)), damaged);
    EXPECT_FAILURE(sheetRead(packageOf({})), damaged);
}

TEST(XlsxParts, FormulaCachedValuesOfEachType)
{
    QString file =
        package("<row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c><c r=\"B1\" t=\"b\"><f>TRUE()</f><v>1</v></c>"
                "<c r=\"C1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c><c r=\"D1\" t=\"b\"><v>0</v></c>"
                "<c r=\"E1\"><f>A1</f></c><c r=\"F1\" t=\"n\"><v>-0</v></c></row>");
    EXPECT_TABLE(sheetRead(file), rows({{"2", "TRUE", "ab", "FALSE", "", "0"}}));
}

TEST(XlsxParts, ErrorBeyondTheSeventhColumnFailsOnlyTheWholeRead)
{
    QByteArray cells;
    for (char col = 'A'; col <= 'G'; ++col)
        cells += QByteArray("<c r=\"") + col + "1\"><v>1</v></c>";
    QString file =
        package("<row r=\"1\">" + cells + "<c r=\"H1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c></row>");
    EXPECT_TABLE(importRead(file), rows({{"1", "1", "1", "1", "1", "1", "1"}}));
    EXPECT_FAILURE(sheetRead(file), errorCell("H1", "#DIV/0!"));
}

TEST(XlsxParts, FirstSheetComesFromTheWorkbookOrderThroughItsRelationship)
{
    // The first sheet lives in sheet2.xml under a higher id, at a path of its own.
    QList<std::pair<QString, QByteArray>> parts = {
        {"_rels/.rels", relationships({{"rId1", "officeDocument", "/book/main.xml"}})},
        {"book/main.xml", workbook("<sheet name=\"Grafik\" sheetId=\"3\" r:id=\"rId7\"/>"
                                   "<sheet name=\"Dua\" sheetId=\"2\" r:id=\"rId9\"/>"
                                   "<sheet name=\"Satu\" sheetId=\"1\" r:id=\"rId1\"/>")},
        {"book/_rels/main.xml.rels", relationships({{"rId1", "worksheet", "sheets/sheet1.xml"},
                                                    {"rId7", "chartsheet", "charts/sheet3.xml"},
                                                    {"rId9", "worksheet", "../parts/./sheet2.xml"}})},
        {"book/sheets/sheet1.xml",
         worksheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>salah</t></is></c></row>")},
        {"parts/sheet2.xml",
         worksheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>benar</t></is></c></row>")},
    };
    EXPECT_TABLE(sheetRead(fixtures::write("order.xlsx", fixtures::zip(parts))), rows({{"benar"}}));
}

TEST(XlsxParts, BrokenContentIsDamaged)
{
    const char *cases[] = {
        "<row r=\"1\"><c r=\"A1\"><v>1</v></row>",             // unclosed element
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>5</v></c></row>", // shared string out of range
        "<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>",         // bad reference
        "<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>",       // beyond the last column
        "<row r=\"1\"><c r=\"A1\"><v>abc</v></c></row>",       // not a number
    };
    for (const char *sheetData : cases) {
        SCOPED_TRACE(sheetData);
        EXPECT_FAILURE(sheetRead(package(sheetData)), damaged);
    }
}

// A worksheet part whose deflated data or checksum was changed is damaged; one
// whose size alone is off by one, its data and checksum whole, reads as before.
TEST(XlsxParts, PartThatDoesNotInflateAsItsHeadersSayIsDamaged)
{
    QByteArray sheetData;
    for (int r = 1; r <= 2000; ++r)
        sheetData += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"A" + QByteArray::number(r) + "\"><v>" +
                     QByteArray::number(r) + "</v></c></row>";
    const QByteArray good = fixtures::read(package(sheetData));
    const TextRead whole = sheetRead(fixtures::write("whole.xlsx", good));
    ASSERT_TRUE(whole.ok());
    ASSERT_EQ(whole.table.size(), 2000);
    const QByteArray name = "xl/worksheets/sheet1.xml";
    const qsizetype local = good.indexOf(name) - 30, central = good.indexOf(name, local + 31) - 46;
    ASSERT_EQ(good.mid(local, 4), "PK\x03\x04");
    ASSERT_EQ(good.mid(central, 4), "PK\x01\x02");
    ASSERT_EQ(good.mid(local + 8, 2), QByteArray("\x08\x00", 2)) << "deflated";
    auto u32At = [&](qsizetype at) {
        return quint32(uchar(good[at])) | quint32(uchar(good[at + 1])) << 8 |
               quint32(uchar(good[at + 2])) << 16 | quint32(uchar(good[at + 3])) << 24;
    };
    // The same field of both headers: local offset, central offset.
    auto withField = [&](qsizetype localAt, qsizetype centralAt, quint32 value) {
        QByteArray bytes = good;
        for (qsizetype at : {local + localAt, central + centralAt})
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = char(value >> (8 * i));
        return bytes;
    };
    const qsizetype data =
        local + 30 + name.size() + (uchar(good[local + 28]) | uchar(good[local + 29]) << 8);
    QByteArray flipped = good;
    flipped[data + u32At(local + 18) / 2] = char(flipped[data + u32At(local + 18) / 2] ^ 0x5A);
    const std::pair<const char *, QByteArray> damagedCases[] = {
        {"data", flipped},
        {"checksum", withField(14, 16, u32At(local + 14) ^ 1)},
    };
    for (const auto &[what, bytes] : damagedCases) {
        SCOPED_TRACE(what);
        EXPECT_FAILURE(sheetRead(fixtures::write("changed.xlsx", bytes)), damaged);
    }
    for (int change : {-1, 1}) {
        SCOPED_TRACE(change);
        EXPECT_TABLE(
            sheetRead(fixtures::write("resized.xlsx", withField(22, 24, u32At(local + 22) + change))),
            whole.table);
    }
}

TEST(XlsxParts, UsedRangeTooLargeToHoldIsRefused)
{
    // Two cells at the far corners: the range would need more than a billion cells.
    QString file = package("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                           "<row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>");
    EXPECT_FAILURE(sheetRead(file), "File Excel terlalu besar untuk dibaca!");
    EXPECT_FAILURE(importRead(file), "File Excel terlalu besar untuk dibaca!");
}

TEST(XlsxParts, WorkbookWithoutWorksheet)
{
    QList<std::pair<QString, QByteArray>> parts = {
        {"_rels/.rels", relationships({{"rId1", "officeDocument", "xl/workbook.xml"}})},
        {"xl/workbook.xml", workbook("<sheet name=\"Grafik\" sheetId=\"1\" r:id=\"rId1\"/>")},
        {"xl/_rels/workbook.xml.rels", relationships({{"rId1", "chartsheet", "chartsheets/sheet1.xml"}})},
    };
    EXPECT_FAILURE(sheetRead(fixtures::write("charts.xlsx", fixtures::zip(parts))),
                   "File Excel tidak memiliki worksheet!");
}

} // namespace
