#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora in fuzz/corpus/ from the built-in samples.

usage: fuzz/make_corpus.py BUILD_DIR   (a normal build with tripconf-cli)

Each target's seeds follow the input layout its harness reads (see the
comments at the top of each fuzz_*.cpp), filled with the samples' real
bytes, so a run starts from inputs that reach deep into the code.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SAMPLES = ["v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"]
ROOT = os.path.dirname(os.path.abspath(__file__))
BLOCK_SIZES = [0, 168, 28, 64, 420, 132, 76, 860, 80, 40, 424, 60, 664, 16]
OSC_POS = [3542, 7606]


def frame(middle):
    f = bytes([len(middle) + 2]) + bytes(middle)
    return f + bytes([(-sum(f)) & 0xFF])


def entry(image, k):
    return struct.unpack_from("<HH", image, 4 * k)


def block(image, n):
    address, size = entry(image, n if n <= 11 else n + 1)
    length = min(size - 4, BLOCK_SIZES[n])
    out = bytearray(BLOCK_SIZES[n])
    out[:length] = image[address - 32:address - 32 + length]
    return bytes(out)


def pages(image, memory):
    """Memory pages 1..S/64-1 and S/64+1..S/32-1, as the read asks for them."""
    half = memory // 2
    mem = bytearray(b"\xff" * memory)
    for p, b in enumerate(image):
        mem[p + 32 if p < half - 32 else p + 64] = b
    order = [b for h in (0, 1) for b in range(h * memory // 64 + 1, (h + 1) * memory // 64)]
    return mem, order


def write(target, name, data):
    d = os.path.join(ROOT, "corpus", target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)


def main():
    cli = os.path.join(sys.argv[1], "tripconf-cli")
    shutil.rmtree(os.path.join(ROOT, "corpus"), ignore_errors=True)
    tmp = tempfile.mkdtemp()
    for si, name in enumerate(SAMPLES):
        path = os.path.join(tmp, name + ".dvkps")
        subprocess.run([cli, "sample", name, "--out", path], check=True, stdout=subprocess.DEVNULL)
        data = open(path, "rb").read()
        raw = os.path.join(tmp, name + ".bin")
        subprocess.run([cli, "unpack", path, "--out", raw], check=True, stdout=subprocess.DEVNULL)
        image = open(raw, "rb").read()
        version = struct.unpack_from("<H", data, 0)[0]
        memory = len(image) + 64
        address = 0xFE if memory == 0x8000 else 0xFC
        write("fuzz_settings_file", name, data)

        # Device replies: the version, every page, acknowledgements, and the
        # pages again for the read-back.
        mem, order = pages(image, memory)
        version_reply = frame([0xFC, 1, 0, 1, 0, version & 0xFF, version >> 8])
        page_replies = b"".join(frame([address, 1, 0, 5] + list(mem[32 * b:32 * b + 32])) for b in order)
        acks = b"".join(frame([0xFC, 1, 0, c]) for c in [12, 4, 4, 4, 7] * 40)
        write("fuzz_host_frames", name + "-read", b"\x00" + version_reply + page_replies)
        if memory == 0x2000:
            write("fuzz_host_frames", name + "-write", b"\x02" + version_reply + page_replies + acks + page_replies[:38 * 100])
            write("fuzz_host_frames", name + "-verify", b"\x04" + version_reply + page_replies[:38 * 100])
            write("fuzz_host_frames", name + "-noecho", b"\x01" + version_reply + page_replies[:38 * 20])

        # Requests as the device hears them.
        setup = b"\x01" if memory == 0x8000 else b"\x00"
        req = frame([address, 1, 0, 1])
        req += b"".join(frame([address, 1, 0, 5, b & 0xFF, b >> 8]) for b in order[:20])
        a, size = entry(image, 3)
        length = size - 4
        req += frame([address, 1, 0, 12, a & 0xFF, a >> 8, length & 0xFF, length >> 8])
        for j in range((length + 31) // 32):
            n = min(32, length - 32 * j)
            req += frame([address, 1, 0, 4, j, 0, n, 0] + list(image[a - 32 + 32 * j:a - 32 + 32 * j + n]))
        req += frame([address, 1, 0, 7, a & 0xFF, a >> 8, length & 0xFF, length >> 8])
        write("fuzz_sim_frames", name, setup + req + b"\xa5\xc8" + req[:30])

        # Blocks for the preview and the journals, with the variant identity.
        protocol = struct.unpack_from("<H", block(image, 11), 4)[0]
        layout = image[60]
        for screen in range(10):
            choice = screen | ((si & 1) << 4) | ((si & 2) << 4) | (0x40 if si == 0 else 0)
            write("fuzz_preview", "%s-%d" % (name, screen),
                  struct.pack("<HBBB", version, protocol & 0xFF, layout, 0) + block(image, 10) +
                  block(image, 13) + bytes([choice]))
        osc = b"".join(image[p:p + 520].ljust(520, b"\0") for p in OSC_POS)
        for kind in range(4):
            write("fuzz_journals_osc", "%s-%d" % (name, kind),
                  block(image, 1) + block(image, 7) + block(image, 12) + osc +
                  bytes([kind * 5 | (0x40 if kind == 0 else 0), kind, 0, 0]))

        # The tank and service files of the sample, whole and cut short.
        for fmt, (command, ext) in enumerate([("tank", "dvkpo"), ("service", "dvkpt")]):
            side = os.path.join(tmp, name + "." + ext)
            subprocess.run([cli, command, "export", path, "--out", side], check=True,
                           stdout=subprocess.DEVNULL)
            body = open(side, "rb").read()
            pick = bytes([fmt | (si << 1) | (0x80 if si == 0 else 0)])
            write("fuzz_side_files", "%s-%s" % (name, command), pick + body)
            write("fuzz_side_files", "%s-%s-short" % (name, command), pick + body[:len(body) // 2])

        # Every setting with the value it holds, in both languages.
        for english in (0, 1):
            listing = subprocess.run([cli, "settings", path, "--lang", "en" if english else "ru"],
                                     check=True, capture_output=True, text=True).stdout
            index = 0
            for line in listing.splitlines():
                if line.startswith("#"):
                    continue
                value = line.split("\t")[2]
                if si == 0 or index % 10 == 0:
                    write("fuzz_cli_values", "%s-%d-%d" % (name, english, index),
                          bytes([si | (0x80 if english else 0)]) + struct.pack("<H", index) +
                          value.encode() + b"\0")
                # The same inputs, fewer of them, for the refusal property.
                if index % 10 == si:
                    write("fuzz_setting_refusals", "%s-%d-%d" % (name, english, index),
                          bytes([si | (0x80 if english else 0)]) + struct.pack("<H", index) +
                          value.encode() + b"\0")
                index += 1

    write("fuzz_ini_file", "tripconf.ini",
          b"RS232\0Port\0[Common]\r\nAuto=0\r\nEnglishVersion=1\r\n[MainWindow]\r\nState=0\r\n"
          b"Left=10\r\nTop=20\r\nWidth=810\r\nHeight=417\r\n[RS232]\r\nPort=3\r\n"
          b"ExtraPorts=/dev/ttyUSB0;/tmp/tty\r\n")
    write("fuzz_ini_file", "odd.ini", b"Common\0EnglishVersion\0 \n[Common\nEnglishVersion=yes\n=1\n[]\nPort=-5\n")
    shutil.rmtree(tmp)


if __name__ == "__main__":
    main()
