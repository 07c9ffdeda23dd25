#!/usr/bin/env python3
"""Reads the resources back out of shipped binaries, independently of the code that made
them: each binary's VERSIONINFO must say what its VRI file says, and the installer must
carry a manifest that keeps every Windows from elevating it.

Usage: check_resources.py VRI_DIR BINARY...   (Tallowin.dll is compared with Tallowin.vri)
"""
import os
import struct
import sys
import xml.etree.ElementTree as ET

from tally import Tally

RT_VERSION, RT_MANIFEST = 16, 24
FILE_TYPES = {0: 1, 1: 2, 2: 3, 3: 4, 4: 5, 5: 7, 6: 0}  # list index -> VFT_ value
LANGUAGES = {0: 0x411, 1: 0x409}
SUPPORTED_OS_WINDOWS_10 = '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'
tally = Tally()
check = tally.check


def resources(path):
    """{(type, name): bytes} of a 32-bit PE image (first language of each)."""
    data = open(path, 'rb').read()
    u16 = lambda at: struct.unpack_from('<H', data, at)[0]
    u32 = lambda at: struct.unpack_from('<I', data, at)[0]
    pe = u32(0x3C)
    opt = pe + 24
    table = opt + u16(pe + 20)
    sections = [(u32(s + 12), max(u32(s + 8), u32(s + 16)), u32(s + 20))
                for s in range(table, table + 40 * u16(pe + 6), 40)]

    def at(rva):
        for start, size, raw in sections:
            if start <= rva < start + size:
                return rva - start + raw
        raise ValueError('RVA %#x outside the sections' % rva)

    root = u32(opt + 96 + 8 * 2)
    if not root:
        return {}
    base = at(root)

    def entries(directory):
        count = u16(directory + 12) + u16(directory + 14)
        for e in range(directory + 16, directory + 16 + 8 * count, 8):
            yield u32(e), u32(e + 4)

    found = {}
    for rtype, sub in entries(base):
        for name, sub2 in entries(base + (sub & 0x7FFFFFFF)):
            _, leaf = next(entries(base + (sub2 & 0x7FFFFFFF)))
            rva, size = u32(base + leaf), u32(base + leaf + 4)
            found[(rtype, name)] = data[at(rva):at(rva) + size]
    return found


def version_info(blob):
    """(fixed fields, {string name: value}, translations) of a VS_VERSIONINFO block."""
    def block(at):
        length, value_length, kind = struct.unpack_from('<HHH', blob, at)
        end_key = blob.index(b'\0\0', at + 6)
        while (end_key - at) % 2:
            end_key = blob.index(b'\0\0', end_key + 1)
        key = blob[at + 6:end_key].decode('utf-16-le')
        value = (end_key + 2 + 3) & ~3
        size = value_length * (2 if kind == 1 else 1)
        children, child = [], (value + size + 3) & ~3
        while child < at + length:
            children.append(child)
            child = (child + struct.unpack_from('<H', blob, child)[0] + 3) & ~3
        return key, blob[value:value + size], children

    key, fixed, children = block(0)
    assert key == 'VS_VERSION_INFO', key
    signature, _, fv_ms, fv_ls, pv_ms, pv_ls, _, _, _, file_type = struct.unpack_from('<10I', fixed)
    assert signature == 0xFEEF04BD
    split = lambda ms, ls: [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
    strings, translations = {}, []
    for child in children:
        name, _, grandchildren = block(child)
        for table in grandchildren:
            _, value, items = block(table)
            if name == 'StringFileInfo':
                for item in items:
                    k, v, _ = block(item)
                    strings[k] = v.decode('utf-16-le').rstrip('\0')
            else:
                translations += [struct.unpack_from('<HH', value, i) for i in range(0, len(value), 4)]
    return split(fv_ms, fv_ls), split(pv_ms, pv_ls), file_type, strings, translations


def vri(path):
    values = {}
    for line in open(path, 'rb').read().decode('cp932').splitlines():
        if '=' in line:
            key, _, value = line.partition('=')
            values.setdefault(key.strip(), value.strip())
    return values


def main():
    vri_dir, binaries = sys.argv[1], sys.argv[2:]
    for path in binaries:
        name = os.path.basename(path)
        settings = vri(os.path.join(vri_dir, os.path.splitext(name)[0] + '.vri'))
        found = resources(path)
        blob = found.get((RT_VERSION, 1))
        check(blob is not None, '%s has a VERSIONINFO resource' % name)
        if blob is None:
            continue
        file_version, product_version, file_type, strings, translations = version_info(blob)
        numbers = lambda text: [int(n) for n in text.split(',')]
        check(file_version == numbers(settings['FileVersion']), '%s FILEVERSION %s' % (name, file_version))
        check(product_version == numbers(settings['ProductVersion']), '%s PRODUCTVERSION %s' % (name, product_version))
        check(file_type == FILE_TYPES[int(settings['FileType'])], '%s FILETYPE %d' % (name, file_type))
        check(translations and translations[0][0] == LANGUAGES[int(settings['Translation'])],
              '%s translation %s' % (name, translations))
        expected = {'FileDescription': settings['Description'], 'FileVersion': settings['FileVerView'],
                    'ProductVersion': settings['ProductVerView'], 'LegalCopyright': settings['CopyRight'],
                    'CompanyName': settings['CompanyName'], 'OriginalFilename': settings['OriginalName'],
                    'InternalName': settings['InternalName'], 'ProductName': settings['ProductName'],
                    'Comments': settings['Comment']}
        for key, value in expected.items():
            check(strings.get(key) == value, '%s %s is %r, the VRI file says %r' % (name, key, strings.get(key), value))
        check(strings.get('OriginalFilename') == name and strings.get('ProductName') == 'Tallowin',
              '%s names itself %r of %r' % (name, strings.get('OriginalFilename'), strings.get('ProductName')))
        if name.lower().endswith('.exe'):
            manifest = found.get((RT_MANIFEST, 1))
            check(manifest is not None, '%s has a manifest (RT_MANIFEST 1)' % name)
            if manifest is None:
                continue
            tree = ET.fromstring(manifest)
            levels = [e.get('level') for e in tree.iter() if e.tag.endswith('requestedExecutionLevel')]
            check(levels == ['asInvoker'], '%s requestedExecutionLevel %s' % (name, levels))
            # The manifest's version is written by hand: it must follow the VRI file.
            identities = [e.get('version') for e in tree.iter() if e.tag.endswith('assemblyIdentity')]
            dotted = '.'.join(str(n) for n in numbers(settings['FileVersion']))
            check(identities == [dotted], '%s manifest version %s, the VRI file says %s' % (name, identities, dotted))
            systems = [e.get('Id') for e in tree.iter() if e.tag.endswith('supportedOS')]
            check(SUPPORTED_OS_WINDOWS_10 in systems, '%s supportedOS %s' % (name, systems))
    return tally.report()


if __name__ == '__main__':
    sys.exit(main())
