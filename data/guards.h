// The two questions asked of the server before a change: may data be entered now,
// and is this submission locked. Each takes the calling action's texts.
#pragma once

#include "data/server_step.h"

class Tdm;

struct InputWindowGuard {
    QString statement; // the CALL of the action's input-window procedure
    QString connectionFailure;
    QString callFailure;
};

struct LockGuard {
    QString connectionFailure;
    QString refusal; // an error box
    QString callFailure;
};

// One action's wording of both guards, for an action that asks both.
struct SubmissionGuards {
    QString inputWindowStatement;
    QString connectionFailure;
    QString inputWindowFailure;
    QString lockRefusal; // an error box
    QString lockFailure;
};

extern const QString inputWindowRefusal;
// The wording of deleting a submission and of processing one.
extern const SubmissionGuards deleteAndProcessGuards;

bool inputWindowAllows(Tdm &dm, ConnectionHost &host, Messages &messages, const InputWindowGuard &guard);
bool lockAllows(Tdm &dm, ConnectionHost &host, Messages &messages, const LockGuard &guard,
                const QString &submissionId);
// The input window first, then the submission's lock; the lock is not asked
// when the window refuses.
bool submissionGuardsAllow(Tdm &dm, ConnectionHost &host, Messages &messages, const SubmissionGuards &guards,
                           const QString &submissionId);
