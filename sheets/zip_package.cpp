#include "zip_package.h"

#include "read_error.h"

#include <libdeflate.h>
#include <memory>
#include <zip.h>

namespace sheets {

namespace {

// A part may not inflate beyond this: a real sheet of a million rows stays below it.
constexpr qsizetype maxPartSize = qsizetype(512) << 20;
// Deflate packs at most about this many bytes into one, so a larger size in a
// header is a lie and is not reserved up front.
constexpr zip_uint64_t maxDeflateRatio = 1032;

// A deflated part whose header gives its sizes and checksum, inflated in one
// go into a buffer of its size; nullopt when it is anything else or does not
// come out as the header says, for libzip's streaming read to judge.
std::optional<QByteArray> inflatedWhole(zip_t *archive, zip_uint64_t index)
{
    zip_stat_t stat;
    const zip_uint64_t needed =
        ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
    if (zip_stat_index(archive, index, 0, &stat) != 0 || (stat.valid & needed) != needed ||
        stat.comp_method != ZIP_CM_DEFLATE || stat.encryption_method != ZIP_EM_NONE ||
        stat.size > zip_uint64_t(maxPartSize) || stat.size > stat.comp_size * maxDeflateRatio + 4096 ||
        stat.comp_size > zip_uint64_t(maxPartSize))
        return std::nullopt;
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> raw(zip_fopen_index(archive, index, ZIP_FL_COMPRESSED),
                                                           &zip_fclose);
    QByteArray deflated(qsizetype(stat.comp_size), Qt::Uninitialized);
    if (!raw || zip_fread(raw.get(), deflated.data(), stat.comp_size) != zip_int64_t(stat.comp_size))
        return std::nullopt;
    std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
        libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
    QByteArray out(qsizetype(stat.size), Qt::Uninitialized);
    size_t size = 0;
    if (!inflater ||
        libdeflate_deflate_decompress(inflater.get(), deflated.constData(), size_t(deflated.size()),
                                      out.data(), size_t(out.size()), &size) != LIBDEFLATE_SUCCESS ||
        size != stat.size || libdeflate_crc32(0, out.constData(), size) != stat.crc)
        return std::nullopt;
    return out;
}

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
    if (std::optional<QByteArray> whole = inflatedWhole(archive_, zip_uint64_t(index)))
        return whole;
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
