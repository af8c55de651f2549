#!/usr/bin/env bash
# db-load drops a database that holds submissions only when told --fresh, and
# what it loads is recorded as the current version.
. "$(dirname "$0")/lib.sh"

new_database db load
load_current "$db" --demo
expect_refused "db-load over submissions" \
    "database '$db' holds 2 submission(s) and would be dropped; scripts/db-admin upgrade keeps them, --fresh drops them" \
    load_current "$db"
expect_eq "submissions after the refusal" 2 "$(sql "$db" "SELECT COUNT(*) FROM nasn_pengajuan")"

load_current "$db" --fresh || fail "db-load --fresh failed"
expect_eq "submissions after --fresh" 0 "$(sql "$db" "SELECT COUNT(*) FROM nasn_pengajuan")"
expect_eq "migrations recorded" \
    "$(grep -c '^[a-z]' "$src/server/migrations/sqitch.plan")" \
    "$(sql "$db" "SELECT COUNT(*) FROM \`${db}_sqitch\`.changes")"
# Without submissions there is nothing to lose: an empty database is reloaded.
load_current "$db" || fail "db-load over a database without submissions failed"

finish
