-- Tables of the contribution records. Loaded into whichever database the
-- loader selected; nothing here names a database.

-- One row: the hospital's unit, the contribution floor and ceiling, versions.
CREATE TABLE nasn_konfigurasi (
    id TINYINT UNSIGNED PRIMARY KEY,
    unit_id VARCHAR(16) NOT NULL,
    batas_bawah DECIMAL(15, 0) NOT NULL COMMENT 'floor F: the regional minimum wage',
    batas_atas DECIMAL(15, 0) NOT NULL COMMENT 'ceiling C',
    versi_terbaru VARCHAR(32) NOT NULL,
    versi_minimum VARCHAR(32) NOT NULL,
    hash_cost INT UNSIGNED NOT NULL DEFAULT 50000 COMMENT 'SHA-256 rounds of a new password hash',
    CONSTRAINT satu_baris CHECK (id = 1),
    CONSTRAINT batas_urut CHECK (batas_bawah >= 0 AND batas_bawah <= batas_atas)
) ENGINE = InnoDB;

CREATE TABLE nasn_unit (
    unit_id VARCHAR(16) PRIMARY KEY,
    nama_unit VARCHAR(255) NOT NULL
) ENGINE = InnoDB;

-- Staff register: names and ranks by NIP, read by the officials dataset.
CREATE TABLE cache_pns (
    nip VARCHAR(18) PRIMARY KEY,
    nama_lengkap VARCHAR(128) NOT NULL,
    pangkat VARCHAR(128) NOT NULL DEFAULT ''
) ENGINE = InnoDB;

CREATE TABLE nasn_level (
    user_level VARCHAR(32) PRIMARY KEY,
    deskripsi VARCHAR(128) NOT NULL,
    boleh_ubah BOOLEAN NOT NULL
) ENGINE = InnoDB;

CREATE TABLE nasn_user (
    id INT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    nip VARCHAR(18) NOT NULL UNIQUE,
    nama_lengkap VARCHAR(128) NOT NULL,
    user_level VARCHAR(32) NOT NULL,
    salt CHAR(32) NOT NULL,
    password_hash CHAR(64) NOT NULL COMMENT 'util_password_hash(salt, password, hash_cost)',
    hash_cost INT UNSIGNED NOT NULL DEFAULT 0 COMMENT '0: one SHA-256 of salt then password (the old kind)',
    aktif BOOLEAN NOT NULL DEFAULT TRUE,
    register_date DATETIME NOT NULL DEFAULT CURRENT_TIMESTAMP,
    FOREIGN KEY (user_level) REFERENCES nasn_level (user_level)
) ENGINE = InnoDB;

-- Every password check, kept to decide who is acting and who is locked out.
CREATE TABLE nasn_login_attempt (
    id BIGINT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    nip VARCHAR(64) NOT NULL,
    host VARCHAR(255) NOT NULL,
    attempted_at DATETIME(6) NOT NULL,
    berhasil BOOLEAN NOT NULL,
    KEY by_account (nip, host, berhasil, attempted_at)
) ENGINE = InnoDB;

-- Who is acting: the last successful login of a NIP from a client host, until
-- it logs out or the session window passes.
CREATE TABLE nasn_sesi (
    nip VARCHAR(18) NOT NULL,
    host VARCHAR(255) NOT NULL,
    mulai DATETIME(6) NOT NULL,
    PRIMARY KEY (nip, host),
    KEY by_host (host, mulai)
) ENGINE = InnoDB;

CREATE TABLE nasn_login_lockout (
    nip VARCHAR(64) NOT NULL,
    host VARCHAR(255) NOT NULL,
    locked_until DATETIME(6) NOT NULL,
    PRIMARY KEY (nip, host)
) ENGINE = InnoDB;

CREATE TABLE nasn_log (
    id BIGINT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    nip VARCHAR(64) NOT NULL DEFAULT '',
    host VARCHAR(255) NOT NULL,
    tanggal_aksi DATETIME NOT NULL,
    aksi VARCHAR(64) NOT NULL,
    keterangan VARCHAR(1000) NOT NULL,
    KEY by_time (tanggal_aksi)
) ENGINE = InnoDB;

CREATE TABLE nasn_informasi (
    id INT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    pengumuman VARCHAR(1000) NOT NULL,
    dibuat DATETIME NOT NULL DEFAULT CURRENT_TIMESTAMP
) ENGINE = InnoDB;

-- Periods in which submissions may be entered and processed.
CREATE TABLE nasn_waktu_input (
    id INT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    mulai DATETIME NOT NULL,
    selesai DATETIME NOT NULL,
    CONSTRAINT input_urut CHECK (mulai < selesai)
) ENGINE = InnoDB;

CREATE TABLE nasn_maintenance (
    id INT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    mulai DATETIME NOT NULL,
    selesai DATETIME NOT NULL,
    CONSTRAINT maintenance_urut CHECK (mulai < selesai)
) ENGINE = InnoDB;

-- status 'D' open for changes, 'F' locked by an administrator.
CREATE TABLE nasn_pengajuan (
    id INT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    periode VARCHAR(16) NOT NULL,
    unit_id VARCHAR(16) NOT NULL,
    nomor VARCHAR(64) NOT NULL,
    tanggal_pengajuan DATE NOT NULL,
    keterangan VARCHAR(500) NOT NULL,
    jenis VARCHAR(8) NOT NULL,
    status CHAR(1) NOT NULL DEFAULT 'D',
    dibuat DATETIME NOT NULL DEFAULT CURRENT_TIMESTAMP,
    KEY by_type_period (jenis, periode),
    CONSTRAINT status_dikenal CHECK (status IN ('D', 'F'))
) ENGINE = InnoDB;

-- The import guard's memory, one row per submission and importing connection:
-- the second (SYSDATE()) in which that connection's import into it was last
-- found allowed and logged, so the rest of an import in that second costs one
-- lookup per row. It is written in the import's own transaction: a rollback
-- takes it away with the rows and the log entry. Any change of the submission
-- or of the schedule clears it and raises versi (triggers; a TRUNCATE fires
-- none and is forgotten within the second); the guard stores a verdict only
-- while versi is still the one it read, so a change committed meanwhile is
-- never covered up. Rows of koneksi 0 are from before connections had rows.
CREATE TABLE nasn_pengajuan_buka (
    id_pengajuan INT UNSIGNED NOT NULL,
    koneksi BIGINT UNSIGNED NOT NULL DEFAULT 0 COMMENT 'CONNECTION_ID() of the importing connection',
    versi BIGINT UNSIGNED NOT NULL DEFAULT 0,
    buka_pada DATETIME NULL,
    PRIMARY KEY (id_pengajuan, koneksi),
    FOREIGN KEY (id_pengajuan) REFERENCES nasn_pengajuan (id) ON DELETE CASCADE ON UPDATE CASCADE
) ENGINE = InnoDB;

-- The import writes these text columns directly with insert ignore. They are
-- wider than any valid value and the checks bound the length, so a value the
-- server would have to truncate or convert is refused (and skipped) instead.
CREATE TABLE nasn_pengajuan_detail (
    id BIGINT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    id_pengajuan INT UNSIGNED NOT NULL,
    nik VARCHAR(64) NOT NULL,
    nama_lengkap VARCHAR(128) NOT NULL,
    gapok VARCHAR(64) NOT NULL,
    gapok_4 VARCHAR(64) NOT NULL,
    gapok_1 VARCHAR(64) NOT NULL,
    remunerasi VARCHAR(64) NOT NULL,
    insentif VARCHAR(64) NOT NULL,
    nip_operator VARCHAR(18) NULL COMMENT 'NULL for rows that came by the import',
    diubah DATETIME NOT NULL DEFAULT CURRENT_TIMESTAMP ON UPDATE CURRENT_TIMESTAMP,
    UNIQUE KEY nik_sekali (id_pengajuan, nik),
    KEY by_name (id_pengajuan, nama_lengkap),
    FOREIGN KEY (id_pengajuan) REFERENCES nasn_pengajuan (id),
    CONSTRAINT nik_16_digit CHECK (CHAR_LENGTH(nik) = 16 AND nik NOT REGEXP '[^0-9]'),
    CONSTRAINT nama_terisi CHECK (CHAR_LENGTH(TRIM(nama_lengkap)) BETWEEN 1 AND 100),
    CONSTRAINT gapok_rupiah CHECK (CHAR_LENGTH(gapok) BETWEEN 1 AND 15 AND gapok NOT REGEXP '[^0-9]'),
    CONSTRAINT gapok_4_rupiah CHECK (CHAR_LENGTH(gapok_4) BETWEEN 1 AND 15 AND gapok_4 NOT REGEXP '[^0-9]'),
    CONSTRAINT gapok_1_rupiah CHECK (CHAR_LENGTH(gapok_1) BETWEEN 1 AND 15 AND gapok_1 NOT REGEXP '[^0-9]'),
    CONSTRAINT remunerasi_rupiah CHECK (CHAR_LENGTH(remunerasi) BETWEEN 1 AND 15 AND remunerasi NOT REGEXP '[^0-9]'),
    CONSTRAINT insentif_rupiah CHECK (CHAR_LENGTH(insentif) BETWEEN 1 AND 15 AND insentif NOT REGEXP '[^0-9]')
) ENGINE = InnoDB;

-- One processing run; its rows in nasn_process_history carry its id.
CREATE TABLE nasn_process_run (
    id BIGINT UNSIGNED AUTO_INCREMENT PRIMARY KEY,
    id_pengajuan INT UNSIGNED NOT NULL,
    nip VARCHAR(18) NOT NULL,
    host VARCHAR(255) NOT NULL,
    tanggal_proses DATETIME NOT NULL,
    KEY by_submission (id_pengajuan)
) ENGINE = InnoDB;

CREATE TABLE nasn_process_history (
    run_id BIGINT UNSIGNED NOT NULL,
    idx INT UNSIGNED NOT NULL,
    id_pengajuan INT UNSIGNED NOT NULL,
    id BIGINT UNSIGNED NOT NULL,
    periode VARCHAR(16) NOT NULL,
    nik VARCHAR(16) NOT NULL,
    nama_lengkap VARCHAR(128) NOT NULL,
    gapok DECIMAL(15, 0) NOT NULL,
    gapok_1 DECIMAL(15, 0) NOT NULL,
    gapok_4 DECIMAL(15, 0) NOT NULL,
    remunerasi DECIMAL(15, 0) NOT NULL,
    insentif DECIMAL(15, 0) NOT NULL,
    gapok_bpjs DECIMAL(15, 0) NOT NULL,
    induk_id VARCHAR(16) NOT NULL,
    thp DECIMAL(17, 0) NOT NULL,
    dpi_bruto DECIMAL(15, 0) NOT NULL,
    bruto_1 DECIMAL(15, 0) NOT NULL,
    bruto_4 DECIMAL(15, 0) NOT NULL,
    netto_1 DECIMAL(15, 0) NOT NULL,
    netto_4 DECIMAL(15, 0) NOT NULL,
    remunerasi_1 DECIMAL(15, 0) NOT NULL,
    remunerasi_4 DECIMAL(15, 0) NOT NULL,
    insentif_1 DECIMAL(15, 0) NOT NULL,
    insentif_4 DECIMAL(15, 0) NOT NULL,
    periode_label VARCHAR(32) NOT NULL,
    direktur VARCHAR(128) NOT NULL,
    bendahara VARCHAR(128) NOT NULL,
    tanggal_proses DATETIME NOT NULL,
    PRIMARY KEY (run_id, idx),
    FOREIGN KEY (run_id) REFERENCES nasn_process_run (id)
) ENGINE = InnoDB;

-- What a run's documents print beside its rows: the period label and the two
-- officials as they stood when it ran, so any run prints again as it was.
CREATE TABLE nasn_process_run_variabel (
    run_id BIGINT UNSIGNED PRIMARY KEY,
    periode_label VARCHAR(32) NOT NULL,
    pa_nama VARCHAR(128) NOT NULL,
    pa_nip VARCHAR(64) NOT NULL,
    pa_pangkat VARCHAR(128) NOT NULL,
    bp_nama VARCHAR(128) NOT NULL,
    bp_nip VARCHAR(64) NOT NULL,
    bp_pangkat VARCHAR(128) NOT NULL,
    FOREIGN KEY (run_id) REFERENCES nasn_process_run (id)
) ENGINE = InnoDB;

-- The signing officials of a unit: budget user (pa) and treasurer (bp).
CREATE TABLE tpp_pejabat (
    induk_id VARCHAR(16) PRIMARY KEY,
    pa VARCHAR(64) NOT NULL,
    bp VARCHAR(64) NOT NULL
) ENGINE = InnoDB;
