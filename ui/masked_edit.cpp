#include "ui/masked_edit.h"

QLineEdit *maskedEdit(QChar shown)
{
    auto *edit = new QLineEdit;
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: %1;").arg(shown.unicode()));
    return edit;
}
