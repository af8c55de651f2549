#include "biff_writer.h"

#include <QtEndian>
#include <cstring>

namespace biff {

namespace {

constexpr uint32_t endOfChain = 0xFFFFFFFE;
constexpr uint32_t freeSector = 0xFFFFFFFF;
constexpr uint32_t fatSector = 0xFFFFFFFD;
constexpr int sectorSize = 512;

QByteArray bof(int substream)
{
    return record(0x0809, u16(0x0600) + u16(substream) + QByteArray(12, '\0'));
}

QByteArray eof()
{
    return record(0x000A, {});
}

QByteArray directoryEntry(const char16_t *name, int type, uint32_t child, uint32_t start, uint32_t size)
{
    QByteArray entry(128, '\0');
    int length = 0;
    for (; name[length]; ++length)
        qToLittleEndian<quint16>(name[length], entry.data() + 2 * length);
    qToLittleEndian<quint16>(quint16(length ? (length + 1) * 2 : 0), entry.data() + 0x40);
    entry[0x42] = char(type);
    qToLittleEndian<quint32>(freeSector, entry.data() + 0x44);
    qToLittleEndian<quint32>(freeSector, entry.data() + 0x48);
    qToLittleEndian<quint32>(child, entry.data() + 0x4C);
    qToLittleEndian<quint32>(start, entry.data() + 0x74);
    qToLittleEndian<quint32>(size, entry.data() + 0x78);
    return entry;
}

} // namespace

QByteArray u16(int value)
{
    QByteArray out(2, '\0');
    qToLittleEndian<quint16>(quint16(value), out.data());
    return out;
}

QByteArray u32(uint32_t value)
{
    QByteArray out(4, '\0');
    qToLittleEndian<quint32>(value, out.data());
    return out;
}

QByteArray f64(double value)
{
    QByteArray out(8, '\0');
    std::memcpy(out.data(), &value, 8);
    return out;
}

QByteArray record(int type, const QByteArray &payload)
{
    return u16(type) + u16(int(payload.size())) + payload;
}

QByteArray cellHead(int row, int col)
{
    return u16(row) + u16(col) + u16(15);
}

QByteArray workbook(const QByteArray &sheetRecords, const QByteArray &globalRecords)
{
    const QByteArray name = "\x04\x00Data";
    QByteArray globals = bof(0x0005) + globalRecords;
    const qsizetype boundSheetSize = 4 + 6 + name.size();
    uint32_t sheetOffset = uint32_t(globals.size() + boundSheetSize + 4);
    globals += record(0x0085, u32(sheetOffset) + u16(0) + name) + eof();
    return globals + bof(0x0010) + sheetRecords + eof();
}

QByteArray compoundFile(QByteArray stream)
{
    // Large enough to live in regular sectors rather than the mini stream.
    stream.append(QByteArray(std::max<qsizetype>(0, 4096 - stream.size()), '\0'));
    stream.append(QByteArray((sectorSize - stream.size() % sectorSize) % sectorSize, '\0'));
    const uint32_t streamSectors = uint32_t(stream.size() / sectorSize);

    QByteArray header(sectorSize, '\0');
    std::memcpy(header.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    qToLittleEndian<quint16>(0x3E, header.data() + 0x18);
    qToLittleEndian<quint16>(3, header.data() + 0x1A);
    qToLittleEndian<quint16>(0xFFFE, header.data() + 0x1C);
    qToLittleEndian<quint16>(9, header.data() + 0x1E);
    qToLittleEndian<quint16>(6, header.data() + 0x20);
    qToLittleEndian<quint32>(1, header.data() + 0x2C);    // one FAT sector: sector 0
    qToLittleEndian<quint32>(1, header.data() + 0x30);    // directory in sector 1
    qToLittleEndian<quint32>(4096, header.data() + 0x38); // mini stream cutoff
    qToLittleEndian<quint32>(endOfChain, header.data() + 0x3C);
    qToLittleEndian<quint32>(endOfChain, header.data() + 0x44);
    for (int i = 0; i < 109; ++i)
        qToLittleEndian<quint32>(i == 0 ? 0 : freeSector, header.data() + 0x4C + 4 * i);

    QByteArray fat;
    fat += u32(fatSector) + u32(endOfChain);
    for (uint32_t i = 0; i < streamSectors; ++i)
        fat += u32(i + 1 == streamSectors ? endOfChain : 2 + i + 1);
    while (fat.size() < sectorSize)
        fat += u32(freeSector);

    QByteArray directory = directoryEntry(u"Root Entry", 5, 1, endOfChain, 0) +
                           directoryEntry(u"Workbook", 2, freeSector, 2, uint32_t(stream.size())) +
                           directoryEntry(u"", 0, freeSector, 0, 0) +
                           directoryEntry(u"", 0, freeSector, 0, 0);
    return header + fat + directory + stream;
}

} // namespace biff
