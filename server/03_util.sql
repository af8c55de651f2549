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

CREATE OR REPLACE FUNCTION util_password_hash(p_salt CHAR(32), p_password TEXT) RETURNS CHAR(64)
    DETERMINISTIC NO SQL
    RETURN SHA2(CONCAT(p_salt, p_password), 256);;

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

-- The shared account means a NIP in a call is only a claim: it counts when
-- that account logged in from this client host within the last 12 hours.
-- p_perlu: 'baca' any level, 'ubah' a level that may change data,
-- 'admin' the Administrator level. Answers the actor's level.
CREATE OR REPLACE PROCEDURE util_require_actor(IN p_nip VARCHAR(255), IN p_aksi VARCHAR(64),
                                    IN p_perlu VARCHAR(8), OUT p_level VARCHAR(32))
    READS SQL DATA
BEGIN
    DECLARE v_boleh_ubah BOOLEAN;
    SET p_level = (SELECT u.user_level FROM nasn_user u
                   WHERE u.nip = p_nip AND u.aktif
                     AND EXISTS (SELECT 1 FROM nasn_login_attempt a
                                 WHERE a.nip = u.nip AND a.host = util_client_host() AND a.berhasil
                                   AND a.attempted_at >= SYSDATE(6) - INTERVAL 12 HOUR));
    IF p_level IS NULL THEN
        CALL util_refuse(p_nip, p_aksi, 'NIP pemroses belum login dari komputer ini');
    END IF;
    SET v_boleh_ubah = (SELECT l.boleh_ubah FROM nasn_level l WHERE l.user_level = p_level);
    IF p_perlu = 'ubah' AND NOT v_boleh_ubah THEN
        CALL util_refuse(p_nip, p_aksi, 'Level user hanya boleh melihat data');
    END IF;
    IF p_perlu = 'admin' AND p_level <> 'Administrator' THEN
        CALL util_refuse(p_nip, p_aksi, 'Hanya Administrator yang boleh mengelola user');
    END IF;
END;;

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
    IF v_nama IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'NIP tidak ada di data pegawai (cache_pns)';
    END IF;
    IF NOT EXISTS (SELECT 1 FROM nasn_level l WHERE l.user_level = p_level) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Level user tidak dikenal';
    END IF;
    INSERT INTO nasn_user (nip, nama_lengkap, user_level, salt, password_hash, aktif, register_date)
    VALUES (p_nip, v_nama, p_level, v_salt, util_password_hash(v_salt, p_password), TRUE, SYSDATE())
    ON DUPLICATE KEY UPDATE nama_lengkap = VALUES(nama_lengkap), user_level = VALUES(user_level),
                            salt = VALUES(salt), password_hash = VALUES(password_hash), aktif = TRUE;
END;;

CREATE OR REPLACE PROCEDURE util_password_store(IN p_nip VARCHAR(255), IN p_password TEXT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_salt CHAR(32) DEFAULT HEX(RANDOM_BYTES(16));
    UPDATE nasn_user u SET u.salt = v_salt, u.password_hash = util_password_hash(v_salt, p_password)
    WHERE u.nip = p_nip;
END;;

DELIMITER ;
