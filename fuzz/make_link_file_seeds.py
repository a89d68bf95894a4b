#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_link_file: a small server directory loaded and ticked, the
fixed layouts, an outage with its message, takes, and files changing under the reads. Run from
anywhere; rewrites fuzz/corpus/link_file/."""

import pathlib
import struct

STATUS, LALPHA, ALPHA, LXPT, XPT, LINHBT, INHBT = range(7)
UPPER = 0x80


def i16(*values):
    return list(struct.pack("<%dh" % len(values), *values))


def put(kind, data, upper=False):
    return [kind << 4 | (UPPER if upper else 0)] + i16(len(data)) + list(data)


def generated(kind, pattern, size_byte=0):
    """A file of the kind's fixed size; the counted kinds take 4 + 64 * size_byte bytes."""
    sized = [] if kind in (STATUS, ALPHA, XPT, INHBT) else [size_byte]
    return [kind << 4 | 1, len(pattern) - 1] + list(pattern) + sized


def remove(kind, upper=False):
    return [kind << 4 | 2 | (UPPER if upper else 0)]


TICK, LOAD, TAKE, REMOVE_DIR, ADD_DIR, STEP_OUT_UP, STEP_IN_DOWN = [3], [5], [7], [8], [9], [11], [12 | UPPER]


def command(source, destination):
    return [6] + i16(source, destination)


def meddle(kind, countdown, action, chunk):
    return [kind << 4 | 10, countdown, action, chunk]


def limits(miss_limit, ticks_under_box):
    return [13, miss_limit, ticks_under_box]


def ticks(n):
    return [15, n]


lalpha = i16(1301, 3) + list(b"CAM 1   CAM 2   VTR     ") + i16(2, 0, 1) + i16(2) + list(
    b"MON     AIR     ") + i16(1, 0)
lxptmap = [5] + i16(2, 1, 1, 0)
linhbt = i16(2, 3) + list(b"010001")
server = put(STATUS, [1]) + put(LALPHA, lalpha) + put(LXPT, lxptmap) + put(LINHBT, linhbt)

seeds = {
    "load-and-tick": server + LOAD + TICK + STEP_OUT_UP + STEP_IN_DOWN + TAKE + TICK,
    "upper-case-names": put(STATUS, [1], True) + put(LALPHA, lalpha, True) + put(LXPT, lxptmap)
    + put(LINHBT, linhbt, True) + LOAD + TICK,
    "fixed-layouts": put(STATUS, [1]) + generated(ALPHA, b"NAME    \x01") + generated(XPT, b"\x07\x03")
    + generated(INHBT, b"\x00\x01") + LOAD + TICK + remove(ALPHA) + TICK,
    "outage": server + LOAD + limits(2, 3) + remove(STATUS) + ticks(5) + put(STATUS, [1]) + TICK
    + remove(STATUS) + ticks(5),
    "map-and-names-change": server + LOAD + put(LXPT, [6] + i16(2, 0, 1, 2)) + TICK
    + put(LALPHA, i16(7, 1) + list(b"ONLY    ") + i16(0) + i16(1) + list(b"OUT     ") + i16(0))
    + TICK + TICK,
    "changing-under-reads": server + LOAD + meddle(LINHBT, 2, 1, 0) + put(LINHBT, linhbt) + TICK
    + meddle(LALPHA, 2, 0, 0) + put(LALPHA, lalpha) + TICK + TICK,
    "commands": server + LOAD + command(5, 12) + command(256, 0) + command(-1, 3) + REMOVE_DIR
    + TAKE + ADD_DIR + TICK + [9 | UPPER] + TAKE,
}

out = pathlib.Path(__file__).resolve().parent / "corpus" / "link_file"
out.mkdir(parents=True, exist_ok=True)
for name, steps in seeds.items():
    (out / name).write_bytes(bytes(steps))
