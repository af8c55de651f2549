#include "report_engine/prepared.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace report_engine {

namespace {

constexpr quint32 preparedMagic = 0x53525052; // "SRPR"
constexpr quint16 preparedVersion = 2;        // 2: fitted texts (fractional sizes, shrink, clipped)

QDataStream &operator<<(QDataStream &s, const TextStyle &t)
{
    return s << t.fontFamily << t.fontPixelSize << t.bold << t.italic << qint8(t.hAlign) << qint8(t.vAlign)
             << quint8(t.frameSides) << t.frameWidth << t.padding.left << t.padding.top << t.padding.right
             << t.padding.bottom << t.wordWrap << t.html << t.shrink;
}

QDataStream &operator>>(QDataStream &s, TextStyle &t)
{
    qint8 h, v;
    quint8 sides;
    s >> t.fontFamily >> t.fontPixelSize >> t.bold >> t.italic >> h >> v >> sides >> t.frameWidth >>
        t.padding.left >> t.padding.top >> t.padding.right >> t.padding.bottom >> t.wordWrap >> t.html >>
        t.shrink;
    t.hAlign = HAlign(std::clamp<int>(h, 0, 2));
    t.vAlign = VAlign(std::clamp<int>(v, 0, 2));
    t.frameSides = sides & FrameAll;
    return s;
}

QDataStream &operator<<(QDataStream &s, const PreparedPage &p)
{
    s << p.size << qint32(p.bands.size());
    for (const PreparedBand &b : p.bands)
        s << b.name << qint8(b.kind) << b.top << b.height;
    s << qint32(p.texts.size());
    for (const PreparedText &t : p.texts)
        s << t.rect << qint32(t.style) << qint32(t.band) << t.text << t.clipped;
    s << qint32(p.lines.size());
    for (const PreparedLine &l : p.lines)
        s << l.line << l.width;
    return s;
}

bool readPage(QDataStream &s, PreparedPage &p, qsizetype styleCount)
{
    qint32 count;
    s >> p.size >> count;
    for (qint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        PreparedBand b;
        qint8 kind;
        s >> b.name >> kind >> b.top >> b.height;
        b.kind = BandKind(std::clamp<int>(kind, 0, int(BandKind::PageFooter)));
        p.bands.append(b);
    }
    s >> count;
    for (qint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        PreparedText t;
        qint32 style, band;
        s >> t.rect >> style >> band >> t.text >> t.clipped;
        if (style < 0 || style >= styleCount || band < 0 || band >= p.bands.size())
            return false;
        t.style = style;
        t.band = band;
        p.texts.append(std::move(t));
    }
    s >> count;
    for (qint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        PreparedLine l;
        s >> l.line >> l.width;
        p.lines.append(l);
    }
    return s.status() == QDataStream::Ok;
}

} // namespace

bool savePreparedReport(const PreparedReport &report, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QDataStream s(&file);
    s.setVersion(QDataStream::Qt_6_4);
    s << preparedMagic << preparedVersion << report.title << qint32(report.styles.size());
    for (const TextStyle &style : report.styles)
        s << style;
    s << qint32(report.pages.size());
    for (const PreparedPage &page : report.pages)
        s << page;
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool loadPreparedReport(const QString &path, PreparedReport &report, QString *error)
{
    auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QDataStream s(&file);
    s.setVersion(QDataStream::Qt_6_4);
    quint32 magic;
    quint16 version;
    s >> magic >> version;
    if (magic != preparedMagic || version != preparedVersion)
        return fail(QCoreApplication::translate("report_engine", "not a prepared report"));
    PreparedReport loaded;
    qint32 count;
    s >> loaded.title >> count;
    for (qint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        TextStyle style;
        s >> style;
        loaded.styles.append(style);
    }
    s >> count;
    for (qint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        PreparedPage page;
        if (!readPage(s, page, loaded.styles.size()))
            return fail(QCoreApplication::translate("report_engine", "the prepared report is damaged"));
        loaded.pages.append(std::move(page));
    }
    if (s.status() != QDataStream::Ok)
        return fail(QCoreApplication::translate("report_engine", "the prepared report is damaged"));
    report = std::move(loaded);
    return true;
}

} // namespace report_engine
