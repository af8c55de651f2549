#include "compound_file.h"

#include "byte_reader.h"
#include "read_error.h"

#include <algorithm>

namespace sheets {

namespace {

constexpr char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr uint32_t endOfChain = 0xFFFFFFFE;
constexpr uint32_t noStream = 0xFFFFFFFF;
constexpr uint8_t streamType = 2;
constexpr uint8_t rootType = 5;

} // namespace

bool CompoundFile::hasSignature(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayView(signature, 8));
}

CompoundFile::CompoundFile(const QByteArray &bytes) : bytes_(bytes)
{
    ByteReader header(bytes.constData(), size_t(bytes.size()));
    header.seek(0x1E);
    uint16_t sectorShift = header.u16();
    uint16_t miniShift = header.u16();
    if ((sectorShift != 9 && sectorShift != 12) || miniShift != 6)
        throwDamaged();
    sectorSize_ = 1u << sectorShift;
    miniSectorSize_ = 1u << miniShift;
    if (size_t(bytes.size()) < sectorSize_)
        throwDamaged();
    size_t body = size_t(bytes.size()) - sectorSize_;
    fullSectors_ = uint32_t(std::min<size_t>(body / sectorSize_, UINT32_MAX));
    // A partly written last sector still holds stream data worth reading.
    sectorCount_ = fullSectors_ + (body % sectorSize_ ? 1 : 0);
    readFat();
    readDirectory();
}

const char *CompoundFile::sector(uint32_t id, bool partial) const
{
    if (id >= (partial ? sectorCount_ : fullSectors_))
        throwDamaged();
    return bytes_.constData() + (uint64_t(id) + 1) * sectorSize_;
}

void CompoundFile::readFat()
{
    ByteReader header(bytes_.constData(), 512);
    header.seek(0x2C);
    uint32_t fatSectors = header.u32();
    header.seek(0x3C);
    uint32_t firstMiniFat = header.u32();
    uint32_t miniFatSectors = header.u32();
    uint32_t firstDifat = header.u32();
    uint32_t difatSectors = header.u32();
    if (fatSectors > sectorCount_ || difatSectors > sectorCount_ || miniFatSectors > sectorCount_)
        throwDamaged();

    std::vector<uint32_t> fatIds;
    for (int i = 0; i < 109 && fatIds.size() < fatSectors; ++i)
        fatIds.push_back(header.u32());
    uint32_t perDifat = sectorSize_ / 4 - 1;
    for (uint32_t id = firstDifat, n = 0; fatIds.size() < fatSectors; ++n) {
        if (n >= difatSectors)
            throwDamaged();
        ByteReader difat(sector(id), sectorSize_);
        for (uint32_t i = 0; i < perDifat && fatIds.size() < fatSectors; ++i)
            fatIds.push_back(difat.u32());
        difat.seek(size_t(perDifat) * 4);
        id = difat.u32();
    }

    fat_.reserve(size_t(fatSectors) * (sectorSize_ / 4));
    for (uint32_t id : fatIds) {
        ByteReader fat(sector(id), sectorSize_);
        for (uint32_t i = 0; i < sectorSize_ / 4; ++i)
            fat_.push_back(fat.u32());
    }

    if (miniFatSectors > 0) {
        QByteArray miniFat = chain(fat_, firstMiniFat, uint64_t(miniFatSectors) * sectorSize_, false);
        ByteReader reader(miniFat.constData(), size_t(miniFat.size()));
        miniFat_.reserve(reader.left() / 4);
        while (reader.left() >= 4)
            miniFat_.push_back(reader.u32());
    }
}

void CompoundFile::readDirectory()
{
    ByteReader header(bytes_.constData(), 512);
    header.seek(0x30);
    uint32_t firstDirectory = header.u32();
    header.seek(0x38);
    miniCutoff_ = header.u32();
    QByteArray directory = chain(fat_, firstDirectory, UINT64_MAX, false);
    ByteReader reader(directory.constData(), size_t(directory.size()));
    while (reader.left() >= 128) {
        size_t at = reader.pos();
        char16_t raw[32];
        for (char16_t &c : raw)
            c = reader.u16();
        uint16_t nameBytes = reader.u16();
        Entry entry;
        entry.name = QString::fromUtf16(raw, std::clamp(nameBytes / 2 - 1, 0, 32));
        entry.type = reader.u8();
        reader.skip(1);
        entry.left = reader.u32();
        entry.right = reader.u32();
        entry.child = reader.u32();
        reader.seek(at + 0x74);
        entry.start = reader.u32();
        entry.size = reader.u64();
        if (sectorSize_ == 512)
            entry.size &= 0xFFFFFFFF;
        entries_.push_back(entry);
        reader.seek(at + 128);
    }
    if (entries_.empty() || entries_[0].type != rootType)
        throwDamaged();
    if (entries_[0].start != endOfChain && entries_[0].size > 0)
        miniStream_ = chain(fat_, entries_[0].start, entries_[0].size, false);
}

QByteArray CompoundFile::chain(const std::vector<uint32_t> &fat, uint32_t start, uint64_t size,
                               bool mini) const
{
    uint32_t unit = mini ? miniSectorSize_ : sectorSize_;
    // A chain visits each sector at most once: one that comes back is damaged.
    std::vector<bool> visited(fat.size());
    QByteArray out;
    for (uint64_t id = start; id != endOfChain && uint64_t(out.size()) < size;) {
        if (id >= fat.size() || visited[id])
            throwDamaged();
        visited[id] = true;
        if (mini) {
            if ((uint64_t(id) + 1) * unit > uint64_t(miniStream_.size()))
                throwDamaged();
            out.append(miniStream_.constData() + uint64_t(id) * unit, unit);
        } else {
            const char *data = sector(uint32_t(id), true);
            size_t available = std::min<size_t>(unit, bytes_.constData() + bytes_.size() - data);
            out.append(data, qsizetype(available));
        }
        id = fat[id];
    }
    if (size != UINT64_MAX) {
        if (uint64_t(out.size()) < size)
            throwDamaged();
        out.truncate(qsizetype(size));
    }
    return out;
}

const CompoundFile::Entry *CompoundFile::rootChild(const QString &name) const
{
    // The root's children form a binary tree through left and right siblings.
    std::vector<uint32_t> pending{entries_[0].child};
    std::vector<bool> seen(entries_.size());
    while (!pending.empty()) {
        uint32_t id = pending.back();
        pending.pop_back();
        if (id == noStream || id >= entries_.size() || seen[id])
            continue;
        seen[id] = true;
        const Entry &entry = entries_[id];
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
        pending.push_back(entry.left);
        pending.push_back(entry.right);
    }
    return nullptr;
}

std::optional<QByteArray> CompoundFile::stream(const QString &name) const
{
    const Entry *entry = rootChild(name);
    if (!entry || entry->type != streamType)
        return std::nullopt;
    bool mini = entry->size < miniCutoff_;
    return chain(mini ? miniFat_ : fat_, entry->start, entry->size, mini);
}

} // namespace sheets
