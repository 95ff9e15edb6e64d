#!/usr/bin/env python3
"""Writes data/.shipped-versions, the list of every version of every shipped file.

The program replaces a file of its folder that the racer never changed (one equal
to a version listed here) with the one shipped now. A version is every blob that
a file under data/ had in this repository's history (all branches) and the file
as it is now in data/. Each line: the FNV-1a 64 hash and the length of the file's
text with every CR LF read as LF (a copy whose line ends were changed is the same
version), then its path under data/.

Run from the repository's top folder after changing a shipped file, and commit
the list with it: python3 scripts/shipped_versions.py
"""
import pathlib
import subprocess

LIST = ".shipped-versions"


def text_print(data):
    text = data.replace(b"\r\n", b"\n")
    h = 0xCBF29CE484222325
    for byte in text:
        h = ((h ^ byte) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return f"{h:016x} {len(text)}"


def git(*args):
    return subprocess.run(["git", *args], check=True, capture_output=True).stdout


def history_blobs():
    blobs = set()
    for commit in git("rev-list", "--all", "--", "data").split():
        for entry in git("ls-tree", "-r", "-z", commit.decode(), "--", "data").split(b"\0"):
            if not entry:
                continue
            meta, path = entry.split(b"\t", 1)
            mode, kind, blob = meta.split()
            if kind == b"blob" and mode != b"120000":
                blobs.add((path.decode()[len("data/"):], blob.decode()))
    return blobs


def main():
    lines = set()
    for path, blob in history_blobs():
        if path != LIST:
            lines.add(f"{text_print(git('cat-file', 'blob', blob))} {path}")
    data = pathlib.Path("data")
    for file in data.rglob("*"):
        rel = file.relative_to(data).as_posix()
        if file.is_file() and rel != LIST:
            lines.add(f"{text_print(file.read_bytes())} {rel}")
    header = ("# Every version of every shipped file: FNV-1a 64 hash and length of its text\n"
              "# (CR LF read as LF), path. Written by scripts/shipped_versions.py.\n")
    body = "".join(line + "\n" for line in sorted(lines, key=lambda l: (l.split(" ", 2)[2], l)))
    (data / LIST).write_text(header + body, newline="\n")


if __name__ == "__main__":
    main()
