#!/usr/bin/env python3
"""Rewrites a ZIP so that its bytes depend only on the files it holds.

  reproducible_zip.py ZIP SOURCE_DATE_EPOCH

The archiver behind CPack stamps each entry with the file's times on disk,
access time included, and lists a folder's files in the order the file system
gives them. The rewritten ZIP holds the same entries with the same contents
and permissions, sorted by name, all dated SOURCE_DATE_EPOCH (UTC, not before
1980, which a ZIP cannot express), with no extra fields.
"""
import os
import sys
import time
import zipfile


def main(argv):
    if len(argv) != 3 or not argv[2].isdigit():
        print(__doc__)
        return 2
    path, epoch = argv[1], int(argv[2])
    date = time.gmtime(max(epoch, 315532800))[:6]  # 1980-01-01 at the earliest
    tmp = path + ".tmp"
    with zipfile.ZipFile(path) as zin, zipfile.ZipFile(tmp, "w") as zout:
        for entry in sorted(zin.infolist(), key=lambda e: e.filename):
            out = zipfile.ZipInfo(entry.filename, date)
            out.create_system = 3  # Unix: the permissions are in external_attr
            out.external_attr = entry.external_attr
            out.compress_type = zipfile.ZIP_STORED if entry.is_dir() else zipfile.ZIP_DEFLATED
            zout.writestr(out, zin.read(entry), compresslevel=9)
    os.replace(tmp, path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
