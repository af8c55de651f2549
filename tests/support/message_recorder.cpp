#include "tests/support/message_recorder.h"

#include <gtest/gtest.h>

namespace {

const char *kindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return "warning";
    case MessageKind::Error:
        return "error";
    case MessageKind::Information:
        return "information";
    case MessageKind::Confirm:
        return "confirm";
    case MessageKind::ErrorClose:
        return "error (Close)";
    }
    return "?";
}

} // namespace

void PrintTo(const Box &box, std::ostream *out)
{
    *out << kindName(box.kind) << " \"" << box.text.toStdString() << "\"";
    if (!box.informative.isEmpty())
        *out << " / \"" << box.informative.toStdString() << "\"";
}

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

MessageRecorder::~MessageRecorder()
{
    for (const Box &box : boxes_)
        ADD_FAILURE() << "unexpected box: " << ::testing::PrintToString(box);
    if (!answers_.empty())
        ADD_FAILURE() << answers_.size() << " confirmation answer(s) never asked for";
}

Boxes MessageRecorder::take()
{
    Boxes taken;
    taken.swap(boxes_);
    return taken;
}

bool MessageRecorder::confirm(const QString &text)
{
    boxes_.push_back({MessageKind::Confirm, text});
    if (answers_.empty()) {
        ADD_FAILURE() << "confirmation without a scripted answer: " << text.toStdString();
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

FileChooserRecorder::~FileChooserRecorder()
{
    if (!answers_.empty())
        ADD_FAILURE() << answers_.size() << " file dialog answer(s) never asked for";
}

QString FileChooserRecorder::next(const FileDialogRequest &request)
{
    requests.push_back(request);
    if (answers_.empty()) {
        ADD_FAILURE() << "file dialog without a scripted answer: " << request.title.toStdString();
        return {};
    }
    QString name = answers_.front();
    answers_.pop_front();
    return name;
}
