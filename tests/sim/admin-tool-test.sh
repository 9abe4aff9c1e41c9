#!/usr/bin/env bash
# Drives oracle-sim-admin as a script would: set up a state, run statements, read them back.
set -euo pipefail
admin=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
db=$work/state.db

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
expect() {
    local what=$1 expected=$2 actual=$3
    [[ "$actual" == "$expected" ]] || fail "$what: expected [$expected], got [$actual]"
}

"$admin" "$db" create
"$admin" "$db" add-service ORCL localhost 1522
printf 'se;cr,et\n' | "$admin" "$db" add-account ORCL SYSTEM other-schemas

echo "CREATE TABLE T(A VARCHAR2(3), B RAW(2), PRIMARY KEY(A))" | "$admin" "$db" exec SYSTEM
echo "INSERT INTO T VALUES('x','1')" | "$admin" "$db" exec SYSTEM
printf "INSERT INTO T VALUES('y',NULL)\n" | "$admin" "$db" exec SYSTEM

expect "rows" $'x\t01\ny\t\\N' "$("$admin" "$db" rows SYSTEM T)"
expect "columns" $'A\tVARCHAR2(3)\nB\tRAW(2)' "$("$admin" "$db" columns SYSTEM T)"
expect "tables" $'SYSTEM\tT' "$("$admin" "$db" tables)"
[[ "$("$admin" "$db" constraints SYSTEM T)" == SYS_C*$'\tPRIMARY KEY\tA' ]] ||
    fail "constraints"

# An account named in lower case is the upper-case user a logon looks for.
printf 'pw\n' | "$admin" "$db" add-account ORCL scott
echo "CREATE TABLE OWN(A VARCHAR2(1))" | "$admin" "$db" exec scott
expect "lower-case account" $'SYSTEM\tT\nSCOTT\tOWN' "$("$admin" "$db" tables)"

# A refused statement prints Oracle's error and exits 1.
set +e
out=$(echo "INSERT INTO T VALUES('long','1')" | "$admin" "$db" exec SYSTEM)
status=$?
set -e
expect "refused status" 1 "$status"
expect "refused text" 'ORA-12899: value too large for column "SYSTEM"."T"."A" (actual: 4, maximum: 3)' "$out"

# Scene-setting statements stay out of the statement record.
expect "statements" "" "$("$admin" "$db" statements)"

"$admin" "$db" fail session 2 942 "gone"
"$admin" "$db" unavailable on
"$admin" "$db" wording 23ai
"$admin" "$db" clear-failures

set +e
"$admin" "$db" no-such-command 2>/dev/null
status=$?
set -e
expect "usage status" 2 "$status"
echo "ok"
