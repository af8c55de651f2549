// Readers stop by throwing ReadError; readFirstSheet turns it into a failed
// ReadResult.
#pragma once

#include "sheets.h"

namespace sheets {

struct ReadError {
    Failure failure;
};

[[noreturn]] void throwDamaged();
[[noreturn]] void throwNotExcel();
[[noreturn]] void throwOldVersion();
[[noreturn]] void throwEncrypted();
[[noreturn]] void throwNoWorksheet();
[[noreturn]] void throwTooLarge();

} // namespace sheets
