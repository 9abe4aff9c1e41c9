#!/usr/bin/env bash
# Converts the sample shop from the test MariaDB into a fresh simulator state with the
# conversion driver, and checks what arrived.
#
#   driver-end-to-end.sh DRIVER ADMIN WORKDIR
set -euo pipefail
driver=$1 admin=$2 work=$3

mkdir -p "$work"
state=$work/driver-end-to-end.sqlite
host=$(<"$TABWRIGHT_TEST_MARIADB_DIR/host")
oracle_password=sim-secret

rm -f "$state"
"$admin" "$state" create
"$admin" "$state" add-service FREEPDB1
printf '%s\n' "$oracle_password" | "$admin" "$state" add-account FREEPDB1 SYSTEM

# The passwords travel on standard input only (printf is a shell builtin: no process list).
output=$(printf '%s\n%s\n' tw-secret "$oracle_password" |
    ORACLE_SIM_STATE=$state "$driver" "$host" tabwright FREEPDB1 system engine_sample \
        customers orders 'order items')
printf '%s\n' "$output"

fail() {
    echo "driver-end-to-end: $*" >&2
    exit 1
}

grep -qxF 'ShowMessage [information] MySQL to ORACLE conversion completed successfully. -> OK' \
    <<<"$output" || fail "no success message"
grep -qxF 'SetProgressText 3 of 3 Table(s) are converted.' <<<"$output" ||
    fail "progress text not at 3 of 3"
if grep -qF -e tw-secret -e "$oracle_password" <<<"$output"; then
    fail "a password appears in the output"
fi

rows=$("$admin" "$state" rows SYSTEM CUSTOMERS)
[[ $(wc -l <<<"$rows") -eq 3 ]] || fail "CUSTOMERS has not 3 rows: $rows"
grep -qF "O'Neil" <<<"$rows" || fail "O'Neil did not arrive"
grep -qF 'likes fish, and [toys]' <<<"$rows" || fail "the notes were changed: $rows"
[[ $("$admin" "$state" rows SYSTEM ORDERS | wc -l) -eq 2 ]] || fail "ORDERS has not 2 rows"
items=$("$admin" "$state" rows SYSTEM 'ORDER ITEMS')
[[ $(wc -l <<<"$items") -eq 3 ]] || fail "ORDER ITEMS has not 3 rows: $items"
grep -qF 'fish 🐟' <<<"$items" || fail "the emoji did not arrive"
echo "driver-end-to-end: passed"
