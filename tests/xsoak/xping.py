"""Asks a window whether its program still handles events: the window manager's ping.

A _NET_WM_PING client message goes to the window; a program whose event loop runs sends it
back to the root window. Only the program's own event loop can answer, so unlike a look at
the window list this tells a hung program from a live one, and unlike a probe key it changes
nothing. Speaks the X protocol over the display's local socket (standard library only).
"""

import os
import select
import socket
import struct
import time

_CLIENT_MESSAGE = 33
_STRUCTURE_NOTIFY = 0x20000
_SUBSTRUCTURE_NOTIFY = 0x80000


class Pinger:
    def __init__(self, display):
        number = display.split(":")[1].split(".")[0]
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(f"/tmp/.X11-unix/X{number}")
        self.buf = b""
        self._setup()
        self.wm_protocols = self._atom(b"WM_PROTOCOLS")
        self.net_wm_ping = self._atom(b"_NET_WM_PING")
        # The answer goes to the root window with the structure masks: listen there.
        self._send(struct.pack("<BxHIII", 2, 4, self.root, 0x800,
                               _STRUCTURE_NOTIFY | _SUBSTRUCTURE_NOTIFY))
        self.stamp = 1

    def close(self):
        self.sock.close()

    # -- protocol -------------------------------------------------------------------------
    def _send(self, data):
        self.sock.sendall(data)

    def _read(self, n, deadline):
        while len(self.buf) < n:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.sock], [], [], left)[0]:
                raise TimeoutError("no data from the X server")
            chunk = self.sock.recv(65536)
            if not chunk:
                raise ConnectionError("the X server closed the connection")
            self.buf += chunk
        data, self.buf = self.buf[:n], self.buf[n:]
        return data

    def _setup(self):
        self._send(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
        deadline = time.monotonic() + 5
        head = self._read(8, deadline)
        if head[0] != 1:
            raise ConnectionError("the X server refused the connection")
        body = self._read(struct.unpack("<H", head[6:8])[0] * 4, deadline)
        vendor_len = struct.unpack("<H", body[16:18])[0]
        formats = body[21]
        screens = 32 + (vendor_len + 3) // 4 * 4 + 8 * formats
        self.root = struct.unpack("<I", body[screens:screens + 4])[0]

    def _next(self, deadline):
        """One event, error or reply: (code, 32 bytes plus any reply data)."""
        unit = self._read(32, deadline)
        if unit[0] == 1:  # a reply carries more data
            unit += self._read(struct.unpack("<I", unit[4:8])[0] * 4, deadline)
        return unit[0] & 0x7F, unit

    def _atom(self, name):
        pad = (4 - len(name) % 4) % 4
        self._send(struct.pack("<BBHHxx", 16, 0, 2 + (len(name) + pad) // 4, len(name)) +
                   name + b"\0" * pad)
        deadline = time.monotonic() + 5
        while True:
            code, unit = self._next(deadline)
            if code == 1:
                return struct.unpack("<I", unit[8:12])[0]
            if code == 0:
                raise RuntimeError(f"InternAtom {name!r} failed")

    def ping(self, window, timeout=2.0):
        """True when the window's program answers the ping within timeout seconds."""
        self.stamp = self.stamp % 0x7FFFFFFF + 1
        stamp = self.stamp
        event = struct.pack("<BBHII5I", _CLIENT_MESSAGE, 32, 0, window, self.wm_protocols,
                            self.net_wm_ping, stamp, window, 0, 0)
        # An empty event mask sends the event to the client that created the window.
        self._send(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
        deadline = time.monotonic() + timeout
        try:
            while True:
                code, unit = self._next(deadline)
                if code == 0 and unit[1] == 3:  # BadWindow: the window went away meanwhile
                    return None
                if code != _CLIENT_MESSAGE:
                    continue
                atom, data0, data1 = struct.unpack("<III", unit[8:20])
                if atom == self.wm_protocols and data0 == self.net_wm_ping and data1 == stamp:
                    return True
        except TimeoutError:
            return False


if __name__ == "__main__":
    import sys
    p = Pinger(os.environ["DISPLAY"])
    print(p.ping(int(sys.argv[1], 0)))
