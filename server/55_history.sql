-- Every processing run kept whole, read back for printing again. Reading
-- changes nothing, so no input window or lock applies; any logged-in level may.
DELIMITER ;;

-- The runs of a submission, newest first: when, who, how many rows and the
-- total contribution (1 % and 4 %), grouped by '.'.
CREATE OR REPLACE PROCEDURE nasn_proses_riwayat_tampildata(IN var_id VARCHAR(255), IN var_nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(var_nip, 'riwayat proses', 'baca', v_aktor, v_level);
    SELECT r.id, r.tanggal_proses, r.nip, COALESCE(c.nama_lengkap, '') AS nama_lengkap,
           COUNT(h.idx) AS jumlah_pegawai, util_rupiah(COALESCE(SUM(h.bruto_1 + h.bruto_4), 0)) AS total_iuran
    FROM nasn_process_run r
    LEFT JOIN nasn_process_history h ON h.run_id = r.id
    LEFT JOIN cache_pns c ON c.nip = r.nip
    WHERE r.id_pengajuan = util_id(var_id)
    GROUP BY r.id, r.tanggal_proses, r.nip, c.nama_lengkap
    ORDER BY r.tanggal_proses DESC, r.id DESC;
END;;

-- One run's rows, the same 28 columns processing answered.
CREATE OR REPLACE PROCEDURE nasn_proses_riwayat_baris(IN var_run VARCHAR(255), IN var_nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(var_nip, 'riwayat proses', 'baca', v_aktor, v_level);
    CALL util_proses_baris(util_id(var_run));
END;;

-- One run's report variables under the names the templates ask for; no row
-- for an unknown run.
CREATE OR REPLACE PROCEDURE nasn_proses_riwayat_variabel(IN var_run VARCHAR(255), IN var_nip VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(var_nip, 'riwayat proses', 'baca', v_aktor, v_level);
    SELECT v.pa_nama, v.pa_nip, v.pa_pangkat, v.bp_nama, v.bp_nip, v.bp_pangkat,
           v.periode_label AS periode_tpp_label
    FROM nasn_process_run_variabel v
    WHERE v.run_id = util_id(var_run);
END;;

DELIMITER ;
