DELIMITER ;;

-- Entries between the two moments (both included), newest first; the remark
-- ends with the client host the action came from.
CREATE OR REPLACE PROCEDURE nasn_log_tampildata(IN var_tanggal_start DATETIME, IN var_tanggal_end DATETIME)
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat log', 'baca', v_aktor, v_level);
    SELECT l.id, l.nip, COALESCE(c.nama_lengkap, u.nama_lengkap, '') AS nama_lengkap, l.tanggal_aksi, l.aksi,
           CONCAT(l.keterangan, ' [', l.host, ']') AS keterangan
    FROM nasn_log l
    LEFT JOIN cache_pns c ON c.nip = l.nip
    LEFT JOIN nasn_user u ON u.nip = l.nip
    WHERE l.tanggal_aksi BETWEEN var_tanggal_start AND var_tanggal_end
    ORDER BY l.tanggal_aksi DESC, l.id DESC;
END;;

DELIMITER ;
