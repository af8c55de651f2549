// Walks BIFF records, each with the CONTINUE records that extend it, and reads
// values across those continuations.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace sheets {

struct Segment {
    const char *data;
    size_t size;
};

// A record's data as one or more segments: the record and its CONTINUEs.
class RecordData {
public:
    explicit RecordData(const std::vector<Segment> &segments) : segments_(segments) {}

    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    void skip(uint64_t n);
    // Character data of cch characters whose high-byte flag is given; the flag
    // is read again at the start of each continuation the characters run into.
    QString chars(uint32_t cch, uint8_t flags);
    // A string with a 16-bit length and a flags byte, without rich-text runs.
    QString unicodeString();

private:
    bool nextSegment();
    const std::vector<Segment> &segments_;
    size_t segment_ = 0;
    size_t pos_ = 0;
};

class RecordStream {
public:
    RecordStream(const char *data, size_t size, size_t start);

    // Moves to the next record; false at the end of the stream.
    bool next();
    uint16_t type() const { return type_; }
    RecordData data() const { return RecordData(segments_); }
    // The first segment alone, for the fixed-layout records.
    const Segment &head() const { return segments_.front(); }

private:
    const char *data_;
    size_t size_;
    size_t pos_;
    uint16_t type_ = 0;
    std::vector<Segment> segments_;
};

} // namespace sheets
