// Bounds-checked little-endian reads over a byte span: running past the end
// means the file is damaged, never an out-of-bounds read.
#pragma once

#include "read_error.h"

#include <bit>
#include <cstdint>

namespace sheets {

class ByteReader {
public:
    ByteReader(const char *data, size_t size) : data_(data), size_(size) {}

    size_t pos() const { return pos_; }
    size_t left() const { return size_ - pos_; }
    void seek(size_t pos)
    {
        if (pos > size_)
            throwDamaged();
        pos_ = pos;
    }
    void skip(size_t n) { seek(n > left() ? size_ + 1 : pos_ + n); }
    const char *take(size_t n)
    {
        const char *at = data_ + pos_;
        skip(n);
        return at;
    }
    uint8_t u8() { return uint8_t(*take(1)); }
    uint16_t u16() { return uint16_t(u8() | (u8() << 8)); }
    uint32_t u32()
    {
        uint32_t low = u16();
        return low | (uint32_t(u16()) << 16);
    }
    uint64_t u64()
    {
        uint64_t low = u32();
        return low | (uint64_t(u32()) << 32);
    }
    double f64() { return std::bit_cast<double>(u64()); }

private:
    const char *data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace sheets
