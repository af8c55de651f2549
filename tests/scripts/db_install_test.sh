#!/usr/bin/env bash
# db-install on a server set up like Debian's mariadb-server (its own config
# file with an include folder, its own data folder, a systemd unit to restart),
# then a login over TLS as a desk does it.
. "$(dirname "$0")/lib.sh"
build=${SARVELA_BUILD_DIR:?}

etc=$scratch/etc/mysql
mkdir -p "$etc/mariadb.conf.d" "$scratch/data" "$scratch/tmp" "$scratch/run" "$scratch/bin" "$scratch/certs"
debian_socket=$scratch/run/mysqld.sock
cat >"$etc/my.cnf" <<CNF
[client-server]
socket = $debian_socket
!includedir $etc/mariadb.conf.d/
CNF
cat >"$etc/mariadb.conf.d/50-server.cnf" <<CNF
[mysqld]
user = root
pid-file = $scratch/run/mysqld.pid
datadir = $scratch/data
tmpdir = $scratch/tmp
bind-address = 127.0.0.1
log-error = $scratch/error.log
CNF
mariadb-install-db --defaults-file="$etc/my.cnf" --auth-root-authentication-method=socket \
    --skip-test-db >"$scratch/install-db.log" 2>&1 || { cat "$scratch/install-db.log" >&2; exit 1; }

# systemd stand-in: restarting the unit restarts this server with its configuration.
cat >"$scratch/bin/systemctl" <<SHIM
#!/usr/bin/env bash
[ "\$*" = "restart mariadb" ] || { echo "systemctl: unexpected \$*" >&2; exit 1; }
if [ -s "$scratch/run/mysqld.pid" ]; then
    pid=\$(cat "$scratch/run/mysqld.pid")
    kill "\$pid" 2>/dev/null || true
    while kill -0 "\$pid" 2>/dev/null; do sleep 0.1; done
fi
setsid eatmydata mariadbd --defaults-file="$etc/my.cnf" </dev/null >/dev/null 2>&1 &
SHIM
chmod +x "$scratch/bin/systemctl"
export PATH="$scratch/bin:$PATH"
stop_debian_server() {
    [ ! -s "$scratch/run/mysqld.pid" ] || kill "$(cat "$scratch/run/mysqld.pid")" 2>/dev/null || true
    sleep 1
}
trap 'stop_debian_server; cleanup' EXIT
systemctl restart mariadb

# The hospital's certificate: the demo authority's (scripts/tls-demo), which the
# client of this build trusts; a key and an authority that do not belong.
certs=$scratch/certs
cp "$src/var/tls/ca.pem" "$src/var/tls/server.pem" "$src/var/tls/server-key.pem" "$certs/"
(
    cd "$certs"
    openssl genpkey -algorithm ec -pkeyopt ec_paramgen_curve:P-256 -out other-key.pem
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 30 -subj "/CN=Other CA" \
        -keyout other-ca-key.pem -out other-ca.pem
) >/dev/null 2>&1
tls_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
password=Hospital-Pass-16
install() {
    "$src/scripts/db-install" --config-dir "$etc/mariadb.conf.d" --socket "$debian_socket" \
        --port "$tls_port" "$@"
}
as_desk() {
    MYSQL_PWD=$password mariadb --no-defaults --host=127.0.0.1 --port="$tls_port" --user=app_rsud \
        --database=remunerasi_rsud_nasn --batch --skip-column-names "$@"
}

expect_refused "a key of another certificate" "does not belong to the certificate" \
    install --cert "$certs/server.pem" --key "$certs/other-key.pem" <<<"$password"
expect_refused "a password the client cannot hold" "must have the 16 characters" \
    install --cert "$certs/server.pem" --key "$certs/server-key.pem" <<<"short"
[ ! -e "$etc/mariadb.conf.d/60-sarvela.cnf" ] || fail "a refused install wrote the configuration"

expect_said "install" "app_rsud may connect from '%' to port $tls_port, over TLS only" \
    install --cert "$certs/server.pem" --key "$certs/server-key.pem" <<<"$password"
"$src/scripts/db-admin" --socket "$debian_socket" person 199001012020011001 "Rina" "Penata" >/dev/null
"$src/scripts/db-admin" --socket "$debian_socket" account 199001012020011001 Administrator rahasia123 >/dev/null

expect_eq "login over TLS, the server's certificate verified" "199001012020011001	Administrator" \
    "$(as_desk --ssl-ca="$certs/ca.pem" --ssl-verify-server-cert \
        -e "CALL nasn_login_cek('199001012020011001', 'rahasia123')" | cut -f1,2)"
# The server refuses the login itself (the same password works over TLS above).
# The client itself, with its built-in authority.
SARVELA_INSTALLED_PORT=$tls_port SARVELA_INSTALLED_APP_PASSWORD=$password QT_QPA_PLATFORM=offscreen \
    "$build/tests/app/installed_login" >"$scratch/client.log" 2>&1 ||
    fail "the client did not log in over TLS: $(grep -A3 Failure "$scratch/client.log")"
expect_refused "a desk without TLS" "insecure transport\\|Access denied" as_desk --skip-ssl -e "SELECT 1"
expect_refused "the application account reading accounts" "denied" as_desk --ssl -e "SELECT * FROM nasn_user"
expect_eq "statement size" 268435456 "$(as_desk --ssl -e "SELECT @@max_allowed_packet")"
expect_eq "migrations recorded" 1 "$(mariadb --no-defaults --socket="$debian_socket" --user=root --batch \
    --skip-column-names -e "SELECT COUNT(*) FROM remunerasi_rsud_nasn_sqitch.changes WHERE \`change\` = 'baseline'")"

# The administrator from another machine: over TLS, the server verified, sqitch included.
mariadb --no-defaults --socket="$debian_socket" --user=root -e "
    CREATE USER dba@'127.0.0.1' IDENTIFIED BY 'dba-password';
    GRANT ALL ON *.* TO dba@'127.0.0.1' WITH GRANT OPTION"
remote_admin() {
    MYSQL_PWD=dba-password SQITCH_PASSWORD=dba-password "$src/scripts/db-admin" --host 127.0.0.1 \
        --port "$tls_port" --user dba --ssl-ca "$certs/ca.pem" "$@"
}
expect_said "db-admin from afar" "2099-12-31 23:59:59" remote_admin schedule
expect_said "db-admin migrations from afar" "baseline" remote_admin migrations
expect_refused "db-admin from afar, the server signed by another authority" "certificate\\|SSL" \
    env MYSQL_PWD=dba-password "$src/scripts/db-admin" --host 127.0.0.1 --port "$tls_port" --user dba \
    --ssl-ca "$certs/other-ca.pem" schedule
expect_said "db-admin backup from afar" "written" remote_admin backup "$scratch/remote.sql"

# Run again, the data stays.
as_desk --ssl -e "CALL nasn_pengajuan_tambah('202501', '288', '1', '2025-01-31', 'Januari', 'JM')"
expect_said "install again" "remunerasi_rsud_nasn exists and keeps its data" \
    install --cert "$certs/server.pem" --key "$certs/server-key.pem" <<<"$password"
expect_eq "submissions after installing again" 1 "$(mariadb --no-defaults --socket="$debian_socket" \
    --user=root --batch --skip-column-names -e "SELECT COUNT(*) FROM remunerasi_rsud_nasn.nasn_pengajuan")"

finish
