#!/usr/bin/env bash
# Builds the project and runs every test: the database tests on the embedded
# SQLite server and on a throwaway PostgreSQL cluster started for this run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/build.sh

pg_dir=/tmp/mammo-test-pg-$$
pg_port=${MAMMO_TEST_PG_PORT:-55432}
cleanup() { bash "$root/scripts/pg-cluster.sh" stop "$pg_dir"; }
trap cleanup EXIT

admin_url=$(bash scripts/pg-cluster.sh start "$pg_dir" "$pg_port")
export MAMMO_TEST_PG_ADMIN="$admin_url"
# One migrated template; each test database is a copy of it.
template_url=${admin_url/\/postgres\?/\/mammo_template\?}
runuser_psql() {
  if [[ $(id -u) -eq 0 ]]; then runuser -u postgres -- psql "$@"; else psql "$@"; fi
}
runuser_psql -h "$pg_dir" -p "$pg_port" -U postgres -d postgres -q -c "CREATE DATABASE mammo_template"
build/app/mammo-db create "$template_url" >/dev/null

export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure --parallel 2 "$@"
