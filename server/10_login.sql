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
-- for 15 minutes; other hosts are not affected.
CREATE OR REPLACE PROCEDURE nasn_login_cek(IN nip VARCHAR(255), IN pass TEXT)
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_nip VARCHAR(64) DEFAULT LEFT(nip, 64);
    DECLARE v_pass TEXT DEFAULT pass;
    DECLARE v_host VARCHAR(255) DEFAULT util_client_host();
    DECLARE v_now DATETIME(6) DEFAULT SYSDATE(6);
    DECLARE v_hasil VARCHAR(16) DEFAULT 'gagal';
    DECLARE v_gagal INT;

    IF EXISTS (SELECT 1 FROM nasn_login_lockout o
               WHERE o.nip = v_nip AND o.host = v_host AND o.locked_until > v_now) THEN
        SET v_hasil = 'terkunci';
        CALL util_log(v_nip, 'login', 'Login ditolak: terkunci setelah 5 kali gagal');
    ELSEIF EXISTS (SELECT 1 FROM nasn_user u
                   WHERE u.nip = v_nip AND u.aktif
                     AND u.password_hash = util_password_hash(u.salt, v_pass)) THEN
        SET v_hasil = 'berhasil';
        INSERT INTO nasn_login_attempt (nip, host, attempted_at, berhasil) VALUES (v_nip, v_host, v_now, TRUE);
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

    SELECT u.nip, u.user_level AS level, l.deskripsi AS levelDescription
    FROM nasn_user u JOIN nasn_level l ON l.user_level = u.user_level
    WHERE u.nip = v_nip AND v_hasil = 'berhasil';
END;;

CREATE OR REPLACE PROCEDURE nasn_load_profil(IN nip VARCHAR(255))
    SQL SECURITY DEFINER READS SQL DATA
BEGIN
    DECLARE v_nip VARCHAR(255) DEFAULT nip;
    SELECT u.nama_lengkap, u.nip FROM nasn_user u WHERE u.nip = v_nip AND u.aktif;
END;;

-- Own password change: only shortly after the old password was confirmed
-- with nasn_login_cek from the same host.
CREATE OR REPLACE PROCEDURE nasn_login_update(IN nip VARCHAR(255), IN pass TEXT)
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_nip VARCHAR(255) DEFAULT nip;
    DECLARE v_pass TEXT DEFAULT pass;
    IF NOT EXISTS (SELECT 1 FROM nasn_user u
                   JOIN nasn_login_attempt a ON a.nip = u.nip AND a.berhasil
                   WHERE u.nip = v_nip AND u.aktif AND a.host = util_client_host()
                     AND a.attempted_at >= SYSDATE(6) - INTERVAL 10 MINUTE) THEN
        CALL util_refuse(v_nip, 'ubah password', 'Password lama belum dikonfirmasi dalam 10 menit terakhir');
    END IF;
    CALL util_password_store(v_nip, v_pass);
    CALL util_log(v_nip, 'ubah password', 'Password sendiri diubah');
END;;

CREATE OR REPLACE PROCEDURE nasn_informasi()
    SQL SECURITY DEFINER READS SQL DATA
    SELECT i.pengumuman FROM nasn_informasi i ORDER BY i.id;;

DELIMITER ;
