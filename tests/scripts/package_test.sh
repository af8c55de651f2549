#!/usr/bin/env bash
# The Debian packages of this build: lintian finds no error, the client unpacked
# into a scratch root starts from its link to its window with the templates
# beside the program it runs, and the server side works from where it installs.
. "$(dirname "$0")/lib.sh"
build=${SARVELA_BUILD_DIR:?}

(cd "$build" && cpack -G DEB -B "$scratch/packages" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; exit 1; }
client=$(ls "$scratch"/packages/sarvela_*.deb)
server=$(ls "$scratch"/packages/sarvela-server_*.deb)
lintian --fail-on error "$client" "$server" >"$scratch/lintian.log" 2>&1 ||
    fail "lintian: $(grep '^E:' "$scratch/lintian.log")"

root=$scratch/root
dpkg -x "$client" "$root"
program=$root/usr/lib/sarvela/sarvela
expect_eq "the link on the path" "$program" "$(readlink -f "$root/usr/bin/sarvela")"
readelf -S "$program" | grep -q '\.symtab' && fail "the packaged program is not stripped"
desktop-file-validate "$root/usr/share/applications/sarvela.desktop" >&2 || fail "the desktop entry is invalid"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/sarvela.svg" ] || fail "no icon"

# Started by its link on a virtual screen: the window it shows, and the program
# it runs as (Qt looks for report/ beside that).
xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
    "$1" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 150); do
        xwininfo -root -tree | grep -q "Sarvela - RSUD Kota Talvirana" && break
        sleep 0.2
    done
    xwininfo -root -tree | grep -o "\"Sarvela - RSUD Kota Talvirana\"" | head -n 1
    readlink "/proc/$pid/exe"
    kill "$pid"' _ "$root/usr/bin/sarvela" >"$scratch/started" 2>&1 || true
expect_eq "the window of the started client" '"Sarvela - RSUD Kota Talvirana"' "$(sed -n 1p "$scratch/started")"
running=$(sed -n 2p "$scratch/started")
expect_eq "the program that ran" "$program" "$running"
for template in nasn_lampiran.fr3 nasn_pemindahbukuan_bank.fr3; do
    cmp -s "$src/reports/templates/$template" "$(dirname "$running")/report/$template" ||
        fail "report/$template is not beside the program"
done

# The server side from its installed place: load, then upgrade finds nothing to do.
dpkg -x "$server" "$root"
new_database db packaged
"$root/usr/share/sarvela-server/scripts/db-load" --socket "$socket" --database "$db" --app-user "$db" \
    --app-password "$app_password" || fail "the packaged db-load failed"
expect_said "the packaged db-admin upgrade" "Nothing to deploy" \
    "$root/usr/sbin/sarvela-db-admin" --socket "$socket" --database "$db" upgrade "$scratch/before.sql"

finish
