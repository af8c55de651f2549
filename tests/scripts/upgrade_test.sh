#!/usr/bin/env bash
# A hospital's database of the release before versioned migrations, with a
# month's work in it, brought to this version by db-admin upgrade: it must end
# up like a fresh installation, keep every row, and stay put when run again.
. "$(dirname "$0")/lib.sh"

baseline_release=2a53a4f
new_database old up
new_database fresh fresh

# The released server side, loaded by the released loader.
mkdir "$scratch/release"
git -C "$src" archive "$baseline_release" server scripts/db-load | tar -x -C "$scratch/release"
"$scratch/release/scripts/db-load" --socket "$socket" --database "$old" --app-user "$old" \
    --app-password "$app_password" --demo
# Work as the client does it: a login, a processing run, a failed login.
app "$old" "CALL nasn_login_cek('199001012020011001', 'rahasia123');
            CALL nasn_proses('1', '199001012020011001');
            CALL nasn_login_cek('199202022020012002', 'wrong')" >/dev/null
expect_eq "processed rows before the upgrade" 12 "$(sql "$old" "SELECT COUNT(*) FROM nasn_process_history")"
snapshot "$old" "$scratch/before"

db_admin "$old" upgrade "$scratch/before-upgrade.sql.gz" >"$scratch/upgrade.out" 2>&1 ||
    fail "upgrade: $(cat "$scratch/upgrade.out")"
[ -s "$scratch/before-upgrade.sql.gz" ] || fail "upgrade wrote no backup"

# Every row of the release is still there, in every column it had.
snapshot "$old" "$scratch/kept" "$scratch/before"
diff -r "$scratch/before" "$scratch/kept" >&2 || fail "the upgrade changed rows of the release"

# The same tables, columns, keys, constraints, routines and grants as a fresh installation.
load_current "$fresh" --no-registry
picture "$old" "$old" >"$scratch/upgraded.picture"
picture "$fresh" "$fresh" >"$scratch/fresh.picture"
diff "$scratch/fresh.picture" "$scratch/upgraded.picture" >&2 ||
    fail "an upgraded database differs from a fresh one (a table change without its migration?)"

# The client still works on it.
expect_eq "login after the upgrade" "199001012020011001	Administrator" \
    "$(app "$old" "CALL nasn_login_cek('199001012020011001', 'rahasia123')" | cut -f1,2)"

# Run again, it changes nothing.
snapshot "$old" "$scratch/once"
sql "$old" "SELECT change_id FROM \`${old}_sqitch\`.changes ORDER BY committed_at" >"$scratch/changes.once"
db_admin "$old" upgrade "$scratch/second.sql" >"$scratch/upgrade.out" 2>&1 ||
    fail "second upgrade: $(cat "$scratch/upgrade.out")"
grep -q "Nothing to deploy" "$scratch/upgrade.out" || fail "second upgrade deployed: $(cat "$scratch/upgrade.out")"
snapshot "$old" "$scratch/twice"
diff -r "$scratch/once" "$scratch/twice" >&2 || fail "a second upgrade changed rows"
picture "$old" "$old" | diff "$scratch/upgraded.picture" - >&2 || fail "a second upgrade changed the schema"
sql "$old" "SELECT change_id FROM \`${old}_sqitch\`.changes ORDER BY committed_at" |
    diff "$scratch/changes.once" - >&2 || fail "a second upgrade changed the migration record"

# A fresh load records every migration, so its first upgrade applies none.
load_current "$fresh" --fresh
db_admin "$fresh" upgrade "$scratch/fresh.sql" >"$scratch/upgrade.out" 2>&1 ||
    fail "upgrade of a fresh database: $(cat "$scratch/upgrade.out")"
grep -q "Nothing to deploy" "$scratch/upgrade.out" || fail "a fresh database had migrations pending"

finish
