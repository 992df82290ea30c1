#!/usr/bin/env python3
"""Test web server for the reference-forms site: ./port8091 on 127.0.0.1:8091 and ./port8092 on
127.0.0.1:8092. Pages and style sheets go out gzip-encoded when the browser accepts it; two files
without an extension get their type from the table below; everything may be cached for a day.
Usage: python3 serve.py [logfile]
"""
import gzip
import http.server
import os
import sys
import threading
import time
import urllib.parse

ROOT = os.path.dirname(os.path.abspath(__file__))
LOG = open(sys.argv[1] if len(sys.argv) > 1 else os.devnull, "a", buffering=1)
TYPES = {".html": "text/html; charset=utf-8", ".css": "text/css", ".png": "image/png"}
NAMED_TYPES = {"/report": "text/html; charset=utf-8", "/img/pixel": "image/png"}


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        LOG.write("%s %s\n" % (time.strftime("%H:%M:%S"), fmt % args))

    def send_head(self):
        path = urllib.parse.unquote(self.path.split("?", 1)[0])
        local = self.translate_path(self.path)
        if os.path.isdir(local):
            local = os.path.join(local, "index.html")
        if not os.path.isfile(local):
            self.send_error(404)
            return None
        body = open(local, "rb").read()
        content_type = NAMED_TYPES.get(path) or TYPES.get(os.path.splitext(local)[1], "application/octet-stream")
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        if not content_type.startswith("image/") and "gzip" in self.headers.get("Accept-Encoding", ""):
            body = gzip.compress(body)
            self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "public, max-age=86400")
        self.end_headers()
        import io
        return io.BytesIO(body)


def run(port, folder):
    handler = lambda *a, **k: Handler(*a, directory=os.path.join(ROOT, folder), **k)
    http.server.ThreadingHTTPServer(("127.0.0.1", port), handler).serve_forever()


if __name__ == "__main__":
    for port, folder in ((8091, "port8091"), (8092, "port8092")):
        threading.Thread(target=run, args=(port, folder), daemon=True).start()
    print("serving on 127.0.0.1:8091 and :8092", flush=True)
    while True:
        time.sleep(3600)
