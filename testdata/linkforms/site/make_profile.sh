#!/bin/bash
# Makes ../firefox (the cache of Debian's firefox-esr after visiting this site) from scratch.
# Runs serve.py itself; needs the ports 8091, 8092 and 2838 free. WORK: where the throw-away
# profile goes (default: a new temporary folder).
set -e
SITE="$(cd "$(dirname "$0")" && pwd)"
CORPUS_SITE="$SITE/../../corpus/site"
WORK="${WORK:-$(mktemp -d)}"
P="$WORK/ff-profile"
rm -rf "$P"; mkdir -p "$P"
sed "s|\"@FF_PROFILE@\"|\"$P\"|" "$CORPUS_SITE/ff-user.template.js" > "$P/user.js"
echo 'user_pref("marionette.port", 2838);' >> "$P/user.js"
python3 "$SITE/serve.py" "$WORK/server.log" & SERVER=$!
trap 'kill $SERVER' EXIT
sleep 1
A=http://127.0.0.1:8091; B=http://127.0.0.1:8092
python3 "$SITE/drive_firefox.py" "$P" 2838 $A/ $A/docs/ $A/docs/guide.html $A/docs.html \
  "$A/list.html?page=2&sort=name" $A/report "$A/menu/caf%C3%A9.html" $A/frame.html $B/
rm -rf "$SITE/../firefox"; mkdir -p "$SITE/../firefox"
cp -a "$P/cache2" "$SITE/../firefox/"
rm -rf "$SITE/../firefox/cache2/doomed" "$SITE/../firefox/cache2/trash"*
echo "profile written to $SITE/../firefox ($(ls "$SITE/../firefox/cache2/entries" | wc -l) cache entries)"
