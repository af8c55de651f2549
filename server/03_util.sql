-- Helpers shared by the procedures. Not granted to the application account.
DELIMITER ;;

-- The client host as the server saw it (skip-name-resolve: an address).
CREATE OR REPLACE FUNCTION util_client_host() RETURNS VARCHAR(255)
    NOT DETERMINISTIC READS SQL DATA
    RETURN SUBSTRING_INDEX(USER(), '@', -1);;

-- A record key sent as text: digits only, otherwise no key at all.
CREATE OR REPLACE FUNCTION util_id(p_text VARCHAR(255)) RETURNS BIGINT UNSIGNED
    DETERMINISTIC NO SQL
    RETURN IF(CHAR_LENGTH(p_text) BETWEEN 1 AND 18 AND p_text NOT REGEXP '[^0-9]',
              CAST(p_text AS UNSIGNED), NULL);;

-- Versions compare as numbers part by part ("10" above "9", "4.10" above "4.9");
-- anything that is not a dotted number sorts below every version.
CREATE OR REPLACE FUNCTION util_version_key(p_versi VARCHAR(255)) RETURNS VARCHAR(64)
    DETERMINISTIC NO SQL
BEGIN
    DECLARE v_rest VARCHAR(255) DEFAULT p_versi;
    DECLARE v_key VARCHAR(64) DEFAULT '';
    DECLARE v_part INT DEFAULT 0;
    IF p_versi IS NULL OR p_versi NOT REGEXP '^[0-9]{1,9}([.][0-9]{1,9}){0,3}\\z' THEN
        RETURN '';
    END IF;
    WHILE v_part < 4 DO
        SET v_key = CONCAT(v_key, LPAD(COALESCE(NULLIF(SUBSTRING_INDEX(v_rest, '.', 1), ''), '0'), 9, '0'));
        SET v_rest = IF(LOCATE('.', v_rest) > 0, SUBSTRING(v_rest, LOCATE('.', v_rest) + 1), '');
        SET v_part = v_part + 1;
    END WHILE;
    RETURN v_key;
END;;

CREATE OR REPLACE FUNCTION util_input_open() RETURNS BOOLEAN
    NOT DETERMINISTIC READS SQL DATA
    RETURN EXISTS (SELECT 1 FROM nasn_waktu_input w WHERE SYSDATE() BETWEEN w.mulai AND w.selesai)
       AND NOT EXISTS (SELECT 1 FROM nasn_maintenance m WHERE SYSDATE() BETWEEN m.mulai AND m.selesai);;

CREATE OR REPLACE FUNCTION util_is_locked(p_id_pengajuan BIGINT UNSIGNED) RETURNS BOOLEAN
    NOT DETERMINISTIC READS SQL DATA
    RETURN EXISTS (SELECT 1 FROM nasn_pengajuan p WHERE p.id = p_id_pengajuan AND p.status = 'F');;

-- Deliberately slow: p_cost further SHA-256 rounds over the previous digest and
-- the password. Cost 0 is the old kind, one SHA-256 of salt then password.
CREATE OR REPLACE FUNCTION util_password_hash(p_salt CHAR(32), p_password TEXT, p_cost INT UNSIGNED) RETURNS CHAR(64)
    DETERMINISTIC NO SQL
BEGIN
    DECLARE v_hash CHAR(64) DEFAULT SHA2(CONCAT(p_salt, p_password), 256);
    DECLARE v_round INT UNSIGNED DEFAULT 0;
    WHILE v_round < p_cost DO
        SET v_hash = SHA2(CONCAT(v_hash, p_password), 256), v_round = v_round + 1;
    END WHILE;
    RETURN v_hash;
END;;

-- The cost every new password hash gets.
CREATE OR REPLACE FUNCTION util_hash_cost() RETURNS INT UNSIGNED
    NOT DETERMINISTIC READS SQL DATA
    RETURN (SELECT k.hash_cost FROM nasn_konfigurasi k WHERE k.id = 1);;

CREATE OR REPLACE PROCEDURE util_log(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64), IN p_keterangan TEXT)
    MODIFIES SQL DATA
    INSERT INTO nasn_log (nip, host, tanggal_aksi, aksi, keterangan)
    VALUES (COALESCE(LEFT(p_nip, 64), ''), util_client_host(), SYSDATE(), p_aksi, LEFT(p_keterangan, 1000));;

-- Records the refusal, then fails the call with the reason.
CREATE OR REPLACE PROCEDURE util_refuse(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64), IN p_alasan VARCHAR(255))
    MODIFIES SQL DATA
BEGIN
    CALL util_log(p_nip, p_aksi, CONCAT('Ditolak: ', p_alasan));
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = p_alasan;
END;;

-- Every client holds the application password, so any session may be hostile.
-- A call that records something runs only in autocommit with no transaction
-- open, so its change and its log entry commit together in its own
-- transaction and no rollback of the client's can take back a login attempt or
-- a refusal; and only with the server's settings wherever a session setting
-- would move a decision, a stored value or a key. Refused without a log entry:
-- inside a client's transaction it could not be kept anyway.
CREATE OR REPLACE PROCEDURE util_require_clean_session()
    CONTAINS SQL
BEGIN
    IF @@in_transaction OR NOT @@autocommit THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Ditolak: transaksi terbuka atau autocommit mati';
    END IF;
    IF @@session.time_zone <> @@global.time_zone THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Ditolak: zona waktu sesi diubah';
    END IF;
    IF NOT (@@check_constraint_checks AND @@foreign_key_checks AND @@unique_checks) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Ditolak: pemeriksaan tabel dimatikan';
    END IF;
    IF @@insert_id <> 0 OR @@session.auto_increment_increment <> @@global.auto_increment_increment
       OR @@session.auto_increment_offset <> @@global.auto_increment_offset THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Ditolak: penomoran otomatis sesi diubah';
    END IF;
    IF @@session.div_precision_increment <> @@global.div_precision_increment
       OR @@session.max_sort_length <> @@global.max_sort_length
       OR @@session.tx_isolation <> @@global.tx_isolation
       OR @@session.max_statement_time <> @@global.max_statement_time THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Ditolak: pengaturan sesi diubah';
    END IF;
END;;

-- The level of p_nip when that active account logged in from this client host
-- within the last 12 hours and has not logged out; NULL otherwise.
CREATE OR REPLACE FUNCTION util_session_level(p_nip VARCHAR(255)) RETURNS VARCHAR(32)
    NOT DETERMINISTIC READS SQL DATA
    RETURN (SELECT u.user_level FROM nasn_sesi s JOIN nasn_user u ON u.nip = s.nip AND u.aktif
            WHERE s.nip = p_nip AND s.host = util_client_host() AND s.mulai >= SYSDATE(6) - INTERVAL 12 HOUR);;

-- Whoever logged in last from this client host, for calls that carry no NIP.
CREATE OR REPLACE FUNCTION util_host_nip() RETURNS VARCHAR(18)
    NOT DETERMINISTIC READS SQL DATA
    RETURN (SELECT s.nip FROM nasn_sesi s JOIN nasn_user u ON u.nip = s.nip AND u.aktif
            WHERE s.host = util_client_host() AND s.mulai >= SYSDATE(6) - INTERVAL 12 HOUR
            ORDER BY s.mulai DESC LIMIT 1);;

-- The entry of every procedure but the version check, the announcements and
-- the login. The shared account means a NIP in a call is only a claim: it
-- counts when that NIP has a session on this host (util_session_level); a
-- procedure that carries none (p_nip NULL) acts as the host's latest login. p_perlu: 'baca' any
-- level, 'ubah' a level that may change data, 'admin' the Administrator.
-- Answers the acting NIP and its level.
CREATE OR REPLACE PROCEDURE util_enter(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64), IN p_perlu VARCHAR(8),
                            OUT p_aktor VARCHAR(18), OUT p_level VARCHAR(32))
    MODIFIES SQL DATA
BEGIN
    CALL util_require_clean_session();
    IF p_nip IS NULL THEN
        SET p_aktor = util_host_nip();
        IF p_aktor IS NULL THEN
            CALL util_refuse('', p_aksi, 'Belum ada yang login dari komputer ini');
        END IF;
    ELSEIF CHAR_LENGTH(p_nip) <= 18 THEN
        SET p_aktor = p_nip;
    END IF;
    SET p_level = util_session_level(p_aktor);
    IF p_level IS NULL THEN
        CALL util_refuse(p_nip, p_aksi, 'NIP pemroses belum login dari komputer ini');
    END IF;
    IF p_perlu = 'ubah' AND NOT (SELECT l.boleh_ubah FROM nasn_level l WHERE l.user_level = p_level) THEN
        CALL util_refuse(p_aktor, p_aksi, 'Level user hanya boleh melihat data');
    END IF;
    IF p_perlu = 'admin' AND p_level <> 'Administrator' THEN
        CALL util_refuse(p_aktor, p_aksi, 'Hanya Administrator yang boleh mengelola user');
    END IF;
END;;

-- The log entry of a call that carries no NIP: the acting NIP came from the
-- host's latest login, and the remark says so.
CREATE OR REPLACE PROCEDURE util_log_login(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64), IN p_keterangan TEXT)
    MODIFIES SQL DATA
    CALL util_log(p_nip, p_aksi, CONCAT(p_keterangan, ' (NIP dari login terakhir di komputer ini)'));;

CREATE OR REPLACE PROCEDURE util_require_input_open(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64))
    READS SQL DATA
BEGIN
    IF NOT util_input_open() THEN
        CALL util_refuse(p_nip, p_aksi, 'Di luar jadwal input atau sedang maintenance');
    END IF;
END;;

-- An existing submission that is not locked.
CREATE OR REPLACE PROCEDURE util_require_open_submission(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64),
                                              IN p_id_pengajuan BIGINT UNSIGNED)
    READS SQL DATA
BEGIN
    IF NOT EXISTS (SELECT 1 FROM nasn_pengajuan p WHERE p.id = p_id_pengajuan) THEN
        CALL util_refuse(p_nip, p_aksi, 'Pengajuan tidak ditemukan');
    END IF;
    IF util_is_locked(p_id_pengajuan) THEN
        CALL util_refuse(p_nip, p_aksi, 'Pengajuan dikunci oleh Administrator');
    END IF;
END;;

-- Stores an active account with a fresh salt; its name comes from cache_pns.
CREATE OR REPLACE PROCEDURE util_account_store(IN p_nip VARCHAR(255), IN p_level VARCHAR(255), IN p_password TEXT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_salt CHAR(32) DEFAULT HEX(RANDOM_BYTES(16));
    DECLARE v_nama VARCHAR(128) DEFAULT (SELECT c.nama_lengkap FROM cache_pns c WHERE c.nip = p_nip);
    DECLARE v_cost INT UNSIGNED DEFAULT util_hash_cost();
    IF v_nama IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'NIP tidak ada di data pegawai (cache_pns)';
    END IF;
    IF NOT EXISTS (SELECT 1 FROM nasn_level l WHERE l.user_level = p_level) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Level user tidak dikenal';
    END IF;
    INSERT INTO nasn_user (nip, nama_lengkap, user_level, salt, password_hash, hash_cost, aktif, register_date)
    VALUES (p_nip, v_nama, p_level, v_salt, util_password_hash(v_salt, p_password, v_cost), v_cost, TRUE, SYSDATE())
    ON DUPLICATE KEY UPDATE nama_lengkap = VALUES(nama_lengkap), user_level = VALUES(user_level),
                            salt = VALUES(salt), password_hash = VALUES(password_hash),
                            hash_cost = VALUES(hash_cost), aktif = TRUE;
END;;

CREATE OR REPLACE PROCEDURE util_password_store(IN p_nip VARCHAR(255), IN p_password TEXT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_salt CHAR(32) DEFAULT HEX(RANDOM_BYTES(16));
    DECLARE v_cost INT UNSIGNED DEFAULT util_hash_cost();
    UPDATE nasn_user u
    SET u.salt = v_salt, u.password_hash = util_password_hash(v_salt, p_password, v_cost), u.hash_cost = v_cost
    WHERE u.nip = p_nip;
END;;

DELIMITER ;
