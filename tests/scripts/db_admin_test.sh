#!/usr/bin/env bash
# Every db-admin command on its main path, and on a bad argument: a clear
# message and nothing changed.
. "$(dirname "$0")/lib.sh"

new_database db admin
new_database other other
load_current "$db" --demo
load_current "$other" --no-registry
year=$(sql "$db" "SELECT YEAR(NOW())")
# good|bad MESSAGE ARGUMENTS...: db-admin on the test database succeeds|fails saying MESSAGE.
good() {
    local message=$1
    shift
    expect_said "db-admin $*" "$message" db_admin "$db" "$@"
}
bad() {
    local message=$1
    shift
    expect_refused "db-admin $*" "$message" db_admin "$db" "$@"
}

# Bad arguments first, on the demo data as loaded.
snapshot "$db" "$scratch/loaded"
touch "$scratch/taken.sql"
"$src/scripts/db-admin" --socket "$socket" --database "$other" backup "$scratch/other.sql" >/dev/null
bad "takes 0 argument(s), got 1" schedule now
bad "'tomorrow' is not a date" input-open tomorrow 2030-01-10
bad "Periode input tidak ditemukan" input-close 999
bad "Maintenance: waktu selesai harus sesudah sekarang" maintenance-start 2000-01-01
bad "Tidak ada maintenance yang sedang berjalan" maintenance-end
bad "takes 1 argument(s), got 0" submissions
bad "Pengajuan tidak ditemukan" lock 999
bad "Pengajuan tidak ditemukan" unlock 1x
bad "Versi minimum tidak boleh di atas versi terbaru" version 5 6
bad "takes 0 argument(s), got 1" announcements all
bad "Pengumuman tidak boleh kosong" announce "   "
bad "Pengumuman tidak ditemukan" announce-remove 999
bad "Batas bawah harus rupiah utuh" floor 12.5
bad "Batas atas tidak boleh di bawah batas bawah" ceiling 100
bad "NIP harus 18 digit" person 123 "Nama"
bad "Level user tidak dikenal" account 199001012020011001 Boss rahasia
bad "takes 0 argument(s), got 1" lockouts x
bad "cannot write into the folder '$scratch/missing'" backup "$scratch/missing/b.sql"
bad "cannot read '$scratch/missing.sql'" restore "$scratch/missing.sql"
bad "is a backup of '$other', not of '$db'" restore "$scratch/other.sql" --yes
bad "'$scratch/taken.sql' exists" upgrade "$scratch/taken.sql"
bad "takes 0 argument(s), got 1" migrations all
bad "unknown command 'unsubmissions'" unsubmissions "$year"
expect_refused "a database name that is no name" "not a plain database name" \
    "$src/scripts/db-admin" --socket "$socket" --database "x;drop" schedule
expect_refused "a database that does not exist" "database 'nowhere_$$' does not exist" \
    "$src/scripts/db-admin" --socket "$socket" --database "nowhere_$$" upgrade "$scratch/nowhere.sql"
snapshot "$db" "$scratch/after-bad"
diff -r "$scratch/loaded" "$scratch/after-bad" >&2 || fail "a refused command changed the database"
[ ! -e "$scratch/missing.sql" ] && [ ! -e "$scratch/nowhere.sql" ] || fail "a refused command wrote a file"

# The main paths, as a year runs.
good "Pegawai 199909092020011009: Nina, Penata (III/c)" person 199909092020011009 Nina "Penata (III/c)"
good "User 199909092020011009 aktif dengan level Admin_skpd" account 199909092020011009 Admin_skpd "s3cret pass"
good "Periode input [0-9]* dibuka: 2030-01-01 00:00:00 s/d 2030-01-10 23:59:59" input-open 2030-01-01 2030-01-10
period=$(sql "$db" "SELECT MAX(id) FROM nasn_waktu_input")
good "input.*2030-01-01 00:00:00" schedule
good "Periode input $period ditutup" input-close "$period"
good "Maintenance [0-9]* mulai sekarang s/d 2099-01-01 23:59:59" maintenance-start 2099-01-01
good "Maintenance diakhiri (1 periode)" maintenance-end
good "Iuran BPJS Remunerasi Non ASN Januari *| *12" submissions "$year"
good "Pengajuan 1 dikunci" lock 1
expect_eq "status after lock" F "$(sql "$db" "SELECT status FROM nasn_pengajuan WHERE id = 1")"
good "Pengajuan 1 dibuka kuncinya" unlock 1
expect_eq "status after unlock" D "$(sql "$db" "SELECT status FROM nasn_pengajuan WHERE id = 1")"
good "Versi terbaru 5, minimum 4" version 5 4
good "Pengumuman [0-9]* ditambahkan: Maintenance Sabtu" announce "Maintenance Sabtu"
announcement=$(sql "$db" "SELECT MAX(id) FROM nasn_informasi")
good "Maintenance Sabtu" announcements
good "Pengumuman $announcement dihapus" announce-remove "$announcement"
good "Batas bawah (UMR) 3.500.000" floor 3500000
good "Batas atas 12.500.000" ceiling 12500000
for attempt in 1 2 3 4 5; do
    app "$db" "CALL nasn_login_cek('199909092020011009', 'wrong')" >/dev/null
done
good "199909092020011009.*Nina.*127.0.0.1" lockouts
good "backup of $db written to $scratch/b.sql.gz" backup "$scratch/b.sql.gz"
good "$db restored from $scratch/b.sql.gz" restore "$scratch/b.sql.gz" --yes
good "Nothing to deploy" upgrade "$scratch/u.sql"
good "baseline" migrations

finish
