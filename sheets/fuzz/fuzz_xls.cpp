// Any bytes, read as an .xls: the reader must fail with a message, never crash,
// hang or leak.
#include "sheet_reader.h"
#include "xls_reader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    sheets::sheetOf(bytes, sheets::readXls, INT_MAX);
    sheets::sheetOf(bytes, sheets::readXls, 7);
    return 0;
}
