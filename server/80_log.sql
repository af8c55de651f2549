DELIMITER ;;

-- Entries from the start day to the end day, both whole days included, newest
-- first: the range is by calendar day, so a client whose clock or zone is behind
-- the server's still sees today. The remark ends with the client host.
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
    WHERE l.tanggal_aksi >= DATE(var_tanggal_start) AND l.tanggal_aksi < DATE(var_tanggal_end) + INTERVAL 1 DAY
    ORDER BY l.tanggal_aksi DESC, l.id DESC;
END;;

DELIMITER ;
