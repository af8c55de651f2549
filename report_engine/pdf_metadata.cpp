#include "report_engine/pdf_metadata.h"

#include <QRegularExpression>

namespace report_engine {

namespace {

// UTF-16BE with a byte order mark, as a hex string: safe for any title.
QByteArray pdfText(const QString &text)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16.append(char(c.unicode() >> 8));
        utf16.append(char(c.unicode() & 0xFF));
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

QByteArray pdfDate(const QDateTime &when)
{
    const int offset = when.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return "(D:" + when.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + (offset < 0 ? '-' : '+') +
           QByteArray::number(minutes / 60).rightJustified(2, '0') + '\'' +
           QByteArray::number(minutes % 60).rightJustified(2, '0') + "')";
}

QByteArray xrefEntry(qsizetype offset)
{
    return QByteArray::number(offset).rightJustified(10, '0') + " 00000 n\r\n";
}

} // namespace

bool appendPdfMetadata(QByteArray &pdf, const PdfMetadata &metadata, QString *error)
{
    auto fail = [&](const char *why) {
        if (error)
            *error = QStringLiteral("cannot update the PDF: %1").arg(QLatin1String(why));
        return false;
    };
    const qsizetype startxrefAt = pdf.lastIndexOf("startxref");
    const qsizetype trailerAt = pdf.lastIndexOf("trailer", startxrefAt);
    if (startxrefAt < 0 || trailerAt < 0)
        return fail("no trailer");
    const QString trailer = QString::fromLatin1(pdf.mid(trailerAt, startxrefAt - trailerAt));
    const QString tail = QString::fromLatin1(pdf.mid(startxrefAt));
    const auto size = QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(trailer);
    const auto root = QRegularExpression(QStringLiteral("/Root\\s+(\\d+)\\s+0\\s+R")).match(trailer);
    const auto prev = QRegularExpression(QStringLiteral("startxref\\s+(\\d+)")).match(tail);
    if (!size.hasMatch() || !root.hasMatch() || !prev.hasMatch())
        return fail("unreadable trailer");

    const QByteArray rootId = root.captured(1).toLatin1();
    const qsizetype objectAt = pdf.indexOf("\n" + rootId + " 0 obj");
    const qsizetype dictStart = pdf.indexOf("<<", objectAt);
    const qsizetype objectEnd = pdf.indexOf("endobj", objectAt);
    const qsizetype dictEnd = pdf.lastIndexOf(">>", objectEnd);
    if (objectAt < 0 || dictStart < 0 || objectEnd < 0 || dictEnd < dictStart)
        return fail("no catalog");
    QByteArray catalog = pdf.mid(dictStart, dictEnd - dictStart);
    catalog += "/ViewerPreferences << /HideToolbar false /HideMenubar false /HideWindowUI false"
               " /FitWindow false /CenterWindow false /PrintScaling /None >>\n>>";

    const int infoId = size.captured(1).toInt(); // a fresh object: the old one stays for /Prev readers
    const QByteArray info =
        "<<\n/Title " + pdfText(metadata.title) + "\n/Author " + pdfText(metadata.author) + "\n/Subject " +
        pdfText(metadata.subject) + "\n/Creator " + pdfText(metadata.creator) + "\n/Producer " +
        pdfText(metadata.creator) + "\n/CreationDate " + pdfDate(metadata.created) + "\n>>";

    if (!pdf.endsWith('\n'))
        pdf += '\n';
    const qsizetype catalogAt = pdf.size();
    pdf += rootId + " 0 obj\n" + catalog + "\nendobj\n";
    const qsizetype infoAt = pdf.size();
    pdf += QByteArray::number(infoId) + " 0 obj\n" + info + "\nendobj\n";
    const qsizetype xrefAt = pdf.size();
    pdf += "xref\n" + rootId + " 1\n" + xrefEntry(catalogAt) + QByteArray::number(infoId) + " 1\n" +
           xrefEntry(infoAt);
    pdf += "trailer\n<<\n/Size " + QByteArray::number(infoId + 1) + "\n/Root " + rootId + " 0 R\n/Info " +
           QByteArray::number(infoId) + " 0 R\n/Prev " + prev.captured(1).toLatin1() + "\n>>\nstartxref\n" +
           QByteArray::number(xrefAt) + "\n%%EOF\n";
    return true;
}

} // namespace report_engine
