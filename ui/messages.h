// The only way the program shows a message box. Production shows QMessageBox;
// tests install a recorder that checks the kind and the exact text of each box.
#pragma once

#include <QString>

enum class MessageKind { Warning, Error, Information, Confirm, ErrorClose };

class Messages {
public:
    virtual ~Messages() = default;
    virtual void warning(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // Yes and No; true for Yes.
    virtual bool confirm(const QString &text) = 0;
    // An error box whose only button is Close.
    virtual void errorClose(const QString &text) = 0;
};

class MessageBoxes : public Messages {
public:
    void warning(const QString &text) override;
    void error(const QString &text) override;
    void information(const QString &text) override;
    bool confirm(const QString &text) override;
    void errorClose(const QString &text) override;
};
