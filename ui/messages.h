// The only way the program shows a message box. Production shows QMessageBox;
// tests install a recorder that checks the kind and the exact texts of each box.
#pragma once

#include <QString>

enum class MessageKind { Warning, Error, Information, Confirm, ErrorClose };

class Messages {
public:
    virtual ~Messages() = default;
    // A box with the single button OK (Close for ErrorClose). The informative text,
    // when there is one, stands beneath the text: the server's reason for a refusal.
    virtual void show(MessageKind kind, const QString &text, const QString &informative = {}) = 0;
    // Yes and No; true for Yes.
    virtual bool confirm(const QString &text) = 0;

    void warning(const QString &text) { show(MessageKind::Warning, text); }
    void error(const QString &text) { show(MessageKind::Error, text); }
    void information(const QString &text) { show(MessageKind::Information, text); }
    // An error box whose only button is Close.
    void errorClose(const QString &text) { show(MessageKind::ErrorClose, text); }
};

class MessageBoxes : public Messages {
public:
    void show(MessageKind kind, const QString &text, const QString &informative = {}) override;
    bool confirm(const QString &text) override;
};
