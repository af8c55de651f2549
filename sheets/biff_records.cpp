#include "biff_records.h"

#include "read_error.h"

namespace sheets {

namespace {

constexpr uint16_t continueType = 0x003C;

uint16_t le16(const char *p)
{
    return uint16_t(uint8_t(p[0]) | (uint8_t(p[1]) << 8));
}

} // namespace

RecordStream::RecordStream(const char *data, size_t size, size_t start)
    : data_(data), size_(size), pos_(start)
{
    if (start > size)
        throwDamaged();
}

bool RecordStream::next()
{
    segments_.clear();
    if (size_ - pos_ < 4)
        return false;
    type_ = le16(data_ + pos_);
    do {
        uint16_t length = le16(data_ + pos_ + 2);
        if (size_ - pos_ - 4 < length)
            throwDamaged();
        segments_.push_back({data_ + pos_ + 4, length});
        pos_ += 4 + size_t(length);
    } while (type_ != continueType && size_ - pos_ >= 4 && le16(data_ + pos_) == continueType);
    return true;
}

bool RecordData::nextSegment()
{
    if (segment_ + 1 >= segments_.size())
        return false;
    ++segment_;
    pos_ = 0;
    return true;
}

uint8_t RecordData::u8()
{
    while (pos_ >= segments_[segment_].size)
        if (!nextSegment())
            throwDamaged();
    return uint8_t(segments_[segment_].data[pos_++]);
}

uint16_t RecordData::u16()
{
    uint16_t low = u8();
    return uint16_t(low | (u8() << 8));
}

uint32_t RecordData::u32()
{
    uint32_t low = u16();
    return low | (uint32_t(u16()) << 16);
}

void RecordData::skip(uint64_t n)
{
    while (n > 0) {
        uint64_t here = std::min<uint64_t>(n, segments_[segment_].size - pos_);
        pos_ += size_t(here);
        n -= here;
        if (n > 0 && !nextSegment())
            throwDamaged();
    }
}

QString RecordData::chars(uint32_t cch, uint8_t flags)
{
    QString out;
    out.reserve(std::min<qsizetype>(cch, 8224));
    for (;;) {
        const Segment &seg = segments_[segment_];
        size_t width = (flags & 0x01) ? 2 : 1;
        size_t fit = std::min<size_t>(cch, (seg.size - pos_) / width);
        const char *p = seg.data + pos_;
        if (width == 1) {
            out.append(QLatin1StringView(p, qsizetype(fit)));
        } else {
            for (size_t i = 0; i < fit; ++i)
                out.append(QChar(le16(p + 2 * i)));
        }
        pos_ += fit * width;
        cch -= uint32_t(fit);
        if (cch == 0)
            return out;
        if (!nextSegment())
            throwDamaged();
        flags = u8();
    }
}

QString RecordData::unicodeString()
{
    uint16_t cch = u16();
    uint8_t flags = u8();
    return chars(cch, flags);
}

} // namespace sheets
