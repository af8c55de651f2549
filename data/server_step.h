// The shape of every server action: connectDB, the step's body, the step's fixed
// failure text, and disconnectDB in every outcome.
#pragma once

#include "ui/messages.h"

#include <exception>
#include <functional>

// Implemented by the main window, which shows the connection line.
class ConnectionHost {
public:
    virtual ~ConnectionHost() = default;
    // Throws DbError when the connection cannot be opened.
    virtual void connectDB() = 0;
    virtual void disconnectDB() = 0;
};

// An empty text shows no box for that failure.
struct StepTexts {
    QString connectionFailure;
    QString dataFailure;
    MessageKind dataFailureKind = MessageKind::Warning;
};

enum class Step { Done, Stopped };

// True when the body ran to its end; false after a failure box or an early stop
// (a body that stops shows its own box first). A refusal by one of our rules shows
// its reason beneath the fixed failure text; no other server text is ever shown.
bool runStep(ConnectionHost &host, Messages &messages, const StepTexts &texts,
             const std::function<Step()> &body);

// The server's reason when the failure is a refusal by one of our rules; empty otherwise.
QString refusalReason(const std::exception &failure);
