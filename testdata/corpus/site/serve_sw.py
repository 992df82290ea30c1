#!/usr/bin/env python3
"""Test site for a Service Worker cache (python3 stdlib only).

Serves on 127.0.0.1:PORT (default 8090) a page that registers sw.js; the worker's
install step puts the site's resources into the cache "vantry-v1", and the page
puts one response it makes itself. lib.js is sent gzip-encoded, /moved redirects
to /page.html.  Usage: serve_sw.py [PORT]
"""
import gzip
import http.server
import sys

INDEX = b"""<!doctype html><title>sw home</title>
<script>
navigator.serviceWorker.register('/sw.js').then(() => navigator.serviceWorker.ready)
  .then(() => caches.open('vantry-v1'))
  .then(c => c.put('/made-by-page', new Response('made by the page',
                   {headers: {'Content-Type': 'text/plain', 'X-Made': 'page'}})))
  .then(() => { document.title = 'cached'; });
</script>"""
SW = b"""self.addEventListener('install', e => e.waitUntil(
  caches.open('vantry-v1').then(c => c.addAll(
    ['/', '/page.html', '/style.css', '/lib.js', '/data.json', '/moved']))));
self.addEventListener('activate', e => e.waitUntil(self.clients.claim()));
"""
PAGE = b"<!doctype html><title>sw page</title><p>A page kept for offline use.</p>"
CSS = b"body { color: #123456; }\n"
LIB = b"function add(a, b) { return a + b; }\n" * 20
DATA = b'{"cached": true, "items": [1, 2, 3]}\n'

ROUTES = {
    "/": ("text/html; charset=utf-8", INDEX, False),
    "/sw.js": ("text/javascript", SW, False),
    "/page.html": ("text/html", PAGE, False),
    "/style.css": ("text/css", CSS, False),
    "/lib.js": ("application/javascript", LIB, True),
    "/data.json": ("application/json", DATA, False),
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        if self.path == "/moved":
            self.send_response(302)
            self.send_header("Location", "/page.html")
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        route = ROUTES.get(self.path)
        if not route:
            self.send_error(404)
            return
        kind, body, zipped = route
        if zipped:
            body = gzip.compress(body, mtime=0)
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Cache-Control", "max-age=3600")
        if zipped:
            self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


if __name__ == "__main__":
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 8090
    http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler).serve_forever()
