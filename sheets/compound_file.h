// Reads streams out of a compound file (the container of .xls workbooks):
// header, FAT through the DIFAT, mini-FAT and mini stream, the directory tree.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace sheets {

class CompoundFile {
public:
    static bool hasSignature(const QByteArray &bytes);

    // Throws ReadError when the header or the directory is damaged.
    explicit CompoundFile(const QByteArray &bytes);

    // The named stream directly under the root storage, compared without case.
    std::optional<QByteArray> stream(const QString &name) const;

private:
    struct Entry {
        QString name;
        uint8_t type;
        uint32_t left, right, child;
        uint32_t start;
        uint64_t size;
    };

    QByteArray chain(const std::vector<uint32_t> &fat, uint32_t start, uint64_t size, bool mini) const;
    const char *sector(uint32_t id, bool partial = false) const;
    void readFat();
    void readDirectory();
    const Entry *rootChild(const QString &name) const;

    const QByteArray &bytes_;
    uint32_t sectorSize_ = 512;
    uint32_t miniSectorSize_ = 64;
    uint32_t miniCutoff_ = 4096;
    uint32_t fullSectors_ = 0;
    uint32_t sectorCount_ = 0;
    std::vector<uint32_t> fat_;
    std::vector<uint32_t> miniFat_;
    std::vector<Entry> entries_;
    QByteArray miniStream_;
};

} // namespace sheets
