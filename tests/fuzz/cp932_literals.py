#!/usr/bin/env python3
"""Writes a C++ source with its plain narrow literals in code page 932.

The library's narrow texts are code page 932 bytes: g++ makes them with
-fexec-charset=CP932, which clang does not have. For the clang build of the
fuzz targets this writes a copy of a source in which every non-ASCII character
of a plain "..." or '...' literal is spelled as its code page 932 bytes in
octal escapes (at most three digits each, so the characters after one keep
their meaning). Comments and prefixed literals (u"", u8"", U"", L"") are
copied as they are; a raw literal stops the conversion with an error.

usage: cp932_literals.py IN OUT
"""
import sys


def convert(src: str, name: str) -> str:
    out = []
    i, n = 0, len(src)
    while i < n:
        c = src[i]
        if src.startswith("//", i):
            j = src.find("\n", i)
            j = n if j < 0 else j
            out.append(src[i:j])
            i = j
        elif src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(src[i:j])
            i = j
        elif c in "\"'":
            # A prefix (u, u8, U, L) or an identifier right before the quote.
            k = i
            while k > 0 and (src[k - 1].isalnum() or src[k - 1] == "_"):
                k -= 1
            prefix = src[k:i]
            if prefix.endswith("R") and c == '"':
                sys.exit(f"{name}: raw string literal not handled")
            if c == "'" and prefix and prefix[-1].isdigit():
                # A digit separator (1'000): not a literal.
                out.append(c)
                i += 1
                continue
            j = i + 1
            body = []
            while j < n and src[j] != c:
                if src[j] == "\\":
                    body.append(src[j:j + 2])
                    j += 2
                    continue
                if src[j] == "\n":
                    sys.exit(f"{name}: literal runs past the end of its line")
                body.append(src[j])
                j += 1
            text = "".join(body)
            if not prefix:
                text = "".join(ch if ord(ch) < 0x80 else
                               "".join(f"\\{b:03o}" for b in ch.encode("cp932")) for ch in text)
            out.append(c + text + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def main() -> None:
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        text = convert(f.read(), sys.argv[1])
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
