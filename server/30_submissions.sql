-- Submissions: a month's record of one type for one unit.
DELIMITER ;;

CREATE OR REPLACE PROCEDURE nasn_pengajuan_tampildata(IN var_periode VARCHAR(255), IN var_jenis VARCHAR(255))
    SQL SECURITY DEFINER READS SQL DATA
BEGIN
    DECLARE v_tahun VARCHAR(255) DEFAULT var_periode;
    DECLARE v_jenis VARCHAR(255) DEFAULT var_jenis;
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pengajuan', 'baca', v_aktor, v_level);
    SELECT p.id, p.periode, p.tanggal_pengajuan, p.unit_id, p.keterangan,
           COALESCE(u.nama_unit, '') AS nama_unit, p.status
    FROM nasn_pengajuan p LEFT JOIN nasn_unit u ON u.unit_id = p.unit_id
    WHERE p.jenis = v_jenis AND LEFT(p.periode, 4) = v_tahun
    ORDER BY p.periode, p.id;
END;;

-- The six values are stored as the client built them.
CREATE OR REPLACE PROCEDURE nasn_pengajuan_tambah(IN var_periode VARCHAR(255), IN var_unit VARCHAR(255),
                                       IN var_nomor VARCHAR(255), IN var_tanggal DATE,
                                       IN var_keterangan VARCHAR(1000), IN var_jenis VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(NULL, 'tambah pengajuan', 'ubah', v_aktor, v_level);
    CALL util_require_input_open(v_aktor, 'tambah pengajuan');
    START TRANSACTION;
    INSERT INTO nasn_pengajuan (periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis, dibuat)
    VALUES (var_periode, var_unit, var_nomor, var_tanggal, var_keterangan, var_jenis, SYSDATE());
    CALL util_log_login(v_aktor, 'tambah pengajuan',
                        CONCAT('Pengajuan ', LAST_INSERT_ID(), ' periode ', var_periode, ' jenis ', var_jenis,
                               ' dibuat'));
    COMMIT;
END;;

-- The submission and all its rows go together or not at all.
CREATE OR REPLACE PROCEDURE nasn_pengajuan_hapus(IN var_id VARCHAR(255), IN var_nip_pemroses VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE v_baris BIGINT;
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(var_nip_pemroses, 'hapus pengajuan', 'ubah', v_aktor, v_level);
    CALL util_require_input_open(var_nip_pemroses, 'hapus pengajuan');
    CALL util_require_open_submission(var_nip_pemroses, 'hapus pengajuan', v_id);
    START TRANSACTION;
    DELETE FROM nasn_pengajuan_detail WHERE id_pengajuan = v_id;
    SET v_baris = ROW_COUNT();
    DELETE FROM nasn_pengajuan WHERE id = v_id;
    CALL util_log(var_nip_pemroses, 'hapus pengajuan',
                  CONCAT('Pengajuan ', v_id, ' dihapus beserta ', v_baris, ' data pegawai'));
    COMMIT;
END;;

DELIMITER ;
