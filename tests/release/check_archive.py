#!/usr/bin/env python3
"""Builds the release archive with CPack, as the README's release command does, into a
temporary folder, opens it and checks what a user gets: the files, the read-me in code
page 932 with CR LF, the binaries and the help file exactly as built, and the binaries'
version resources.

Usage: check_archive.py BUILD_DIR SHIPPED_DIR VRI_DIR
"""
import os
import subprocess
import sys
import tempfile
import zipfile

from tally import Tally

build, shipped, vri_dir = sys.argv[1:4]
here = os.path.dirname(os.path.abspath(__file__))
tally = Tally()
check = tally.check


version = None
for line in open(os.path.join(vri_dir, 'Tallowin.vri'), 'rb').read().decode('cp932').splitlines():
    if line.startswith('FileVersion='):
        version = '.'.join(n.strip() for n in line.split('=', 1)[1].split(','))
name = 'Tallowin-%s-win32' % version

with tempfile.TemporaryDirectory() as work:
    subprocess.run(['cpack', '--config', os.path.join(build, 'CPackConfig.cmake'), '-B', work],
                   check=True, stdout=subprocess.DEVNULL)
    archive = os.path.join(work, name + '.zip')
    check(os.path.isfile(archive), 'the archive is named %s.zip (found %s)' % (name, os.listdir(work)))
    if os.path.isfile(archive):
        with zipfile.ZipFile(archive) as z:
            members = sorted(n for n in z.namelist() if not n.endswith('/'))
            expected = sorted(name + '/' + f for f in os.listdir(shipped) + ['README.txt', 'LICENSE.txt'])
            check(members == expected, 'the archive holds %s' % members)
            for text in ('README.txt', 'LICENSE.txt'):
                data = z.read(name + '/' + text) if name + '/' + text in members else b''
                lines = data.split(b'\n')
                check(data and all(l.endswith(b'\r') for l in lines[:-1]) and b'\r\r' not in data,
                      '%s has CR LF line ends' % text)
                try:
                    decoded = data.decode('cp932')
                except UnicodeDecodeError:
                    decoded = ''
                check(decoded != '', '%s is code page 932 text' % text)
            readme = z.read(name + '/README.txt').decode('cp932', 'replace') if name + '/README.txt' in members else ''
            for topic in ('インストール', '登録の解除', 'Quelvar.hlp', 'Quelvar.cnt', 'TalloVer.exe', 'HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\2.0\\Experts'):
                check(topic in readme, 'the read-me speaks of %s' % topic)
            help_file = name + '/Quelvar.hlp'
            check(help_file in members, 'the archive holds the help file Quelvar.hlp')
            if help_file in members:
                check(z.read(help_file)[:4] == b'\x3f\x5f\x03\x00', 'Quelvar.hlp is a WinHelp file')
            contents_file = name + '/Quelvar.cnt'
            check(contents_file in members, 'the archive holds the contents file Quelvar.cnt')
            if contents_file in members:
                data = z.read(contents_file)
                check(data.startswith(b':Base Quelvar.hlp\r\n') and data.endswith(b'\r\n') and b'\r\r' not in data,
                      'Quelvar.cnt names Quelvar.hlp and has CR LF line ends')
                check(z.read(contents_file) == open(os.path.join(shipped, 'Quelvar.cnt'), 'rb').read(),
                      'Quelvar.cnt in the archive is the file built')
            binaries = [m for m in members if m.endswith(('.dll', '.exe'))]
            for member in binaries + ([help_file] if help_file in members else []):
                base = os.path.basename(member)
                check(z.read(member) == open(os.path.join(shipped, base), 'rb').read(),
                      '%s in the archive is the file built' % base)
            z.extractall(work, binaries)
            result = subprocess.run([sys.executable, os.path.join(here, 'check_resources.py'), vri_dir] +
                                    [os.path.join(work, m) for m in binaries])
            check(result.returncode == 0, 'the version resources of the archived binaries')

sys.exit(tally.report())
