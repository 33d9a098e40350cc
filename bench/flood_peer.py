#!/usr/bin/env python3
"""A peer that floods a hosting copy of the program, for measuring its memory by hand.

Usage: flood_peer.py MODE SECONDS PID
  MODE   boards  - boards (124) that the host loads, in bursts of 20
         digests - digests that never agree (201) and moves out of turn (24), after a hello
         mixed   - both
         chat    - chat lines (36) of 1 to 120 characters; after the flood a board request
                   (120), timed until the host's board arrives
         longchat - as chat, with lines of 4,000 characters
  PID    the hosting program's process id, whose resident memory is printed every 5 s

Start the program, choose Network > Host game, then run this on the same machine. It reads all
the host sends, and after the flood waits 30 s more while the host works through what is left.
"""
import socket
import sys
import time


def item(data):
    out = b''
    while len(data) >= 255:
        out += b'\xff' + data[:254]
        data = data[254:]
    return out + bytes([len(data)]) + data


def msg(*items):
    return bytes([len(items)]) + b''.join(
        item(i if isinstance(i, bytes) else str(i).encode('latin-1')) for i in items)


class Decoder:
    def __init__(self):
        self.buf = b''

    def feed(self, data):
        """Whole messages at the front of what has arrived, as lists of items."""
        self.buf += data
        out = []
        while self.buf:
            b, pos, items = self.buf, 1, []
            for _ in range(b[0]):
                piece = b''
                while pos < len(b):
                    length = b[pos]
                    size = 254 if length == 255 else length
                    if pos + 1 + size > len(b):
                        return out
                    piece += b[pos + 1:pos + 1 + size]
                    pos += 1 + size
                    if length != 255:
                        break
                else:
                    return out
                items.append(piece)
            out.append(items)
            self.buf = b[pos:]
        return out


def rss_mib(pid):
    with open(f'/proc/{pid}/status') as status:
        for line in status:
            if line.startswith('VmRSS'):
                return int(line.split()[1]) / 1024
    return 0.0


def main():
    mode, seconds, pid = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
    sock = socket.create_connection(('127.0.0.1', 2501))
    sock.setblocking(False)
    decoder = Decoder()
    state = {'boards': 0, 'board': None, 'bytes': 0}

    def pump():
        while True:
            try:
                data = sock.recv(1 << 20)
            except BlockingIOError:
                return
            if not data:
                raise SystemExit('the host closed the connection')
            state['bytes'] += len(data)
            for message in decoder.feed(data):
                if message[0] == b'124':
                    state['boards'] += 1
                    state['board'] = message[1]

    def send(data):
        view = memoryview(data)
        while view:
            try:
                view = view[sock.send(view):]
            except BlockingIOError:
                pump()
                time.sleep(0.001)

    send(msg(200, 1) + msg(120))
    start = time.time()
    while state['board'] is None and time.time() - start < 5:
        pump()
        time.sleep(0.01)
    print(f'start: host RSS {rss_mib(pid):.1f} MiB', flush=True)
    sent = {'boards': 0, 'digests': 0, 'moves': 0, 'chat': 0}
    start = last = time.time()
    peak = 0.0
    while time.time() - start < seconds:
        burst = b''
        if mode in ('boards', 'mixed'):
            board = bytearray(state['board'])
            board[-1] = 1 + sent['boards'] // 20 % 2  # never the host's own board
            burst += msg(124, bytes(board)) * 20
            sent['boards'] += 20
        if mode in ('chat', 'longchat'):
            width = (lambda k: 4000) if mode == 'longchat' else (lambda k: 1 + k * 37 % 120)
            burst += b''.join(msg(36, f'line {sent["chat"] + k} '.ljust(width(k), 'x'))
                              for k in range(100))
            sent['chat'] += 100
        if mode in ('digests', 'mixed'):
            epoch = state['boards']
            burst += b''.join(msg(201, epoch + k, 1000, 0) for k in range(3)) * 20
            burst += msg(24, 1, 1, 1) * 20
            sent['digests'] += 60
            sent['moves'] += 20
        send(burst)
        pump()
        peak = max(peak, rss_mib(pid))
        if time.time() - last >= 5:
            last = time.time()
            print(f'{last - start:5.1f} s: host RSS {rss_mib(pid):.1f} MiB, '
                  f'boards received {state["boards"]}', flush=True)
    if mode in ('chat', 'longchat'):
        # The host answers a board request in turn, behind every line still waiting for it.
        before = state['boards']
        asked = time.time()
        send(msg(120))
        while state['boards'] == before and time.time() - asked < 60:
            pump()
            time.sleep(0.001)
        print(f'board answer after the flood: {time.time() - asked:.2f} s, '
              f'host RSS {rss_mib(pid):.1f} MiB', flush=True)
    end = time.time() + 30
    while time.time() < end:
        pump()
        peak = max(peak, rss_mib(pid))
        time.sleep(0.05)
    print(f'sent {sent["boards"]} boards, {sent["digests"]} digests, '
          f'{sent["moves"]} moves out of turn, {sent["chat"]} chat lines', flush=True)
    print(f'30 s after the flood: host RSS {rss_mib(pid):.1f} MiB (peak {peak:.1f}), '
          f'boards received {state["boards"]} ({state["bytes"]} bytes)', flush=True)


if __name__ == '__main__':
    main()
