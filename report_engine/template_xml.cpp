#include "report_engine/template_xml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <array>
#include <utility>

namespace report_engine {

namespace {

constexpr std::array<std::pair<BandKind, const char *>, 6> bandKindNames{{
    {BandKind::ReportTitle, "title"},
    {BandKind::PageHeader, "page-header"},
    {BandKind::ColumnHeader, "column-header"},
    {BandKind::MasterData, "data"},
    {BandKind::Summary, "summary"},
    {BandKind::PageFooter, "page-footer"},
}};
constexpr std::array<std::pair<HAlign, const char *>, 3> hAlignNames{
    {{HAlign::Left, "left"}, {HAlign::Center, "center"}, {HAlign::Right, "right"}}};
constexpr std::array<std::pair<VAlign, const char *>, 3> vAlignNames{
    {{VAlign::Top, "top"}, {VAlign::Center, "center"}, {VAlign::Bottom, "bottom"}}};
constexpr std::array<std::pair<unsigned, char>, 4> frameLetters{
    {{FrameLeft, 'l'}, {FrameTop, 't'}, {FrameRight, 'r'}, {FrameBottom, 'b'}}};

template <typename Enum, std::size_t N>
bool enumFromName(const std::array<std::pair<Enum, const char *>, N> &names, QStringView text, Enum &out)
{
    for (const auto &[value, name] : names)
        if (text == QLatin1String(name)) {
            out = value;
            return true;
        }
    return false;
}

template <typename Enum, std::size_t N>
QString nameOf(const std::array<std::pair<Enum, const char *>, N> &names, Enum value)
{
    for (const auto &[v, name] : names)
        if (v == value)
            return QLatin1String(name);
    return {};
}

class Reader {
public:
    explicit Reader(const QByteArray &xml) : xml_(xml) {}

    bool read(Design &design)
    {
        if (!xml_.readNextStartElement() || xml_.name() != QLatin1String("report"))
            return fail(QStringLiteral("not a report template"));
        bool ok = false;
        const int version = attr("version").toInt(&ok);
        if (!ok || version < 1 || version > templateFormatVersion)
            return fail(QStringLiteral("unsupported template version \"%1\"").arg(attr("version")));
        design.title = attr("title");
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("page"))
                return unexpected();
            ReportPage page;
            if (!readPage(page))
                return false;
            design.pages.append(std::move(page));
        }
        if (xml_.hasError())
            return fail(xml_.errorString());
        return true;
    }

    QString error() const { return error_; }

private:
    QString attr(const char *name) const { return xml_.attributes().value(QLatin1String(name)).toString(); }

    double number(const char *name, double fallback)
    {
        const auto value = xml_.attributes().value(QLatin1String(name));
        if (value.isNull())
            return fallback;
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("attribute %1 is not a number: \"%2\"").arg(QLatin1String(name), value));
        return d;
    }

    bool flag(const char *name, bool fallback) const
    {
        const auto value = xml_.attributes().value(QLatin1String(name));
        return value.isNull() ? fallback : value == QLatin1String("true");
    }

    bool fail(const QString &message)
    {
        if (error_.isEmpty())
            error_ = QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(message);
        return false;
    }

    bool unexpected() { return fail(QStringLiteral("unexpected element <%1>").arg(xml_.name())); }

    bool readPage(ReportPage &page)
    {
        page.name = attr("name");
        page.paperWidth = number("width", page.paperWidth);
        page.paperHeight = number("height", page.paperHeight);
        page.landscape = attr("orientation") == QLatin1String("landscape");
        page.margins = {number("margin-left", page.margins.left), number("margin-top", page.margins.top),
                        number("margin-right", page.margins.right),
                        number("margin-bottom", page.margins.bottom)};
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("band"))
                return unexpected();
            Band band;
            if (!enumFromName(bandKindNames, xml_.attributes().value(QLatin1String("kind")), band.kind))
                return fail(QStringLiteral("unknown band kind \"%1\"").arg(attr("kind")));
            band.name = attr("name");
            band.height = number("height", 0);
            band.dataset = attr("dataset");
            if (!readBandObjects(band))
                return false;
            page.bands.append(std::move(band));
        }
        return error_.isEmpty();
    }

    bool readBandObjects(Band &band)
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("text")) {
                TextObject text;
                if (!readText(text))
                    return false;
                band.texts.append(std::move(text));
            } else if (xml_.name() == QLatin1String("line")) {
                band.lines.append(
                    {number("x1", 0), number("y1", 0), number("x2", 0), number("y2", 0), number("width", 1)});
                xml_.skipCurrentElement();
            } else {
                return unexpected();
            }
        }
        return error_.isEmpty();
    }

    bool readText(TextObject &text)
    {
        TextStyle &style = text.style;
        text.name = attr("name");
        text.x = number("x", 0);
        text.y = number("y", 0);
        text.width = number("width", 0);
        text.height = number("height", 0);
        if (const QString font = attr("font"); !font.isEmpty())
            style.fontFamily = font;
        style.fontPixelSize = number("size", style.fontPixelSize);
        if (style.fontPixelSize <= 0)
            return fail(QStringLiteral("size must be above 0: \"%1\"").arg(attr("size")));
        style.bold = flag("bold", false);
        style.italic = flag("italic", false);
        const auto h = xml_.attributes().value(QLatin1String("halign"));
        if (!h.isNull() && !enumFromName(hAlignNames, h, style.hAlign))
            return fail(QStringLiteral("unknown halign \"%1\"").arg(h));
        const auto v = xml_.attributes().value(QLatin1String("valign"));
        if (!v.isNull() && !enumFromName(vAlignNames, v, style.vAlign))
            return fail(QStringLiteral("unknown valign \"%1\"").arg(v));
        for (const QChar c : attr("frame"))
            for (const auto &[side, letter] : frameLetters)
                if (c == QLatin1Char(letter))
                    style.frameSides |= side;
        style.frameWidth = number("frame-width", style.frameWidth);
        if (!readPadding(attr("padding"), style.padding))
            return fail(QStringLiteral("padding needs one or four numbers: \"%1\"").arg(attr("padding")));
        style.wordWrap = flag("wrap", false);
        style.shrink = flag("shrink", false);
        style.html = flag("html", false);
        text.format.pattern = attr("format");
        if (xml_.attributes().hasAttribute(QLatin1String("decimal")))
            text.format.decimalSeparator = attr("decimal");
        if (xml_.attributes().hasAttribute(QLatin1String("thousands")))
            text.format.thousandSeparator = attr("thousands");
        text.text = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        return error_.isEmpty() && !xml_.hasError();
    }

    static bool readPadding(const QString &text, Padding &padding)
    {
        if (text.isEmpty())
            return true;
        const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QList<double> values;
        for (const QString &part : parts) {
            bool ok = false;
            values.append(part.toDouble(&ok));
            if (!ok)
                return false;
        }
        if (values.size() == 1)
            padding = {values[0], values[0], values[0], values[0]};
        else if (values.size() == 4)
            padding = {values[0], values[1], values[2], values[3]};
        else
            return false;
        return true;
    }

    QXmlStreamReader xml_;
    QString error_;
};

QString numberText(double d)
{
    return QString::number(d, 'g', 10);
}

void writeText(QXmlStreamWriter &xml, const TextObject &text)
{
    const TextStyle defaults;
    const TextStyle &style = text.style;
    xml.writeStartElement(QStringLiteral("text"));
    if (!text.name.isEmpty())
        xml.writeAttribute(QStringLiteral("name"), text.name);
    xml.writeAttribute(QStringLiteral("x"), numberText(text.x));
    xml.writeAttribute(QStringLiteral("y"), numberText(text.y));
    xml.writeAttribute(QStringLiteral("width"), numberText(text.width));
    xml.writeAttribute(QStringLiteral("height"), numberText(text.height));
    xml.writeAttribute(QStringLiteral("font"), style.fontFamily);
    xml.writeAttribute(QStringLiteral("size"), numberText(style.fontPixelSize));
    if (style.bold)
        xml.writeAttribute(QStringLiteral("bold"), QStringLiteral("true"));
    if (style.italic)
        xml.writeAttribute(QStringLiteral("italic"), QStringLiteral("true"));
    if (style.hAlign != defaults.hAlign)
        xml.writeAttribute(QStringLiteral("halign"), nameOf(hAlignNames, style.hAlign));
    if (style.vAlign != defaults.vAlign)
        xml.writeAttribute(QStringLiteral("valign"), nameOf(vAlignNames, style.vAlign));
    if (style.frameSides) {
        QString sides;
        for (const auto &[side, letter] : frameLetters)
            if (style.frameSides & side)
                sides += QLatin1Char(letter);
        xml.writeAttribute(QStringLiteral("frame"), sides);
        xml.writeAttribute(QStringLiteral("frame-width"), numberText(style.frameWidth));
    }
    if (style.padding != defaults.padding) {
        const Padding &p = style.padding;
        xml.writeAttribute(QStringLiteral("padding"), QStringLiteral("%1 %2 %3 %4")
                                                          .arg(numberText(p.left), numberText(p.top),
                                                               numberText(p.right), numberText(p.bottom)));
    }
    if (style.wordWrap)
        xml.writeAttribute(QStringLiteral("wrap"), QStringLiteral("true"));
    if (style.shrink)
        xml.writeAttribute(QStringLiteral("shrink"), QStringLiteral("true"));
    if (style.html)
        xml.writeAttribute(QStringLiteral("html"), QStringLiteral("true"));
    if (!text.format.pattern.isEmpty()) {
        xml.writeAttribute(QStringLiteral("format"), text.format.pattern);
        xml.writeAttribute(QStringLiteral("decimal"), text.format.decimalSeparator);
        xml.writeAttribute(QStringLiteral("thousands"), text.format.thousandSeparator);
    }
    xml.writeCharacters(text.text);
    xml.writeEndElement();
}

void writeBand(QXmlStreamWriter &xml, const Band &band)
{
    xml.writeStartElement(QStringLiteral("band"));
    xml.writeAttribute(QStringLiteral("kind"), nameOf(bandKindNames, band.kind));
    if (!band.name.isEmpty())
        xml.writeAttribute(QStringLiteral("name"), band.name);
    xml.writeAttribute(QStringLiteral("height"), numberText(band.height));
    if (!band.dataset.isEmpty())
        xml.writeAttribute(QStringLiteral("dataset"), band.dataset);
    for (const TextObject &text : band.texts)
        writeText(xml, text);
    for (const LineObject &line : band.lines) {
        xml.writeEmptyElement(QStringLiteral("line"));
        xml.writeAttribute(QStringLiteral("x1"), numberText(line.x1));
        xml.writeAttribute(QStringLiteral("y1"), numberText(line.y1));
        xml.writeAttribute(QStringLiteral("x2"), numberText(line.x2));
        xml.writeAttribute(QStringLiteral("y2"), numberText(line.y2));
        xml.writeAttribute(QStringLiteral("width"), numberText(line.width));
    }
    xml.writeEndElement();
}

} // namespace

bool readDesign(const QByteArray &xml, Design &design, QString *error)
{
    design = {};
    Reader reader(xml);
    if (reader.read(design))
        return true;
    design = {};
    if (error)
        *error = reader.error();
    return false;
}

QByteArray writeDesign(const Design &design)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("report"));
    xml.writeAttribute(QStringLiteral("version"), QString::number(templateFormatVersion));
    if (!design.title.isEmpty())
        xml.writeAttribute(QStringLiteral("title"), design.title);
    for (const ReportPage &page : design.pages) {
        xml.writeStartElement(QStringLiteral("page"));
        xml.writeAttribute(QStringLiteral("name"), page.name);
        xml.writeAttribute(QStringLiteral("width"), numberText(page.paperWidth));
        xml.writeAttribute(QStringLiteral("height"), numberText(page.paperHeight));
        xml.writeAttribute(QStringLiteral("orientation"),
                           page.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
        xml.writeAttribute(QStringLiteral("margin-left"), numberText(page.margins.left));
        xml.writeAttribute(QStringLiteral("margin-top"), numberText(page.margins.top));
        xml.writeAttribute(QStringLiteral("margin-right"), numberText(page.margins.right));
        xml.writeAttribute(QStringLiteral("margin-bottom"), numberText(page.margins.bottom));
        for (const Band &band : page.bands)
            writeBand(xml, band);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace report_engine
