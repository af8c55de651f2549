#!/usr/bin/env bash
# A first db-server start that fails leaves nothing behind that a later start
# would take for a loaded database.
. "$(dirname "$0")/lib.sh"

export DB_SERVER_DIR=$scratch/db
unset DB_SERVER_NO_DEMO
trap '"$src/scripts/db-server" stop >/dev/null 2>&1 || true; cleanup' EXIT

# The test server holds this port already.
expect_refused "a first start on a taken port" "the server did not start" \
    env DB_SERVER_PORT="$port" "$src/scripts/db-server" start
[ ! -e "$DB_SERVER_DIR/data" ] || fail "the failed first start left $DB_SERVER_DIR/data behind"

free_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
expect_said "the next start" "loaded remunerasi_rsud_nasn with demo data" \
    env DB_SERVER_PORT="$free_port" "$src/scripts/db-server" start
expect_eq "demo submissions" 2 "$(mariadb --no-defaults --socket="$DB_SERVER_DIR/mysqld.sock" --user=root \
    --batch --skip-column-names -e "SELECT COUNT(*) FROM remunerasi_rsud_nasn.nasn_pengajuan")"
expect_said "stop" "stopped" "$src/scripts/db-server" stop

finish
