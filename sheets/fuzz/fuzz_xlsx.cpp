// Any bytes, read as an .xlsx. Mutating a real zip mostly breaks its checksums,
// so an input that does not open as a zip is taken as parts to pack first:
// name \x01 content \x01 name \x01 content ... That way the XML, the
// relationships and the cell values get mutated too.
#include "sheet_reader.h"
#include "xlsx_reader.h"

#include <cstdint>
#include <zip.h>

namespace {

QByteArray packParts(const QByteArray &input)
{
    QList<QByteArray> fields = input.split('\x01');
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (qsizetype i = 0; archive && i + 1 < fields.size(); i += 2) {
        const QByteArray &content = fields[i + 1];
        zip_source_t *part = zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        zip_int64_t index = zip_file_add(archive, fields[i].constData(), part, ZIP_FL_OVERWRITE);
        if (index < 0)
            zip_source_free(part);
        else
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    QByteArray packed;
    bool closed = archive && zip_close(archive) == 0;
    if (archive && !closed)
        zip_discard(archive);
    if (closed && zip_source_open(buffer) == 0) {
        char chunk[65536];
        zip_int64_t got;
        while ((got = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
            packed.append(chunk, qsizetype(got));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return packed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!bytes.startsWith("PK"))
        bytes = packParts(bytes);
    sheets::sheetOf(bytes, sheets::readXlsx, INT_MAX);
    sheets::sheetOf(bytes, sheets::readXlsx, 7);
    return 0;
}
