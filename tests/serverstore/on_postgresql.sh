#!/usr/bin/env bash
# Runs a test program (the storage tests, or the server's HTTP tests) against
# a throwaway PostgreSQL cluster made by pg_virtualenv (postgresql-common);
# skipped (77) when PostgreSQL or the Qt driver is missing, or when not run as
# root (pg_virtualenv needs it). Further arguments go to the test program.
set -euo pipefail
if ! command -v pg_virtualenv >/dev/null 2>&1; then
  echo "pg_virtualenv not installed: PostgreSQL storage tests skipped"
  exit 77
fi
if ! ls /usr/lib/*/qt6/plugins/sqldrivers/libqsqlpsql.so >/dev/null 2>&1; then
  echo "Qt's PostgreSQL driver not installed: PostgreSQL storage tests skipped"
  exit 77
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "pg_virtualenv needs root here: PostgreSQL storage tests skipped"
  exit 77
fi
# The cluster's address comes from the PG* variables pg_virtualenv sets.
exec pg_virtualenv -t env VARNOK_TEST_DATABASE=postgresql: VARNOK_TEST_SERVER_DATABASE=postgresql: "$@"
