#include "read_error.h"

namespace sheets {

namespace {

[[noreturn]] void fail(FailureKind kind)
{
    throw ReadError{{kind, {}, {}}};
}

} // namespace

void throwDamaged()
{
    fail(FailureKind::Damaged);
}

void throwNotExcel()
{
    fail(FailureKind::NotExcel);
}

void throwOldVersion()
{
    fail(FailureKind::OldVersion);
}

void throwEncrypted()
{
    fail(FailureKind::Encrypted);
}

void throwNoWorksheet()
{
    fail(FailureKind::NoWorksheet);
}

void throwTooLarge()
{
    fail(FailureKind::TooLarge);
}

} // namespace sheets
