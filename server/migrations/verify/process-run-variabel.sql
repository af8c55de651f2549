-- Fails while the table is missing.
SELECT run_id, periode_label, pa_nama, pa_nip, pa_pangkat, bp_nama, bp_nip, bp_pangkat
FROM nasn_process_run_variabel WHERE FALSE;
