// The HTML and CSV exports: texts of the prepared pages without QPainter.
#include "report_engine/exports.h"

#include "report_engine/windows1252.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QTextDocumentFragment>

#include <algorithm>
#include <map>

namespace report_engine {

namespace {

QString mm(double value)
{
    return QString::number(value, 'f', 2) + QLatin1String("mm");
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error =
            QCoreApplication::translate("report_engine", "cannot write %1: %2").arg(path, file.errorString());
    return false;
}

bool cancelled(QString *error)
{
    if (error)
        *error = QCoreApplication::translate("report_engine", "export cancelled");
    return false;
}

QString cssClass(int index, const TextStyle &style)
{
    static const char *const hAlign[] = {"left", "center", "right"};
    static const char *const vAlign[] = {"flex-start", "center", "flex-end"};
    QString css = QStringLiteral(".s%1{font-family:'%2';font-size:%3px;font-weight:%4;font-style:%5;"
                                 "text-align:%6;justify-content:%7;padding:%8 %9 %10 %11;white-space:%12;")
                      .arg(index)
                      .arg(style.fontFamily)
                      .arg(style.fontPixelSize)
                      .arg(style.bold ? QLatin1String("bold") : QLatin1String("normal"))
                      .arg(style.italic ? QLatin1String("italic") : QLatin1String("normal"))
                      .arg(QLatin1String(hAlign[int(style.hAlign)]))
                      .arg(QLatin1String(vAlign[int(style.vAlign)]))
                      .arg(mm(style.padding.top), mm(style.padding.right), mm(style.padding.bottom),
                           mm(style.padding.left))
                      .arg(style.wordWrap ? QLatin1String("pre-wrap") : QLatin1String("pre"));
    const QString border = QStringLiteral("%1px solid #000;").arg(style.frameWidth);
    const std::pair<unsigned, const char *> sides[] = {
        {FrameLeft, "left"}, {FrameTop, "top"}, {FrameRight, "right"}, {FrameBottom, "bottom"}};
    for (const auto &[side, name] : sides)
        if (style.frameSides & side)
            css += QStringLiteral("border-%1:").arg(QLatin1String(name)) + border;
    return css + QLatin1String("}\n");
}

QString plainText(const PreparedText &text, const TextStyle &style)
{
    if (!style.html)
        return text.text;
    return QTextDocumentFragment::fromHtml(
               QString(text.text).replace(QLatin1Char('\n'), QLatin1String("<br>")))
        .toPlainText();
}

// Control characters other than line breaks and tabs do not belong in a text file.
QString withoutControlCharacters(QString text)
{
    text.removeIf(
        [](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'); });
    return text;
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

bool exportHtml(const PreparedReport &report, const QString &path, QString *error, const Progress &progress)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") +
                   report.title.toHtmlEscaped() +
                   QStringLiteral("</title>\n<style>\nbody{margin:0}\n"
                                  ".page{position:relative;overflow:visible;margin:0 0 4mm 0;"
                                  "page-break-after:always}\n"
                                  ".page div{position:absolute;box-sizing:border-box;display:flex;"
                                  "flex-direction:column;line-height:normal;overflow:hidden}\n");
    for (int i = 0; i < report.styles.size(); ++i)
        html += cssClass(i, report.styles[i]);
    html += QLatin1String("</style>\n</head>\n<body>\n");
    const int total = int(report.pages.size());
    for (int p = 0; p < total; ++p) {
        const PreparedPage &page = report.pages[p];
        html += QStringLiteral("<section class=\"page\" style=\"width:%1;height:%2\">\n")
                    .arg(mm(page.size.width()), mm(page.size.height()));
        for (const PreparedText &text : page.texts) {
            const TextStyle &style = report.styles[text.style];
            const QString content = style.html
                                        ? QString(text.text).replace(QLatin1Char('\n'), QLatin1String("<br>"))
                                        : text.text.toHtmlEscaped();
            html +=
                QStringLiteral(
                    "<div class=\"s%1\" style=\"left:%2;top:%3;width:%4;height:%5\"><span>%6</span></div>\n")
                    .arg(text.style)
                    .arg(mm(text.rect.left()), mm(text.rect.top()), mm(text.rect.width()),
                         mm(text.rect.height()), content);
        }
        for (const PreparedLine &line : page.lines) {
            const QRectF box = QRectF(line.line.p1(), line.line.p2()).normalized();
            html +=
                QStringLiteral(
                    "<div style=\"left:%1;top:%2;width:%3;height:%4;border-top:%5px solid #000\"></div>\n")
                    .arg(mm(box.left()), mm(box.top()), mm(box.width()), mm(box.height()))
                    .arg(line.width);
        }
        html += QLatin1String("</section>\n");
        if (progress && !progress(p + 1, total))
            return cancelled(error);
    }
    html += QLatin1String("</body>\n</html>\n");
    return writeFile(path, html.toUtf8(), error);
}

bool exportCsv(const PreparedReport &report, const QString &path, QString *error, const Progress &progress)
{
    QString csv;
    const int total = int(report.pages.size());
    for (int p = 0; p < total; ++p) {
        const PreparedPage &page = report.pages[p];
        // A band row: the texts of one band instance that share a top edge. Bands are
        // numbered in the order they were placed, which is top to bottom.
        std::map<std::pair<int, qint64>, std::vector<const PreparedText *>> rows;
        for (const PreparedText &text : page.texts)
            rows[{text.band, qRound64(text.rect.top() * 100)}].push_back(&text);
        for (auto &[key, cells] : rows) {
            std::stable_sort(cells.begin(), cells.end(), [](const PreparedText *a, const PreparedText *b) {
                return a->rect.left() < b->rect.left();
            });
            QStringList fields;
            for (const PreparedText *text : cells)
                fields.append(
                    csvField(withoutControlCharacters(plainText(*text, report.styles[text->style]))));
            csv += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
        }
        if (progress && !progress(p + 1, total))
            return cancelled(error);
    }
    return writeFile(path, toWindows1252(csv), error);
}

} // namespace report_engine
