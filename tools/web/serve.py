#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves a folder of static files on localhost, as any web server would.

Usage: serve.py [FOLDER [PORT]]   (default: build-web, 8000 or the next free port)

Prints the address on its first line, then serves until interrupted. It sends
.wasm as application/wasm and compresses .wasm, .js, .html and .css for a
browser that accepts gzip, as most hosts do; the page must then count the
bytes it reads rather than trust the length of the compressed transfer.
"""
import functools
import gzip
import http.server
import os
import sys

COMPRESSED = (".wasm", ".js", ".html", ".css", ".txt")


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
    }
    # Compressed files, by path, with the time of the file they were made from.
    cache = {}

    def end_headers(self):
        # Asks the browser to check each file again, so that a new build shows at once.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        wants_gzip = "gzip" in self.headers.get("Accept-Encoding", "")
        if not (wants_gzip and path.endswith(COMPRESSED) and os.path.isfile(path)):
            return super().send_head()
        stat = os.stat(path)
        cached = self.cache.get(path)
        if cached is None or cached[0] != stat.st_mtime_ns:
            with open(path, "rb") as file:
                cached = (stat.st_mtime_ns, gzip.compress(file.read(), 6, mtime=0))
            self.cache[path] = cached
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(cached[1])))
        self.send_header("Last-Modified", self.date_time_string(int(stat.st_mtime)))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return _Bytes(cached[1])


class _Bytes:
    """What send_head returns: something to copy the body from."""

    def __init__(self, data):
        self.data = data

    def read(self, size=-1):
        data, self.data = (self.data, b"") if size < 0 else (self.data[:size], self.data[size:])
        return data

    def close(self):
        pass


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "build-web"
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    if not os.path.isfile(os.path.join(folder, "index.html")):
        sys.exit(f"serve.py: {folder} has no index.html; build it with tools/web/build.sh")
    handler = functools.partial(Handler, directory=folder)
    for candidate in (port, 0) if len(sys.argv) <= 2 else (port,):
        try:
            server = http.server.ThreadingHTTPServer(("127.0.0.1", candidate), handler)
            break
        except OSError:
            if candidate == 0 or len(sys.argv) > 2:
                raise
    print(f"http://localhost:{server.server_port}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
