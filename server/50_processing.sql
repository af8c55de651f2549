-- Processing: one history row per recipient, computed in one statement.
DELIMITER ;;

CREATE FUNCTION util_periode_label(p_periode VARCHAR(16)) RETURNS VARCHAR(32)
    DETERMINISTIC NO SQL
    RETURN IF(SUBSTRING(p_periode, 5, 2) IN ('01', '02', '03', '04', '05', '06', '07', '08', '09', '10', '11', '12'),
              CONCAT(ELT(CAST(SUBSTRING(p_periode, 5, 2) AS UNSIGNED), 'Januari', 'Februari', 'Maret', 'April',
                         'Mei', 'Juni', 'Juli', 'Agustus', 'September', 'Oktober', 'November', 'Desember'),
                     ' ', LEFT(p_periode, 4)),
              '');;

-- Units before 2022 carried the UPT prefix.
CREATE FUNCTION util_nama_unit(p_periode VARCHAR(16)) RETURNS VARCHAR(64)
    DETERMINISTIC NO SQL
    RETURN IF(CAST(LEFT(p_periode, 4) AS UNSIGNED) < 2022,
              'UPT Rumah Sakit Umum Daerah pada Dinas Kesehatan',
              'Rumah Sakit Umum Daerah pada Dinas Kesehatan');;

-- Whole rupiah of a / b, halves up (a, b >= 0), exact in DECIMAL.
CREATE FUNCTION util_share(p_a DECIMAL(32, 0), p_b DECIMAL(32, 0)) RETURNS DECIMAL(32, 0)
    DETERMINISTIC NO SQL
    RETURN IF(p_b = 0, 0, (2 * p_a + p_b) DIV (2 * p_b));;

-- The other part of p_total, so the two parts add up to it; both parts are 0
-- when there is nothing to share by (remuneration and incentive both 0).
CREATE FUNCTION util_rest(p_total DECIMAL(32, 0), p_a DECIMAL(32, 0), p_b DECIMAL(32, 0)) RETURNS DECIMAL(32, 0)
    DETERMINISTIC NO SQL
    RETURN IF(p_b = 0, 0, p_total - util_share(p_a, p_b));;

-- Returns exactly this run's rows, so two operators processing at once each
-- get their own. Outside the input window and for a locked submission only
-- an Administrator may process.
CREATE PROCEDURE nasn_proses(IN var_id VARCHAR(255), IN var_nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_nip VARCHAR(255) DEFAULT var_nip;
    DECLARE v_level VARCHAR(32);
    DECLARE v_run BIGINT UNSIGNED;
    DECLARE v_waktu DATETIME DEFAULT NOW();
    DECLARE v_baris BIGINT;
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_require_actor(v_nip, 'proses', 'ubah', v_level);
    IF NOT EXISTS (SELECT 1 FROM nasn_pengajuan p WHERE p.id = v_id) THEN
        CALL util_refuse(v_nip, 'proses', 'Pengajuan tidak ditemukan');
    END IF;
    IF v_level <> 'Administrator' THEN
        CALL util_require_input_open(v_nip, 'proses');
        CALL util_require_open_submission(v_nip, 'proses', v_id);
    END IF;

    START TRANSACTION;
    INSERT INTO nasn_process_run (id_pengajuan, nip, host, tanggal_proses)
    VALUES (v_id, v_nip, util_client_host(), v_waktu);
    SET v_run = LAST_INSERT_ID();

    INSERT INTO nasn_process_history
        (run_id, idx, id_pengajuan, id, periode, nik, nama_lengkap, gapok, gapok_1, gapok_4, remunerasi, insentif,
         gapok_bpjs, induk_id, thp, dpi_bruto, bruto_1, bruto_4, netto_1, netto_4, remunerasi_1, remunerasi_4,
         insentif_1, insentif_4, periode_label, direktur, bendahara, tanggal_proses)
    SELECT v_run, ROW_NUMBER() OVER (ORDER BY n.nama_lengkap, n.nik), n.id_pengajuan, n.id, n.periode, n.nik,
           n.nama_lengkap, n.gapok, n.gapok_1, n.gapok_4, n.remunerasi, n.insentif,
           n.gapok_bpjs, n.induk_id, n.thp, n.dpi_bruto, n.bruto_1, n.bruto_4, n.netto_1, n.netto_4,
           util_share(n.netto_1 * n.remunerasi, n.remunerasi + n.insentif),
           util_share(n.netto_4 * n.remunerasi, n.remunerasi + n.insentif),
           util_rest(n.netto_1, n.netto_1 * n.remunerasi, n.remunerasi + n.insentif),
           util_rest(n.netto_4, n.netto_4 * n.remunerasi, n.remunerasi + n.insentif),
           n.periode_label, n.direktur, n.bendahara, v_waktu
    FROM (SELECT b.*, GREATEST(b.bruto_1 - b.gapok_1, 0) AS netto_1, GREATEST(b.bruto_4 - b.gapok_4, 0) AS netto_4
          FROM (SELECT a.*, ROUND(a.dpi_bruto * 0.01, 0) AS bruto_1, ROUND(a.dpi_bruto * 0.04, 0) AS bruto_4
                FROM (SELECT v.*, LEAST(GREATEST(v.gapok, k.batas_bawah), k.batas_atas) AS gapok_bpjs,
                             v.gapok + v.remunerasi + v.insentif AS thp,
                             LEAST(GREATEST(v.gapok + v.remunerasi + v.insentif, k.batas_bawah), k.batas_atas)
                                 AS dpi_bruto
                      FROM (SELECT d.id, d.id_pengajuan, p.periode, d.nik, d.nama_lengkap, p.unit_id AS induk_id,
                                   CAST(d.gapok AS DECIMAL(15, 0)) AS gapok,
                                   CAST(d.gapok_1 AS DECIMAL(15, 0)) AS gapok_1,
                                   CAST(d.gapok_4 AS DECIMAL(15, 0)) AS gapok_4,
                                   CAST(d.remunerasi AS DECIMAL(15, 0)) AS remunerasi,
                                   CAST(d.insentif AS DECIMAL(15, 0)) AS insentif,
                                   util_periode_label(p.periode) AS periode_label,
                                   COALESCE(pa.nama_lengkap, '') AS direktur,
                                   COALESCE(bp.nama_lengkap, '') AS bendahara
                            FROM nasn_pengajuan_detail d
                            JOIN nasn_pengajuan p ON p.id = d.id_pengajuan
                            JOIN nasn_konfigurasi kk ON kk.id = 1
                            LEFT JOIN tpp_pejabat t ON t.induk_id = kk.unit_id
                            LEFT JOIN cache_pns pa ON pa.nip = t.pa
                            LEFT JOIN cache_pns bp ON bp.nip = t.bp
                            WHERE d.id_pengajuan = v_id) v
                      JOIN nasn_konfigurasi k ON k.id = 1) a) b) n;
    SET v_baris = ROW_COUNT();
    CALL util_log(v_nip, 'proses', CONCAT('Pengajuan ', v_id, ' diproses: ', v_baris, ' pegawai, run ', v_run));
    COMMIT;

    SELECT h.idx, h.id_pengajuan, h.id, h.periode, h.nik, h.nama_lengkap, h.gapok, h.gapok_1, h.gapok_4,
           h.remunerasi, h.insentif, h.gapok_bpjs, h.induk_id, h.thp, h.dpi_bruto, h.bruto_1, h.bruto_4,
           h.netto_1, h.netto_4, h.remunerasi_1, h.remunerasi_4, h.insentif_1, h.insentif_4, h.periode_label,
           h.direktur, h.bendahara, h.tanggal_proses, util_nama_unit(h.periode) AS nama_unit
    FROM nasn_process_history h
    WHERE h.run_id = v_run
    ORDER BY h.idx;
END;;

DELIMITER ;
