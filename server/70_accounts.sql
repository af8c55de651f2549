-- Operator accounts. Only an Administrator who logged in from this host may
-- add, change or delete them. A new account gets the level Admin_skpd.
DELIMITER ;;

CREATE OR REPLACE PROCEDURE nasn_user_tampildata()
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat user', 'baca', v_aktor, v_level);
    SELECT u.id, u.nip, u.nama_lengkap, u.user_level, u.register_date
    FROM nasn_user u WHERE u.aktif ORDER BY u.id;
END;;

CREATE OR REPLACE PROCEDURE nasn_user_tambah(IN var_nip VARCHAR(255), IN var_password TEXT, IN var_nip_pemroses VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(var_nip_pemroses, 'tambah user', 'admin', v_aktor, v_level);
    IF EXISTS (SELECT 1 FROM nasn_user u WHERE u.nip = var_nip) THEN
        CALL util_refuse(var_nip_pemroses, 'tambah user', 'NIP sudah terdaftar sebagai user');
    END IF;
    IF NOT EXISTS (SELECT 1 FROM cache_pns c WHERE c.nip = var_nip) THEN
        CALL util_refuse(var_nip_pemroses, 'tambah user', 'NIP tidak ada di data pegawai');
    END IF;
    START TRANSACTION;
    CALL util_account_store(var_nip, 'Admin_skpd', var_password);
    CALL util_log(var_nip_pemroses, 'tambah user', CONCAT('User ', var_nip, ' ditambahkan dengan level Admin_skpd'));
    COMMIT;
END;;

CREATE OR REPLACE PROCEDURE nasn_user_ubah(IN var_nip VARCHAR(255), IN var_password TEXT, IN var_nip_pemroses VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(var_nip_pemroses, 'ubah user', 'admin', v_aktor, v_level);
    IF NOT EXISTS (SELECT 1 FROM nasn_user u WHERE u.nip = var_nip AND u.aktif) THEN
        CALL util_refuse(var_nip_pemroses, 'ubah user', 'User tidak ditemukan');
    END IF;
    START TRANSACTION;
    CALL util_password_store(var_nip, var_password);
    CALL util_log(var_nip_pemroses, 'ubah user', CONCAT('Password user ', var_nip, ' diganti'));
    COMMIT;
END;;

-- Nobody deletes the account they act with, so the last administrator stays.
CREATE OR REPLACE PROCEDURE nasn_user_hapus(IN var_nip VARCHAR(255), IN var_nip_pemroses VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(var_nip_pemroses, 'hapus user', 'admin', v_aktor, v_level);
    IF var_nip = var_nip_pemroses THEN
        CALL util_refuse(var_nip_pemroses, 'hapus user', 'User yang sedang dipakai tidak bisa dihapus');
    END IF;
    IF NOT EXISTS (SELECT 1 FROM nasn_user u WHERE u.nip = var_nip) THEN
        CALL util_refuse(var_nip_pemroses, 'hapus user', 'User tidak ditemukan');
    END IF;
    START TRANSACTION;
    DELETE FROM nasn_user WHERE nip = var_nip;
    CALL util_log(var_nip_pemroses, 'hapus user', CONCAT('User ', var_nip, ' dihapus'));
    COMMIT;
END;;

DELIMITER ;
