-- Fails while any part of the change is missing.
SELECT hash_cost FROM nasn_konfigurasi WHERE FALSE;
SELECT hash_cost FROM nasn_user WHERE FALSE;
SELECT nip, host, mulai FROM nasn_sesi WHERE FALSE;
SELECT id_pengajuan, koneksi FROM nasn_pengajuan_buka WHERE FALSE;
