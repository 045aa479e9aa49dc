#!/usr/bin/env python3
"""Writes the seed files of the records fuzzer into corpus/records/.

Each seed is a records file: 20-byte entries of a length byte, 15 name bytes
and a little-endian signed 32-bit score. Run once; the files are kept.
"""
import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "records"

INT32_MIN = -(2**31)
INT32_MAX = 2**31 - 1


def entry(name: bytes, score: int, length: int | None = None) -> bytes:
    """One entry; length may differ from the name's size to damage it."""
    if length is None:
        length = len(name)
    field = name[:15].ljust(15, b"\0")
    return bytes([length]) + field + struct.pack("<i", score)


def ten_entries() -> bytes:
    return b"".join(entry(b"T%d" % i, 170 - 10 * i) for i in range(10))


SEEDS = {
    "empty": b"",
    "default": entry(b"Jack", 0),
    "ten": ten_entries(),
    "ten-equal": b"".join(entry(b"E%d" % i, 100) for i in range(10)),
    "45-bytes": entry(b"Jack", 0) + entry(b"You", -350) + b"\x01\x02\x03\x04\x05",
    "thirteen": ten_entries() + entry(b"Big", 1000) + entry(b"Eleven", 70) + entry(b"X", 5),
    "unsorted": entry(b"Low", -5) + entry(b"High", 500) + entry(b"Mid", 100),
    "length-0": entry(b"", 7) + entry(b"Jack", 0),
    "length-15": entry(b"ABCDEFGHIJKLMNO", 15),
    "length-16": entry(b"ABCDEFGHIJKLMNO", 16, length=16),
    "length-255": entry(b"ABCDEFGHIJKLMNO", 255, length=255),
    "latin1": entry("Jürgen Müller".encode("latin-1"), 320) + entry(b"Jack", 0),
    "latin1-full": entry("ÄÖÜäöüßÄÖÜäöüßé".encode("latin-1"), 40),
    "utf8": entry("Jürgen".encode("utf-8"), 320) + entry("€uro".encode("utf-8"), -20),
    "utf8-cut": entry("ABCDEFGHIJKLMN€".encode("utf-8")[:15], 9),
    "negative": entry(b"You", -350) + entry(b"Ann", -1) + entry(b"Bob", -9999),
    "extremes": entry(b"Max", INT32_MAX) + entry(b"Min", INT32_MIN),
    "short": entry(b"Jack", 0)[:19],
}


def main() -> None:
    OUT.mkdir(parents=True, exist_ok=True)
    for name, data in SEEDS.items():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()
