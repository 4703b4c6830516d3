#!/usr/bin/env python3
"""Stands between the program and the private print server and, on demand, stops answering.

Usage: silent_proxy.py <listen socket> <server socket> <fault file>

Forwards every connection on <listen socket> to <server socket> unchanged. Before each request
it reads <fault file>: when it names the IPP operation the request carries (Get-Printer-Attributes,
Create-Job, Send-Document, Get-Job-Attributes, CUPS-Get-Default, ...) or is "*", the request never
reaches the server and the connection goes silent both ways, as a server that hung would, until
the program gives up and closes it.
"""

import os
import socket
import sys
import threading

OPERATIONS = {
    0x0002: "Print-Job",
    0x0005: "Create-Job",
    0x0006: "Send-Document",
    0x0008: "Cancel-Job",
    0x0009: "Get-Job-Attributes",
    0x000A: "Get-Jobs",
    0x000B: "Get-Printer-Attributes",
    0x4001: "CUPS-Get-Default",
    0x4002: "CUPS-Get-Printers",
}


class Reader:
    """A buffered reader over a socket that hands back exact byte counts and lines."""

    def __init__(self, sock):
        self.sock = sock
        self.buffer = b""

    def fill(self):
        data = self.sock.recv(65536)
        if not data:
            raise EOFError
        self.buffer += data

    def line(self):
        while b"\r\n" not in self.buffer:
            self.fill()
        line, self.buffer = self.buffer.split(b"\r\n", 1)
        return line + b"\r\n"

    def exactly(self, count):
        while len(self.buffer) < count:
            self.fill()
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data

    def peek(self, count):
        while len(self.buffer) < count:
            self.fill()
        return self.buffer[:count]


def fault(fault_file):
    try:
        with open(fault_file, encoding="ascii") as file:
            return file.read().strip()
    except OSError:
        return ""


def silence(client):
    """Takes whatever the program still sends and never answers."""
    try:
        while client.recv(65536):
            pass
    except OSError:
        pass


def pump(source, sink):
    try:
        while True:
            data = source.recv(65536)
            if not data:
                break
            sink.sendall(data)
    except OSError:
        pass
    for sock in (sink, source):
        try:
            sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def requests(client, server, fault_file):
    """Forwards one request after another, each whole, looking at its operation first."""
    reader = Reader(client)
    try:
        while True:
            head = [reader.line()]
            while head[-1] != b"\r\n":
                head.append(reader.line())
            fields = {}
            for line in head[1:-1]:
                name, _, value = line.decode("latin-1").partition(":")
                fields[name.strip().lower()] = value.strip()
            chunked = fields.get("transfer-encoding", "").lower() == "chunked"
            length = int(fields.get("content-length", "0") or 0)
            wanted = fault(fault_file)
            if wanted and (chunked or length > 0):
                start = reader.peek(32)
                body = start.split(b"\r\n", 1)[1] if chunked else start
                while len(body) < 4:
                    start = reader.peek(len(start) + 1)
                    body = start.split(b"\r\n", 1)[1] if chunked else start
                operation = OPERATIONS.get(int.from_bytes(body[2:4], "big"), "")
                if wanted in ("*", operation):
                    silence(client)
                    return
            server.sendall(b"".join(head))
            if chunked:
                while True:
                    size_line = reader.line()
                    size = int(size_line.split(b";")[0], 16)
                    server.sendall(size_line + reader.exactly(size + 2))
                    if size == 0:
                        break
            elif length > 0:
                server.sendall(reader.exactly(length))
    except (EOFError, OSError, ValueError):
        pass
    finally:
        for sock in (server, client):
            try:
                sock.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass


def serve(client, server_path, fault_file):
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        server.connect(server_path)
    except OSError:
        client.close()
        return
    answers = threading.Thread(target=pump, args=(server, client), daemon=True)
    answers.start()
    requests(client, server, fault_file)
    answers.join()
    client.close()
    server.close()


def main():
    listen_path, server_path, fault_file = sys.argv[1:4]
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listener.bind(listen_path)
    os.chmod(listen_path, 0o777)
    listener.listen(64)
    while True:
        client, _ = listener.accept()
        threading.Thread(
            target=serve, args=(client, server_path, fault_file), daemon=True
        ).start()


if __name__ == "__main__":
    main()
