#include "report_engine/pdf_font_file.h"

#include <hb-ot.h>
#include <hb-subset.h>

#include <utility>
#include <vector>

namespace report_engine {

namespace {

void appendBigEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (8 * i)));
}

} // namespace

quint32 readUnsigned(const QByteArray &table, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | uchar(table.size() > at + i ? table[at + i] : 0);
    return value;
}

qint16 readInt16(const QByteArray &table, qsizetype at)
{
    return qint16(readUnsigned(table, at, 2));
}

QByteArray fontFileOf(const QRawFont &face)
{
    static const char *const tags[] = {"CFF ", "OS/2", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head",
                                       "hhea", "hmtx", "loca", "maxp", "name", "post", "prep"}; // sorted
    std::vector<std::pair<const char *, QByteArray>> tables;
    for (const char *tag : tags)
        if (QByteArray data = face.fontTable(tag); !data.isEmpty())
            tables.emplace_back(tag, data);
    const auto count = quint32(tables.size());
    quint32 power = 1, log2 = 0;
    while (power * 2 <= count)
        power *= 2, ++log2;
    QByteArray file;
    appendBigEndian(file, face.fontTable("CFF ").isEmpty() ? 0x00010000 : 0x4F54544F, 4); // "OTTO"
    appendBigEndian(file, count, 2);
    appendBigEndian(file, power * 16, 2);
    appendBigEndian(file, log2, 2);
    appendBigEndian(file, count * 16 - power * 16, 2);
    quint32 offset = 12 + 16 * count;
    for (const auto &[tag, data] : tables) {
        quint32 sum = 0;
        for (qsizetype i = 0; i < data.size(); i += 4)
            sum += readUnsigned(data, i, 4);
        file.append(tag, 4);
        appendBigEndian(file, sum, 4);
        appendBigEndian(file, offset, 4);
        appendBigEndian(file, quint32(data.size()), 4);
        offset += (quint32(data.size()) + 3) & ~3u;
    }
    for (const auto &[tag, data] : tables) {
        file += data;
        file.append((4 - data.size() % 4) % 4, '\0');
    }
    return file;
}

FontSubset subsetOf(const QByteArray &file, const std::map<quint32, QString> &used)
{
    hb_blob_t *blob =
        hb_blob_create(file.constData(), unsigned(file.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    hb_face_t *face = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    FontSubset subset{file, {}};
    char name[128];
    unsigned nameSize = sizeof name;
    if (hb_ot_name_get_utf8(face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &nameSize, name) > 0)
        subset.postScriptName = QByteArray(name, nameSize);
    if (hb_subset_input_t *input = hb_subset_input_create_or_fail()) {
        hb_set_t *glyphs = hb_subset_input_glyph_set(input);
        for (const auto &entry : used)
            hb_set_add(glyphs, entry.first);
        hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS);
        if (hb_face_t *cut = hb_subset_or_fail(face, input)) {
            hb_blob_t *data = hb_face_reference_blob(cut);
            unsigned length = 0;
            const char *bytes = hb_blob_get_data(data, &length);
            subset.file = QByteArray(bytes, length);
            hb_blob_destroy(data);
            hb_face_destroy(cut);
        }
        hb_subset_input_destroy(input);
    }
    hb_face_destroy(face);
    return subset;
}

} // namespace report_engine
