-- What no screen does, for the server's administrator (scripts/db-admin).
-- Never granted to the application account. Each answers one row saying
-- what it changed, and writes the same text to the log.
DELIMITER ;;

CREATE OR REPLACE PROCEDURE util_admin_done(IN p_perubahan TEXT)
    MODIFIES SQL DATA
BEGIN
    CALL util_log('', 'admin', p_perubahan);
    SELECT p_perubahan AS perubahan;
END;;

CREATE OR REPLACE PROCEDURE util_admin_fail(IN p_alasan VARCHAR(255))
    NO SQL
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = p_alasan;;

CREATE OR REPLACE FUNCTION util_is_rupiah(p_text VARCHAR(255)) RETURNS BOOLEAN
    DETERMINISTIC NO SQL
    RETURN CHAR_LENGTH(p_text) BETWEEN 1 AND 15 AND p_text NOT REGEXP '[^0-9]';;

CREATE OR REPLACE PROCEDURE adm_person_set(IN p_nip VARCHAR(255), IN p_nama_lengkap VARCHAR(255), IN p_pangkat VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    IF CHAR_LENGTH(p_nip) <> 18 OR p_nip REGEXP '[^0-9]' THEN
        CALL util_admin_fail('NIP harus 18 digit');
    END IF;
    IF CHAR_LENGTH(TRIM(p_nama_lengkap)) = 0 OR CHAR_LENGTH(p_nama_lengkap) > 128 THEN
        CALL util_admin_fail('Nama lengkap harus diisi (paling panjang 128 karakter)');
    END IF;
    IF CHAR_LENGTH(p_pangkat) > 128 THEN
        CALL util_admin_fail('Pangkat paling panjang 128 karakter');
    END IF;
    INSERT INTO cache_pns (nip, nama_lengkap, pangkat) VALUES (p_nip, TRIM(p_nama_lengkap), TRIM(p_pangkat))
    ON DUPLICATE KEY UPDATE nama_lengkap = VALUES(nama_lengkap), pangkat = VALUES(pangkat);
    UPDATE nasn_user u SET u.nama_lengkap = TRIM(p_nama_lengkap) WHERE u.nip = p_nip;
    CALL util_admin_done(CONCAT('Pegawai ', p_nip, ': ', TRIM(p_nama_lengkap), ', ', TRIM(p_pangkat)));
END;;

-- Creates or replaces an active account; the name comes from cache_pns.
CREATE OR REPLACE PROCEDURE adm_account_set(IN p_nip VARCHAR(255), IN p_level VARCHAR(255), IN p_password TEXT)
    MODIFIES SQL DATA
BEGIN
    CALL util_account_store(p_nip, p_level, p_password);
    DELETE FROM nasn_login_lockout WHERE nip = p_nip;
    CALL util_admin_done(CONCAT('User ', p_nip, ' aktif dengan level ', p_level, ' dan password baru'));
END;;

CREATE OR REPLACE PROCEDURE adm_input_period_open(IN p_mulai DATETIME, IN p_selesai DATETIME)
    MODIFIES SQL DATA
BEGIN
    IF p_mulai IS NULL OR p_selesai IS NULL OR p_mulai >= p_selesai THEN
        CALL util_admin_fail('Periode input: mulai harus sebelum selesai');
    END IF;
    INSERT INTO nasn_waktu_input (mulai, selesai) VALUES (p_mulai, p_selesai);
    CALL util_admin_done(CONCAT('Periode input ', LAST_INSERT_ID(), ' dibuka: ', p_mulai, ' s/d ', p_selesai));
END;;

CREATE OR REPLACE PROCEDURE adm_input_period_close(IN p_id VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(p_id);
    IF NOT EXISTS (SELECT 1 FROM nasn_waktu_input w WHERE w.id = v_id) THEN
        CALL util_admin_fail('Periode input tidak ditemukan');
    END IF;
    DELETE FROM nasn_waktu_input WHERE id = v_id;
    CALL util_admin_done(CONCAT('Periode input ', v_id, ' ditutup'));
END;;

CREATE OR REPLACE PROCEDURE adm_maintenance_start(IN p_selesai DATETIME)
    MODIFIES SQL DATA
BEGIN
    IF p_selesai IS NULL OR p_selesai <= SYSDATE() THEN
        CALL util_admin_fail('Maintenance: waktu selesai harus sesudah sekarang');
    END IF;
    INSERT INTO nasn_maintenance (mulai, selesai) VALUES (SYSDATE(), p_selesai);
    CALL util_admin_done(CONCAT('Maintenance ', LAST_INSERT_ID(), ' mulai sekarang s/d ', p_selesai));
END;;

CREATE OR REPLACE PROCEDURE adm_maintenance_end()
    MODIFIES SQL DATA
BEGIN
    DECLARE v_end DATETIME DEFAULT SYSDATE() - INTERVAL 1 SECOND;
    DECLARE v_jumlah BIGINT;
    -- One that began this very second moves its start back, so it still ends before now.
    UPDATE nasn_maintenance m
    SET m.mulai = LEAST(m.mulai, v_end - INTERVAL 1 SECOND), m.selesai = v_end
    WHERE SYSDATE() BETWEEN m.mulai AND m.selesai;
    SET v_jumlah = ROW_COUNT();
    IF v_jumlah = 0 THEN
        CALL util_admin_fail('Tidak ada maintenance yang sedang berjalan');
    END IF;
    CALL util_admin_done(CONCAT('Maintenance diakhiri (', v_jumlah, ' periode)'));
END;;

CREATE OR REPLACE PROCEDURE adm_schedule_list()
    READS SQL DATA
    SELECT 'input' AS jenis, w.id, w.mulai, w.selesai, SYSDATE() BETWEEN w.mulai AND w.selesai AS berjalan
    FROM nasn_waktu_input w
    UNION ALL
    SELECT 'maintenance', m.id, m.mulai, m.selesai, SYSDATE() BETWEEN m.mulai AND m.selesai
    FROM nasn_maintenance m
    ORDER BY jenis, mulai;;

CREATE OR REPLACE PROCEDURE adm_submission_list(IN p_tahun VARCHAR(255))
    READS SQL DATA
    SELECT p.id, p.periode, p.jenis, p.status, p.keterangan,
           (SELECT COUNT(*) FROM nasn_pengajuan_detail d WHERE d.id_pengajuan = p.id) AS pegawai
    FROM nasn_pengajuan p WHERE LEFT(p.periode, 4) = p_tahun ORDER BY p.periode, p.id;;

CREATE OR REPLACE PROCEDURE util_admin_submission_status(IN p_id VARCHAR(255), IN p_status CHAR(1))
    MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(p_id);
    IF NOT EXISTS (SELECT 1 FROM nasn_pengajuan p WHERE p.id = v_id) THEN
        CALL util_admin_fail('Pengajuan tidak ditemukan');
    END IF;
    UPDATE nasn_pengajuan p SET p.status = p_status WHERE p.id = v_id;
    CALL util_admin_done(CONCAT('Pengajuan ', v_id, IF(p_status = 'F', ' dikunci', ' dibuka kuncinya')));
END;;

CREATE OR REPLACE PROCEDURE adm_submission_lock(IN p_id VARCHAR(255))
    MODIFIES SQL DATA
    CALL util_admin_submission_status(p_id, 'F');;

CREATE OR REPLACE PROCEDURE adm_submission_unlock(IN p_id VARCHAR(255))
    MODIFIES SQL DATA
    CALL util_admin_submission_status(p_id, 'D');;

CREATE OR REPLACE PROCEDURE adm_version_set(IN p_terbaru VARCHAR(255), IN p_minimum VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    IF util_version_key(p_terbaru) = '' OR util_version_key(p_minimum) = '' THEN
        CALL util_admin_fail('Versi harus berupa angka, misalnya 4 atau 4.1');
    END IF;
    IF util_version_key(p_minimum) > util_version_key(p_terbaru) THEN
        CALL util_admin_fail('Versi minimum tidak boleh di atas versi terbaru');
    END IF;
    UPDATE nasn_konfigurasi k SET k.versi_terbaru = p_terbaru, k.versi_minimum = p_minimum WHERE k.id = 1;
    CALL util_admin_done(CONCAT('Versi terbaru ', p_terbaru, ', minimum ', p_minimum));
END;;

CREATE OR REPLACE PROCEDURE adm_announcement_add(IN p_pengumuman VARCHAR(1000))
    MODIFIES SQL DATA
BEGIN
    IF CHAR_LENGTH(TRIM(p_pengumuman)) = 0 THEN
        CALL util_admin_fail('Pengumuman tidak boleh kosong');
    END IF;
    INSERT INTO nasn_informasi (pengumuman) VALUES (p_pengumuman);
    CALL util_admin_done(CONCAT('Pengumuman ', LAST_INSERT_ID(), ' ditambahkan: ', p_pengumuman));
END;;

CREATE OR REPLACE PROCEDURE adm_announcement_remove(IN p_id VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(p_id);
    IF NOT EXISTS (SELECT 1 FROM nasn_informasi i WHERE i.id = v_id) THEN
        CALL util_admin_fail('Pengumuman tidak ditemukan');
    END IF;
    DELETE FROM nasn_informasi WHERE id = v_id;
    CALL util_admin_done(CONCAT('Pengumuman ', v_id, ' dihapus'));
END;;

CREATE OR REPLACE PROCEDURE adm_announcement_list()
    READS SQL DATA
    SELECT i.id, i.dibuat, i.pengumuman FROM nasn_informasi i ORDER BY i.id;;

CREATE OR REPLACE PROCEDURE adm_floor_set(IN p_amount VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    IF NOT util_is_rupiah(p_amount) THEN
        CALL util_admin_fail('Batas bawah harus rupiah utuh, paling banyak 15 digit');
    END IF;
    IF CAST(p_amount AS DECIMAL(15, 0)) > (SELECT k.batas_atas FROM nasn_konfigurasi k WHERE k.id = 1) THEN
        CALL util_admin_fail('Batas bawah tidak boleh di atas batas atas');
    END IF;
    UPDATE nasn_konfigurasi k SET k.batas_bawah = CAST(p_amount AS DECIMAL(15, 0)) WHERE k.id = 1;
    CALL util_admin_done(CONCAT('Batas bawah (UMR) ', util_rupiah(p_amount)));
END;;

CREATE OR REPLACE PROCEDURE adm_ceiling_set(IN p_amount VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    IF NOT util_is_rupiah(p_amount) THEN
        CALL util_admin_fail('Batas atas harus rupiah utuh, paling banyak 15 digit');
    END IF;
    IF CAST(p_amount AS DECIMAL(15, 0)) < (SELECT k.batas_bawah FROM nasn_konfigurasi k WHERE k.id = 1) THEN
        CALL util_admin_fail('Batas atas tidak boleh di bawah batas bawah');
    END IF;
    UPDATE nasn_konfigurasi k SET k.batas_atas = CAST(p_amount AS DECIMAL(15, 0)) WHERE k.id = 1;
    CALL util_admin_done(CONCAT('Batas atas ', util_rupiah(p_amount)));
END;;

-- SHA-256 rounds of every password hash stored from now on; each account's
-- hash is replaced at its next successful login when it was cheaper.
CREATE OR REPLACE PROCEDURE adm_hash_cost_set(IN p_rounds VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    IF NOT util_is_rupiah(p_rounds) OR CAST(p_rounds AS UNSIGNED) NOT BETWEEN 1 AND 10000000 THEN
        CALL util_admin_fail('Biaya hash harus 1 sampai 10000000 putaran');
    END IF;
    UPDATE nasn_konfigurasi k SET k.hash_cost = CAST(p_rounds AS UNSIGNED) WHERE k.id = 1;
    CALL util_admin_done(CONCAT('Biaya hash password ', CAST(p_rounds AS UNSIGNED), ' putaran'));
END;;

CREATE OR REPLACE PROCEDURE adm_lockout_list()
    READS SQL DATA
    SELECT o.nip, COALESCE(c.nama_lengkap, '') AS nama_lengkap, o.host, o.locked_until
    FROM nasn_login_lockout o LEFT JOIN cache_pns c ON c.nip = o.nip
    WHERE o.locked_until > SYSDATE(6)
    ORDER BY o.locked_until;;

CREATE OR REPLACE PROCEDURE util_exec(IN p_sql TEXT)
    MODIFIES SQL DATA
BEGIN
    SET @util_sql = p_sql;
    PREPARE util_statement FROM @util_sql;
    EXECUTE util_statement;
    DEALLOCATE PREPARE util_statement;
    SET @util_sql = NULL;
END;;

-- The application account's grants, to one account ('user'@'host', quoted):
-- EXECUTE on the nasn_ procedures, the import's columns of
-- nasn_pengajuan_detail, and what the officials dataset reads.
CREATE OR REPLACE PROCEDURE util_app_grant(IN p_account VARCHAR(400))
    MODIFIES SQL DATA
BEGIN
    DECLARE v_db VARCHAR(200) DEFAULT CONCAT('`', REPLACE(DATABASE(), '`', '``'), '`');
    FOR r IN (SELECT ROUTINE_NAME AS name FROM information_schema.ROUTINES
              WHERE ROUTINE_SCHEMA = DATABASE() AND ROUTINE_TYPE = 'PROCEDURE'
                AND ROUTINE_NAME LIKE 'nasn\_%') DO
        CALL util_exec(CONCAT('GRANT EXECUTE ON PROCEDURE ', v_db, '.`', r.name, '` TO ', p_account));
    END FOR;
    CALL util_exec(CONCAT('GRANT INSERT (id_pengajuan, nik, nama_lengkap, gapok, gapok_4, gapok_1, ',
                          'remunerasi, insentif) ON ', v_db, '.nasn_pengajuan_detail TO ', p_account));
    CALL util_exec(CONCAT('GRANT SELECT ON ', v_db, '.tpp_pejabat TO ', p_account));
    CALL util_exec(CONCAT('GRANT SELECT ON ', v_db, '.cache_pns TO ', p_account));
END;;

-- Every login of the application account over TCP must use TLS. Not at
-- 'localhost', the socket: it carries no TLS, so the server would refuse
-- every login there.
CREATE OR REPLACE PROCEDURE util_app_require_tls(IN p_account VARCHAR(400), IN p_host VARCHAR(255))
    MODIFIES SQL DATA
    CALL util_exec(CONCAT('ALTER USER ', p_account, IF(p_host = 'localhost', ' REQUIRE NONE', ' REQUIRE SSL')));;

-- The application account at one host or host pattern ('%', '10.20.%'):
-- created if missing, given this password and exactly the grants above.
-- Names reach the statements through QUOTE(), never as raw text.
CREATE OR REPLACE PROCEDURE util_app_account(IN p_user VARCHAR(80), IN p_host VARCHAR(255), IN p_password TEXT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_account VARCHAR(400) DEFAULT CONCAT(QUOTE(p_user), '@', QUOTE(p_host));
    CALL util_exec(CONCAT('CREATE USER IF NOT EXISTS ', v_account, ' IDENTIFIED BY ', QUOTE(p_password)));
    CALL util_exec(CONCAT('ALTER USER ', v_account, ' IDENTIFIED BY ', QUOTE(p_password)));
    CALL util_app_require_tls(v_account, p_host);
    CALL util_app_grant(v_account);
END;;

-- The application account on this server itself.
CREATE OR REPLACE PROCEDURE adm_app_account_grant(IN p_user VARCHAR(80), IN p_password TEXT)
    MODIFIES SQL DATA
BEGIN
    CALL util_app_account(p_user, 'localhost', p_password);
    CALL util_app_account(p_user, '127.0.0.1', p_password);
END;;

-- After an upgrade: every account holding the application's grants on this
-- database gets those of the procedures the new version added. The import's
-- column grant marks such an account. Logs nothing, so an upgrade run again
-- changes nothing.
CREATE OR REPLACE PROCEDURE util_app_regrant()
    MODIFIES SQL DATA
BEGIN
    FOR a IN (SELECT DISTINCT User AS name, Host AS host FROM mysql.columns_priv
              WHERE Db = DATABASE() AND Table_name = 'nasn_pengajuan_detail'
                AND FIND_IN_SET('Insert', Column_priv) > 0) DO
        CALL util_app_require_tls(CONCAT(QUOTE(a.name), '@', QUOTE(a.host)), a.host);
        CALL util_app_grant(CONCAT(QUOTE(a.name), '@', QUOTE(a.host)));
    END FOR;
END;;

DELIMITER ;
