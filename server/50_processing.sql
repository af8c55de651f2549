-- Processing: one history row per recipient, computed in one statement.
DELIMITER ;;

CREATE OR REPLACE FUNCTION util_periode_label(p_periode VARCHAR(16)) RETURNS VARCHAR(32)
    DETERMINISTIC NO SQL
    RETURN IF(SUBSTRING(p_periode, 5, 2) IN ('01', '02', '03', '04', '05', '06', '07', '08', '09', '10', '11', '12'),
              CONCAT(ELT(CAST(SUBSTRING(p_periode, 5, 2) AS UNSIGNED), 'Januari', 'Februari', 'Maret', 'April',
                         'Mei', 'Juni', 'Juli', 'Agustus', 'September', 'Oktober', 'November', 'Desember'),
                     ' ', LEFT(p_periode, 4)),
              '');;

-- Units before 2022 carried the UPT prefix.
CREATE OR REPLACE FUNCTION util_nama_unit(p_periode VARCHAR(16)) RETURNS VARCHAR(64)
    DETERMINISTIC NO SQL
    RETURN IF(CAST(LEFT(p_periode, 4) AS UNSIGNED) < 2022,
              'UPT Rumah Sakit Umum Daerah pada Dinas Kesehatan',
              'Rumah Sakit Umum Daerah pada Dinas Kesehatan');;

-- The label and the officials of a run, as its documents print them: the
-- pair the officials screen keeps for the hospital's unit.
CREATE OR REPLACE PROCEDURE util_proses_simpan_variabel(IN p_run BIGINT UNSIGNED)
    MODIFIES SQL DATA
    INSERT INTO nasn_process_run_variabel
        (run_id, periode_label, pa_nama, pa_nip, pa_pangkat, bp_nama, bp_nip, bp_pangkat)
    SELECT r.id, util_periode_label(p.periode),
           COALESCE(pa.nama_lengkap, ''), COALESCE(t.pa, ''), COALESCE(pa.pangkat, ''),
           COALESCE(bp.nama_lengkap, ''), COALESCE(t.bp, ''), COALESCE(bp.pangkat, '')
    FROM nasn_process_run r
    JOIN nasn_pengajuan p ON p.id = r.id_pengajuan
    JOIN nasn_konfigurasi k ON k.id = 1
    LEFT JOIN tpp_pejabat t ON t.induk_id = k.unit_id
    LEFT JOIN cache_pns pa ON pa.nip = t.pa
    LEFT JOIN cache_pns bp ON bp.nip = t.bp
    WHERE r.id = p_run;;

-- A run's rows with the 28 report columns, as processing answered them.
CREATE OR REPLACE PROCEDURE util_proses_baris(IN p_run BIGINT UNSIGNED)
    READS SQL DATA
    SELECT h.idx, h.id_pengajuan, h.id, h.periode, h.nik, h.nama_lengkap, h.gapok, h.gapok_1, h.gapok_4,
           h.remunerasi, h.insentif, h.gapok_bpjs, h.induk_id, h.thp, h.dpi_bruto, h.bruto_1, h.bruto_4,
           h.netto_1, h.netto_4, h.remunerasi_1, h.remunerasi_4, h.insentif_1, h.insentif_4, h.periode_label,
           h.direktur, h.bendahara, h.tanggal_proses, util_nama_unit(h.periode) AS nama_unit
    FROM nasn_process_history h
    WHERE h.run_id = p_run
    ORDER BY h.idx;;

-- Returns exactly this run's rows, so two operators processing at once each
-- get their own. Outside the input window and for a locked submission only
-- an Administrator may process.
CREATE OR REPLACE PROCEDURE nasn_proses(IN var_id VARCHAR(255), IN var_nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_nip VARCHAR(255) DEFAULT var_nip;
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    DECLARE v_run BIGINT UNSIGNED;
    DECLARE v_waktu DATETIME DEFAULT SYSDATE();
    DECLARE v_baris BIGINT;
    DECLARE v_periode VARCHAR(16) DEFAULT (SELECT p.periode FROM nasn_pengajuan p WHERE p.id = v_id);
    DECLARE v_label VARCHAR(32) DEFAULT util_periode_label(v_periode);
    DECLARE v_direktur VARCHAR(128);
    DECLARE v_bendahara VARCHAR(128);
    DECLARE EXIT HANDLER FOR SQLEXCEPTION
    BEGIN
        ROLLBACK;
        RESIGNAL;
    END;
    CALL util_enter(v_nip, 'proses', 'ubah', v_aktor, v_level);
    IF v_periode IS NULL THEN
        CALL util_refuse(v_nip, 'proses', 'Pengajuan tidak ditemukan');
    END IF;
    IF v_level <> 'Administrator' THEN
        CALL util_require_input_open(v_nip, 'proses');
        CALL util_require_open_submission(v_nip, 'proses', v_id);
    END IF;
    SELECT COALESCE(pa.nama_lengkap, ''), COALESCE(bp.nama_lengkap, '') INTO v_direktur, v_bendahara
    FROM nasn_konfigurasi k
    LEFT JOIN tpp_pejabat t ON t.induk_id = k.unit_id
    LEFT JOIN cache_pns pa ON pa.nip = t.pa
    LEFT JOIN cache_pns bp ON bp.nip = t.bp
    WHERE k.id = 1;

    START TRANSACTION;
    INSERT INTO nasn_process_run (id_pengajuan, nip, host, tanggal_proses)
    VALUES (v_id, v_nip, util_client_host(), v_waktu);
    SET v_run = LAST_INSERT_ID();

    -- Each layer names the amounts the next one builds on. The arithmetic is
    -- inline DECIMAL: a stored function per row would cost more than the rest.
    -- A part is netto * remunerasi / (remunerasi + insentif) rounded half up,
    -- (2ab + b) DIV 2b exactly; the incentive part is what remains of netto.
    INSERT INTO nasn_process_history
        (run_id, idx, id_pengajuan, id, periode, nik, nama_lengkap, gapok, gapok_1, gapok_4, remunerasi, insentif,
         gapok_bpjs, induk_id, thp, dpi_bruto, bruto_1, bruto_4, netto_1, netto_4, remunerasi_1, remunerasi_4,
         insentif_1, insentif_4, periode_label, direktur, bendahara, tanggal_proses)
    SELECT v_run, ROW_NUMBER() OVER (ORDER BY s.nama_lengkap, s.nik), s.id_pengajuan, s.id, v_periode, s.nik,
           s.nama_lengkap, s.gapok, s.gapok_1, s.gapok_4, s.remunerasi, s.insentif,
           s.gapok_bpjs, s.induk_id, s.thp, s.dpi_bruto, s.bruto_1, s.bruto_4, s.netto_1, s.netto_4,
           s.remunerasi_1, s.remunerasi_4,
           IF(s.dibagi = 0, 0, s.netto_1 - s.remunerasi_1), IF(s.dibagi = 0, 0, s.netto_4 - s.remunerasi_4),
           v_label, v_direktur, v_bendahara, v_waktu
    FROM (SELECT n.*,
                 IF(n.dibagi = 0, 0, (2 * n.netto_1 * n.remunerasi + n.dibagi) DIV (2 * n.dibagi)) AS remunerasi_1,
                 IF(n.dibagi = 0, 0, (2 * n.netto_4 * n.remunerasi + n.dibagi) DIV (2 * n.dibagi)) AS remunerasi_4
          FROM (SELECT b.*, GREATEST(b.bruto_1 - b.gapok_1, 0) AS netto_1, GREATEST(b.bruto_4 - b.gapok_4, 0) AS netto_4
                FROM (SELECT a.*, ROUND(a.dpi_bruto * 0.01, 0) AS bruto_1, ROUND(a.dpi_bruto * 0.04, 0) AS bruto_4
                      FROM (SELECT v.*, LEAST(GREATEST(v.gapok, k.batas_bawah), k.batas_atas) AS gapok_bpjs,
                                   v.gapok + v.remunerasi + v.insentif AS thp,
                                   LEAST(GREATEST(v.gapok + v.remunerasi + v.insentif, k.batas_bawah), k.batas_atas)
                                       AS dpi_bruto,
                                   v.remunerasi + v.insentif AS dibagi
                            FROM (SELECT d.id, d.id_pengajuan, d.nik, d.nama_lengkap, p.unit_id AS induk_id,
                                         CAST(d.gapok AS DECIMAL(15, 0)) AS gapok,
                                         CAST(d.gapok_1 AS DECIMAL(15, 0)) AS gapok_1,
                                         CAST(d.gapok_4 AS DECIMAL(15, 0)) AS gapok_4,
                                         CAST(d.remunerasi AS DECIMAL(15, 0)) AS remunerasi,
                                         CAST(d.insentif AS DECIMAL(15, 0)) AS insentif
                                  FROM nasn_pengajuan_detail d JOIN nasn_pengajuan p ON p.id = d.id_pengajuan
                                  WHERE d.id_pengajuan = v_id) v
                            JOIN nasn_konfigurasi k ON k.id = 1) a) b) n) s;
    SET v_baris = ROW_COUNT();
    CALL util_log(v_nip, 'proses', CONCAT('Pengajuan ', v_id, ' diproses: ', v_baris, ' pegawai, run ', v_run));
    CALL util_proses_simpan_variabel(v_run);
    COMMIT;

    CALL util_proses_baris(v_run);
END;;

DELIMITER ;
