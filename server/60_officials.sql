-- The signing officials: one stored pair for the hospital's unit.
DELIMITER ;;

CREATE OR REPLACE PROCEDURE nasn_pejabat_loaddata()
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pejabat', 'baca', v_aktor, v_level);
    SELECT t.pa, t.bp, t.induk_id
    FROM tpp_pejabat t JOIN nasn_konfigurasi k ON k.id = 1 AND t.induk_id = k.unit_id;
END;;

CREATE OR REPLACE PROCEDURE nasn_select_nama_lengkap(IN nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_nip VARCHAR(255) DEFAULT nip;
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pejabat', 'baca', v_aktor, v_level);
    SELECT c.nama_lengkap, c.pangkat FROM cache_pns c WHERE c.nip = v_nip;
END;;

-- Both officials sign the documents by name, so both must be in the staff register.
CREATE OR REPLACE PROCEDURE util_require_officials_known(IN p_aktor VARCHAR(255), IN var_pa VARCHAR(255),
                                                         IN var_bp VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    IF NOT EXISTS (SELECT 1 FROM cache_pns c WHERE c.nip = var_pa) THEN
        CALL util_refuse(p_aktor, 'pejabat', 'NIP Pengguna Anggaran tidak ada di data pegawai');
    END IF;
    IF NOT EXISTS (SELECT 1 FROM cache_pns c WHERE c.nip = var_bp) THEN
        CALL util_refuse(p_aktor, 'pejabat', 'NIP Bendahara Pengeluaran tidak ada di data pegawai');
    END IF;
END;;

CREATE OR REPLACE PROCEDURE nasn_pejabat_insert(IN var_pa VARCHAR(255), IN var_bp VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(NULL, 'pejabat', 'ubah', v_aktor, v_level);
    CALL util_require_officials_known(v_aktor, var_pa, var_bp);
    IF EXISTS (SELECT 1 FROM tpp_pejabat t JOIN nasn_konfigurasi k ON k.id = 1 AND t.induk_id = k.unit_id) THEN
        CALL util_refuse(v_aktor, 'pejabat', 'Pasangan pejabat sudah ada, gunakan update');
    END IF;
    START TRANSACTION;
    INSERT INTO tpp_pejabat (induk_id, pa, bp) SELECT k.unit_id, var_pa, var_bp FROM nasn_konfigurasi k;
    CALL util_log_login(v_aktor, 'pejabat', CONCAT('Pejabat disimpan: PA ', var_pa, ', BP ', var_bp));
    COMMIT;
END;;

CREATE OR REPLACE PROCEDURE nasn_pejabat_update(IN var_pa VARCHAR(255), IN var_bp VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(NULL, 'pejabat', 'ubah', v_aktor, v_level);
    CALL util_require_officials_known(v_aktor, var_pa, var_bp);
    IF NOT EXISTS (SELECT 1 FROM tpp_pejabat t JOIN nasn_konfigurasi k ON k.id = 1 AND t.induk_id = k.unit_id) THEN
        CALL util_refuse(v_aktor, 'pejabat', 'Belum ada pasangan pejabat, gunakan insert');
    END IF;
    START TRANSACTION;
    UPDATE tpp_pejabat t JOIN nasn_konfigurasi k ON k.id = 1 AND t.induk_id = k.unit_id
    SET t.pa = var_pa, t.bp = var_bp;
    CALL util_log_login(v_aktor, 'pejabat', CONCAT('Pejabat diganti: PA ', var_pa, ', BP ', var_bp));
    COMMIT;
END;;

CREATE OR REPLACE PROCEDURE util_pejabat_specimen(IN p_unit VARCHAR(255), IN p_peran CHAR(2))
    READS SQL DATA
    SELECT COALESCE(c.nama_lengkap, '') AS nama_lengkap, IF(p_peran = 'pa', t.pa, t.bp) AS nip,
           COALESCE(c.pangkat, '') AS pangkat
    FROM tpp_pejabat t LEFT JOIN cache_pns c ON c.nip = IF(p_peran = 'pa', t.pa, t.bp)
    WHERE t.induk_id = p_unit;;

CREATE OR REPLACE PROCEDURE nasn_pejabat_specimen_select_pa(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pejabat', 'baca', v_aktor, v_level);
    CALL util_pejabat_specimen(var_id, 'pa');
END;;

CREATE OR REPLACE PROCEDURE nasn_pejabat_specimen_select_bp(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pejabat', 'baca', v_aktor, v_level);
    CALL util_pejabat_specimen(var_id, 'bp');
END;;

DELIMITER ;
