#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the test run, owned by a non-root user.
#   pg-cluster.sh start DIR PORT   prints the admin URL on success
#   pg-cluster.sh stop DIR
set -euo pipefail

action=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [[ -z "$bin" ]]; then
  echo "PostgreSQL server binaries are not installed" >&2
  exit 1
fi

as_owner() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

case "$action" in
  start)
    port=$3
    rm -rf "$dir"
    mkdir -p "$dir"
    if [[ $(id -u) -eq 0 ]]; then chown postgres:postgres "$dir"; fi
    as_owner "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
      -o "-p $port -k $dir -c listen_addresses='' -c fsync=off -c full_page_writes=off -c max_connections=50" \
      start >/dev/null
    echo "postgresql://postgres@localhost:$port/postgres?host=$dir"
    ;;
  stop)
    if [[ -d "$dir/data" ]]; then
      as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start DIR PORT | stop DIR" >&2
    exit 2
    ;;
esac
