#!/usr/bin/env python3
"""pe_version.py PROGRAM.exe: prints the version resource of a Windows program, read on Linux
straight from the file (no Windows call), one NAME=VALUE line each: FILEVERSION and
PRODUCTVERSION of the fixed part as four numbers, then every string of its string tables
(FileVersion=..., ProductName=...). Exits 1 when the file has no version resource."""
import struct
import sys

RT_VERSION = 16


def fail(message):
    print(f"pe_version: {message}", file=sys.stderr)
    sys.exit(1)


def resource_section(data):
    """The resource directory's bytes, and the virtual address they start at."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        fail("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    (magic,) = struct.unpack_from("<H", data, optional)
    directories = optional + (112 if magic == 0x20B else 96)
    resource_rva, resource_size = struct.unpack_from("<II", data, directories + 2 * 8)
    if resource_size == 0:
        fail("no resources")
    table = optional + optional_size
    for i in range(sections):
        virtual_size, address, raw_size, raw_offset = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        if address <= resource_rva < address + max(virtual_size, raw_size):
            start = raw_offset + resource_rva - address
            return data[start:start + resource_size], resource_rva
    fail("the resource directory lies in no section")


def directory_entries(section, offset):
    named, ids = struct.unpack_from("<HH", section, offset + 12)
    for i in range(named + ids):
        name, target = struct.unpack_from("<II", section, offset + 16 + 8 * i)
        yield name, target


def version_block(data):
    section, rva = resource_section(data)
    for name, target in directory_entries(section, 0):
        if name != RT_VERSION or not target & 0x80000000:
            continue
        # The first name and the first language of the version resource.
        _, by_name = next(directory_entries(section, target & 0x7FFFFFFF))
        _, by_language = next(directory_entries(section, by_name & 0x7FFFFFFF))
        data_rva, size = struct.unpack_from("<II", section, by_language & 0x7FFFFFFF)
        return section[data_rva - rva:data_rva - rva + size]
    fail("no version resource")


def align(offset):
    return (offset + 3) & ~3


def parse_block(block, offset):
    """One VS_VERSIONINFO-style node: (key, value bytes, is text, children), and its end."""
    length, value_length, kind = struct.unpack_from("<HHH", block, offset)
    end = offset + length
    key_end = offset + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[offset + 6:key_end].decode("utf-16-le")
    value_start = align(key_end + 2)
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = block[value_start:value_start + value_bytes]
    children = []
    child = align(value_start + value_bytes)
    while child < end:
        node, child_end = parse_block(block, child)
        children.append(node)
        child = align(child_end)
    return (key, value, kind == 1, children), end


def four_numbers(high, low):
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    with open(sys.argv[1], "rb") as file:
        data = file.read()
    (key, fixed, _, children), _ = parse_block(version_block(data), 0)
    if key != "VS_VERSION_INFO" or len(fixed) < 52:
        fail("malformed version resource")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if signature != 0xFEEF04BD:
        fail("bad fixed file info signature")
    print(f"FILEVERSION={four_numbers(file_ms, file_ls)}")
    print(f"PRODUCTVERSION={four_numbers(product_ms, product_ls)}")
    for info_key, _, _, tables in children:
        if info_key != "StringFileInfo":
            continue
        for _, _, _, strings in tables:
            for name, value, _, _ in strings:
                print(f"{name}={value.decode('utf-16-le').rstrip(chr(0))}")


main()
