#!/usr/bin/env python3
"""Points a linked exe's load-configuration directory at its _load_config_used.

GNU ld as Debian ships it (binutils 2.40) does not fill in that directory
entry; this does it after the link, from the linker's map file:

    set_load_config.py Tavrik.exe Tavrik.map

The directory's size is the structure's own first field. Fails (exit 1) when
the exe or the map lacks what it needs, so a build never ships without it."""
import re
import struct
import sys

LOAD_CONFIG = 10  # index of the load-configuration entry among the data directories


def fail(message):
    print("set_load_config: " + message, file=sys.stderr)
    sys.exit(1)


def symbol_address(map_text):
    # "                0x004b3000                __load_config_used" (32-bit), or
    # "_load_config_used" (64-bit).
    found = re.search(r"^\s+0x([0-9a-fA-F]+)\s+_{1,2}load_config_used\s*$", map_text, re.M)
    if not found:
        fail("no _load_config_used in the map")
    return int(found.group(1), 16)


def main(exe_path, map_path):
    with open(map_path, encoding="utf-8", errors="replace") as f:
        address = symbol_address(f.read())
    with open(exe_path, "rb") as f:
        image = bytearray(f.read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        fail("not a PE image")
    sections = struct.unpack_from("<H", image, pe + 6)[0]
    optional_size = struct.unpack_from("<H", image, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    if magic == 0x10B:
        image_base = struct.unpack_from("<I", image, optional + 28)[0]
        count_at, directories = optional + 92, optional + 96
    elif magic == 0x20B:
        image_base = struct.unpack_from("<Q", image, optional + 24)[0]
        count_at, directories = optional + 108, optional + 112
    else:
        fail("unknown optional header")
    if struct.unpack_from("<I", image, count_at)[0] <= LOAD_CONFIG:
        fail("no room for the directory")
    rva = address - image_base
    # The structure's first field, its size, from the section holding it.
    table = optional + optional_size
    for i in range(sections):
        _, virtual_size, virtual_address, raw_size, raw_at = struct.unpack_from("<8sIIII", image, table + 40 * i)
        if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
            size = struct.unpack_from("<I", image, raw_at + rva - virtual_address)[0]
            break
    else:
        fail("_load_config_used lies in no section")
    if not 8 <= size <= 0x200:
        fail("implausible size %d" % size)
    struct.pack_into("<II", image, directories + 8 * LOAD_CONFIG, rva, size)
    with open(exe_path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        fail("usage: set_load_config.py <exe> <map>")
    main(sys.argv[1], sys.argv[2])
