#!/bin/bash
# Compares this project's tree copy of a cached site with `wget -m -k -p` of the same site served
# live on the loopback, by the references each leaves unresolved when its pages are opened from
# disk (count_references.py). Sites: the corpus (testdata/corpus, ports 8081 and 8082) and the
# reference-forms site (testdata/linkforms, ports 8091 and 8092); their ports must be free.
# Usage: bench/archive/compare_with_wget.sh [VANTRY-STORE-BINARY]   (default: build/tools/vantry-store/vantry-store)
set -e
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
STORE_TOOL="$(realpath "${1:-$ROOT/build/tools/vantry-store/vantry-store}")"
COUNT="$ROOT/bench/archive/count_references.py"
WORK="$(mktemp -d)"
SERVER=""
trap '[ -n "$SERVER" ] && kill "$SERVER" 2>/dev/null; rm -rf "$WORK"' EXIT
command -v wget >/dev/null || { echo "wget is not installed (apt-get install wget)" >&2; exit 1; }

# Waits until every port given answers on the loopback (a busy machine starts servers slowly).
wait_for_ports() {
  local port tries
  for port in "$@"; do
    for tries in $(seq 100); do
      (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue 2
      sleep 0.1
    done
    echo "the test server did not answer on port $port" >&2
    exit 1
  done
}

# compare NAME SERVE.PY PROFILE START-URL PORT...
compare() {
  local name="$1" serve="$2" profile="$3" url="$4"
  shift 4
  mkdir -p "$WORK/$name/wget" "$WORK/$name/archive"
  python3 "$serve" "$WORK/$name/server.log" >/dev/null 2>&1 & SERVER=$!
  wait_for_ports "$@"
  (cd "$WORK/$name/wget" && wget -m -k -p -q "$url" || true)
  kill "$SERVER"; wait "$SERVER" 2>/dev/null || true; SERVER=""
  VANTRY_STORE="$WORK/$name/store" "$STORE_TOOL" import firefox "$profile" >/dev/null 2>&1
  (cd "$WORK/$name/archive" && VANTRY_STORE="$WORK/$name/store" "$STORE_TOOL" copy-tree "$url" copy >/dev/null)
  VANTRY_STORE="$WORK/$name/store" "$STORE_TOOL" list > "$WORK/$name/cached"
  echo "$name, $url"
  echo "  wget -m -k -p (live):   $(python3 "$COUNT" "$WORK/$name/wget" --cached "$WORK/$name/cached")"
  echo "  vantry-store copy-tree: $(python3 "$COUNT" "$WORK/$name/archive/copy" --cached "$WORK/$name/cached")"
}

compare corpus "$ROOT/testdata/corpus/site/serve.py" "$ROOT/testdata/corpus/firefox" http://127.0.0.1:8081/ 8081 8082
compare reference-forms "$ROOT/testdata/linkforms/site/serve.py" "$ROOT/testdata/linkforms/firefox" http://127.0.0.1:8091/ 8091 8092
