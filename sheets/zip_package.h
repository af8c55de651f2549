// The parts of a zip package (an .xlsx), read from memory through libzip.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

struct zip;

namespace sheets {

class ZipPackage {
public:
    static bool hasSignature(const QByteArray &bytes);

    // Throws ReadError when the archive cannot be opened.
    explicit ZipPackage(const QByteArray &bytes);
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    // The part's bytes, its name compared without case; nullopt when absent.
    std::optional<QByteArray> part(const QString &name) const;

private:
    zip *archive_ = nullptr;
};

} // namespace sheets
