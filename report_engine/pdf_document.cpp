#include "report_engine/pdf_document.h"

#include "report_engine/pdf_font_file.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace report_engine {

struct PdfDocument::Font {
    QRawFont face; // at one pixel per font unit: advances are the font's own
    QByteArray resource;
    int id = 0;                      // of its Type0 font dictionary
    std::vector<double> widths;      // by glyph, thousandths of the size; negative for glyphs not used yet
    std::map<quint32, QString> used; // glyph → the text it stands for
};

namespace {

constexpr int catalogId = 1, pagesId = 2;

QByteArray deflated(const QByteArray &data)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    // A light level: text as strings compresses well already, and harder levels cost more time than they save
    // bytes.
    compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
              uLong(data.size()), 2);
    out.resize(qsizetype(size));
    return out;
}

void appendHex4(QByteArray &out, unsigned value)
{
    static const char digits[] = "0123456789ABCDEF";
    const char hex[4] = {digits[(value >> 12) & 15], digits[(value >> 8) & 15], digits[(value >> 4) & 15],
                         digits[value & 15]};
    out.append(hex, 4);
}

void appendInt(QByteArray &out, long long value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end - buffer);
}

// Whole numbers as such, others with three decimals at most.
void appendReal(QByteArray &out, double value)
{
    const double whole = std::round(value);
    if (std::abs(value - whole) < 0.0005) {
        appendInt(out, static_cast<long long>(whole));
        return;
    }
    char buffer[40];
    char *end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3).ptr;
    while (end[-1] == '0')
        --end;
    out.append(buffer, end - buffer);
}

// A PDF name from the face's name: letters, digits and a few marks only.
QByteArray pdfName(const QByteArray &name)
{
    QByteArray out;
    for (const char c : name)
        if (std::isalnum(uchar(c)) || c == '-' || c == '_')
            out += c;
    return out.isEmpty() ? QByteArrayLiteral("Font") : out;
}

QByteArray toUnicodeMap(const std::map<quint32, QString> &used)
{
    QByteArray map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    auto it = used.begin();
    while (it != used.end()) {
        const auto chunk = std::min<std::size_t>(100, std::distance(it, used.end()));
        appendInt(map, static_cast<long long>(chunk));
        map += " beginbfchar\n";
        for (std::size_t i = 0; i < chunk; ++i, ++it) {
            map += '<';
            appendHex4(map, it->first);
            map += "> <";
            for (const QChar c : it->second)
                appendHex4(map, c.unicode());
            map += ">\n";
        }
        map += "endbfchar\n";
    }
    return map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

} // namespace

PdfDocument::PdfDocument(const QByteArray &version) : offsets_(pagesId + 1, 0)
{
    out_ = "%PDF-" + version + "\n%\xE2\xE3\xCF\xD3\n";
    // The catalog comes first, so the metadata update finds it as the file's first object 1.
    startObject(catalogId);
    out_ += "<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    resourcesId_ = newObject();
}

PdfDocument::~PdfDocument() = default;

int PdfDocument::newObject()
{
    offsets_.push_back(0);
    return int(offsets_.size() - 1);
}

void PdfDocument::startObject(int id)
{
    offsets_[id] = out_.size();
    appendInt(out_, id);
    out_ += " 0 obj\n";
}

void PdfDocument::writeStream(int id, const QByteArray &data, const QByteArray &dictionary)
{
    const QByteArray packed = deflated(data);
    startObject(id);
    out_ += "<< /Length ";
    appendInt(out_, packed.size());
    out_ += " /Filter /FlateDecode" + dictionary + " >>\nstream\n" + packed + "\nendstream\nendobj\n";
}

void PdfDocument::appendNumber(double value)
{
    appendReal(content_, value);
}

void PdfDocument::appendPoint(QPointF p)
{
    appendReal(content_, p.x());
    content_ += ' ';
    appendReal(content_, p.y());
    content_ += ' ';
}

void PdfDocument::beginPage(const QSizeF &sizeMm, double dpi)
{
    endPage();
    pagePt_ = QSize(qRound(sizeMm.width() * 72 / 25.4), qRound(sizeMm.height() * 72 / 25.4));
    pageOpen_ = true;
    state_ = GraphicsState{};
    // Device pixels, y downwards; square caps and mitred corners, as the painter draws frames.
    appendNumber(72 / dpi);
    content_ += " 0 0 ";
    appendNumber(-72 / dpi);
    content_ += " 0 ";
    appendInt(content_, pagePt_.height());
    content_ += " cm\n2 J 0 j\n";
}

void PdfDocument::endPage()
{
    if (!pageOpen_)
        return;
    leaveText();
    const int contentId = newObject();
    writeStream(contentId, content_);
    content_.resize(0);
    const int pageId = newObject();
    startObject(pageId);
    out_ += "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ";
    appendInt(out_, pagePt_.width());
    out_ += ' ';
    appendInt(out_, pagePt_.height());
    out_ += "] /Resources ";
    appendInt(out_, resourcesId_);
    out_ += " 0 R /Contents ";
    appendInt(out_, contentId);
    out_ += " 0 R >>\nendobj\n";
    pages_.push_back(pageId);
    pageOpen_ = false;
}

void PdfDocument::enterText()
{
    if (inText_)
        return;
    content_ += "BT\n1 0 0 -1 0 0 Tm\n";
    textAt_ = QPointF(0, 0);
    inText_ = true;
}

void PdfDocument::leaveText()
{
    if (!inText_)
        return;
    content_ += "ET\n";
    inText_ = false;
}

void PdfDocument::setFill(QRgb rgb)
{
    if (rgb == state_.fill)
        return;
    state_.fill = rgb;
    if (qRed(rgb) == qGreen(rgb) && qGreen(rgb) == qBlue(rgb)) {
        appendNumber(qRed(rgb) / 255.0);
        content_ += " g\n";
        return;
    }
    appendNumber(qRed(rgb) / 255.0);
    content_ += ' ';
    appendNumber(qGreen(rgb) / 255.0);
    content_ += ' ';
    appendNumber(qBlue(rgb) / 255.0);
    content_ += " rg\n";
}

void PdfDocument::strokeLines(const QList<QLineF> &lines, double width)
{
    if (lines.isEmpty())
        return;
    leaveText();
    if (width != state_.lineWidth) {
        appendNumber(width);
        content_ += " w\n";
        state_.lineWidth = width;
    }
    for (const QLineF &line : lines) {
        appendPoint(line.p1());
        content_ += "m ";
        appendPoint(line.p2());
        content_ += "l\n";
    }
    content_ += "S\n";
}

void PdfDocument::fillRect(const QRectF &rect, const QColor &color)
{
    leaveText();
    setFill(color.rgb());
    appendPoint(rect.topLeft());
    appendPoint(QPointF(rect.width(), rect.height()));
    content_ += "re f\n";
}

PdfDocument::Font &PdfDocument::fontFor(const QRawFont &face)
{
    const QString key = face.familyName() + QLatin1Char('/') + face.styleName() + QLatin1Char('/') +
                        QString::number(face.weight()) + QLatin1Char('/') +
                        QString::number(int(face.style()));
    std::unique_ptr<Font> &font = fonts_[key];
    if (!font) {
        font = std::make_unique<Font>();
        font->face = face;
        font->face.setPixelSize(face.unitsPerEm());
        font->resource = "/F" + QByteArray::number(qsizetype(fonts_.size() - 1));
        font->id = newObject();
    }
    return *font;
}

void PdfDocument::showGlyphs(const QRawFont &font, const double *x, double y, const quint32 *glyphs,
                             QStringView text, const QColor &color)
{
    if (text.isEmpty())
        return;
    // The painter hands over a few faces again and again: one comparison each finds their font.
    auto known =
        std::find_if(faces_.begin(), faces_.end(), [&](const auto &face) { return face.first == font; });
    if (known == faces_.end())
        known = faces_.insert(faces_.end(), {font, &fontFor(font)});
    Font &f = *known->second;
    enterText();
    setFill(color.rgb());
    const double size = font.pixelSize();
    if (state_.font != &f || state_.fontSize != size) {
        content_ += f.resource + ' ';
        appendNumber(size);
        content_ += " Tf\n";
        state_.font = &f;
        state_.fontSize = size;
    }
    const QPointF origin(std::round(x[0]), y);
    appendPoint(QPointF(origin.x() - textAt_.x(), textAt_.y() - origin.y()));
    textAt_ = origin;
    content_ += "Td ";
    const qsizetype open = content_.size() - 1; // becomes "[" when the string needs moves
    content_ += '<';
    bool moved = false;
    double pen = origin.x(); // where the viewer puts the next glyph
    for (qsizetype i = 0; i < text.size(); ++i) {
        const quint32 glyph = glyphs[i];
        // The layout's advances at the text's size may differ from the font's
        // own in their last bits: the glyphs stay within half a unit of it.
        if (i > 0 && std::abs(x[i] - pen) > 0.5) {
            const double to = std::round(x[i]);
            content_ += "> ";
            appendNumber((pen - to) * 1000 / size);
            content_ += " <";
            pen = to;
            moved = true;
        }
        appendHex4(content_, glyph);
        pen += widthOf(f, glyph, text[i]) * size / 1000;
    }
    if (moved) {
        content_[open] = '[';
        content_ += ">] TJ\n";
    } else {
        content_ += "> Tj\n";
    }
}

double PdfDocument::widthOf(Font &font, quint32 glyph, QChar shown)
{
    if (glyph >= font.widths.size())
        font.widths.resize(glyph + 1, -1);
    double &width = font.widths[glyph];
    if (width < 0) {
        width = font.face.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics)
                    .value(0)
                    .x() *
                1000 / font.face.unitsPerEm();
        font.used.emplace(glyph, QString(shown));
    }
    return width;
}

void PdfDocument::clip(const QRectF &rect)
{
    leaveText();
    saved_ = state_;
    content_ += "q ";
    appendPoint(rect.topLeft());
    appendPoint(QPointF(rect.width(), rect.height()));
    content_ += "re W n\n";
}

void PdfDocument::unclip()
{
    leaveText();
    content_ += "Q\n";
    state_ = saved_;
}

void PdfDocument::writeFont(Font &font)
{
    const QByteArray file = fontFileOf(font.face);
    const bool trueType = !font.face.fontTable("glyf").isEmpty();
    const FontSubset subset = subsetOf(file, font.used);
    // Six capitals name a subset; they differ between the document's fonts.
    QByteArray name(6, 'A');
    for (int i = 0, n = font.id; i < 6; ++i, n /= 26)
        name[5 - i] = char('A' + n % 26);
    name += '+' + pdfName(subset.postScriptName.isEmpty()
                              ? (font.face.familyName() + font.face.styleName()).toLatin1()
                              : subset.postScriptName);

    const QByteArray head = font.face.fontTable("head"), post = font.face.fontTable("post");
    const double perUnit = 1000.0 / font.face.unitsPerEm();
    const double italicAngle = qint32(readUnsigned(post, 4, 4)) / 65536.0;
    int flags = 32; // non-symbolic
    if (readUnsigned(post, 12, 4) != 0)
        flags |= 1; // fixed pitch
    if (italicAngle != 0 || font.face.style() != QFont::StyleNormal)
        flags |= 64;

    const int fileId = newObject(), descriptorId = newObject(), cidFontId = newObject(), mapId = newObject();
    writeStream(fileId, subset.file,
                trueType ? " /Length1 " + QByteArray::number(subset.file.size()) : " /Subtype /OpenType");

    QByteArray descriptor = "<< /Type /FontDescriptor /FontName /" + name + " /Flags " +
                            QByteArray::number(flags) + " /FontBBox [";
    for (int at = 36; at <= 42; at += 2) {
        appendReal(descriptor, readInt16(head, at) * perUnit);
        descriptor += at < 42 ? " " : "] /ItalicAngle ";
    }
    appendReal(descriptor, italicAngle);
    descriptor += " /Ascent ";
    appendReal(descriptor, font.face.ascent() * perUnit);
    descriptor += " /Descent ";
    appendReal(descriptor, -font.face.descent() * perUnit);
    descriptor += " /CapHeight ";
    appendReal(descriptor, font.face.capHeight() * perUnit);
    descriptor += " /StemV 80 ";
    descriptor += trueType ? "/FontFile2 " : "/FontFile3 ";
    appendInt(descriptor, fileId);
    descriptor += " 0 R >>\nendobj\n";
    startObject(descriptorId);
    out_ += descriptor;

    QList<quint32> glyphs;
    for (const auto &entry : font.used)
        glyphs.append(entry.first);
    QByteArray widths = "[";
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (i == 0 || glyphs[i] != glyphs[i - 1] + 1) {
            if (i > 0)
                widths += "] ";
            appendInt(widths, glyphs[i]);
            widths += " [";
        } else {
            widths += ' ';
        }
        appendReal(widths, font.widths[glyphs[i]]);
    }
    widths += glyphs.isEmpty() ? "]" : "]]";

    startObject(cidFontId);
    out_ += "<< /Type /Font /Subtype /" + QByteArray(trueType ? "CIDFontType2" : "CIDFontType0") +
            " /BaseFont /" + name +
            " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor " +
            QByteArray::number(descriptorId) + " 0 R /W " + widths +
            (trueType ? " /CIDToGIDMap /Identity" : "") + " >>\nendobj\n";
    writeStream(mapId, toUnicodeMap(font.used));
    startObject(font.id);
    out_ += "<< /Type /Font /Subtype /Type0 /BaseFont /" + name +
            " /Encoding /Identity-H /DescendantFonts [" + QByteArray::number(cidFontId) +
            " 0 R] /ToUnicode " + QByteArray::number(mapId) + " 0 R >>\nendobj\n";
}

QByteArray PdfDocument::finish()
{
    endPage();
    QByteArray fontResources;
    for (auto &entry : fonts_) {
        writeFont(*entry.second);
        fontResources += entry.second->resource + ' ' + QByteArray::number(entry.second->id) + " 0 R ";
    }
    startObject(resourcesId_);
    out_ += "<< /ProcSet [/PDF /Text] /Font << " + fontResources + ">> >>\nendobj\n";
    startObject(pagesId);
    out_ += "<< /Type /Pages /Count " + QByteArray::number(qsizetype(pages_.size())) + " /Kids [";
    for (const int page : pages_) {
        appendInt(out_, page);
        out_ += " 0 R ";
    }
    out_ += "] >>\nendobj\n";

    const qsizetype xrefAt = out_.size();
    out_ += "xref\n0 " + QByteArray::number(qsizetype(offsets_.size())) + "\n0000000000 65535 f\r\n";
    for (std::size_t id = 1; id < offsets_.size(); ++id)
        out_ += QByteArray::number(offsets_[id]).rightJustified(10, '0') + " 00000 n\r\n";
    out_ += "trailer\n<< /Size " + QByteArray::number(qsizetype(offsets_.size())) +
            " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    return std::move(out_);
}

} // namespace report_engine
