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

// The hot attributes and values come either as their raw bytes, when those
// read as themselves (see XmlScanner::readsAsItself), or decoded; one parser
// serves both, and sends what it does not know to Qt's general one.
char16_t unitOf(QChar c)
{
    return c.unicode();
}
char16_t unitOf(char c)
{
    return uchar(c);
}
QStringView general(QStringView text)
{
    return text;
}
QString general(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
}
QStringView tail(QStringView text, qsizetype from)
{
    return text.sliced(from);
}
std::string_view tail(std::string_view text, qsizetype from)
{
    return text.substr(size_t(from));
}

// QStringView::toUInt and toDouble go through the locale machinery: the plain
// forms nearly every cell holds are parsed here, anything else is left to them.
template <typename Text> uint32_t toUnsigned(Text text, bool *ok)
{
    if (text.empty() || text.size() > 9)
        return general(text).toUInt(ok);
    uint32_t number = 0;
    for (auto c : text) {
        char16_t unit = unitOf(c);
        if (unit < '0' || unit > '9')
            return general(text).toUInt(ok);
        number = number * 10 + (unit - '0');
    }
    *ok = true;
    return number;
}

template <typename Text> double toNumber(Text text, bool *ok)
{
    // "-ddd.ddd" this short can neither overflow nor underflow.
    char plain[300];
    qsizetype size = qsizetype(text.size());
    if (size == 0 || size > qsizetype(sizeof plain))
        return general(text).toDouble(ok);
    qsizetype digits = 0, point = -1;
    for (qsizetype i = 0; i < size; ++i) {
        char16_t c = unitOf(text[i]);
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && point < 0 && digits > 0)
            point = i;
        else if (!(c == '-' && i == 0))
            return general(text).toDouble(ok);
        plain[i] = char(c);
    }
    if (digits == 0 || point == size - 1)
        return general(text).toDouble(ok);
    double number = 0;
    std::from_chars(plain, plain + size, number);
    *ok = true;
    return number;
}

// "B3" into zero-based row and column.
template <typename Text> void parseReference(Text ref, uint32_t &row, uint32_t &col)
{
    qsizetype i = 0;
    uint32_t letters = 0;
    for (;
         i < qsizetype(ref.size()) && unitOf(ref[i]) >= 'A' && unitOf(ref[i]) <= 'Z' && letters <= maxColumns;
         ++i)
        letters = letters * 26 + (unitOf(ref[i]) - 'A' + 1);
    bool digits;
    uint32_t number = toUnsigned(tail(ref, i), &digits);
    if (letters == 0 || letters > maxColumns || !digits || number == 0 || number > maxRows)
        throwDamaged();
    row = number - 1;
    col = letters - 1;
}

template <typename Text> uint32_t parseRow(Text r)
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
    // Calls use with the attribute's value, empty when absent: its raw bytes
    // when they read as themselves, else decoded into buffer.
    template <typename Use>
    static auto withAttribute(const XmlScanner &xml, std::string_view name, QString &buffer, Use use)
    {
        std::optional<std::string_view> raw = xml.attribute(name);
        if (!raw || XmlScanner::readsAsItself(*raw))
            return use(raw.value_or(std::string_view()));
        return use(attributeValue(xml, name, buffer));
    }

    void startRow(const XmlScanner &xml)
    {
        row_ = withAttribute(xml, "r", reference_,
                             [this](auto r) { return r.empty() ? row_ + 1 : parseRow(r); });
        if (row_ >= maxRows)
            throwDamaged();
        col_ = UINT32_MAX; // the next cell without a reference is column A
    }

    enum class Type { Number, Shared, Inline, Formula, Boolean, Error, Date };

    static Type typeOf(QStringView t)
    {
        // No type's name holds other characters than ASCII letters.
        const QByteArray latin = t.toLatin1();
        return typeOf(std::string_view(latin.constData(), size_t(latin.size())));
    }

    static Type typeOf(std::string_view name)
    {
        if (name.empty() || name == "n")
            return Type::Number;
        if (name == "s")
            return Type::Shared;
        if (name == "inlineStr")
            return Type::Inline;
        if (name == "str")
            return Type::Formula;
        if (name == "b")
            return Type::Boolean;
        if (name == "e")
            return Type::Error;
        if (name == "d")
            return Type::Date;
        throwDamaged();
    }

    void cell(XmlScanner &xml)
    {
        withAttribute(xml, "r", reference_, [this](auto ref) {
            if (!ref.empty())
                parseReference(ref, row_, col_);
            else if (row_ >= maxRows || ++col_ >= maxColumns)
                throwDamaged();
        });
        Type type = withAttribute(xml, "t", type_, [](auto t) { return typeOf(t); });
        uint16_t format = 0;
        if (type == Type::Number) {
            bool digits = false;
            uint32_t style = withAttribute(xml, "s", style_, [&](auto s) { return toUnsigned(s, &digits); });
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

    // The text of <v>, gathered in a buffer kept from cell to cell, but for a
    // number or a shared string's index in one text that reads as itself, as
    // nearly every one comes: that is parsed where it lies.
    void value(XmlScanner &xml, Type type, uint16_t format)
    {
        value_.resize(0);
        XmlScanner::Token token = xml.next();
        if (token == XmlScanner::Token::Text && (type == Type::Number || type == Type::Shared)) {
            std::optional<std::string_view> raw = xml.textAsItself();
            if (raw && (token = xml.next()) == XmlScanner::Token::EndElement)
                return numberOrShared(*raw, type, format);
            if (raw) {
                value_ = general(*raw);
            } else {
                xml.appendText(value_);
                token = xml.next();
            }
        }
        for (; token == XmlScanner::Token::Text; token = xml.next())
            xml.appendText(value_);
        if (token != XmlScanner::Token::EndElement)
            throwDamaged();
        QStringView view(value_);
        switch (type) {
        case Type::Number:
        case Type::Shared:
            numberOrShared(view, type, format);
            break;
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

    template <typename Text> void numberOrShared(Text text, Type type, uint16_t format)
    {
        if (type == Type::Number) {
            if (!text.empty())
                sheet_.number(row_, col_, parsedNumber(text), format);
            return;
        }
        bool digits;
        uint index = toUnsigned(text, &digits);
        if (!digits || index >= sst_.size())
            throwDamaged();
        sheet_.text(row_, col_, sst_[index]);
    }

    template <typename Text> static double parsedNumber(Text text)
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
