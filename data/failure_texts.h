// The failure texts more than one step shows, word for word; a text only one
// screen shows stays with that screen.
#pragma once

#include <QString>

namespace texts {

// The connection failure of most steps.
inline const QString connectionFailure = QStringLiteral("Gagal terhubung ke database Belunta!");
// The connection failure of the operator accounts' changes.
inline const QString accountConnectionFailure = QStringLiteral("Gagal terhubung ke database!");
// The connection failure of the operator list and the activity log.
inline const QString adminListConnectionFailure =
    QStringLiteral("Gagal terhubung ke database Korvani -> Iuran BPJS BPJS Remunerasi RSUD!");

// The data failure of most steps.
inline const QString dataFailure = QStringLiteral("Gagal mengambil data!");
// The data failure of the login check and the own password change.
inline const QString serverDataFailure = QStringLiteral("Gagal ambil data di server Belunta!");

} // namespace texts
