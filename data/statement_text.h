#pragma once

#include <QString>
#include <QStringList>

// A statement with its named parameters (":nip") turned into "?" placeholders.
// Names are found outside quotes, back quotes and comments.
struct StatementText {
    QByteArray sql;
    QStringList parameterNames; // in placeholder order, repeats included

    static StatementText parse(const QString &text);
};
