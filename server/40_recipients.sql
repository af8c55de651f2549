-- Recipient rows of a submission. The procedures refuse malformed values with a
-- reason; the table's checks refuse them on every other path (the import), and
-- the row triggers refuse changes to locked submissions and outside the input window.
DELIMITER ;;

-- Whole rupiah grouped in thousands with '.': 5000000 -> 5.000.000.
CREATE OR REPLACE FUNCTION util_rupiah(p_amount VARCHAR(64)) RETURNS VARCHAR(32)
    DETERMINISTIC NO SQL
    RETURN FORMAT(CAST(p_amount AS DECIMAL(15, 0)), 0, 'de_DE');;

-- The table's own rules for a row's values, checked first so that a refusal
-- names the field; the table's checks stay as the last word for every path.
CREATE OR REPLACE FUNCTION util_digits_ok(p_text TEXT, p_min INT, p_max INT) RETURNS BOOLEAN
    DETERMINISTIC NO SQL
    RETURN COALESCE(CHAR_LENGTH(p_text) BETWEEN p_min AND p_max AND p_text NOT REGEXP '[^0-9]', FALSE);;

CREATE OR REPLACE PROCEDURE util_require_amount(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64), IN p_amount TEXT,
                                     IN p_label VARCHAR(64))
    MODIFIES SQL DATA
BEGIN
    IF NOT util_digits_ok(p_amount, 1, 15) THEN
        CALL util_refuse(p_nip, p_aksi, CONCAT(p_label, ' harus angka rupiah bulat, 1 sampai 15 digit'));
    END IF;
END;;

CREATE OR REPLACE PROCEDURE util_require_row_values(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64), IN p_nik TEXT,
                                         IN p_nama TEXT, IN p_gapok TEXT, IN p_gapok4 TEXT, IN p_gapok1 TEXT,
                                         IN p_remunerasi TEXT, IN p_insentif TEXT)
    MODIFIES SQL DATA
BEGIN
    IF NOT util_digits_ok(p_nik, 16, 16) THEN
        CALL util_refuse(p_nip, p_aksi, 'NIK harus 16 digit angka');
    END IF;
    IF NOT COALESCE(CHAR_LENGTH(TRIM(p_nama)) BETWEEN 1 AND 100, FALSE) THEN
        CALL util_refuse(p_nip, p_aksi, 'Nama Lengkap wajib diisi, paling banyak 100 karakter');
    END IF;
    CALL util_require_amount(p_nip, p_aksi, p_gapok, 'Gaji');
    CALL util_require_amount(p_nip, p_aksi, p_gapok4, 'BPJS 4% dari Gaji');
    CALL util_require_amount(p_nip, p_aksi, p_gapok1, 'BPJS 1% dari Gaji');
    CALL util_require_amount(p_nip, p_aksi, p_remunerasi, 'Remunerasi');
    CALL util_require_amount(p_nip, p_aksi, p_insentif, 'Insentif');
END;;

-- Order 0 by NIK, 1 by name, anything else by entry (id).
CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_tampildata(IN var_id VARCHAR(255), IN var_order INT)
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pegawai', 'baca', v_aktor, v_level);
    -- The order is one of three fixed texts: a plain ORDER BY lets the key on
    -- (submission, NIK) give the rows in order, where CASE expressions made the
    -- server sort every row of the list. util_rupiah is written out: a function
    -- call per cell costs several times the list itself.
    EXECUTE IMMEDIATE CONCAT(
        'SELECT d.id, d.nik, d.nama_lengkap,
                FORMAT(CAST(d.gapok AS DECIMAL(15, 0)), 0, ''de_DE'') AS gapok_formatted,
                FORMAT(CAST(d.gapok_1 AS DECIMAL(15, 0)), 0, ''de_DE'') AS gapok_1_formatted,
                FORMAT(CAST(d.gapok_4 AS DECIMAL(15, 0)), 0, ''de_DE'') AS gapok_4_formatted,
                FORMAT(CAST(d.remunerasi AS DECIMAL(15, 0)), 0, ''de_DE'') AS remunerasi_formatted,
                FORMAT(CAST(d.insentif AS DECIMAL(15, 0)), 0, ''de_DE'') AS insentif_formatted
         FROM nasn_pengajuan_detail d
         WHERE d.id_pengajuan = ?
         ORDER BY ',
        CASE var_order WHEN 0 THEN 'd.nik' WHEN 1 THEN 'd.nama_lengkap, d.nik' ELSE 'd.id' END)
        USING v_id;
END;;

CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_cek_nik(IN var_id VARCHAR(255), IN var_nik VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_nik VARCHAR(255) DEFAULT var_nik;
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pegawai', 'baca', v_aktor, v_level);
    SELECT d.id, d.nik FROM nasn_pengajuan_detail d WHERE d.id_pengajuan = util_id(var_id) AND d.nik = v_nik;
END;;

CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_cek_jumlah_pegawai_masuk(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pegawai', 'baca', v_aktor, v_level);
    SELECT COUNT(*) AS jumlah FROM nasn_pengajuan_detail d WHERE d.id_pengajuan = util_id(var_id);
END;;

CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_ubah_ambil_data(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pegawai', 'baca', v_aktor, v_level);
    SELECT d.id, d.id_pengajuan, d.nik, d.nama_lengkap, d.gapok, d.gapok_4, d.gapok_1, d.remunerasi, d.insentif
    FROM nasn_pengajuan_detail d WHERE d.id = util_id(var_id);
END;;

CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_tambah(IN var_id VARCHAR(255), IN var_nik VARCHAR(255),
                                              IN var_namalengkap VARCHAR(255), IN var_gapok VARCHAR(255),
                                              IN var_gapok4 VARCHAR(255), IN var_gapok1 VARCHAR(255),
                                              IN var_remunerasi VARCHAR(255), IN var_insentif VARCHAR(255),
                                              IN var_nip_operator VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(var_nip_operator, 'tambah pegawai', 'ubah', v_aktor, v_level);
    CALL util_require_input_open(var_nip_operator, 'tambah pegawai');
    CALL util_require_open_submission(var_nip_operator, 'tambah pegawai', v_id);
    CALL util_require_row_values(var_nip_operator, 'tambah pegawai', var_nik, var_namalengkap, var_gapok,
                                 var_gapok4, var_gapok1, var_remunerasi, var_insentif);
    IF EXISTS (SELECT 1 FROM nasn_pengajuan_detail d WHERE d.id_pengajuan = v_id AND d.nik = var_nik) THEN
        CALL util_refuse(var_nip_operator, 'tambah pegawai', 'NIK sudah ada di pengajuan ini');
    END IF;
    START TRANSACTION;
    INSERT INTO nasn_pengajuan_detail
        (id_pengajuan, nik, nama_lengkap, gapok, gapok_4, gapok_1, remunerasi, insentif, nip_operator, diubah)
    VALUES (v_id, var_nik, var_namalengkap, var_gapok, var_gapok4, var_gapok1, var_remunerasi, var_insentif,
            var_nip_operator, SYSDATE());
    CALL util_log(var_nip_operator, 'tambah pegawai',
                  CONCAT('NIK ', var_nik, ' ditambahkan ke pengajuan ', v_id));
    COMMIT;
END;;

-- The row is found by submission and NIK; the NIK itself never changes.
CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_ubah(IN var_id VARCHAR(255), IN var_nik VARCHAR(255),
                                            IN var_namalengkap VARCHAR(255), IN var_gapok VARCHAR(255),
                                            IN var_gapok4 VARCHAR(255), IN var_gapok1 VARCHAR(255),
                                            IN var_remunerasi VARCHAR(255), IN var_insentif VARCHAR(255),
                                            IN var_nip_operator VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_nik VARCHAR(255) DEFAULT var_nik;
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(var_nip_operator, 'ubah pegawai', 'ubah', v_aktor, v_level);
    CALL util_require_input_open(var_nip_operator, 'ubah pegawai');
    CALL util_require_open_submission(var_nip_operator, 'ubah pegawai', v_id);
    IF NOT EXISTS (SELECT 1 FROM nasn_pengajuan_detail d WHERE d.id_pengajuan = v_id AND d.nik = v_nik) THEN
        CALL util_refuse(var_nip_operator, 'ubah pegawai', 'NIK tidak ada di pengajuan ini');
    END IF;
    CALL util_require_row_values(var_nip_operator, 'ubah pegawai', v_nik, var_namalengkap, var_gapok,
                                 var_gapok4, var_gapok1, var_remunerasi, var_insentif);
    START TRANSACTION;
    UPDATE nasn_pengajuan_detail d
    SET d.nama_lengkap = var_namalengkap, d.gapok = var_gapok, d.gapok_4 = var_gapok4, d.gapok_1 = var_gapok1,
        d.remunerasi = var_remunerasi, d.insentif = var_insentif, d.nip_operator = var_nip_operator,
        d.diubah = SYSDATE()
    WHERE d.id_pengajuan = v_id AND d.nik = v_nik;
    CALL util_log(var_nip_operator, 'ubah pegawai', CONCAT('NIK ', v_nik, ' di pengajuan ', v_id, ' diubah'));
    COMMIT;
END;;

CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_hapus(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_pengajuan BIGINT UNSIGNED
        DEFAULT (SELECT d.id_pengajuan FROM nasn_pengajuan_detail d WHERE d.id = v_id);
    DECLARE v_nik VARCHAR(64) DEFAULT (SELECT d.nik FROM nasn_pengajuan_detail d WHERE d.id = v_id);
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(NULL, 'hapus pegawai', 'ubah', v_aktor, v_level);
    IF v_pengajuan IS NULL THEN
        CALL util_refuse(v_aktor, 'hapus pegawai', 'Data pegawai tidak ditemukan');
    END IF;
    CALL util_require_input_open(v_aktor, 'hapus pegawai');
    CALL util_require_open_submission(v_aktor, 'hapus pegawai', v_pengajuan);
    START TRANSACTION;
    DELETE FROM nasn_pengajuan_detail WHERE id = v_id;
    CALL util_log_login(v_aktor, 'hapus pegawai', CONCAT('NIK ', v_nik, ' dihapus dari pengajuan ', v_pengajuan));
    COMMIT;
END;;

-- The rows as stored, for the import to compare with what it sent: the NIK,
-- and the five amounts then the name joined by commas. An amount never holds
-- a comma (the table's checks), so all after the fifth is the name. Two texts
-- a row rather than seven: the client reads back every row of a large import.
CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_impor_baca(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'lihat pegawai', 'baca', v_aktor, v_level);
    SELECT d.nik, CONCAT_WS(',', d.gapok, d.gapok_4, d.gapok_1, d.remunerasi, d.insentif, d.nama_lengkap) AS nilai
    FROM nasn_pengajuan_detail d
    WHERE d.id_pengajuan = util_id(var_id);
END;;

DELIMITER ;
