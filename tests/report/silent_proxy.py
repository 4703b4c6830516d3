#!/usr/bin/env python3
"""Stands between the program and the private print server and, on demand, stops answering.

Usage: silent_proxy.py <listen socket> <server socket> <fault file>

Forwards every connection on <listen socket> to <server socket> unchanged. Before each request it
reads <fault file>: when that names the request's IPP operation (one of several, separated by
commas), or is "*", the request never reaches the server and the connection goes silent both
ways, as a hung server's would, until the program gives up and closes it.
"""

import os
import socket
import sys
import threading

OPERATIONS = {0x05: "Create-Job", 0x06: "Send-Document", 0x08: "Cancel-Job",
              0x09: "Get-Job-Attributes", 0x0B: "Get-Printer-Attributes"}


class Reader:
    def __init__(self, sock):
        self.sock, self.buffer = sock, b""

    def want(self, count):
        while len(self.buffer) < count:
            data = self.sock.recv(65536)
            if not data:
                raise EOFError
            self.buffer += data

    def line(self):
        while b"\r\n" not in self.buffer:
            self.want(len(self.buffer) + 1)
        line, self.buffer = self.buffer.split(b"\r\n", 1)
        return line + b"\r\n"

    def take(self, count):
        self.want(count)
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data


def silenced(reader, fields, fault_file):
    try:
        with open(fault_file, encoding="ascii") as file:
            wanted = file.read().strip()
    except OSError:
        return False
    if wanted == "*":
        return True
    if not wanted:
        return False
    # The operation is the second pair of bytes of the IPP message, after a chunk's size line.
    skip = 0
    if fields.get("transfer-encoding", "").lower() == "chunked":
        while b"\r\n" not in reader.buffer:
            reader.want(len(reader.buffer) + 1)
        skip = reader.buffer.index(b"\r\n") + 2
    reader.want(skip + 4)
    operation = OPERATIONS.get(int.from_bytes(reader.buffer[skip + 2:skip + 4], "big"))
    return operation in wanted.split(",")


def requests(client, server, fault_file):
    """Forwards one whole request after another."""
    reader = Reader(client)
    while True:
        head = [reader.line()]
        while head[-1] != b"\r\n":
            head.append(reader.line())
        fields = {}
        for line in head[1:-1]:
            name, _, value = line.decode("latin-1").partition(":")
            fields[name.strip().lower()] = value.strip()
        if silenced(reader, fields, fault_file):
            while client.recv(65536):
                pass
            return
        server.sendall(b"".join(head))
        if fields.get("transfer-encoding", "").lower() == "chunked":
            size = -1
            while size != 0:
                size_line = reader.line()
                size = int(size_line.split(b";")[0], 16)
                server.sendall(size_line + reader.take(size + 2))
        else:
            server.sendall(reader.take(int(fields.get("content-length", "0") or 0)))


def pump(source, sink):
    try:
        while data := source.recv(65536):
            sink.sendall(data)
    except OSError:
        pass
    shut(sink, source)


def shut(*sockets):
    for sock in sockets:
        try:
            sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def serve(client, server_path, fault_file):
    with client, socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as server:
        try:
            server.connect(server_path)
        except OSError:
            return
        answers = threading.Thread(target=pump, args=(server, client), daemon=True)
        answers.start()
        try:
            requests(client, server, fault_file)
        except (EOFError, OSError, ValueError):
            pass
        shut(server, client)
        answers.join()


def main():
    listen_path, server_path, fault_file = sys.argv[1:4]
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listener.bind(listen_path)
    os.chmod(listen_path, 0o777)
    listener.listen(64)
    while True:
        client, _ = listener.accept()
        threading.Thread(target=serve, args=(client, server_path, fault_file), daemon=True).start()


if __name__ == "__main__":
    main()
