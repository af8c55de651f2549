-- Checks of a submission's rows, reading them only, that the import reports beside its
-- refusals: a plausibility check never refuses a row, it only names rows an
-- operator should look at again.
DELIMITER ;;

-- The rows whose 4 % or 1 % BPJS amount is neither that share of the salary
-- nor of the reported salary (salary, remuneration and incentive), each with
-- the floor and ceiling of nasn_konfigurasi applied and rounded half up as
-- the processing does. One row per amount found off, with its reason.
CREATE OR REPLACE PROCEDURE nasn_pengajuan_detail_cek_kewajaran(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_id BIGINT UNSIGNED DEFAULT util_id(var_id);
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'cek kewajaran', 'baca', v_aktor, v_level);
    WITH
    amounts AS (
        SELECT d.id, d.nik, d.nama_lengkap,
               CAST(d.gapok AS DECIMAL(15, 0)) AS gapok,
               CAST(d.gapok_4 AS DECIMAL(15, 0)) AS gapok_4,
               CAST(d.gapok_1 AS DECIMAL(15, 0)) AS gapok_1,
               CAST(d.gapok AS DECIMAL(17, 0)) + CAST(d.remunerasi AS DECIMAL(17, 0))
                   + CAST(d.insentif AS DECIMAL(17, 0)) AS dilaporkan
        FROM nasn_pengajuan_detail d
        WHERE d.id_pengajuan = v_id),
    bases AS (
        SELECT a.*, LEAST(GREATEST(a.gapok, k.batas_bawah), k.batas_atas) AS dasar_gaji,
               LEAST(GREATEST(a.dilaporkan, k.batas_bawah), k.batas_atas) AS dasar_dilaporkan
        FROM amounts a JOIN nasn_konfigurasi k ON k.id = 1),
    shares AS (
        SELECT b.*, ROUND(b.dasar_gaji * 0.04, 0) AS gaji_4, ROUND(b.dasar_dilaporkan * 0.04, 0) AS dilaporkan_4,
               ROUND(b.dasar_gaji * 0.01, 0) AS gaji_1, ROUND(b.dasar_dilaporkan * 0.01, 0) AS dilaporkan_1
        FROM bases b),
    -- The rows found off, in one pass over the submission: a CTE used by both
    -- halves of a UNION is computed for each. HAVING keeps it from being merged.
    off AS (
        SELECT s.*, s.gapok_4 NOT IN (s.gaji_4, s.dilaporkan_4) AS off_4,
               s.gapok_1 NOT IN (s.gaji_1, s.dilaporkan_1) AS off_1
        FROM shares s
        HAVING off_4 OR off_1)
    SELECT o.id, o.nik, o.nama_lengkap, c.kolom,
           IF(c.kolom = 'gapok_4',
              CONCAT('BPJS 4% ', util_rupiah(o.gapok_4), ' bukan 4% dari gaji (', util_rupiah(o.gaji_4),
                     ') maupun dari gaji dilaporkan (', util_rupiah(o.dilaporkan_4), ')'),
              CONCAT('BPJS 1% ', util_rupiah(o.gapok_1), ' bukan 1% dari gaji (', util_rupiah(o.gaji_1),
                     ') maupun dari gaji dilaporkan (', util_rupiah(o.dilaporkan_1), ')')) AS keterangan
    FROM off o
    JOIN (SELECT 'gapok_4' AS kolom UNION ALL SELECT 'gapok_1') c ON IF(c.kolom = 'gapok_4', o.off_4, o.off_1)
    ORDER BY o.id, c.kolom DESC;
END;;

DELIMITER ;
