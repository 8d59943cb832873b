#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora, fuzz/corpus/<harness>/, from the tests' own tables: the
first text of every case row in the repair and translation tests, the inputs of the golden
files, and the values of the number tables. Run it again after those tables change."""
import hashlib
import os
import re
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")

# A C string literal, possibly several next to each other ("\x80" "5").
LITERALS = r'((?:"(?:[^"\\]|\\.)*"\s*)+)'
ROW = re.compile(r'^\s*\{' + LITERALS + r',')
ESCAPES = {"n": b"\n", "r": b"\r", "t": b"\t", "\\": b"\\", '"': b'"', "'": b"'", "0": b"\0"}


def cp936(text):
    out = bytearray()
    for ch in text:
        try:
            out += ch.encode("gbk")
        except UnicodeEncodeError:
            out += b"\x80" if ch == "\u20ac" else b"?"
    return bytes(out)


def c_literals(source):
    """The bytes of adjacent C literals: text in UTF-8 becomes code page 936, escapes stay bytes."""
    out = bytearray()
    for body in re.findall(r'"((?:[^"\\]|\\.)*)"', source):
        i = 0
        while i < len(body):
            if body[i] == "\\":
                if body[i + 1] == "x":
                    j = i + 2
                    while j < len(body) and j < i + 4 and body[j] in "0123456789abcdefABCDEF":
                        j += 1
                    out.append(int(body[i + 2:j], 16))
                    i = j
                else:
                    out += ESCAPES.get(body[i + 1], body[i + 1].encode())
                    i += 2
            else:
                out += cp936(body[i])
                i += 1
    return bytes(out)


def table_rows(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = ROW.match(line)
            if m:
                rows.append(c_literals(m.group(1)))
    return rows


def golden_groups(path):
    """(scientific, decimals, inputs) for every @options group of a golden file."""
    groups = [[False, b"", []]]
    with open(path, encoding="utf-8") as f:
        for line in f.read().split("\n"):
            if not line or line.startswith("#"):
                continue
            if line.startswith("@options"):
                words = line.split()[1:]
                decimals = b""
                if "--decimals" in words:
                    decimals = words[words.index("--decimals") + 1].encode()
                groups.append(["--scientific" in words, decimals, []])
                continue
            raw = line.split("\t", 1)[0]
            data = bytearray()
            i = 0
            while i < len(raw):
                if raw.startswith("\\t", i):
                    data += b"\t"; i += 2
                elif raw.startswith("\\\\", i):
                    data += b"\\"; i += 2
                elif raw.startswith("\\x", i):
                    data.append(int(raw[i + 2:i + 4], 16)); i += 4
                else:
                    data += raw[i].encode(); i += 1
            groups[-1][2].append(cp936(data.decode("utf-8", "replace")))
    return [g for g in groups if g[2]]


def write(harness, seeds):
    folder = os.path.join(CORPUS, harness)
    os.makedirs(folder, exist_ok=True)
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))
    for seed in set(seeds):
        name = hashlib.sha1(seed).hexdigest()
        with open(os.path.join(folder, name), "wb") as f:
            f.write(seed)
    print(f"{harness}: {len(set(seeds))} seeds")


def main():
    tests = os.path.join(ROOT, "tests")
    lines = []
    for name in ["repair_test.cpp", "scientific_translate_test.cpp", "scientific_shown_test.cpp",
                 "driver_test.cpp"]:
        lines += table_rows(os.path.join(tests, name))
    groups = []
    for name in sorted(os.listdir(os.path.join(tests, "golden"))):
        groups += golden_groups(os.path.join(tests, "golden", name))
    for _, _, inputs in groups:
        lines += inputs

    # The calculation: a mode byte, the decimals' length and text, the input box.
    def box(scientific, decimals, text):
        return bytes([1 if scientific else 0, len(decimals)]) + decimals + text

    calculate = []
    for scientific, decimals, inputs in groups:
        calculate.append(box(scientific, decimals, b"\r\n".join(inputs)))
    for line in lines:
        for scientific in (False, True):
            calculate.append(box(scientific, b"", line))
    for decimals in [b"2", b"-", b"007", b"0", b"-1", b"2147483647", b"-2147483648",
                     b"99999999999999999999", b"x"]:
        calculate.append(box(False, decimals, b"1/3\r\n2.5\r\n1e400\r\n" + b"9" * 400))

    # The numbers: a double's bits, a number of decimals, a text.
    values = [0.1 + 0.2, 1 / 3, 2 / 3, 1e13 - 1, 1e13 - 0.5, 1.23456789012345e14, 1e21, 0.0001,
              0.00001, 0.000123456789012345, -0.0, 0.0, 5e-324, 1.7976931348623157e308,
              123456789012.5, 1234567890123.5, -2.5, 2.675, 1.005, 0.045, -0.005, 99.995,
              1.23456789e7, 1234.5, 1250, 1.2345678901235, 0.12345678901235, 9.9999999999995, -10.000244140625,
              float("inf"), float("-inf")]
    bits = [struct.pack("<d", v) for v in values]
    bits += [struct.pack("<Q", b) for b in [0xFFF8000000000000, 0x7FF8000000000000,
                                             0x7FF0000000000001, 0xFFF0000000000001]]
    decimals = [0, 2, 15, -2, 184, 185, 400, 2147483647, -2147483648]
    texts = [b"", b"  12abc", b"+7", b"-.5", b"1d3", b"1e", b"0x1A", b"1.#INF", b"-1.#IND",
             b"1e400", b"-1e400", b"4e-320", cp936("１２．５"), b"NaN", b"Infinity",
             b"-Infinity", b"4294967298", b"9007199254740993", b"1e99999999999999999999",
             b"9" * 400]
    numbers = []
    for i, b in enumerate(bits):
        numbers.append(b + struct.pack("<i", decimals[i % len(decimals)]) + texts[i % len(texts)])

    write("calculate_all", calculate)
    write("prepare", lines)
    write("numbers", numbers)


if __name__ == "__main__":
    sys.exit(main())
