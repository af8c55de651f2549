# Shared by the script tests: the test server, scratch databases dropped at the
# end, and checks that count failures instead of stopping at the first.
set -euo pipefail
src=${SARVELA_SOURCE_DIR:?run the tests through scripts/test}
socket=${SARVELA_TEST_SOCKET:?}
port=${SARVELA_TEST_PORT:?}
scratch=$(mktemp -d)
app_password=test-Password-16
databases=()
failures=0

cleanup() {
    for db in "${databases[@]}"; do
        sql "" "DROP DATABASE IF EXISTS \`$db\`; DROP DATABASE IF EXISTS \`${db}_sqitch\`;
                DROP USER IF EXISTS '$db'@'localhost', '$db'@'127.0.0.1'" || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

# sql DB STATEMENTS: tab-separated rows, as the server's administrator.
sql() { mariadb --no-defaults --socket="$socket" --user=root --batch --skip-column-names ${1:+--database="$1"} -e "$2"; }
# app DB STATEMENTS: as DB's application account (named like the database), over
# TCP with TLS where the server offers it.
app() {
    MYSQL_PWD=$app_password mariadb --no-defaults --ssl --host=127.0.0.1 --port="$port" --user="$1" \
        --batch --skip-column-names --database="$1" -e "$2"
}

# new_database VAR PREFIX: VAR names a database of this run, dropped with its
# account at the end (not in a subshell, or the end would not know it). The
# test server's folder outlives a run, and process ids repeat.
new_database() {
    printf -v "$1" '%s' "$2_$$_$RANDOM"
    databases+=("${!1}")
}

# Loads the server side of this checkout into DB, as the tests' fixture does.
load_current() { "$src/scripts/db-load" --socket "$socket" --database "$1" --app-user "$1" --app-password "$app_password" "${@:2}"; }
db_admin() { "$src/scripts/db-admin" --socket "$socket" --database "$@"; }

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
expect_eq() {
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}
# expect_said WHAT MESSAGE COMMAND...: the command succeeds and says MESSAGE (a grep pattern).
expect_said() {
    local what=$1 message=$2 output
    shift 2
    if ! output=$("$@" 2>&1); then
        fail "$what: failed with '$output'"
    elif ! grep -q -- "$message" <<<"$output"; then
        fail "$what: said '$output'"
    fi
}
# expect_refused WHAT MESSAGE COMMAND...: the command fails and says MESSAGE (a grep pattern).
expect_refused() {
    local what=$1 message=$2 output
    shift 2
    if output=$("$@" 2>&1); then
        fail "$what: succeeded"
    elif ! grep -q -- "$message" <<<"$output"; then
        fail "$what: said '$output'"
    fi
}
# snapshot DB OUT [EARLIER]: every row of every table of DB, one file per table
# in OUT, sorted. With EARLIER (an earlier snapshot), only its tables and columns.
snapshot() {
    local db=$1 out=$2 earlier=${3:-} tables table columns
    mkdir -p "$out/.columns"
    if [ -n "$earlier" ]; then
        tables=$(ls "$earlier")
    else
        tables=$(sql "" "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = '$db'")
    fi
    for table in $tables; do
        if [ -n "$earlier" ]; then
            columns=$(cat "$earlier/.columns/$table")
        else
            columns=$(sql "" "SELECT GROUP_CONCAT(CONCAT('\`', COLUMN_NAME, '\`') ORDER BY ORDINAL_POSITION)
                FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = '$db' AND TABLE_NAME = '$table'")
        fi
        echo "$columns" >"$out/.columns/$table"
        sql "$db" "SELECT $columns FROM \`$table\`" | sort >"$out/$table"
    done
}
# picture DB ACCOUNT: the tables, columns, keys, constraints, routines, triggers,
# events and views of DB and the grants of ACCOUNT on it, with neither name in it.
picture() {
    local db="'$1'" account="'$2'"
    sql "" "
SELECT 'table', TABLE_NAME, TABLE_TYPE, ENGINE, TABLE_COLLATION, CREATE_OPTIONS, TABLE_COMMENT
FROM information_schema.TABLES WHERE TABLE_SCHEMA = $db ORDER BY 2;
SELECT 'column', TABLE_NAME, ORDINAL_POSITION, COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE,
       COALESCE(COLUMN_DEFAULT, '(none)'), EXTRA, COALESCE(COLLATION_NAME, ''), COLUMN_COMMENT,
       COALESCE(GENERATION_EXPRESSION, '')
FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = $db ORDER BY 2, 3;
SELECT 'index', TABLE_NAME, INDEX_NAME, NON_UNIQUE, SEQ_IN_INDEX, COLUMN_NAME, COALESCE(SUB_PART, ''),
       INDEX_TYPE, COLLATION, IGNORED
FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = $db ORDER BY 2, 3, 5;
SELECT 'check', TABLE_NAME, CONSTRAINT_NAME, LEVEL, CHECK_CLAUSE
FROM information_schema.CHECK_CONSTRAINTS WHERE CONSTRAINT_SCHEMA = $db ORDER BY 2, 3;
SELECT 'foreign key', k.TABLE_NAME, k.CONSTRAINT_NAME, k.ORDINAL_POSITION, k.COLUMN_NAME,
       k.REFERENCED_TABLE_NAME, k.REFERENCED_COLUMN_NAME, r.UPDATE_RULE, r.DELETE_RULE
FROM information_schema.KEY_COLUMN_USAGE k
JOIN information_schema.REFERENTIAL_CONSTRAINTS r
  ON r.CONSTRAINT_SCHEMA = k.CONSTRAINT_SCHEMA AND r.CONSTRAINT_NAME = k.CONSTRAINT_NAME
 AND r.TABLE_NAME = k.TABLE_NAME
WHERE k.TABLE_SCHEMA = $db ORDER BY 2, 3, 4;
SELECT 'routine', ROUTINE_TYPE, ROUTINE_NAME, COALESCE(DTD_IDENTIFIER, ''), IS_DETERMINISTIC,
       SQL_DATA_ACCESS, SECURITY_TYPE, SQL_MODE, DEFINER, ROUTINE_COMMENT, ROUTINE_DEFINITION
FROM information_schema.ROUTINES WHERE ROUTINE_SCHEMA = $db ORDER BY 2, 3;
SELECT 'parameter', SPECIFIC_NAME, ORDINAL_POSITION, COALESCE(PARAMETER_MODE, ''),
       COALESCE(PARAMETER_NAME, ''), DTD_IDENTIFIER
FROM information_schema.PARAMETERS WHERE SPECIFIC_SCHEMA = $db ORDER BY 2, 3;
SELECT 'trigger', TRIGGER_NAME, EVENT_OBJECT_TABLE, ACTION_TIMING, EVENT_MANIPULATION, ACTION_ORDER,
       SQL_MODE, DEFINER, ACTION_STATEMENT
FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = $db ORDER BY 2;
SELECT 'event', EVENT_NAME, EVENT_DEFINITION, STATUS FROM information_schema.EVENTS
WHERE EVENT_SCHEMA = $db ORDER BY 2;
SELECT 'view', TABLE_NAME, VIEW_DEFINITION FROM information_schema.VIEWS WHERE TABLE_SCHEMA = $db ORDER BY 2;
SELECT 'grant on database', Host, Select_priv, Insert_priv, Update_priv, Delete_priv, Execute_priv
FROM mysql.db WHERE Db = $db AND User = $account ORDER BY 2;
SELECT 'grant on table', Host, Table_name, Table_priv, Column_priv
FROM mysql.tables_priv WHERE Db = $db AND User = $account ORDER BY 2, 3;
SELECT 'grant on column', Host, Table_name, Column_name, Column_priv
FROM mysql.columns_priv WHERE Db = $db AND User = $account ORDER BY 2, 3, 4;
SELECT 'grant on routine', Host, Routine_type, Routine_name, Proc_priv
FROM mysql.procs_priv WHERE Db = $db AND User = $account ORDER BY 2, 3, 4;"
}
finish() {
    [ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
    echo "all checks passed"
}
