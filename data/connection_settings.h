#pragma once

#include <QByteArray>
#include <QString>

struct ConnectionSettings {
    QString host;
    unsigned port = 0;
    QString database;
    QString user;
    QString password;
    // A host equal to altHost is shown under altHostPublic in the connection line.
    QString altHost;
    QString altHostPublic;
    // PEM of the authority the server's certificate must chain to.
    QByteArray authority;

    // The values compiled into the program.
    static ConnectionSettings builtIn();
    // The host as the connection line names it.
    QString shownHost() const { return host == altHost ? altHostPublic : host; }
};
