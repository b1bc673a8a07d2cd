#!/usr/bin/env python3
"""Writes res/set.ini, the profile store delivered with Orvane, from res/Main.ini.

All three profiles stand at their defaults (every key cell is itself, named
after its cell, no macros, no changed cells) and [TYPE] type=1. The keys are
those the program's profile writer leaves in a file, in its order: for each
key cell 1..121 in Main.ini order IndexPic, MacroIndex, SetName and Key of the
cell's key code (two cells with one key code share those keys, which keep the
place of their first write), then MacroStrNum and SetIndexNum.

The file is UTF-16LE with a byte-order mark and CRLF lines: the private-profile
functions keep an existing file's encoding, and only UTF-16 keeps names typed
in any script.

Usage: tools/make-set-ini.py [Main.ini [set.ini]]
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_layout(path):
    """Cell number -> value of section BUTTONINFO, read as the INI functions do."""
    raw = open(path, "rb").read()
    if raw.startswith(b"\xff\xfe"):
        text = raw[2:].decode("utf-16-le")
    elif raw.startswith(b"\xef\xbb\xbf"):
        text = raw[3:].decode("utf-8")
    else:
        text = raw.decode("latin-1")
    cells, section = {}, None
    for line in text.splitlines():
        line = line.strip(" \t")
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and "]" in line:
            section = line[1:line.rindex("]")].strip().upper()
            continue
        if section != "BUTTONINFO" or "=" not in line:
            continue
        key, value = line.split("=", 1)
        key, value = key.strip(" \t"), value.strip(" \t")
        if len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0]:
            value = value[1:-1]
        if key.isdigit() and int(key) not in cells:
            cells[int(key)] = value
    return cells


def wtoi(text):
    """_wtoi: leading blanks, optional sign, digits up to the first non-digit."""
    text = text.lstrip(" \t\n\v\f\r")
    sign, digits = 1, ""
    if text[:1] in ("+", "-"):
        sign = -1 if text[0] == "-" else 1
        text = text[1:]
    for ch in text:
        if not ch.isdigit() or not ch.isascii():
            break
        digits += ch
    return sign * int(digits) if digits else 0


def field(value, index):
    parts = value.split(",")
    return parts[index] if index < len(parts) else ""


def quote(value):
    """Values the INI functions would trim or unquote on reading are quoted."""
    if value and (value[0] in " \t" or value[-1] in " \t" or
                  (len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0])):
        return '"' + value + '"'
    return value


def default_profile(cells):
    keys = {}  # insertion order; a repeated key keeps its first place
    for n in range(1, 122):
        value = cells.get(n, "")
        code, name = wtoi(field(value, 4)), field(value, 5)
        keys[f"IndexPic{code}"] = "0"
        keys[f"MacroIndex{code}"] = "0"
        keys[f"SetName{code}"] = name
        keys[f"Key{code}"] = str(code)
    keys["MacroStrNum"] = "0"
    keys["SetIndexNum"] = "0"
    return keys


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "res", "Main.ini")
    dst = sys.argv[2] if len(sys.argv) > 2 else os.path.join(ROOT, "res", "set.ini")
    keys = default_profile(read_layout(src))
    lines = []
    for p in (1, 2, 3):
        lines.append(f"[Profile{p}]")
        lines += [f"{k}={quote(v)}" for k, v in keys.items()]
    lines += ["[TYPE]", "type=1"]
    text = "\r\n".join(lines) + "\r\n"
    with open(dst, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


if __name__ == "__main__":
    main()
