#include "data/server_step.h"

#include "data/db_error.h"

namespace {

// An empty text shows no box.
void showUnlessEmpty(Messages &messages, MessageKind kind, const QString &text,
                     const QString &informative = {})
{
    if (!text.isEmpty())
        messages.show(kind, text, informative);
}

} // namespace

QString refusalReason(const std::exception &failure)
{
    const auto *error = dynamic_cast<const DbError *>(&failure);
    return error ? QString::fromStdString(error->reason) : QString();
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
        showUnlessEmpty(messages, MessageKind::Warning, texts.connectionFailure);
        return false;
    }
    try {
        return body() == Step::Done;
    } catch (const std::exception &failure) {
        showUnlessEmpty(messages, texts.dataFailureKind, texts.dataFailure, refusalReason(failure));
        return false;
    }
}
