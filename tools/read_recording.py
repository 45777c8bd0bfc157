#!/usr/bin/env python3
"""Checks a recording and summarises it: row count, channels and time span.

Exits with 1 when a row is malformed (wrong number of fields, a time, seconds or value that does
not parse, a last line without its line end), with 2 when the file cannot be read.
"""
import csv
import sys
from datetime import datetime


def fail(message, code=1):
    print(message, file=sys.stderr)
    sys.exit(code)


def main(argv):
    if len(argv) != 2:
        fail(f"usage: {argv[0]} RECORDING", 2)
    try:
        with open(argv[1], newline="", encoding="utf-8") as f:
            text = f.read()
    except OSError as error:
        fail(f"{argv[1]}: {error}", 2)
    if text and not text.endswith("\n"):
        fail("the last line is incomplete")

    rows = csv.reader(text.splitlines(keepends=True), strict=True)
    try:
        header = next(rows)
    except (StopIteration, csv.Error):
        fail("no header")
    if header[:2] != ["time", "seconds"] or len(header) < 3:
        fail(f"header is not time,seconds,<channels>: {header}")

    count = 0
    first = last = None
    try:
        for row in rows:
            line = rows.line_num
            if len(row) != len(header):
                fail(f"line {line}: {len(row)} fields, expected {len(header)}")
            try:
                time = datetime.fromisoformat(row[0])
                seconds = float(row[1])
                for value in row[2:]:
                    float(value)
            except ValueError as error:
                fail(f"line {line}: {error}")
            if time.utcoffset() is None:
                fail(f"line {line}: time without UTC offset")
            if first is None:
                first = (row[0], seconds)
            last = (row[0], seconds)
            count += 1
    except csv.Error as error:
        fail(f"line {rows.line_num}: {error}")

    print(f"rows: {count}")
    print("channels: " + " | ".join(header[2:]))
    if first is not None:
        print(f"first: {first[0]}")
        print(f"last: {last[0]}")
        print(f"span: {last[1] - first[1]:.6f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
