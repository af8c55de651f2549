#include "data/statement_text.h"

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index just past the quoted run that starts at `start` (backslash escapes and doubled quotes).
qsizetype skipQuoted(const QString &text, qsizetype start)
{
    const QChar quote = text[start];
    qsizetype i = start + 1;
    while (i < text.size()) {
        if (text[i] == QLatin1Char('\\') && quote != QLatin1Char('`')) {
            i += 2;
        } else if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                i += 2;
            } else {
                return i + 1;
            }
        } else {
            ++i;
        }
    }
    return text.size();
}

qsizetype skipComment(const QString &text, qsizetype start)
{
    if (text[start] == QLatin1Char('/')) {
        qsizetype end = text.indexOf(QLatin1String("*/"), start + 2);
        return end < 0 ? text.size() : end + 2;
    }
    qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    return end < 0 ? text.size() : end + 1;
}

bool startsComment(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
    return c == QLatin1Char('#') || (c == QLatin1Char('/') && next == QLatin1Char('*')) ||
           (c == QLatin1Char('-') && next == QLatin1Char('-') &&
            (i + 2 >= text.size() || text[i + 2].isSpace()));
}

} // namespace

StatementText StatementText::parse(const QString &text)
{
    StatementText out;
    QString sql;
    sql.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        qsizetype end = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            end = skipQuoted(text, i);
        } else if (startsComment(text, i)) {
            end = skipComment(text, i);
        } else if (c == QLatin1Char(':') && i + 1 < text.size() && isNameChar(text[i + 1])) {
            end = i + 1;
            while (end < text.size() && isNameChar(text[end]))
                ++end;
            out.parameterNames << text.mid(i + 1, end - i - 1);
            sql += QLatin1Char('?');
            i = end;
            continue;
        }
        sql += text.mid(i, end - i);
        i = end;
    }
    out.sql = sql.toUtf8();
    return out;
}
