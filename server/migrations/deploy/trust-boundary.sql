-- Sessions, slow password hashes and the import guard's memory per connection.
-- Existing hashes keep cost 0 (the old kind) until each account's next
-- successful login replaces them; the guard's memory is a cache and starts empty.
ALTER TABLE nasn_konfigurasi
    ADD COLUMN hash_cost INT UNSIGNED NOT NULL DEFAULT 50000 COMMENT 'SHA-256 rounds of a new password hash';

ALTER TABLE nasn_user
    MODIFY password_hash CHAR(64) NOT NULL COMMENT 'util_password_hash(salt, password, hash_cost)',
    ADD COLUMN hash_cost INT UNSIGNED NOT NULL DEFAULT 0
        COMMENT '0: one SHA-256 of salt then password (the old kind)' AFTER password_hash;

CREATE TABLE nasn_sesi (
    nip VARCHAR(18) NOT NULL,
    host VARCHAR(255) NOT NULL,
    mulai DATETIME(6) NOT NULL,
    PRIMARY KEY (nip, host),
    KEY by_host (host, mulai)
) ENGINE = InnoDB;

DROP TRIGGER IF EXISTS nasn_pengajuan_after_insert;
DROP PROCEDURE IF EXISTS util_guard_new_row;
DROP PROCEDURE IF EXISTS util_require_actor;
DROP TABLE nasn_pengajuan_buka;
CREATE TABLE nasn_pengajuan_buka (
    id_pengajuan INT UNSIGNED NOT NULL,
    koneksi BIGINT UNSIGNED NOT NULL,
    detik BIGINT NOT NULL,
    PRIMARY KEY (id_pengajuan, koneksi),
    FOREIGN KEY (id_pengajuan) REFERENCES nasn_pengajuan (id) ON DELETE CASCADE ON UPDATE CASCADE
) ENGINE = InnoDB;
