-- Fails when a table of the baseline is missing.
SELECT 1 FROM nasn_konfigurasi, nasn_unit, cache_pns, nasn_level, nasn_user, nasn_login_attempt,
    nasn_login_lockout, nasn_log, nasn_informasi, nasn_waktu_input, nasn_maintenance, nasn_pengajuan,
    nasn_pengajuan_buka, nasn_pengajuan_detail, nasn_process_run, nasn_process_history, tpp_pejabat
WHERE FALSE;
