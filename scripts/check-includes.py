#!/usr/bin/env python3
"""Includes point down the layers, never up:

    app -> gui -> platform -> core          cli -> core

A file's layer is the folder it is in (src/core/*, src/cli, src/platform,
src/gui/*, src/app). Tests, fuzz targets and benchmarks are checked too: a
test built without the screens (and so for Windows), a fuzz target and the
test support code reach the core (and the report command) only; the fakes of
the screens' services (tests/support/fakes) are built with the screens. Every quoted
include is resolved, relative to the including file first, then from src/,
tests/ and fuzz/; one that resolves nowhere is an error too. Prints each
include that points the wrong way and fails on any."""
import os, re, sys

root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))
os.chdir(root)
ALLOWED = {
    'core': {'core'},
    'cli': {'core', 'cli'},
    'platform': {'core', 'platform'},
    'gui': {'core', 'platform', 'gui'},
    'app': {'core', 'platform', 'gui', 'app'},
    'test-core': {'core', 'cli', 'test-core'},
    'test-ui': {'core', 'cli', 'platform', 'gui', 'app', 'test-core', 'test-ui'},
    'fuzz': {'core', 'fuzz'},
    'bench': {'core', 'cli', 'platform', 'gui', 'app', 'test-ui', 'bench'},
}

def ui_test_sources():
    found = set()
    for d, _, fs in os.walk('tests'):
        if 'CMakeLists.txt' in fs:
            text = open(os.path.join(d, 'CMakeLists.txt')).read()
            for m in re.finditer(r'timeclock_test\(\s*\w+\s+UI\s+SOURCES([^)]*)\)', text):
                found |= {os.path.normpath(os.path.join(d, s)) for s in m.group(1).split()}
    return found | {os.path.normpath('tests/support/UiTestMain.cpp')}

UI_TESTS = ui_test_sources()

def layer(path):
    parts = path.split(os.sep)
    if parts[0] == 'src':
        return parts[1] if parts[1] in ALLOWED else None
    if parts[0] == 'tests':
        if parts[1:3] == ['support', 'fakes']:
            return 'test-ui'
        return 'test-ui' if path in UI_TESTS else 'test-core'
    return parts[0] if parts[0] in ('fuzz', 'bench') else None

include = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
bad = []
for top in ('src', 'tests', 'fuzz', 'bench'):
    for d, _, fs in os.walk(top):
        for f in fs:
            if not f.endswith(('.h', '.cpp')):
                continue
            path = os.path.normpath(os.path.join(d, f))
            here = layer(path)
            if here is None:
                bad.append(f'{path}: not in any layer')
                continue
            for name in include.findall(open(path, encoding='utf-8').read()):
                for base in (d, 'src', 'tests', 'fuzz'):
                    target = os.path.normpath(os.path.join(base, name))
                    if os.path.isfile(target):
                        break
                else:
                    bad.append(f'{path}: "{name}" is not a file of the project')
                    continue
                there = layer(target)
                if there not in ALLOWED[here]:
                    bad.append(f'{path} ({here}) includes {target} ({there})')
for line in bad:
    print(line)
if bad:
    sys.exit('check-includes: includes must point from app to gui to platform to core, and from cli to core')
