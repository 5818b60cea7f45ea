#!/usr/bin/python3
"""A throwaway RFC 3161 time-stamp authority, for signing tests.

Usage: TimeStampAuthority.py FOLDER PID

Makes a key and a self-signed time-stamping certificate in FOLDER
(FOLDER/tsa.pem is the certificate to trust), prints the address it
answers at, and goes on answering in the background, for as long as the
process PID lives: each request POSTed to it (application/timestamp-query)
gets OpenSSL's reply (`openssl ts -reply`).
"""

import http.server
import os
import subprocess
import sys

CONFIGURATION = """[tsa]
default_tsa = brisvane
[brisvane]
serial = {folder}/serial
signer_cert = {folder}/tsa.pem
certs = {folder}/tsa.pem
signer_key = {folder}/tsa.key
signer_digest = sha256
default_policy = 1.3.6.1.4.1.4146.2.3
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
crypto_device = builtin
"""


class TimeStamps(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        if self.headers.get("Content-Type") != "application/timestamp-query":
            self.send_error(415, "not a time-stamp query")
            return
        reply = subprocess.run(["openssl", "ts", "-reply", "-config", self.server.configuration, "-queryfile",
                                "/dev/stdin", "-out", "/dev/stdout"], input=query, capture_output=True)
        if reply.returncode != 0:
            self.send_error(400, reply.stderr.decode(errors="replace").strip().replace("\n", " "))
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply.stdout)))
        self.end_headers()
        self.wfile.write(reply.stdout)

    def log_message(self, *arguments):
        pass


def Alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except ProcessLookupError:
        return False


def main():
    folder, watched = os.path.abspath(sys.argv[1]), int(sys.argv[2])
    os.makedirs(folder, exist_ok=True)
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:3072", "-nodes", "-days", "30",
                    "-subj", "/CN=Brisvane throwaway time-stamp authority",
                    "-addext", "extendedKeyUsage=critical,timeStamping",
                    "-addext", "keyUsage=critical,digitalSignature",
                    "-keyout", folder + "/tsa.key", "-out", folder + "/tsa.pem"], check=True, capture_output=True)
    with open(folder + "/serial", "w") as serial:
        serial.write("01\n")
    with open(folder + "/tsa.cnf", "w") as configuration:
        configuration.write(CONFIGURATION.format(folder=folder))
    server = http.server.HTTPServer(("127.0.0.1", 0), TimeStamps)
    server.configuration = folder + "/tsa.cnf"
    server.timeout = 1
    if os.fork() != 0:
        print("http://127.0.0.1:%d/" % server.server_port, flush=True)
        return
    # The answering child lets go of the caller's output, so that $(...) ends.
    devnull = os.open(os.devnull, os.O_RDWR)
    for stream in range(3):
        os.dup2(devnull, stream)
    while Alive(watched):
        server.handle_request()


if __name__ == "__main__":
    main()
