#!/usr/bin/env python3
"""Serves xls_read.py to tests that cannot start it themselves: a Windows test under wine can
neither run nor wait for a Linux program, but it can connect to 127.0.0.1. Each connection sends
one JSON line {"args": [...]}, Windows paths among them (turned into Linux ones by winepath), and
gets back one JSON line {"code": exit code, "out": standard output, "err": standard error}.

Usage: xls_read_server.py PORT-FILE   (listens on a free port and writes it into PORT-FILE)"""
import json
import os
import re
import socketserver
import subprocess
import sys

READER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "xls_read.py")
WINDOWS_PATH = re.compile(r"^[A-Za-z]:[\\/]")


def linux_path(arg):
    if not WINDOWS_PATH.match(arg):
        return arg
    return subprocess.run(["winepath", "-u", arg], capture_output=True, text=True,
                          check=True).stdout.strip()


class Reader(socketserver.StreamRequestHandler):
    def handle(self):
        request = json.loads(self.rfile.readline().decode("utf-8"))
        args = [linux_path(a) for a in request["args"]]
        done = subprocess.run([sys.executable, READER] + args, capture_output=True)
        reply = {"code": done.returncode, "out": done.stdout.decode("utf-8", "replace"),
                 "err": done.stderr.decode("utf-8", "replace")}
        self.wfile.write(json.dumps(reply).encode("utf-8") + b"\n")


class Server(socketserver.ThreadingMixIn, socketserver.TCPServer):
    daemon_threads = True
    allow_reuse_address = True


if __name__ == "__main__":
    with Server(("127.0.0.1", 0), Reader) as server:
        with open(sys.argv[1], "w") as f:
            f.write(str(server.server_address[1]))
        server.serve_forever()
