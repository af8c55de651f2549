// A small pull scanner over one XML document's bytes, for the worksheet part,
// where a general XML reader spends most of the read in its tokenizer. It
// checks what well-formedness needs (matching tags, attributes, references,
// declared prefixes, characters) and refuses a document type declaration, so
// hostile input costs at most a pass over the bytes. Throws ReadError.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

namespace sheets {

class XmlScanner {
public:
    enum class Token { StartElement, EndElement, Text, Other, EndOfDocument };

    explicit XmlScanner(const QByteArray &document);

    Token next();
    // An element's name without its prefix; an empty element gives an EndElement next.
    std::string_view name() const { return name_; }
    // The raw value of the current start element's attribute of this qualified name.
    std::optional<std::string_view> attribute(std::string_view qualifiedName) const;
    // The current text, references resolved and line ends normalised, appended to out.
    void appendText(QString &out) const;
    // The same, unless out would grow beyond limit characters: then false, out unchanged.
    bool appendText(QString &out, qsizetype limit) const;
    // The current text as it lies, when it reads as itself (see readsAsItself).
    std::optional<std::string_view> textAsItself() const;
    // After a StartElement: everything up to and including its end.
    void skipElement();
    // Checks the characters of everything scanned so far.
    void finish() const;

    // An attribute value as XML reads it: references resolved, white space made spaces.
    static void appendAttributeValue(QString &out, std::string_view raw);
    // True when raw text or an attribute value reads as its own bytes: printable
    // ASCII without a reference, so decoding would change nothing.
    static bool readsAsItself(std::string_view raw);

private:
    struct Attribute {
        std::string_view name;
        std::string_view value;
    };
    struct Prefix {
        std::string_view prefix;
        size_t depth;
    };

    Token markup();
    Token startElement();
    Token endElement();
    Token text();
    std::string_view scanName();
    void skipSpace();
    bool skipOver(std::string_view terminator);
    void checkPrefix(std::string_view qualifiedName) const;
    void checkDuplicates();

    QByteArray document_;
    const char *begin_;
    const char *at_;
    const char *end_;
    std::vector<std::string_view> open_; // qualified names of the open elements
    std::vector<Attribute> attributes_;
    std::vector<Prefix> prefixes_;
    std::string_view name_;
    std::string_view text_;
    bool cdata_ = false;
    bool pendingEnd_ = false;
    bool rootSeen_ = false;
};

} // namespace sheets
