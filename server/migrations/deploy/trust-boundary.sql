-- Sessions, slow password hashes and the import guard's memory per connection.
-- Existing hashes keep cost 0 (the old kind) until each account's next
-- successful login replaces them.
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

-- The import guard remembers per connection; earlier rows keep koneksi 0,
-- which no connection has. A submission no longer needs a row of its own.
ALTER TABLE nasn_pengajuan_buka
    ADD COLUMN koneksi BIGINT UNSIGNED NOT NULL DEFAULT 0
        COMMENT 'CONNECTION_ID() of the importing connection' AFTER id_pengajuan,
    DROP PRIMARY KEY,
    ADD PRIMARY KEY (id_pengajuan, koneksi);
DROP TRIGGER IF EXISTS nasn_pengajuan_after_insert;
DROP TRIGGER IF EXISTS nasn_pengajuan_detail_after_insert;
DROP PROCEDURE IF EXISTS util_guard_new_row;
DROP PROCEDURE IF EXISTS util_require_actor;
