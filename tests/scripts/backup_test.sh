#!/usr/bin/env bash
# db-admin backup and restore: a consistent backup while clients work, put back
# to the same CHECKSUM TABLE figures, and never over live data unasked.
. "$(dirname "$0")/lib.sh"

new_database db backup
load_current "$db" --demo
app "$db" "CALL nasn_login_cek('199001012020011001', 'rahasia123');
           CALL nasn_proses('1', '199001012020011001')" >/dev/null
checksums() {
    local tables
    tables=$(sql "" "SELECT GROUP_CONCAT(CONCAT('\`', TABLE_SCHEMA, '\`.\`', TABLE_NAME, '\`'))
        FROM information_schema.TABLES WHERE TABLE_SCHEMA IN ('$db', '${db}_sqitch')")
    sql "" "CHECKSUM TABLE $tables"
}
checksums >"$scratch/backed-up.sums"
picture "$db" "$db" >"$scratch/backed-up.picture"

db_admin "$db" backup "$scratch/quiet.sql.gz" >/dev/null
gzip -t "$scratch/quiet.sql.gz" || fail "a .gz backup is not compressed"
expect_eq "backup file mode" 600 "$(stat -c %a "$scratch/quiet.sql.gz")"

# Later work: a new submission, a locked one, rows gone.
db_admin "$db" lock 2 >/dev/null
sql "$db" "INSERT INTO nasn_pengajuan (periode, unit_id, nomor, tanggal_pengajuan, keterangan, jenis)
           VALUES ('209901', '288', '9', '2099-01-01', 'later', 'JM');
           DELETE FROM nasn_pengajuan_detail WHERE id_pengajuan = 1 AND id % 2 = 0"
checksums >"$scratch/later.sums"

expect_refused "restore over submissions without --yes" \
    "database '$db' holds 3 submission(s); 'restore FILE --yes' replaces them" \
    db_admin "$db" restore "$scratch/quiet.sql.gz"
checksums | diff "$scratch/later.sums" - >&2 || fail "a refused restore changed the database"

expect_said "restore --yes" "restored" db_admin "$db" restore "$scratch/quiet.sql.gz" --yes
checksums | diff "$scratch/backed-up.sums" - >&2 || fail "the restored database differs from the backup"
picture "$db" "$db" | diff "$scratch/backed-up.picture" - >&2 || fail "the restore lost routines or grants"
expect_eq "login after the restore" "199001012020011001" \
    "$(app "$db" "CALL nasn_login_cek('199001012020011001', 'rahasia123')" | cut -f1)"

# A lost database comes back without --yes: there is nothing to overwrite.
sql "" "DROP DATABASE \`$db\`; DROP DATABASE \`${db}_sqitch\`"
expect_said "restore of a lost database" "restored" db_admin "$db" restore "$scratch/quiet.sql.gz"
checksums | diff "$scratch/backed-up.sums" - >&2 || fail "the database restored after its loss differs"

# While clients process, the backup is one moment: every run with all its rows.
rm -f "$scratch/stop"
(
    while [ ! -e "$scratch/stop" ]; do
        app "$db" "CALL nasn_login_cek('199001012020011001', 'rahasia123');
                   CALL nasn_proses('1', '199001012020011001')" >/dev/null
    done
) &
writer=$!
sleep 1
db_admin "$db" backup "$scratch/busy.sql" >/dev/null
touch "$scratch/stop"
wait "$writer"
db_admin "$db" restore "$scratch/busy.sql" --yes >/dev/null
expect_eq "runs without all their rows in a backup taken while processing" 0 \
    "$(sql "$db" "SELECT COUNT(*) FROM nasn_process_run r
                  WHERE (SELECT COUNT(*) FROM nasn_process_history h WHERE h.run_id = r.id) <> 12")"
[ "$(sql "$db" "SELECT COUNT(*) FROM nasn_process_run")" -gt 1 ] || fail "no run was written during the backup"

finish
