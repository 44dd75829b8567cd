#!/usr/bin/env python3
"""Prints the version resource of a Windows DLL: the fixed file and product versions and
every string of its string tables, one "name=value" line each.

    dll-version-info.py DLL
"""
import struct
import sys

RT_VERSION = 16


def fail(message):
    print(f"dll-version-info: {message}", file=sys.stderr)
    sys.exit(1)


def section_offset(data, sections, rva):
    for virtual_address, virtual_size, raw_offset in sections:
        if virtual_address <= rva < virtual_address + virtual_size:
            return rva - virtual_address + raw_offset
    fail(f"address {rva:#x} is in no section")


def resource_data(data):
    if data[:2] != b"MZ":
        fail("not a PE file")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        fail("not a PE file")
    section_count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    resource_rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
    sections = []
    table = optional + optional_size
    for index in range(section_count):
        virtual_size, virtual_address, _, raw_offset = struct.unpack_from(
            "<IIII", data, table + index * 40 + 8)
        sections.append((virtual_address, max(virtual_size, 1), raw_offset))
    if not resource_rva:
        fail("no resources")
    return section_offset(data, sections, resource_rva), sections


def first_entry(data, base, offset, wanted=None):
    """The offset of the first entry of a resource directory (with id wanted if given)."""
    named, ids = struct.unpack_from("<12xHH", data, base + offset)
    for index in range(named + ids):
        name, target = struct.unpack_from("<II", data, base + offset + 16 + index * 8)
        if wanted is None or (not name & 0x80000000 and name == wanted):
            return target & 0x7FFFFFFF, bool(target & 0x80000000)
    fail("no version resource")


def version_block(data, base, sections):
    offset, _ = first_entry(data, base, 0, RT_VERSION)
    offset, _ = first_entry(data, base, offset)
    offset, is_directory = first_entry(data, base, offset)
    if is_directory:
        fail("malformed version resource")
    rva, size = struct.unpack_from("<II", data, base + offset)
    start = section_offset(data, sections, rva)
    return data[start:start + size]


def align(offset):
    return (offset + 3) & ~3


def parse(block, offset, strings, fixed):
    length, value_length, value_type = struct.unpack_from("<HHH", block, offset)
    end = offset + length
    key_start = offset + 6
    key_end = key_start
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[key_start:key_end].decode("utf-16-le")
    value = align(key_end + 2)
    if key == "VS_VERSION_INFO" and value_length:
        fixed.extend(struct.unpack_from("<13I", block, value))
        children = align(value + value_length)
    elif value_type == 1 and value_length:
        text = block[value:value + value_length * 2].decode("utf-16-le").rstrip("\0")
        strings[key] = text
        children = end
    else:
        children = align(value + value_length)
    while children < end:
        children = align(parse(block, children, strings, fixed))
    return end


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    with open(sys.argv[1], "rb") as file:
        data = file.read()
    base, sections = resource_data(data)
    block = version_block(data, base, sections)
    strings, fixed = {}, []
    parse(block, 0, strings, fixed)
    if len(fixed) < 6 or fixed[0] != 0xFEEF04BD:
        fail("no fixed file information")

    def dotted(high, low):
        return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"

    print(f"FILEVERSION={dotted(fixed[2], fixed[3])}")
    print(f"PRODUCTVERSION={dotted(fixed[4], fixed[5])}")
    for key, value in strings.items():
        print(f"{key}={value}")


if __name__ == "__main__":
    main()
