#!/usr/bin/env python3
"""A DX cluster of our own for the end-to-end runs, on 127.0.0.1 only.

cluster.py PORT-FILE [MORE-FILE]: listens on a port the system picks and writes it to
PORT-FILE; to each client it sends a login prompt, and after the first line the client sends,
a burst of spot lines in the cluster's layout in one write and one more line split across two
writes. MORE-FILE, when given, is sent after them byte for byte, in one write: lines of other
shapes, telnet negotiation, whatever a run is to show.
"""
import socket
import sys
import time

SPOTS = [("K5DX", 14025.0, "W1AW", "CQ TQP"), ("N5XX", 14074.0, "JA1ABC", "FT8"),
         ("W5ZZ", 14205.0, "VK2XYZ", "59 TX"), ("K5DX", 14012.5, "DL1ABC", "CW"),
         ("AA5B", 14150.0, "G4ABC", "SSB"), ("N5XX", 14033.0, "VE3ABC", ""),
         ("W5ZZ", 7030.0, "ZL1AA", "40m"), ("K5DX", 14260.0, "PY2ABC", "TQP")]


def spot_line(spotter, khz, call, comment, when="1830Z"):
    line = ("DX de " + spotter + ":").ljust(15) + ("%.1f" % khz).rjust(9) + "  " + call.ljust(13)
    return (line + comment.ljust(30) + " " + when + "\r\n").encode("latin-1")


def serve(client):
    client.sendall(b"Please enter your call: ")
    received = b""
    while b"\n" not in received:
        chunk = client.recv(1024)
        if not chunk:
            return
        received += chunk
    client.sendall(b"\r\nHello, welcome to the test cluster\r\n" + b"".join(spot_line(*s) for s in SPOTS))
    split = spot_line("AA5B", 14100.0, "EA8ABC", "split")
    client.sendall(split[:30])
    time.sleep(0.3)
    client.sendall(split[30:])
    if len(sys.argv) > 2:
        with open(sys.argv[2], "rb") as more:
            client.sendall(more.read())
    while client.recv(1024):
        pass


def main():
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    with open(sys.argv[1], "w") as f:
        f.write(str(server.getsockname()[1]))
    while True:
        client, _ = server.accept()
        try:
            serve(client)
        except OSError:
            pass
        finally:
            client.close()


if __name__ == "__main__":
    main()
