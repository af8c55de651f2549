#include "xlsx_reader.h"

#include "number_formats.h"
#include "read_error.h"
#include "xml_scanner.h"
#include "zip_package.h"

#include <QXmlStreamReader>
#include <charconv>
#include <vector>

namespace sheets {

namespace {

constexpr uint32_t maxRows = 1'048'576;
constexpr uint32_t maxColumns = 16'384;

struct Relationship {
    QString id;
    QString type;
    QString target;
};

bool is(const QXmlStreamReader &xml, QLatin1StringView name)
{
    return xml.name() == name;
}

void checkXml(const QXmlStreamReader &xml)
{
    if (xml.hasError())
        throwDamaged();
}

QString folderOf(const QString &part)
{
    return part.left(part.lastIndexOf(QLatin1Char('/')) + 1);
}

// A relationship target, relative to the folder of the part that names it.
QString resolve(const QString &folder, const QString &target)
{
    QString path = target.startsWith(QLatin1Char('/')) ? target : folder + target;
    QStringList segments;
    for (const QString &segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1StringView(".."))
            segments.isEmpty() ? void() : segments.removeLast();
        else if (segment != QLatin1StringView("."))
            segments << segment;
    }
    return segments.join(QLatin1Char('/'));
}

QString relsOf(const QString &part)
{
    return folderOf(part) + QStringLiteral("_rels/") + part.mid(part.lastIndexOf(QLatin1Char('/')) + 1) +
           QStringLiteral(".rels");
}

std::vector<Relationship> relationships(const ZipPackage &package, const QString &part)
{
    std::vector<Relationship> out;
    std::optional<QByteArray> bytes = package.part(relsOf(part));
    if (!bytes)
        return out;
    QString folder = folderOf(part);
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && is(xml, QLatin1StringView("Relationship"))) {
            QXmlStreamAttributes attributes = xml.attributes();
            out.push_back({attributes.value(QLatin1StringView("Id")).toString(),
                           attributes.value(QLatin1StringView("Type")).toString(),
                           resolve(folder, attributes.value(QLatin1StringView("Target")).toString())});
        }
    }
    checkXml(xml);
    return out;
}

const Relationship *findType(const std::vector<Relationship> &rels, QLatin1StringView typeSuffix)
{
    for (const Relationship &rel : rels)
        if (rel.type.endsWith(typeSuffix))
            return &rel;
    return nullptr;
}

// Text that cannot sit in XML is written as _xHHHH_, an underscore itself as _x005F_.
QString unescape(QString text)
{
    qsizetype at = text.indexOf(QLatin1StringView("_x"));
    if (at < 0)
        return text;
    QString out = text.left(at);
    for (qsizetype i = at; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == QLatin1Char('x') &&
            text[i + 6] == QLatin1Char('_')) {
            bool hex;
            ushort code = QStringView(text).mid(i + 2, 4).toUShort(&hex, 16);
            if (hex) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString firstWorksheet(const ZipPackage &package, const QString &workbookPart,
                       const std::vector<Relationship> &rels)
{
    std::optional<QByteArray> bytes = package.part(workbookPart);
    if (!bytes)
        throwNotExcel();
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || !is(xml, QLatin1StringView("sheet")))
            continue;
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            if (attribute.name() != QLatin1StringView("id") || attribute.namespaceUri().isEmpty())
                continue;
            for (const Relationship &rel : rels)
                if (rel.id == attribute.value() && rel.type.endsWith(QLatin1StringView("/worksheet")))
                    return rel.target;
        }
    }
    checkXml(xml);
    throwNoWorksheet();
}

// QStringView::toUInt and toDouble go through the locale machinery: the plain
// forms nearly every cell holds are parsed here, anything else is left to them.
uint32_t toUnsigned(QStringView text, bool *ok)
{
    if (text.isEmpty() || text.size() > 9)
        return text.toUInt(ok);
    uint32_t number = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return text.toUInt(ok);
        number = number * 10 + (c.unicode() - '0');
    }
    *ok = true;
    return number;
}

double toNumber(QStringView text, bool *ok)
{
    // "-ddd.ddd" this short can neither overflow nor underflow.
    char plain[300];
    qsizetype size = text.size();
    if (size == 0 || size > qsizetype(sizeof plain))
        return text.toDouble(ok);
    qsizetype digits = 0, point = -1;
    for (qsizetype i = 0; i < size; ++i) {
        char16_t c = text[i].unicode();
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && point < 0 && digits > 0)
            point = i;
        else if (!(c == '-' && i == 0))
            return text.toDouble(ok);
        plain[i] = char(c);
    }
    if (digits == 0 || point == size - 1)
        return text.toDouble(ok);
    double number = 0;
    std::from_chars(plain, plain + size, number);
    *ok = true;
    return number;
}

// "B3" into zero-based row and column.
void parseReference(QStringView ref, uint32_t &row, uint32_t &col)
{
    qsizetype i = 0;
    uint32_t letters = 0;
    for (;
         i < ref.size() && ref[i] >= QLatin1Char('A') && ref[i] <= QLatin1Char('Z') && letters <= maxColumns;
         ++i)
        letters = letters * 26 + (ref[i].unicode() - 'A' + 1);
    bool digits;
    uint32_t number = toUnsigned(ref.mid(i), &digits);
    if (letters == 0 || letters > maxColumns || !digits || number == 0 || number > maxRows)
        throwDamaged();
    row = number - 1;
    col = letters - 1;
}

uint32_t parseRow(QStringView r)
{
    bool digits;
    uint32_t number = toUnsigned(r, &digits);
    if (!digits || number == 0 || number > maxRows)
        throwDamaged();
    return number - 1;
}

// Like QXmlStreamReader::readNextStartElement: false at the end of the current element.
bool nextStartElement(XmlScanner &xml)
{
    for (;;) {
        XmlScanner::Token token = xml.next();
        if (token == XmlScanner::Token::StartElement)
            return true;
        if (token == XmlScanner::Token::EndElement || token == XmlScanner::Token::EndOfDocument)
            return false;
    }
}

// Characters of a string item kept before its escapes are resolved: an
// escape (_xHHHH_) is seven characters for one, so more cannot fit a cell.
constexpr qsizetype maxRawItem = 7 * maxCellText;

// The text of a <t>; comments and processing instructions inside are left out.
// Stops appending, and clears fits, when the text grows beyond maxRawItem.
void appendElementText(XmlScanner &xml, QString &text, bool &fits)
{
    for (;;) {
        switch (xml.next()) {
        case XmlScanner::Token::Text:
            fits = fits && xml.appendText(text, maxRawItem);
            break;
        case XmlScanner::Token::Other:
            break;
        case XmlScanner::Token::EndElement:
            return;
        default:
            throwDamaged();
        }
    }
}

// Appends the text of each <t> child, skipping every other element.
void appendTexts(XmlScanner &xml, QString &text, bool intoRuns, bool &fits)
{
    while (nextStartElement(xml)) {
        if (xml.name() == "t")
            appendElementText(xml, text, fits);
        else if (intoRuns && xml.name() == "r")
            appendTexts(xml, text, false, fits);
        else
            xml.skipElement();
    }
}

// The text of an <si> or <is>: its <t>, or the <t> of each rich-text run;
// phonetic runs (<rPh>) are left out. A text no cell can hold is not kept:
// SheetBuilder::tooLong() stands for it, so a huge string costs no memory.
QString stringItem(XmlScanner &xml)
{
    QString text;
    bool fits = true;
    appendTexts(xml, text, true, fits);
    return fits ? unescape(std::move(text)) : SheetBuilder::tooLong();
}

// The attribute's value as XML reads it, empty when absent.
QStringView attributeValue(const XmlScanner &xml, std::string_view name, QString &buffer)
{
    buffer.resize(0);
    if (std::optional<std::string_view> raw = xml.attribute(name))
        XmlScanner::appendAttributeValue(buffer, *raw);
    return buffer;
}

// A number attribute; 0 when absent or not a number.
uint32_t numberAttribute(const XmlScanner &xml, std::string_view name)
{
    QString buffer;
    bool ok = false;
    uint32_t number = toUnsigned(attributeValue(xml, name, buffer), &ok);
    return ok ? number : 0;
}

std::vector<QString> sharedStrings(const ZipPackage &package, const std::vector<Relationship> &rels)
{
    std::vector<QString> strings;
    const Relationship *rel = findType(rels, QLatin1StringView("/sharedStrings"));
    std::optional<QByteArray> bytes = rel ? package.part(rel->target) : std::nullopt;
    if (!bytes)
        return strings;
    XmlScanner xml(*bytes);
    for (XmlScanner::Token token; (token = xml.next()) != XmlScanner::Token::EndOfDocument;) {
        if (token != XmlScanner::Token::StartElement || xml.name() != "si")
            continue;
        if (strings.size() >= maxCells)
            throwTooLarge();
        strings.push_back(stringItem(xml));
    }
    xml.finish();
    return strings;
}

// The number format of each cell style (cellXfs), and the file's own formats.
FormatTable styles(const ZipPackage &package, const std::vector<Relationship> &rels)
{
    FormatTable formats;
    const Relationship *rel = findType(rels, QLatin1StringView("/styles"));
    std::optional<QByteArray> bytes = rel ? package.part(rel->target) : std::nullopt;
    if (!bytes)
        return formats;
    XmlScanner xml(*bytes);
    QString code;
    for (XmlScanner::Token token; (token = xml.next()) != XmlScanner::Token::EndOfDocument;) {
        if (token != XmlScanner::Token::StartElement)
            continue;
        bool numFmts = xml.name() == "numFmts";
        if (!numFmts && xml.name() != "cellXfs")
            continue;
        while (nextStartElement(xml)) {
            if (numFmts && xml.name() == "numFmt")
                formats.define(numberAttribute(xml, "numFmtId"),
                               attributeValue(xml, "formatCode", code).toString());
            else if (!numFmts && xml.name() == "xf")
                formats.addStyle(numberAttribute(xml, "numFmtId"));
            xml.skipElement();
        }
    }
    xml.finish();
    return formats;
}

// The worksheet's cells, through the scanner: the worksheet is most of the bytes.
class WorksheetReader {
public:
    WorksheetReader(const std::vector<QString> &sst, FormatTable &formats, SheetBuilder &sheet)
        : sst_(sst), formats_(formats), sheet_(sheet)
    {
    }

    void read(const QByteArray &bytes)
    {
        XmlScanner xml(bytes);
        XmlScanner::Token token;
        while ((token = xml.next()) != XmlScanner::Token::EndOfDocument &&
               !(token == XmlScanner::Token::StartElement && xml.name() == "sheetData"))
            ;
        // Elements of the same names elsewhere (extensions) hold no cells.
        while (token == XmlScanner::Token::StartElement && nextStartElement(xml)) {
            if (xml.name() != "row") {
                xml.skipElement();
                continue;
            }
            startRow(xml);
            while (nextStartElement(xml)) {
                if (xml.name() == "c")
                    cell(xml);
                else
                    xml.skipElement();
            }
        }
        xml.finish();
    }

private:
    static QStringView attribute(const XmlScanner &xml, std::string_view name, QString &buffer)
    {
        return attributeValue(xml, name, buffer);
    }

    void startRow(const XmlScanner &xml)
    {
        QStringView r = attribute(xml, "r", reference_);
        row_ = r.isEmpty() ? row_ + 1 : parseRow(r);
        if (row_ >= maxRows)
            throwDamaged();
        col_ = UINT32_MAX; // the next cell without a reference is column A
    }

    enum class Type { Number, Shared, Inline, Formula, Boolean, Error, Date };

    static Type typeOf(QStringView t)
    {
        std::u16string_view name(t.utf16(), size_t(t.size()));
        if (name.empty() || name == u"n")
            return Type::Number;
        if (name == u"s")
            return Type::Shared;
        if (name == u"inlineStr")
            return Type::Inline;
        if (name == u"str")
            return Type::Formula;
        if (name == u"b")
            return Type::Boolean;
        if (name == u"e")
            return Type::Error;
        if (name == u"d")
            return Type::Date;
        throwDamaged();
    }

    void cell(XmlScanner &xml)
    {
        QStringView ref = attribute(xml, "r", reference_);
        if (ref.isEmpty()) {
            if (row_ >= maxRows || ++col_ >= maxColumns)
                throwDamaged();
        } else {
            parseReference(ref, row_, col_);
        }
        Type type = typeOf(attribute(xml, "t", type_));
        uint16_t format = 0;
        if (type == Type::Number) {
            bool digits = false;
            uint32_t style = toUnsigned(attribute(xml, "s", style_), &digits);
            format = digits ? formats_.formatOfStyle(style, sheet_) : 0;
        }
        while (nextStartElement(xml)) {
            if (xml.name() == "v")
                value(xml, type, format);
            else if (type == Type::Inline && xml.name() == "is")
                sheet_.text(row_, col_, stringItem(xml));
            else
                xml.skipElement();
        }
    }

    // The text of <v>, gathered in a buffer kept from cell to cell.
    void value(XmlScanner &xml, Type type, uint16_t format)
    {
        value_.resize(0);
        XmlScanner::Token token;
        while ((token = xml.next()) == XmlScanner::Token::Text)
            xml.appendText(value_);
        if (token != XmlScanner::Token::EndElement)
            throwDamaged();
        QStringView view(value_);
        switch (type) {
        case Type::Number:
            if (!view.isEmpty())
                sheet_.number(row_, col_, parsedNumber(view), format);
            break;
        case Type::Shared: {
            bool digits;
            uint index = toUnsigned(view, &digits);
            if (!digits || index >= sst_.size())
                throwDamaged();
            sheet_.text(row_, col_, sst_[index]);
            break;
        }
        case Type::Formula:
            sheet_.text(row_, col_, unescape(view.toString()));
            break;
        case Type::Boolean:
            sheet_.boolean(row_, col_,
                           view.trimmed() == QLatin1StringView("1") ||
                               view.trimmed() == QLatin1StringView("true"));
            break;
        case Type::Error:
            sheet_.error(row_, col_, view.toString());
            break;
        case Type::Inline:
        case Type::Date:
            sheet_.text(row_, col_, view.toString());
            break;
        }
    }

    static double parsedNumber(QStringView text)
    {
        bool parsed;
        double number = toNumber(text, &parsed);
        if (!parsed)
            throwDamaged();
        return number;
    }

    const std::vector<QString> &sst_;
    FormatTable &formats_;
    SheetBuilder &sheet_;
    QString reference_, type_, style_, value_;
    uint32_t row_ = UINT32_MAX; // the first row without a reference is row 1
    uint32_t col_ = UINT32_MAX;
};

} // namespace

void readXlsx(const QByteArray &file, SheetBuilder &sheet)
{
    ZipPackage package(file);
    const std::vector<Relationship> packageRels = relationships(package, QString());
    const Relationship *document = findType(packageRels, QLatin1StringView("/officeDocument"));
    QString workbookPart = document ? document->target : QStringLiteral("xl/workbook.xml");
    std::vector<Relationship> workbookRels = relationships(package, workbookPart);
    QString worksheetPart = firstWorksheet(package, workbookPart, workbookRels);
    std::vector<QString> strings = sharedStrings(package, workbookRels);
    FormatTable formats = styles(package, workbookRels);
    std::optional<QByteArray> worksheet = package.part(worksheetPart);
    if (!worksheet)
        throwDamaged();
    // A cell with a value takes some 40 bytes of XML, rarely fewer than 32.
    sheet.expectCells(size_t(worksheet->size()) / 32);
    WorksheetReader(strings, formats, sheet).read(*worksheet);
}

} // namespace sheets
