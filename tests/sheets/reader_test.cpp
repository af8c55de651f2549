// Both readers on files written by other programs, one format per parameter.
#include "expect_table.h"
#include "fixtures.h"

#include <QDir>
#include <QDirIterator>

const auto readFirstSheet = sheetRead;
const auto readImportTable = importRead;

namespace {

class BothFormats : public ::testing::TestWithParam<const char *> {
protected:
    QString fixture(const char *name) const
    {
        return fixtures::generated(QString::fromLatin1(name) + QLatin1Char('.') + GetParam());
    }
    QString committed(const char *name) const
    {
        return fixtures::committed(QString::fromLatin1(name) + QLatin1Char('.') + GetParam());
    }
};

INSTANTIATE_TEST_SUITE_P(Formats, BothFormats, ::testing::Values("xls", "xlsx"));

TEST_P(BothFormats, UsedRangeStartsAtItsFirstCellAndIgnoresFormattedBlanks)
{
    // Data from B3, a title row, a blank row inside, a formatted blank at AE41.
    importing::Table expected = rows({
        {"NIK", "Nama Lengkap", "Nominal Gaji", "Nominal 4%", "Nominal 1%", "Remunerasi", "Insentif"},
        {"3.20123456789012E+15", "Siti Aminah", "5000000", "200000", "50000", "750000", "0"},
        {"", "", "", "", "", "", ""},
        {"3201234567890124", "  O'Neil  ", "4250000.5", "170000.02", "42500.005", "750000", "0"},
        {"3201234567890125", "Budi", "5'000\\", "", "", "", ""},
    });
    EXPECT_TABLE(readImportTable(fixture("offset")), expected);
    EXPECT_TABLE(readFirstSheet(fixture("offset")), expected);
}

TEST_P(BothFormats, NumbersAndBooleansBecomeGeneralText)
{
    EXPECT_TABLE(readFirstSheet(fixture("numbers")),
                 rows({{"0.5", "0", "1E+20", "1E-7", "0.00001", "123456789012345", "1.23456789012346E+15",
                        "-2.5", "0.333333333333333", "9.00719925474099E+15", "TRUE", "FALSE"}}));
}

TEST_P(BothFormats, ImportTakesSevenColumnsAndRefusesFewer)
{
    EXPECT_FAILURE(readImportTable(fixture("cols6")),
                   "Data pada sheet pertama hanya terdiri dari 6 kolom!" + sevenColumns);
    EXPECT_EQ(readImportTable(fixture("cols7")).table, readFirstSheet(fixture("cols7")).table);
    EXPECT_TABLE(readImportTable(fixture("cols9")), rows({{"1", "2", "3", "4", "5", "6", "7"},
                                                          {"11", "12", "13", "14", "15", "16", "17"},
                                                          {"21", "22", "23", "24", "25", "26", "27"},
                                                          {"31", "32", "33", "34", "35", "36", "37"}}));
}

TEST_P(BothFormats, OneCellOrNoneIsASingleCell)
{
    EXPECT_TABLE(readFirstSheet(fixture("single")), rows({{"satu"}}));
    EXPECT_FAILURE(readImportTable(fixture("single")), "Sheet pertama hanya berisi satu sel!" + sevenColumns);
    EXPECT_TABLE(readFirstSheet(fixture("empty")), rows({{""}}));
    EXPECT_FAILURE(readImportTable(fixture("empty")), "Sheet pertama hanya berisi satu sel!" + sevenColumns);
}

TEST_P(BothFormats, TextKeepsEveryCharacter)
{
    EXPECT_TABLE(readFirstSheet(fixture("unicode")), rows({{"Ñoño", "Ā ā Ž", "日本", "tab\there"},
                                                           {QString(300, QLatin1Char('x')), "", "", ""}}));
}

TEST_P(BothFormats, FirstSheetOfTheWorkbookIsRead)
{
    EXPECT_TABLE(readFirstSheet(fixture("two_sheets")), rows({{"first"}}));
}

TEST_P(BothFormats, FormulaCellsGiveTheirStoredResults)
{
    importing::Table expected = rows({
        {"3201234567890123", "Siti Aminah", "5000000", "200000", "50000", "750000", "250000"},
        {"3201234567890124", "Budi", "4250000", "170000", "42500", "750000", "250000"},
        {"3201234567890125", "O'Neil", "3333333", "133333.32", "33333.33", "750000", "250000"},
    });
    EXPECT_TABLE(readImportTable(committed("formulas")), expected);
    // text, boolean and long text results; an empty text result widens nothing
    TextRead whole = readFirstSheet(committed("formulas"));
    ASSERT_TRUE(whole.ok()) << whole.error.toStdString();
    ASSERT_EQ(whole.table.size(), 3);
    ASSERT_EQ(whole.table[0].size(), 8);
    EXPECT_EQ(whole.table[0][7], QStringLiteral("Siti Aminah (aktif)"));
    EXPECT_EQ(whole.table[1][7], QStringLiteral("TRUE"));
    EXPECT_EQ(whole.table[2][7], QStringLiteral("ab").repeated(300));
}

TEST_P(BothFormats, ErrorCellFailsTheReadNamingTheFirstInColumnOrder)
{
    EXPECT_FAILURE(readImportTable(fixture("error_c5")), errorCell("C5", "#N/A"));
    // E4 holds #DIV/0! too, but column C comes first
    EXPECT_FAILURE(readImportTable(committed("formula_error")), errorCell("C5", "#N/A"));
}

TEST_P(BothFormats, TruncatedFileIsDamaged)
{
    QByteArray bytes = fixtures::read(fixture("offset"));
    for (qsizetype length : {qsizetype(600), bytes.size() / 2}) {
        SCOPED_TRACE(length);
        EXPECT_FAILURE(readImportTable(fixtures::write(QStringLiteral("cut"), bytes.left(length))), damaged);
    }
}

TEST(Xls, SharedStringsSplitAcrossContinueRecords)
{
    TextRead result = readFirstSheet(fixtures::generated("many_strings.xls"));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    ASSERT_EQ(result.table.size(), 120);
    EXPECT_EQ(result.table[3][0], QStringLiteral("Pegawai nomor 3 āāā"));
    EXPECT_EQ(result.table[119][6], QString(119 * 211 % 9000, QChar(u'Ž')));
    EXPECT_EQ(result.table[42][6], QString(42 * 211 % 9000, QLatin1Char('z')));
}

TEST(Xls, RichTextGivesItsPlainText)
{
    EXPECT_TABLE(readFirstSheet(fixtures::generated("rich.xls")),
                 rows({{"0", "Siti Aminah", "2", "3", "4", "5", "6"}, {"", "TRUE", "", "", "", "", ""}}));
}

TEST(Xlsx, RichTextEscapesAndCachedFormulaValues)
{
    EXPECT_TABLE(readFirstSheet(fixtures::generated("xlsxwriter.xlsx")),
                 rows({{"3201234567890123", "Siti Aminah", "5000000", "200000", "50000", "a\x01z", "Aktif"},
                       {"TRUE", "", "", "", "", "", ""}}));
}

TEST(Xlsx, InlineStrings)
{
    TextRead result = readImportTable(fixtures::generated("inline_strings.xlsx"));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.table.size(), 3);
    EXPECT_EQ(result.table[2][6], QStringLiteral("s20"));
}

TEST(Xlsx, ChartSheetFirstIsSkipped)
{
    EXPECT_TABLE(readImportTable(fixtures::generated("chartsheet_first.xlsx")),
                 rows({{"0", "1", "2", "3", "4", "5", "6"},
                       {"10", "11", "12", "13", "14", "15", "16"},
                       {"20", "21", "22", "23", "24", "25", "26"}}));
}

TEST(Format, TakenFromTheFirstBytesNotTheName)
{
    QString renamed =
        fixtures::write(QStringLiteral("renamed.xls"), fixtures::read(fixtures::generated("cols9.xlsx")));
    EXPECT_EQ(readImportTable(renamed).table, readImportTable(fixtures::generated("cols9.xlsx")).table);
    QString xlsAsXlsx =
        fixtures::write(QStringLiteral("renamed.xlsx"), fixtures::read(fixtures::generated("cols9.xls")));
    EXPECT_EQ(readImportTable(xlsAsXlsx).table.size(), 4);
}

TEST(Format, OtherFilesAreRefused)
{
    EXPECT_FAILURE(readImportTable(fixtures::write("data.xls", "NIK;Nama\n3201;Siti\n")), notExcel);
    EXPECT_FAILURE(readImportTable(fixtures::write("empty.xls", "")), notExcel);
    EXPECT_FAILURE(
        readImportTable(fixtures::write("doc.xlsx", fixtures::zip({{"word/document.xml", "<w/>"}}))),
        notExcel);
    QString missing = QStringLiteral("/nonexistent/gaji.xls");
    EXPECT_FAILURE(readImportTable(missing), "File tidak bisa dibuka!\r" + missing);
}

QByteArray directoryName(const char16_t *name)
{
    QByteArray field(66, '\0');
    QString text = QString::fromUtf16(name);
    for (qsizetype i = 0; i < text.size(); ++i)
        field[2 * i] = char(text[i].unicode() & 0xFF), field[2 * i + 1] = char(text[i].unicode() >> 8);
    field[64] = char((text.size() + 1) * 2);
    return field;
}

TEST(Xls, OlderAndEncryptedWorkbooksAreRefused)
{
    QByteArray xls = fixtures::read(fixtures::generated("cols9.xls"));
    const QByteArray globalsBof("\x09\x08\x10\x00\x00\x06\x05\x00", 8);
    const QByteArray interfaceHeader("\xE1\x00\x02\x00", 4);
    const QByteArray filePass("\x2F\x00\x02\x00", 4);
    struct Case {
        const char *what;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"BIFF5 version in the BOF",
         fixtures::patched(xls, globalsBof, QByteArray("\x09\x08\x10\x00\x00\x05\x05\x00", 8)), oldVersion},
        {"Excel 5 Book stream", fixtures::patched(xls, directoryName(u"Workbook"), directoryName(u"Book")),
         oldVersion},
        {"bare BIFF4 stream", QByteArray("\x09\x04\x06\x00\x00\x00\x10\x00", 8), oldVersion},
        {"FILEPASS record", fixtures::patched(xls, interfaceHeader, filePass), encrypted},
        {"encrypted package",
         fixtures::patched(xls, directoryName(u"Workbook"), directoryName(u"EncryptedPackage")), encrypted},
        {"no workbook stream",
         fixtures::patched(xls, directoryName(u"Workbook"), directoryName(u"WordDocument")), notExcel},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FAILURE(readImportTable(fixtures::write(QStringLiteral("patched.xls"), c.bytes)), c.message);
    }
}

TEST(Xls, ChartAndMacroSheetsBeforeTheFirstWorksheetAreSkipped)
{
    // two_sheets.xls holds "Zulu" (A1 "first") then "Alpha" (A1 "second")
    QByteArray xls = fixtures::read(fixtures::generated("two_sheets.xls"));
    const QByteArray zulu("\x00\x00\x04\x00Zulu", 8);
    const QByteArray sheetBof("\x09\x08\x10\x00\x00\x06\x10\x00", 8);
    struct Case {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"chart sheet in the sheet list",
         fixtures::patched(xls, zulu, QByteArray("\x00\x02\x04\x00Zulu", 8))},
        {"macro sheet in the sheet list",
         fixtures::patched(xls, zulu, QByteArray("\x00\x01\x04\x00Zulu", 8))},
        {"chart substream behind a worksheet entry",
         fixtures::patched(xls, sheetBof, QByteArray("\x09\x08\x10\x00\x00\x06\x20\x00", 8))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TABLE(readFirstSheet(fixtures::write(QStringLiteral("charts.xls"), c.bytes)),
                     rows({{"second"}}));
    }
}

// Inputs the fuzz targets flagged (crash, hang, leak or slow), by reader.
TEST(FuzzFindings, FailWithAMessage)
{
    QDirIterator files(fixtures::committed(QStringLiteral("fuzz")), QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QString file = files.next();
        SCOPED_TRACE(file.toStdString());
        TextRead result = readFirstSheet(file);
        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.error.isEmpty());
    }
}

} // namespace
