// The two questions asked of the server before a change: may data be entered now,
// and is this submission locked. Each takes the calling action's texts.
#pragma once

#include "data/server_step.h"

class Tdm;

struct InputWindowGuard {
    QString statement; // "CALL `nasn_cek_waktu_input`() " or "CALL `nasn_waktu_input_cek`() "
    QString connectionFailure;
    QString callFailure;
};

struct LockGuard {
    QString connectionFailure;
    QString refusal; // an error box
    QString callFailure;
};

extern const QString inputWindowRefusal;

bool inputWindowAllows(Tdm &dm, ConnectionHost &host, Messages &messages, const InputWindowGuard &guard);
bool lockAllows(Tdm &dm, ConnectionHost &host, Messages &messages, const LockGuard &guard,
                const QString &submissionId);
