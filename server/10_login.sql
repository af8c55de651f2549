-- Start-up, login, profile, own password, announcements.
DELIMITER ;;

CREATE OR REPLACE PROCEDURE nasn_version_check(IN var_app VARCHAR(255))
    SQL SECURITY DEFINER READS SQL DATA
    SELECT CASE
               WHEN util_version_key(var_app) < util_version_key(k.versi_minimum) THEN 'Up-Wajib'
               WHEN util_version_key(var_app) < util_version_key(k.versi_terbaru) THEN 'Up-GakWajib'
               ELSE 'OK'
           END AS status,
           k.versi_terbaru AS versi
    FROM nasn_konfigurasi k;;

-- One row for an active account whose password matches, none otherwise.
-- Five failures within 15 minutes from one host lock that NIP on that host
-- for 15 minutes; other hosts are not affected. A success opens that NIP's
-- session on this host. The attempt, the session and the log entry commit
-- together before the answer is sent. Every check that is not locked out
-- costs the configured hash cost, whether the NIP has an account or not, and
-- a success replaces a cheaper stored hash.
CREATE OR REPLACE PROCEDURE nasn_login_cek(IN nip VARCHAR(255), IN pass TEXT)
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_nip VARCHAR(64) DEFAULT LEFT(nip, 64);
    DECLARE v_pass TEXT DEFAULT pass;
    DECLARE v_host VARCHAR(255) DEFAULT util_client_host();
    DECLARE v_now DATETIME(6) DEFAULT SYSDATE(6);
    DECLARE v_cost INT UNSIGNED DEFAULT util_hash_cost();
    DECLARE v_new_salt CHAR(32) DEFAULT HEX(RANDOM_BYTES(16));
    DECLARE v_new_hash CHAR(64);
    DECLARE v_salt CHAR(32);
    DECLARE v_hash CHAR(64);
    DECLARE v_stored_cost INT UNSIGNED;
    DECLARE v_hasil VARCHAR(16) DEFAULT 'gagal';
    DECLARE v_gagal INT;
    DECLARE CONTINUE HANDLER FOR NOT FOUND BEGIN END;
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_require_clean_session();

    SELECT u.salt, u.password_hash, u.hash_cost INTO v_salt, v_hash, v_stored_cost
    FROM nasn_user u WHERE u.nip = v_nip AND u.aktif;
    IF EXISTS (SELECT 1 FROM nasn_login_lockout o
               WHERE o.nip = v_nip AND o.host = v_host AND o.locked_until > v_now) THEN
        SET v_hasil = 'terkunci';
    ELSE
        -- Without an account the same work is done against nothing.
        IF util_password_hash(COALESCE(v_salt, v_new_salt), v_pass, COALESCE(v_stored_cost, v_cost)) = v_hash THEN
            SET v_hasil = 'berhasil';
        END IF;
        IF v_stored_cost < v_cost THEN
            SET v_new_hash = util_password_hash(v_new_salt, v_pass, v_cost);
        END IF;
    END IF;

    START TRANSACTION;
    IF v_hasil = 'terkunci' THEN
        CALL util_log(v_nip, 'login', 'Login ditolak: terkunci setelah 5 kali gagal');
    ELSEIF v_hasil = 'berhasil' THEN
        INSERT INTO nasn_login_attempt (nip, host, attempted_at, berhasil) VALUES (v_nip, v_host, v_now, TRUE);
        INSERT INTO nasn_sesi (nip, host, mulai) VALUES (v_nip, v_host, v_now)
        ON DUPLICATE KEY UPDATE mulai = VALUES(mulai);
        IF v_new_hash IS NOT NULL THEN
            UPDATE nasn_user u SET u.salt = v_new_salt, u.password_hash = v_new_hash, u.hash_cost = v_cost
            WHERE u.nip = v_nip;
        END IF;
        CALL util_log(v_nip, 'login', 'Login berhasil');
    ELSE
        INSERT INTO nasn_login_attempt (nip, host, attempted_at, berhasil) VALUES (v_nip, v_host, v_now, FALSE);
        -- A success restarts the count.
        SET v_gagal = (SELECT COUNT(*) FROM nasn_login_attempt a
                       WHERE a.nip = v_nip AND a.host = v_host AND NOT a.berhasil
                         AND a.attempted_at > v_now - INTERVAL 15 MINUTE
                         AND a.attempted_at > COALESCE((SELECT MAX(s.attempted_at) FROM nasn_login_attempt s
                                                        WHERE s.nip = v_nip AND s.host = v_host AND s.berhasil),
                                                       '1000-01-01'));
        IF v_gagal >= 5 THEN
            INSERT INTO nasn_login_lockout (nip, host, locked_until)
            VALUES (v_nip, v_host, v_now + INTERVAL 15 MINUTE)
            ON DUPLICATE KEY UPDATE locked_until = VALUES(locked_until);
            CALL util_log(v_nip, 'login', 'Login gagal ke-5 dalam 15 menit: NIP dikunci 15 menit di komputer ini');
        ELSE
            CALL util_log(v_nip, 'login', 'Login gagal');
        END IF;
    END IF;
    COMMIT;

    SELECT u.nip, u.user_level AS level, l.deskripsi AS levelDescription
    FROM nasn_user u JOIN nasn_level l ON l.user_level = u.user_level
    WHERE u.nip = v_nip AND v_hasil = 'berhasil';
END;;

-- Ends that NIP's session on this host.
CREATE OR REPLACE PROCEDURE nasn_logout(IN var_nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(var_nip, 'logout', 'baca', v_aktor, v_level);
    START TRANSACTION;
    DELETE FROM nasn_sesi WHERE nip = v_aktor AND host = util_client_host();
    CALL util_log(v_aktor, 'logout', 'Logout');
    COMMIT;
END;;

-- The profile of a NIP that has a session on this host; no row otherwise.
CREATE OR REPLACE PROCEDURE nasn_load_profil(IN nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_nip VARCHAR(255) DEFAULT nip;
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'profil', 'baca', v_aktor, v_level);
    SELECT u.nama_lengkap, u.nip FROM nasn_user u WHERE u.nip = v_nip AND util_session_level(v_nip) IS NOT NULL;
END;;

-- Own password change: only within 10 minutes of a login of that NIP from
-- this host (the client confirms the old password with nasn_login_cek first).
CREATE OR REPLACE PROCEDURE nasn_login_update(IN nip VARCHAR(255), IN pass TEXT)
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_pass TEXT DEFAULT pass;
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(nip, 'ubah password', 'baca', v_aktor, v_level);
    IF NOT EXISTS (SELECT 1 FROM nasn_sesi s
                   WHERE s.nip = v_aktor AND s.host = util_client_host()
                     AND s.mulai >= SYSDATE(6) - INTERVAL 10 MINUTE) THEN
        CALL util_refuse(v_aktor, 'ubah password', 'Password lama belum dikonfirmasi dalam 10 menit terakhir');
    END IF;
    START TRANSACTION;
    CALL util_password_store(v_aktor, v_pass);
    CALL util_log(v_aktor, 'ubah password', 'Password sendiri diubah');
    COMMIT;
END;;

CREATE OR REPLACE PROCEDURE nasn_informasi()
    SQL SECURITY DEFINER READS SQL DATA
    SELECT i.pengumuman FROM nasn_informasi i ORDER BY i.id;;

DELIMITER ;
