-- What a fresh installation starts with; the administrator changes it with
-- scripts/db-admin. Input is open until the administrator sets the year's periods.
INSERT INTO nasn_konfigurasi (id, unit_id, batas_bawah, batas_atas, versi_terbaru, versi_minimum)
VALUES (1, '288', 3000000, 12000000, '4', '4');

INSERT INTO nasn_unit (unit_id, nama_unit)
VALUES ('288', 'UPTD RSUD Pada Dinas Kesehatan Kota Talvirana');

INSERT INTO nasn_level (user_level, deskripsi, boleh_ubah) VALUES
    ('Administrator', 'Administrator Aplikasi', TRUE),
    ('Admin_skpd', 'Operator Unit (input dan proses data)', TRUE),
    ('admin_pembangunan', 'Pemantau (hanya melihat data)', FALSE);

INSERT INTO nasn_waktu_input (mulai, selesai) VALUES ('2020-01-01 00:00:00', '2099-12-31 23:59:59');
