#!/usr/bin/env bash
# Writes a database with one large table for timing tavix-view's virtual mode:
#   make-big-db.sh FILE [ROWS]   (default 10,000,000 rows)
set -euo pipefail
file=${1:?usage: make-big-db.sh FILE [ROWS]}
rows=${2:-10000000}
rm -f "$file"
sqlite3 "$file" >/dev/null <<SQL
PRAGMA journal_mode = OFF;
PRAGMA synchronous = OFF;
CREATE TABLE big (id INTEGER PRIMARY KEY, label TEXT, amount CURRENCY, day DATE, flag BOOLEAN);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $rows)
INSERT INTO big SELECT i, 'item ' || i, (i * 7919 % 100000) / 100.0,
  date('2020-01-01', '+' || (i % 2000) || ' days'), i % 3 = 0 FROM n;
SQL
echo "$file: $rows rows"
