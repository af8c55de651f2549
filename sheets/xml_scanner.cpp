#include "xml_scanner.h"

#include "read_error.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace sheets {

namespace {

using namespace std::string_view_literals;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || uchar(c) >= 0x80;
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Names are short: a plain loop beats a call to memchr.
size_t colonIn(std::string_view qualifiedName)
{
    for (size_t i = 0; i < qualifiedName.size(); ++i)
        if (qualifiedName[i] == ':')
            return i;
    return std::string_view::npos;
}

std::string_view prefixOf(std::string_view qualifiedName)
{
    size_t colon = colonIn(qualifiedName);
    return colon == std::string_view::npos ? std::string_view() : qualifiedName.substr(0, colon);
}

std::string_view localOf(std::string_view qualifiedName)
{
    return qualifiedName.substr(colonIn(qualifiedName) + 1);
}

// "lt", "#233", "#xE9" into the character it stands for.
char32_t referenced(std::string_view name)
{
    if (name == "lt"sv)
        return '<';
    if (name == "gt"sv)
        return '>';
    if (name == "amp"sv)
        return '&';
    if (name == "quot"sv)
        return '"';
    if (name == "apos"sv)
        return '\'';
    if (name.size() < 2 || name[0] != '#')
        throwDamaged(); // no document type declares other entities
    bool hex = name[1] == 'x';
    std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8)
        throwDamaged();
    char32_t code = 0;
    for (char c : digits) {
        int digit = c >= '0' && c <= '9'          ? c - '0'
                    : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                  : -1;
        if (digit < 0)
            throwDamaged();
        code = code * (hex ? 16 : 10) + char32_t(digit);
    }
    if (!isXmlChar(code))
        throwDamaged();
    return code;
}

void appendUtf8(QString &out, const char *from, const char *to)
{
    if (std::all_of(from, to, [](char c) { return uchar(c) < 0x80; }))
        out.append(QLatin1StringView(from, to - from));
    else
        out.append(QString::fromUtf8(from, to - from));
}

// UTF-16 units of valid UTF-8: one per leading byte, two for a four-byte one.
qsizetype utf16Length(const char *from, const char *to)
{
    return std::count_if(from, to, [](char c) { return (uchar(c) & 0xC0) != 0x80; }) +
           std::count_if(from, to, [](char c) { return uchar(c) >= 0xF0; });
}

// Text or an attribute value with references resolved and line ends made
// "\n" (in an attribute every white space character a space); without out
// only the references are checked, and with length its UTF-16 length is added.
void decode(std::string_view raw, bool references, bool attribute, QString *out, qsizetype *length = nullptr)
{
    const char *at = raw.data();
    const char *end = at + raw.size();
    const char *plain = at;
    auto flush = [&](const char *to) {
        if (out)
            appendUtf8(*out, plain, to);
        if (length)
            *length += utf16Length(plain, to);
    };
    while (at < end) {
        char c = *at;
        if (c == '&' && references) {
            flush(at);
            const char *semicolon = static_cast<const char *>(std::memchr(at, ';', size_t(end - at)));
            if (!semicolon)
                throwDamaged();
            char32_t code = referenced(std::string_view(at + 1, size_t(semicolon - at - 1)));
            if (out)
                out->append(QChar::fromUcs4(code));
            if (length)
                *length += code > 0xFFFF ? 2 : 1;
            at = plain = semicolon + 1;
        } else if (c == '\r' || (attribute && (c == '\n' || c == '\t'))) {
            flush(at);
            if (out)
                out->append(QLatin1Char(attribute ? ' ' : '\n'));
            if (length)
                ++*length;
            at += c == '\r' && at + 1 < end && at[1] == '\n' ? 2 : 1;
            plain = at;
        } else {
            ++at;
        }
    }
    flush(end);
}

// The document in UTF-8: one in another encoding (by its byte order mark or its
// declaration) is converted first.
QByteArray inUtf8(const QByteArray &document)
{
    if (document.startsWith("\xEF\xBB\xBF"))
        return document.mid(3);
    std::optional<QStringConverter::Encoding> byMark = QStringConverter::encodingForData(document, u'<');
    if (byMark && *byMark != QStringConverter::Utf8) {
        QStringDecoder decoder(*byMark, QStringDecoder::Flag::Stateless);
        QString text = decoder(document);
        if (decoder.hasError())
            throwDamaged();
        return text.toUtf8();
    }
    if (!document.startsWith("<?xml"))
        return document;
    qsizetype close = document.indexOf("?>");
    QByteArray declaration = document.left(close);
    qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return document;
    qsizetype quote =
        declaration.indexOf('"', at) >= 0 ? declaration.indexOf('"', at) : declaration.indexOf('\'', at);
    if (quote < 0)
        throwDamaged();
    qsizetype endQuote = declaration.indexOf(declaration[quote], quote + 1);
    QByteArray name = declaration.mid(quote + 1, endQuote - quote - 1).toLower();
    if (endQuote < 0 || name.isEmpty())
        throwDamaged();
    if (name == "utf-8" || name == "utf8")
        return document;
    QStringDecoder decoder(name.constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        throwDamaged();
    QString text = decoder(document);
    if (decoder.hasError())
        throwDamaged();
    return text.toUtf8();
}

// Control characters and U+FFFE, U+FFFF are no XML characters.
void checkCharacters(const char *from, const char *to)
{
    for (const char *c = from; c < to; ++c) {
        uchar byte = uchar(*c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
            throwDamaged();
        if (byte == 0xEF && to - c >= 3 && uchar(c[1]) == 0xBF && (uchar(c[2]) & 0xFE) == 0xBE)
            throwDamaged();
    }
}

} // namespace

XmlScanner::XmlScanner(const QByteArray &document)
    : document_(inUtf8(document)), begin_(document_.constData()), at_(begin_), end_(begin_ + document_.size())
{
}

std::optional<std::string_view> XmlScanner::attribute(std::string_view qualifiedName) const
{
    for (const Attribute &attribute : attributes_)
        if (attribute.name == qualifiedName)
            return attribute.value;
    return std::nullopt;
}

void XmlScanner::appendText(QString &out) const
{
    decode(text_, !cdata_, false, &out);
}

bool XmlScanner::appendText(QString &out, qsizetype limit) const
{
    // Characters never outnumber bytes: only a long text is measured first.
    if (out.size() + qsizetype(text_.size()) > limit) {
        qsizetype length = 0;
        decode(text_, !cdata_, false, nullptr, &length);
        if (out.size() + length > limit)
            return false;
    }
    appendText(out);
    return true;
}

void XmlScanner::appendAttributeValue(QString &out, std::string_view raw)
{
    decode(raw, true, true, &out);
}

bool XmlScanner::readsAsItself(std::string_view raw)
{
    return std::all_of(raw.begin(), raw.end(), [](char c) { return c >= ' ' && c <= '~' && c != '&'; });
}

std::optional<std::string_view> XmlScanner::textAsItself() const
{
    return readsAsItself(text_) ? std::optional(text_) : std::nullopt;
}

void XmlScanner::skipElement()
{
    for (int depth = 1; depth > 0;) {
        Token token = next();
        if (token == Token::StartElement)
            ++depth;
        else if (token == Token::EndElement)
            --depth;
    }
}

void XmlScanner::finish() const
{
    // Eight bytes at a time while they are all printable ASCII, as nearly all are.
    constexpr uint64_t spaces = 0x2020202020202020, highBits = 0x8080808080808080;
    bool ascii = true;
    const char *c = begin_;
    for (; at_ - c >= 8; c += 8) {
        uint64_t word;
        std::memcpy(&word, c, 8);
        if (((word - spaces) | word) & highBits) {
            ascii &= !(word & highBits);
            checkCharacters(c, std::min(c + 10, at_)); // a character may run into the next word
        }
    }
    checkCharacters(c, at_);
    if (!ascii || std::any_of(c, at_, [](char b) { return uchar(b) >= 0x80; }))
        if (!QByteArrayView(begin_, at_ - begin_).isValidUtf8())
            throwDamaged();
}

XmlScanner::Token XmlScanner::next()
{
    if (pendingEnd_) {
        pendingEnd_ = false;
        open_.pop_back();
        while (!prefixes_.empty() && prefixes_.back().depth > open_.size())
            prefixes_.pop_back();
        return Token::EndElement;
    }
    if (at_ == end_) {
        if (!rootSeen_ || !open_.empty())
            throwDamaged(); // the document ends early
        return Token::EndOfDocument;
    }
    return *at_ == '<' ? markup() : text();
}

XmlScanner::Token XmlScanner::text()
{
    // Cell texts are short: one pass noting what needs a closer look beats a memchr for each.
    const char *start = at_;
    bool references = false, brackets = false;
    for (; at_ < end_ && *at_ != '<'; ++at_) {
        references |= *at_ == '&';
        brackets |= *at_ == ']';
    }
    text_ = std::string_view(start, size_t(at_ - start));
    cdata_ = false;
    if (open_.empty()) {
        if (!std::all_of(text_.begin(), text_.end(), isSpace))
            throwDamaged();
        return Token::Other;
    }
    if (references)
        decode(text_, true, false, nullptr);
    if (brackets && text_.find("]]>"sv) != std::string_view::npos)
        throwDamaged();
    return Token::Text;
}

bool XmlScanner::skipOver(std::string_view terminator)
{
    std::string_view rest(at_, size_t(end_ - at_));
    size_t found = rest.find(terminator);
    if (found == std::string_view::npos)
        return false;
    at_ += found + terminator.size();
    return true;
}

XmlScanner::Token XmlScanner::markup()
{
    std::string_view rest(at_, size_t(end_ - at_));
    if (rest.starts_with("</"sv))
        return endElement();
    if (rest.starts_with("<?"sv)) {
        bool declaration =
            rest.starts_with("<?xml"sv) && rest.size() > 5 && (isSpace(rest[5]) || rest[5] == '?');
        if ((declaration && at_ != begin_) || !skipOver("?>"sv))
            throwDamaged();
        return Token::Other;
    }
    if (rest.starts_with("<!--"sv)) {
        at_ += 4;
        const char *start = at_;
        if (!skipOver("-->"sv) ||
            std::string_view(start, size_t(at_ - start - 3)).find("--"sv) != std::string_view::npos)
            throwDamaged();
        return Token::Other;
    }
    if (rest.starts_with("<![CDATA["sv)) {
        at_ += 9;
        const char *start = at_;
        if (open_.empty() || !skipOver("]]>"sv))
            throwDamaged();
        text_ = std::string_view(start, size_t(at_ - start - 3));
        cdata_ = true;
        return Token::Text;
    }
    if (rest.starts_with("<!"sv))
        throwDamaged(); // a document type declaration could define entities without bound
    return startElement();
}

std::string_view XmlScanner::scanName()
{
    const char *start = at_;
    if (at_ == end_ || !isNameStart(*at_))
        throwDamaged();
    while (at_ < end_ && isNameChar(*at_))
        ++at_;
    std::string_view name(start, size_t(at_ - start));
    size_t colon = colonIn(name);
    if (colon != std::string_view::npos &&
        (colon == 0 || colon + 1 == name.size() || colonIn(name.substr(colon + 1)) != std::string_view::npos))
        throwDamaged();
    return name;
}

void XmlScanner::skipSpace()
{
    while (at_ < end_ && isSpace(*at_))
        ++at_;
}

void XmlScanner::checkPrefix(std::string_view qualifiedName) const
{
    std::string_view prefix = prefixOf(qualifiedName);
    if (prefix.empty() || prefix == "xml"sv || prefix == "xmlns"sv)
        return;
    for (const Prefix &declared : prefixes_)
        if (declared.prefix == prefix)
            return;
    throwDamaged();
}

void XmlScanner::checkDuplicates()
{
    auto sameName = [](const Attribute &a, const Attribute &b) { return a.name == b.name; };
    if (attributes_.size() <= 16) {
        for (auto a = attributes_.begin(); a != attributes_.end(); ++a)
            if (std::any_of(a + 1, attributes_.end(), [&](const Attribute &b) { return sameName(*a, b); }))
                throwDamaged();
        return;
    }
    std::vector<Attribute> sorted = attributes_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Attribute &a, const Attribute &b) { return a.name < b.name; });
    if (std::adjacent_find(sorted.begin(), sorted.end(), sameName) != sorted.end())
        throwDamaged();
}

XmlScanner::Token XmlScanner::startElement()
{
    if (rootSeen_ && open_.empty())
        throwDamaged(); // a second root
    ++at_;
    std::string_view qualifiedName = scanName();
    attributes_.clear();
    size_t depth = open_.size() + 1;
    for (;;) {
        const char *beforeSpace = at_;
        skipSpace();
        if (at_ == end_)
            throwDamaged();
        if (*at_ == '>' || *at_ == '/')
            break;
        if (at_ == beforeSpace)
            throwDamaged();
        std::string_view attributeName = scanName();
        skipSpace();
        if (at_ == end_ || *at_ != '=')
            throwDamaged();
        ++at_;
        skipSpace();
        if (at_ == end_ || (*at_ != '"' && *at_ != '\''))
            throwDamaged();
        char quote = *at_++;
        const char *start = at_;
        bool references = false;
        for (; at_ < end_ && *at_ != quote; ++at_) {
            if (*at_ == '<')
                throwDamaged();
            references |= *at_ == '&';
        }
        if (at_ == end_)
            throwDamaged();
        std::string_view value(start, size_t(at_++ - start));
        if (references)
            decode(value, true, true, nullptr);
        if (attributeName.starts_with("xmlns:"sv)) {
            if (value.empty())
                throwDamaged();
            prefixes_.push_back({localOf(attributeName), depth});
        }
        attributes_.push_back({attributeName, value});
    }
    if (attributes_.size() > 1)
        checkDuplicates();
    checkPrefix(qualifiedName);
    for (const Attribute &attribute : attributes_)
        checkPrefix(attribute.name);
    if (*at_ == '/') {
        if (end_ - at_ < 2 || at_[1] != '>')
            throwDamaged();
        at_ += 2;
        pendingEnd_ = true;
    } else {
        ++at_;
    }
    rootSeen_ = true;
    open_.push_back(qualifiedName);
    name_ = localOf(qualifiedName);
    return Token::StartElement;
}

XmlScanner::Token XmlScanner::endElement()
{
    at_ += 2;
    std::string_view qualifiedName = scanName();
    skipSpace();
    if (at_ == end_ || *at_ != '>' || open_.empty() || open_.back() != qualifiedName)
        throwDamaged();
    ++at_;
    open_.pop_back();
    while (!prefixes_.empty() && prefixes_.back().depth > open_.size())
        prefixes_.pop_back();
    name_ = localOf(qualifiedName);
    return Token::EndElement;
}

} // namespace sheets
