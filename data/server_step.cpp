#include "data/server_step.h"

#include <exception>

void show(Messages &messages, MessageKind kind, const QString &text)
{
    if (text.isEmpty())
        return;
    switch (kind) {
    case MessageKind::Error:
        messages.error(text);
        break;
    case MessageKind::Information:
        messages.information(text);
        break;
    case MessageKind::ErrorClose:
        messages.errorClose(text);
        break;
    default:
        messages.warning(text);
        break;
    }
}

bool runStep(ConnectionHost &host, Messages &messages, const StepTexts &texts,
             const std::function<Step()> &body)
{
    struct Disconnect {
        ConnectionHost &host;
        ~Disconnect() { host.disconnectDB(); }
    } disconnect{host};

    try {
        host.connectDB();
    } catch (const std::exception &) {
        show(messages, MessageKind::Warning, texts.connectionFailure);
        return false;
    }
    try {
        return body() == Step::Done;
    } catch (const std::exception &) {
        show(messages, texts.dataFailureKind, texts.dataFailure);
        return false;
    }
}
