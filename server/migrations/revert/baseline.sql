-- Removes every table of the baseline, children first.
DROP TABLE nasn_process_history, nasn_process_run, nasn_pengajuan_detail, nasn_pengajuan_buka,
    nasn_pengajuan, nasn_maintenance, nasn_waktu_input, nasn_informasi, nasn_log, nasn_login_lockout,
    nasn_login_attempt, nasn_user, nasn_level, cache_pns, nasn_unit, nasn_konfigurasi, tpp_pejabat;
