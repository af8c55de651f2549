// Who is logged in and which work item is current: the only state that crosses pages.
#pragma once

#include <QString>

struct OperatorContext {
    QString nipLogin;
    QString levelUser;
    QString levelDescription;
    QString induk_id;
    QString nama_skpd;
    QString id_pengajuan;
    QString periode_pengajuan;
    QString jenisPengajuan;
    QString periode_tpp_label;
    QString tabpnseditjenis;
    QString usermanagerstate;
    QString app_version;
};
