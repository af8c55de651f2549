-- Demo data: people, accounts, officials, announcements and two submissions
-- of the current year with a dozen recipients each. Logins in server/README.md.
INSERT INTO cache_pns (nip, nama_lengkap, pangkat) VALUES
    ('199001012020011001', 'Rina Kartikasari, S.Kom.', 'Penata Muda Tk. I (III/b)'),
    ('199202022020012002', 'Dedi Firmansyah, S.E.', 'Penata Muda (III/a)'),
    ('199303032020011003', 'Sri Wahyuni, S.AP.', 'Penata Muda (III/a)'),
    ('197505152000031004', 'dr. Hendra Wijaya, M.Kes.', 'Pembina Utama Muda (IV/c)'),
    ('198108082005012005', 'Maria Ulfa, S.E., M.M.', 'Penata Tk. I (III/d)');

-- Demo logins stay quick; a hospital keeps the default cost (server/README.md).
UPDATE nasn_konfigurasi SET hash_cost = 1000 WHERE id = 1;
CALL util_account_store('199001012020011001', 'Administrator', 'rahasia123');
CALL util_account_store('199202022020012002', 'Admin_skpd', 'operator123');
CALL util_account_store('199303032020011003', 'admin_pembangunan', 'pantau123');

INSERT INTO tpp_pejabat (induk_id, pa, bp) VALUES ('288', '197505152000031004', '198108082005012005');

INSERT INTO nasn_informasi (pengumuman) VALUES
    ('Input data iuran BPJS bulan berjalan paling lambat tanggal 10 setiap bulan.'),
    ('Maintenance server dijadwalkan setiap hari Sabtu pukul 22.00 s/d 24.00 WIB.'),
    ('Gunakan format general untuk semua kolom file Excel sebelum impor data.');

INSERT INTO nasn_pengajuan (periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis) VALUES
    (CONCAT(YEAR(CURDATE()), '01'), '288', '-', MAKEDATE(YEAR(CURDATE()), 5), 'Iuran BPJS Remunerasi Non ASN Januari', 'JM'),
    (CONCAT(YEAR(CURDATE()), '02'), '288', '-', MAKEDATE(YEAR(CURDATE()), 36), 'Iuran BPJS Remunerasi Non ASN Februari', 'JM');

-- Twelve recipients, the same people in both months; amounts vary by person and month.
INSERT INTO nasn_pengajuan_detail
    (id_pengajuan, nik, nama_lengkap, gapok, gapok_4, gapok_1, remunerasi, insentif, nip_operator)
SELECT p.id,
       CONCAT('32730', LPAD(s.seq * 7919, 11, '0')),
       ELT(s.seq, 'Agus Setiawan', 'Bambang Sutrisno', 'Citra Lestari', 'Dewi Anggraini', 'Eko Prasetyo',
           'Fitri Handayani', 'Gilang Ramadhan', 'Hesti Purwanti', 'Indra Gunawan', 'Joko Susilo',
           'Kurniawati', 'Lukman Hakim'),
       2800000 + s.seq * 150000,
       ROUND((2800000 + s.seq * 150000) * 0.04),
       ROUND((2800000 + s.seq * 150000) * 0.01),
       1500000 + s.seq * 250000 + (p.id % 2) * 100000,
       IF(s.seq % 4 = 0, 0, 400000 + s.seq * 50000),
       '199202022020012002'
FROM nasn_pengajuan p JOIN seq_1_to_12 s
WHERE p.jenis = 'JM';
