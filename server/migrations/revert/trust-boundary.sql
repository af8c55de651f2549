-- Back to one SHA-256 per password and a guard memory per submission; the
-- routines of the earlier release are loaded again by its own upgrade.
DROP TABLE nasn_pengajuan_buka;
CREATE TABLE nasn_pengajuan_buka (
    id_pengajuan INT UNSIGNED PRIMARY KEY,
    versi BIGINT UNSIGNED NOT NULL DEFAULT 0,
    buka_pada DATETIME NULL,
    FOREIGN KEY (id_pengajuan) REFERENCES nasn_pengajuan (id) ON DELETE CASCADE ON UPDATE CASCADE
) ENGINE = InnoDB;
INSERT INTO nasn_pengajuan_buka (id_pengajuan) SELECT id FROM nasn_pengajuan;
DROP TABLE nasn_sesi;
ALTER TABLE nasn_user
    DROP COLUMN hash_cost,
    MODIFY password_hash CHAR(64) NOT NULL COMMENT 'SHA-256 of salt then password';
ALTER TABLE nasn_konfigurasi DROP COLUMN hash_cost;
