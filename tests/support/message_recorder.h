// Test seams: every box and file dialog is recorded; confirmations and dialogs are
// answered from a script; a box or answer the test did not account for fails it.
#pragma once

#include "ui/file_chooser.h"
#include "ui/messages.h"

#include <deque>
#include <ostream>
#include <vector>

// A box as shown: its kind, its text and the informative text beneath it.
struct Box {
    MessageKind kind;
    QString text;
    QString informative = {};
    bool operator==(const Box &other) const = default;
};
using Boxes = std::vector<Box>;

// The input-window refusal, written out here rather than taken from the code,
// so a change to the text the operator reads fails the tests.
inline const QString outsideInputWindow =
    QStringLiteral("Saat ini bukan waktu yang diizinkan untuk input dan proses data di Aplikasi ini!\r"
                   "Silahkan cek di halaman informasi untuk melihat jadwal maintenance.\r\r"
                   "Terima kasih, dan mohon maaf atas ketidaknyamanan ini!");
void PrintTo(const Box &box, std::ostream *out);
void PrintTo(const QString &text, std::ostream *out);

class MessageRecorder : public Messages {
public:
    ~MessageRecorder() override;
    // The answers to the next confirmations, in order (true for Yes).
    void answer(bool yes) { answers_.push_back(yes); }
    // The boxes shown since the last take.
    Boxes take();

    void show(MessageKind kind, const QString &text, const QString &informative = {}) override
    {
        boxes_.push_back({kind, text, informative});
    }
    bool confirm(const QString &text) override;

private:
    Boxes boxes_;
    std::deque<bool> answers_;
};

class FileChooserRecorder : public FileChooser {
public:
    ~FileChooserRecorder() override;
    // The name the next dialog returns; empty for a cancelled dialog.
    void answer(const QString &fileName) { answers_.push_back(fileName); }
    std::vector<FileDialogRequest> requests;

    QString openFileName(const FileDialogRequest &request) override { return next(request); }
    QString saveFileName(const FileDialogRequest &request) override { return next(request); }

private:
    QString next(const FileDialogRequest &request);
    std::deque<QString> answers_;
};
