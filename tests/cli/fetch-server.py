#!/usr/bin/env python3
"""A stand-in for the aviation weather service's Data API, on 127.0.0.1 and
a free port, for the tests: it answers /api/data/metar?ids=...&format=raw
from recorded bodies by the stations asked, and counts the requests.

    fetch-server.py WORK_DIR

Writes its port to WORK_DIR/port once it listens, and each request's path
as a line of WORK_DIR/requests; runs until killed.
"""
import http.server
import os
import sys
import time
import urllib.parse

work = sys.argv[1]

# Recorded answers, by the ids asked (and hours).
REPORTS = {
    ("KJFK,EGLL", "3"): (
        "METAR KJFK 081751Z 24010G18KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163 T02440122\n"
        "METAR KJFK 081651Z 24009KT 10SM FEW250 23/12 A3002 RMK AO2 SLP166 T02330117\n"
        "METAR EGLL 081750Z 24015KT 9999 FEW030 12/08 Q1013 NOSIG\n"
        "METAR EGLL 081720Z 24014KT 9999 FEW030 12/08 Q1013 NOSIG\n"),
    ("KJFK", ""): "METAR KJFK 081751Z 24010G18KT 10SM FEW250 24/12 A3001 RMK AO2 SLP163\n",
    ("EGLL", "2"): "",
}


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass  # a client that stops reading (the over-large body)

    def do_GET(self):
        with open(os.path.join(work, "requests"), "a") as log:
            log.write(self.path + " " + self.headers.get("User-Agent", "") + "\n")
        url = urllib.parse.urlparse(self.path)
        query = urllib.parse.parse_qs(url.query)
        ids = query.get("ids", [""])[0]
        hours = query.get("hours", [""])[0]
        if url.path != "/api/data/metar" or query.get("format") != ["raw"]:
            return self.answer(404)
        if (ids, hours) in REPORTS:
            return self.answer(200, REPORTS[(ids, hours)].encode())
        if ids == "XBAD":
            return self.answer(400, b"bad request")
        if ids == "XRAT":
            return self.answer(429, b"too many requests")
        if ids == "XERR":
            return self.answer(500, b"internal error")
        if ids == "XNIL":
            return self.answer(204)
        if ids == "SLOW":
            time.sleep(4)
            return self.answer(200, REPORTS[("KJFK", "")].encode())
        if ids == "LOOP":
            return self.answer(302, headers=[("Location", self.path)])
        if ids == "HUGE":
            line = REPORTS[("KJFK", "")].encode()
            return self.answer(200, line * (9 * 1024 * 1024 // len(line)))
        if ids == "JUNK":
            return self.answer(200, bytes(range(256)) * 4)
        if ids == "HTML":
            return self.answer(200, b"<!DOCTYPE html><html><body>Service unavailable</body></html>\n")
        return self.answer(200, b"")


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
with open(os.path.join(work, "port.tmp"), "w") as handle:
    handle.write(str(server.server_address[1]))
os.rename(os.path.join(work, "port.tmp"), os.path.join(work, "port"))
server.serve_forever()
