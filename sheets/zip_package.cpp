#include "zip_package.h"

#include "read_error.h"

#include <zip.h>

namespace sheets {

namespace {

// A part may not inflate beyond this: a real sheet of a million rows stays below it.
constexpr qsizetype maxPartSize = qsizetype(512) << 20;
// Deflate packs at most about this many bytes into one, so a larger size in a
// header is a lie and is not reserved up front.
constexpr zip_uint64_t maxDeflateRatio = 1032;

} // namespace

bool ZipPackage::hasSignature(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04");
}

ZipPackage::ZipPackage(const QByteArray &bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source)
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive_) {
        if (source)
            zip_source_free(source);
        throwDamaged();
    }
}

ZipPackage::~ZipPackage()
{
    zip_discard(archive_);
}

std::optional<QByteArray> ZipPackage::part(const QString &name) const
{
    zip_int64_t index = zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return std::nullopt;
    zip_file_t *file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
    if (!file)
        throwDamaged();
    // Inflated straight into the part's buffer; one byte beyond the size the
    // header gives finds the end without growing it.
    QByteArray out;
    zip_stat_t stat;
    if (zip_stat_index(archive_, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        (stat.valid & ZIP_STAT_COMP_SIZE))
        out.reserve(qsizetype(std::min(
            {stat.size + 1, stat.comp_size * maxDeflateRatio + 4096, zip_uint64_t(maxPartSize) + 1})));
    zip_int64_t got;
    qsizetype size = 0;
    for (;;) {
        if (size == out.capacity())
            out.reserve(std::min(std::max(size * 2, qsizetype(65536)), maxPartSize + 1));
        out.resize(out.capacity());
        got = zip_fread(file, out.data() + size, zip_uint64_t(out.size() - size));
        if (got <= 0)
            break;
        size += qsizetype(got);
        if (size > maxPartSize) {
            zip_fclose(file);
            throwTooLarge();
        }
    }
    out.resize(size);
    zip_fclose(file);
    if (got < 0)
        throwDamaged();
    return out;
}

} // namespace sheets
