#!/bin/bash
# Make the Chromium samples of the other cache formats. Needs serve.py running; starts
# serve_sw.py (port 8090) itself.
#   chromium-blockfile/Cache_Data   the HTTP cache written by the blockfile backend, which
#                                   Chromium on Linux uses when its backend experiment asks
#                                   for it (Chrome on Windows uses it by default)
#   chromium-serviceworker/Service Worker/CacheStorage
#                                   a site's Service Worker cache (Simple Cache folders whose
#                                   stream 0 is a protocol buffer record)
# CORPUS = the corpus root (default: the folder above this script).
# WORK   = where the throw-away profiles go (default: $CORPUS/scratch).
set -e
CORPUS="${CORPUS:-$(cd "$(dirname "$0")/.." && pwd)}"
WORK="${WORK:-$CORPUS/scratch}"
D="$CORPUS/site/cr_drive.py"
A=http://127.0.0.1:8081; B=http://127.0.0.1:8082; S=http://127.0.0.1:8090
LONG=$(printf 'k%.0s' $(seq 1000))     # a key longer than an entry record holds
HUGE=$(printf 'h%.0s' $(seq 17000))    # a key longer than four 4 KiB blocks hold

P="$WORK/chromium-blockfile-profile"; rm -rf "$P"; mkdir -p "$P"; P="$(cd "$P" && pwd)"
export CHROMIUM_EXTRA_FLAGS="--enable-features=DiskCacheBackendExperiment:backend/blockfile --disk-cache-size=50000000"
python3 "$D" "$P" $A/ $A/a/b/page.html $A/default.asp $A/jump.html "$A/readme.txt?long=$LONG" \
  "$A/readme.txt?huge=$HUGE" $B/ $A/many.html
python3 "$D" "$P" $A/ $A/a/b/page.html $A/default.asp      # revisits: reuse counts
unset CHROMIUM_EXTRA_FLAGS

W="$WORK/chromium-serviceworker-profile"; rm -rf "$W"; mkdir -p "$W"; W="$(cd "$W" && pwd)"
python3 "$CORPUS/site/serve_sw.py" 8090 > "$WORK/serve_sw.out" 2>&1 &
SW_PID=$!
sleep 1
python3 "$D" "$W" $S/ WAIT:4 $S/page.html
kill "$SW_PID"

rm -rf "$CORPUS/chromium-blockfile" "$CORPUS/chromium-serviceworker"
mkdir -p "$CORPUS/chromium-blockfile" "$CORPUS/chromium-serviceworker/Service Worker"
cp -r "$P/Default/Cache/Cache_Data" "$CORPUS/chromium-blockfile/"
cp -r "$W/Default/Service Worker/CacheStorage" "$CORPUS/chromium-serviceworker/Service Worker/"
