-- Back to one SHA-256 per password and a guard memory per submission; the
-- routines of the earlier release are loaded again by its own upgrade.
DELETE FROM nasn_pengajuan_buka WHERE koneksi <> 0;
INSERT IGNORE INTO nasn_pengajuan_buka (id_pengajuan) SELECT id FROM nasn_pengajuan;
ALTER TABLE nasn_pengajuan_buka DROP PRIMARY KEY, ADD PRIMARY KEY (id_pengajuan), DROP COLUMN koneksi;
DROP TABLE nasn_sesi;
ALTER TABLE nasn_user
    DROP COLUMN hash_cost,
    MODIFY password_hash CHAR(64) NOT NULL COMMENT 'SHA-256 of salt then password';
ALTER TABLE nasn_konfigurasi DROP COLUMN hash_cost;
