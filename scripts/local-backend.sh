#!/usr/bin/env bash
# Runs Tintora's local backend: a private PostgreSQL 15 cluster plus tintora-backend,
# both kept in one data folder.
#
#   local-backend.sh start|stop|status [--data DIR] [--bin PATH] [-- SERVER_ARGS...]
#
# DIR defaults to ${XDG_STATE_HOME:-$HOME/.local/state}/tintora/backend (as root:
# /var/lib/tintora/backend); PATH to build/bin/tintora-backend of this repository.
#
# `start` prints exactly two lines on stdout, TINTORA_BACKEND_URL=... and TINTORA_BACKEND_KEY=...,
# so `eval "$(scripts/local-backend.sh start)"` configures a shell. Everything else goes to stderr.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
pgbin=/usr/lib/postgresql/15/bin
# As root the cluster runs as the postgres user, which cannot enter root's home folder.
if [ "$(id -u)" -eq 0 ]; then
  data=/var/lib/tintora/backend
else
  data="${XDG_STATE_HOME:-$HOME/.local/state}/tintora/backend"
fi
bin="$repo/build/bin/tintora-backend"
server_args=()

say() { echo "local-backend: $*" >&2; }
fail() { say "$*"; exit 1; }

usage() {
  echo "usage: $0 start|stop|status [--data DIR] [--bin PATH] [-- SERVER_ARGS...]" >&2
  exit 2
}

[ $# -ge 1 ] || usage
command=$1
shift
while [ $# -gt 0 ]; do
  case $1 in
    --data) [ $# -ge 2 ] || usage; data=$2; shift 2 ;;
    --bin) [ $# -ge 2 ] || usage; bin=$2; shift 2 ;;
    --) shift; server_args=("$@"); break ;;
    *) usage ;;
  esac
done
case $command in start|stop|status) ;; *) usage ;; esac

if [ ! -d "$data" ]; then
  case $command in
    start) mkdir -p "$data" ;;
    stop) exit 0 ;;
    status) echo "not running"; exit 1 ;;
  esac
fi
data=$(cd "$data" && pwd)

# One start or stop at a time per folder; the lock is not passed on to the processes started.
if [ "$command" != status ] && [ -z "${TINTORA_BACKEND_LOCKED:-}" ]; then
  TINTORA_BACKEND_LOCKED=1 exec flock -o "$data/.lock" bash "$0" "$command" --data "$data" --bin "$bin" \
    -- "${server_args[@]}"
fi
pgdata="$data/pgdata"
pgsocket="$data/pgsocket"
pglog="$data/postgres.log"
pgportfile="$data/postgres.port"
pidfile="$data/server.pid"
envfile="$data/server.env"
serverlog="$data/server.log"

# PostgreSQL refuses to run as root, so the cluster belongs to the postgres user then.
if [ "$(id -u)" -eq 0 ]; then
  as_db_owner() { runuser -u postgres -- "$@"; }
else
  as_db_owner() { "$@"; }
fi

cluster_running() {
  [ -f "$pgdata/PG_VERSION" ] && as_db_owner "$pgbin/pg_ctl" -D "$pgdata" status >/dev/null 2>&1
}

server_pid() {
  local pid
  [ -f "$pidfile" ] || return 1
  pid=$(<"$pidfile")
  [[ $pid =~ ^[0-9]+$ ]] || return 1
  # The pid file may be stale and the number reused by an unrelated process.
  tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q tintora-backend || return 1
  echo "$pid"
}

env_value() {
  sed -n "s/^$1=//p" "$envfile" 2>/dev/null | head -n 1
}

# A GET of the health endpoint over bash's own TCP support, so no HTTP client is needed.
server_answers() {
  local url port reply
  url=$(env_value TINTORA_BACKEND_URL)
  port=${url##*:}
  [[ $port =~ ^[0-9]+$ ]] || return 1
  reply=$(timeout 5 bash -c '
    exec 3<>"/dev/tcp/127.0.0.1/$1" || exit 1
    printf "GET /auth/v1/health HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n" >&3
    head -n 1 <&3' _ "$port" 2>/dev/null) || return 1
  [[ $reply == "HTTP/1.1 200"* ]]
}

port_in_use() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

prepare_folder() {
  chmod 700 "$data"
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- test -x "$(dirname "$data")" ||
      fail "the postgres user cannot reach $data; choose a --data folder it can enter"
    chown postgres: "$data"
  fi
}

init_cluster() {
  [ -f "$pgdata/PG_VERSION" ] && return 0
  say "creating a PostgreSQL cluster in $pgdata"
  as_db_owner mkdir -m 700 -p "$pgsocket"
  as_db_owner "$pgbin/initdb" -D "$pgdata" -U postgres -E UTF8 --no-locale --no-sync \
    --auth-local=trust --auth-host=scram-sha-256 >&2
  local quoted=${pgsocket//\'/\'\'}
  # Only the owner may use the socket, nothing but loopback is listened on, and no failing
  # statement (which may carry a password literal) is copied into the log.
  as_db_owner tee -a "$pgdata/postgresql.conf" >/dev/null <<EOF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$quoted'
unix_socket_permissions = 0700
log_min_error_statement = panic
EOF
}

start_cluster() {
  if cluster_running; then
    return 0
  fi
  local attempt port
  for attempt in 1 2 3 4 5 6 7 8; do
    port=$(shuf -i 20000-59999 -n 1)
    port_in_use "$port" && continue
    if as_db_owner "$pgbin/pg_ctl" -D "$pgdata" -l "$pglog" -w -t 60 -o "-p $port" start >&2; then
      echo "$port" >"$pgportfile"
      return 0
    fi
    say "PostgreSQL did not start on port $port (attempt $attempt)"
  done
  tail -n 20 "$pglog" >&2 || true
  fail "PostgreSQL did not start"
}

create_database() {
  local port
  port=$(<"$pgportfile")
  as_db_owner "$pgbin/psql" -X -q -h "$pgsocket" -p "$port" -U postgres -d postgres \
    -v ON_ERROR_STOP=1 >&2 <<'EOF'
select 'create role tintora login createrole'
  where not exists (select from pg_roles where rolname = 'tintora') \gexec
select 'create database tintora owner tintora'
  where not exists (select from pg_database where datname = 'tintora') \gexec
EOF
}

# A value quoted for a libpq connection string, so folders with spaces or quotes work.
conninfo_quote() {
  local value=${1//\\/\\\\}
  printf "'%s'" "${value//\'/\\\'}"
}

start_server() {
  local port pid
  port=$(<"$pgportfile")
  [ -x "$bin" ] || fail "no server binary at $bin (build first, or pass --bin)"
  rm -f "$envfile"
  "$bin" --port 0 --secret-file "$data/jwt-secret" \
    --database "host=$(conninfo_quote "$pgsocket") port=$port dbname=tintora user=tintora" \
    "${server_args[@]}" </dev/null >"$envfile" 2>>"$serverlog" &
  pid=$!
  echo "$pid" >"$pidfile"
  # The server prints its two lines only once it listens; the probe then confirms it answers.
  for _ in $(seq 1 300); do
    if ! kill -0 "$pid" 2>/dev/null; then
      tail -n 20 "$serverlog" >&2 || true
      fail "the server exited while starting (log: $serverlog)"
    fi
    if [ "$(grep -c '^TINTORA_BACKEND_' "$envfile" 2>/dev/null)" = 2 ] && server_answers; then
      return 0
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  fail "the server did not answer (log: $serverlog)"
}

stop_server() {
  local pid
  pid=$(server_pid) || { rm -f "$pidfile" "$envfile"; return 0; }
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$pidfile" "$envfile"
}

case $command in
  start)
    if server_pid >/dev/null && server_answers; then
      [ ${#server_args[@]} -eq 0 ] || say "already running; server arguments ignored"
      grep '^TINTORA_BACKEND_' "$envfile"
      exit 0
    fi
    stop_server
    prepare_folder
    init_cluster
    start_cluster
    create_database
    start_server
    grep '^TINTORA_BACKEND_' "$envfile"
    ;;
  stop)
    stop_server
    if cluster_running; then
      as_db_owner "$pgbin/pg_ctl" -D "$pgdata" -m fast -w stop >&2
    fi
    ;;
  status)
    if server_pid >/dev/null && server_answers; then
      echo "running at $(env_value TINTORA_BACKEND_URL)"
    else
      echo "not running"
      exit 1
    fi
    ;;
esac
