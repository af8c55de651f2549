#include "report_engine/expression.h"

#include "report_engine/number_format.h"

#include <cmath>

namespace report_engine {

namespace {

class Parser {
public:
    explicit Parser(QStringView text) : text_(text) {}

    bool parse(Expression &out)
    {
        if (!additive(out))
            return false;
        skipSpaces();
        return pos_ == text_.size() || failAt(QStringLiteral("unexpected text"));
    }

    QString error() const { return error_; }

private:
    bool failAt(const QString &what)
    {
        error_ = QStringLiteral("%1 at \"%2\"").arg(what, text_.mid(pos_).toString());
        return false;
    }

    void skipSpaces()
    {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
    }

    bool take(QChar c)
    {
        skipSpaces();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    QString identifier()
    {
        skipSpaces();
        const qsizetype start = pos_;
        while (pos_ < text_.size() && (text_[pos_].isLetterOrNumber() || text_[pos_] == QLatin1Char('_')))
            ++pos_;
        if (pos_ > start && pos_ < text_.size() && text_[pos_] == QLatin1Char('#'))
            ++pos_;
        return text_.mid(start, pos_ - start).toString();
    }

    bool quoted(QString &out)
    {
        if (!take(QLatin1Char('"')))
            return false;
        const qsizetype end = text_.indexOf(QLatin1Char('"'), pos_);
        if (end < 0)
            return failAt(QStringLiteral("unclosed quote"));
        out = text_.mid(pos_, end - pos_).toString();
        pos_ = end + 1;
        return true;
    }

    bool number(Expression &out)
    {
        skipSpaces();
        const qsizetype start = pos_;
        while (pos_ < text_.size() && (text_[pos_].isDigit() || text_[pos_] == QLatin1Char('.') ||
                                       (pos_ == start && text_[pos_] == QLatin1Char('-'))))
            ++pos_;
        out.kind = Expression::Kind::Number;
        out.name = text_.mid(start, pos_ - start).toString();
        double ignored = 0;
        return parseNumber(out.name, ignored) || failAt(QStringLiteral("bad number"));
    }

    // a + b + ...: totals of several sums, as on a transfer order.
    bool additive(Expression &out)
    {
        Expression first;
        if (!primary(first))
            return false;
        if (!take(QLatin1Char('+'))) {
            out = std::move(first);
            return true;
        }
        out = {};
        out.kind = Expression::Kind::Add;
        out.args.push_back(std::move(first));
        do {
            Expression next;
            if (!primary(next))
                return false;
            out.args.push_back(std::move(next));
        } while (take(QLatin1Char('+')));
        return true;
    }

    bool primary(Expression &out)
    {
        if (take(QLatin1Char('<'))) {
            if (!primary(out))
                return false;
            return take(QLatin1Char('>')) || failAt(QStringLiteral("expected >"));
        }
        skipSpaces();
        if (pos_ < text_.size() && (text_[pos_].isDigit() || text_[pos_] == QLatin1Char('-')))
            return number(out);
        const QString name = identifier();
        if (name.isEmpty())
            return failAt(QStringLiteral("expected a name"));
        if (take(QLatin1Char('.'))) {
            out.kind = Expression::Kind::Field;
            out.dataset = name;
            skipSpaces();
            if (pos_ < text_.size() && text_[pos_] == QLatin1Char('"'))
                return quoted(out.name);
            out.name = identifier();
            return !out.name.isEmpty() || failAt(QStringLiteral("expected a field name"));
        }
        if (take(QLatin1Char('(')))
            return call(name, out);
        out.kind = builtin(name);
        out.name = name;
        return true;
    }

    static Expression::Kind builtin(const QString &name)
    {
        using K = Expression::Kind;
        const std::pair<const char *, K> names[] = {{"Line#", K::LineNumber},
                                                    {"Page#", K::PageNumber},
                                                    {"TotalPages#", K::TotalPages},
                                                    {"Now", K::Now}};
        for (const auto &[text, kind] : names)
            if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
                return kind;
        return K::Variable;
    }

    // GROUPS(x, 8, 6, 1, 3): the text in groups of these lengths.
    bool groups(Expression &out)
    {
        out.kind = Expression::Kind::Groups;
        Expression text;
        if (!additive(text))
            return false;
        out.args.push_back(std::move(text));
        while (take(QLatin1Char(','))) {
            Expression length;
            if (!number(length) || length.name.toInt() <= 0)
                return failAt(QStringLiteral("GROUPS needs lengths above 0"));
            out.args.push_back(std::move(length));
        }
        if (out.args.size() < 2)
            return failAt(QStringLiteral("GROUPS needs lengths"));
        return take(QLatin1Char(')')) || failAt(QStringLiteral("expected )"));
    }

    bool call(const QString &function, Expression &out)
    {
        if (function.compare(QLatin1String("GROUPS"), Qt::CaseInsensitive) == 0)
            return groups(out);
        const bool isSum = function.compare(QLatin1String("SUM"), Qt::CaseInsensitive) == 0;
        if (!isSum && function.compare(QLatin1String("TERBILANG"), Qt::CaseInsensitive) != 0)
            return failAt(QStringLiteral("unknown function %1").arg(function));
        out.kind = isSum ? Expression::Kind::Sum : Expression::Kind::Terbilang;
        Expression argument;
        if (!(isSum ? primary(argument) : additive(argument)))
            return false;
        if (isSum) {
            if (argument.kind != Expression::Kind::Field)
                return failAt(QStringLiteral("SUM needs a field"));
            if (!take(QLatin1Char(',')))
                return failAt(QStringLiteral("SUM needs a band name"));
            out.band = identifier();
            out.dataset = argument.dataset;
            out.name = argument.name;
            if (out.band.isEmpty())
                return failAt(QStringLiteral("SUM needs a band name"));
        } else {
            out.args.push_back(std::move(argument));
        }
        return take(QLatin1Char(')')) || failAt(QStringLiteral("expected )"));
    }

    QStringView text_;
    qsizetype pos_ = 0;
    QString error_;
};

// End of the expression opened at `open`, skipping quoted names; -1 when unclosed.
qsizetype closingBracket(const QString &text, qsizetype open)
{
    bool inQuote = false;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('"'))
            inQuote = !inQuote;
        else if (!inQuote && text[i] == QLatin1Char(']'))
            return i;
    }
    return -1;
}

void collect(const Expression &e, std::vector<const Expression *> &out)
{
    out.push_back(&e);
    for (const Expression &arg : e.args)
        collect(arg, out);
}

bool usesTotalPages(const Expression &e)
{
    if (e.kind == Expression::Kind::TotalPages)
        return true;
    for (const Expression &arg : e.args)
        if (usesTotalPages(arg))
            return true;
    return false;
}

// Numbers as texts: whole numbers without decimals.
QString numberToText(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(value, 'f', 0);
    return QString::number(value, 'g', 15);
}

QString evaluateExpression(const Expression &e, EvaluationContext &context)
{
    using K = Expression::Kind;
    switch (e.kind) {
    case K::Field:
        return context.field(e.dataset, e.name);
    case K::Variable:
        return context.variable(e.name);
    case K::LineNumber:
        return QString::number(context.lineNumber());
    case K::PageNumber:
        return QString::number(context.pageNumber());
    case K::TotalPages:
        return QString(totalPagesPlaceholder);
    case K::Now:
        return context.now();
    case K::Sum:
        return numberToText(context.sum(e.band, e.dataset, e.name));
    case K::Terbilang: {
        const QString value = evaluateExpression(e.args.front(), context);
        double amount = 0;
        return parseNumber(value, amount) ? terbilang(amount) : value;
    }
    case K::Groups: {
        const QString text = evaluateExpression(e.args.front(), context);
        QStringList parts;
        qsizetype at = 0;
        for (std::size_t i = 1; i < e.args.size() && at < text.size(); ++i) {
            const qsizetype length = e.args[i].name.toInt();
            parts.append(text.mid(at, length));
            at += length;
        }
        if (at < text.size())
            parts.append(text.mid(at));
        return parts.join(QLatin1Char(' '));
    }
    case K::Number:
        return e.name;
    case K::Add: {
        double total = 0;
        for (const Expression &arg : e.args) {
            double value = 0;
            const QString text = evaluateExpression(arg, context);
            if (!parseNumber(text, value))
                return text;
            total += value;
        }
        return numberToText(total);
    }
    }
    return {};
}

} // namespace

bool CompiledText::compile(const QString &text, CompiledText &out, QString &error)
{
    out = {};
    QString literal;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('['), pos);
        const qsizetype close = open < 0 ? -1 : closingBracket(text, open);
        if (close < 0) {
            literal += text.mid(pos);
            break;
        }
        literal += text.mid(pos, open - pos);
        Segment segment;
        segment.literal = literal;
        segment.isExpression = true;
        Parser parser(QStringView(text).mid(open + 1, close - open - 1));
        if (!parser.parse(segment.expression)) {
            error = QStringLiteral("cannot read the expression %1: %2")
                        .arg(text.mid(open, close - open + 1), parser.error());
            return false;
        }
        out.usesTotalPages_ = out.usesTotalPages_ || report_engine::usesTotalPages(segment.expression);
        out.segments_.push_back(std::move(segment));
        literal.clear();
        pos = close + 1;
    }
    out.constant_ = out.segments_.empty();
    if (out.constant_)
        out.constantText_ = literal;
    else if (!literal.isEmpty())
        out.segments_.push_back({literal, false, {}});
    return true;
}

std::vector<const Expression *> CompiledText::expressions() const
{
    std::vector<const Expression *> out;
    for (const Segment &segment : segments_)
        if (segment.isExpression)
            collect(segment.expression, out);
    return out;
}

QString CompiledText::evaluate(EvaluationContext &context, const NumberFormatter &format, bool html) const
{
    if (constant_)
        return constantText_;
    QString out;
    for (const Segment &segment : segments_) {
        out += segment.literal;
        if (!segment.isExpression)
            continue;
        const QString value = format.apply(evaluateExpression(segment.expression, context));
        out += html ? value.toHtmlEscaped() : value;
    }
    return out;
}

} // namespace report_engine
