// A face as a font file a PDF embeds: its tables gathered, then cut down to
// the glyphs a document uses.
#pragma once

#include <QByteArray>
#include <QRawFont>
#include <QString>

#include <map>

namespace report_engine {

// Big-endian numbers of a font table; bytes past its end read as zero.
quint32 readUnsigned(const QByteArray &table, qsizetype at, int bytes);
qint16 readInt16(const QByteArray &table, qsizetype at);

// The face's tables gathered into one font file, as the subsetter reads it.
QByteArray fontFileOf(const QRawFont &face);

struct FontSubset {
    QByteArray file;
    QByteArray postScriptName;
};

// Keeps the glyphs' numbers, so the content's codes stay the face's glyph
// indexes; the whole file where the subsetter fails.
FontSubset subsetOf(const QByteArray &file, const std::map<quint32, QString> &used);

} // namespace report_engine
