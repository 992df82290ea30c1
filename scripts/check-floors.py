#!/usr/bin/env python3
"""Fails when a library includes a floor above its own, a plain library includes Qt, or a
project include is not a path from the project root.

Usage: check-floors.py [ROOT]        checks the tree at ROOT (default: the project)
       check-floors.py --self-test   checks that the rules catch what they should
"""
import os
import re
import sys
import tempfile

# Each library folder with the folders its files may include (its own always included).
# Floors from the ground up: text, files, dates; the store; the frame's and panes'
# interfaces; the lists; archive, import, inspect and ops; the widgets; the program.
PLAIN = {
    'text': [],
    'files': [],
    'dates': [],
    'cache/store': ['dates', 'text', 'files'],
    'cache/services': ['cache/store', 'dates', 'text', 'files'],
    'cache/lists': ['cache/services', 'cache/store', 'dates', 'text', 'files'],
    'archive': ['cache/store', 'dates', 'text', 'files'],
    'archive/pane': ['archive', 'cache/lists', 'cache/services', 'cache/store', 'dates', 'text', 'files'],
    'import': ['cache/store', 'dates', 'text', 'files'],
    'inspect': ['cache/services', 'cache/store', 'dates', 'text', 'files'],
    'inspect/history': ['inspect', 'cache/lists', 'cache/services', 'cache/store', 'dates', 'text', 'files'],
    'ops': ['archive', 'import', 'cache/lists', 'cache/services', 'cache/store', 'dates', 'text', 'files'],
    'tools/vantry-store': ['archive', 'import', 'cache/store', 'dates', 'text', 'files'],
    'tools/rquenz': [],
}
WIDGETS = {
    'qtutil': [],
    'cache/widgets': ['qtutil', 'cache/lists', 'cache/services', 'cache/store', 'dates', 'text', 'files'],
    'inspect/widgets': ['inspect', 'qtutil', 'cache/services', 'cache/store', 'dates', 'text', 'files'],
    'inspect/history/widgets': ['inspect/history', 'inspect', 'cache/widgets', 'qtutil', 'cache/lists',
                                'cache/services', 'cache/store', 'dates', 'text', 'files'],
    'archive/pane/widgets': ['archive/pane', 'archive', 'qtutil', 'cache/lists', 'cache/services', 'cache/store',
                             'dates', 'text', 'files'],
    'ops/dialogs': ['ops', 'qtutil', 'archive', 'cache/lists', 'cache/services', 'cache/store', 'dates', 'text',
                    'files'],
    'app': ['*'],
}
LIBRARIES = {**PLAIN, **WIDGETS}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def library_of(path):
    """The library folder a product file belongs to; None for tests, benchmarks, fuzz targets and test support."""
    parts = path.split('/')
    if 'tests' in parts or parts[0] in ('bench', 'fuzz', 'testing', 'testdata'):
        return None
    folder = '/'.join(parts[:-1])
    while folder and folder not in LIBRARIES:
        folder = folder.rpartition('/')[0]
    return folder or None


def folder_of(path):
    """The library folder an included file lives in, by the same rule."""
    folder = path.rpartition('/')[0]
    while folder and folder not in LIBRARIES and folder != 'testing':
        folder = folder.rpartition('/')[0]
    return folder


def check(root):
    faults = []
    for directory, folders, names in os.walk(root):
        folders[:] = [f for f in folders if not f.startswith(('.', 'build'))]
        for name in names:
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.relpath(os.path.join(directory, name), root)
            text = open(os.path.join(root, path), encoding='utf-8', errors='replace').read()
            library = library_of(path)
            for bracket, included in INCLUDE.findall(text):
                if bracket == '"':
                    if not os.path.isfile(os.path.join(root, included)):
                        faults.append(f'{path}: "{included}" is not a path from the project root')
                        continue
                    if library is None:
                        continue
                    target = folder_of(included)
                    allowed = LIBRARIES[library]
                    if target != library and '*' not in allowed and target not in allowed:
                        faults.append(f'{path}: includes "{included}" from {target or "the root"}, '
                                      f'which {library} may not use')
                    if target == 'testing' and library is not None:
                        faults.append(f'{path}: a product file includes the test support "{included}"')
                elif library in PLAIN and re.match(r'Q[A-Za-z]|qt', included):
                    faults.append(f'{path}: the plain library {library} includes the Qt header <{included}>')
    return faults


def self_test():
    cases = {
        'cache/store/A.h': ('#include "cache/lists/B.h"\n', 'may not use'),
        'cache/lists/B.h': ('#include <QString>\n', 'includes the Qt header'),
        'archive/C.cpp': ('#include "C.h"\n', 'not a path from the project root'),
        'ops/D.cpp': ('#include "testing/E.h"\n', 'may not use'),
    }
    with tempfile.TemporaryDirectory() as root:
        for path in list(cases) + ['testing/E.h', 'archive/C.h']:
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            open(os.path.join(root, path), 'w').write(cases.get(path, ('', ''))[0])
        faults = check(root)
        missed = [p for p, (_, words) in cases.items() if not any(f.startswith(p) and words in f for f in faults)]
        open(os.path.join(root, 'cache/store/A.h'), 'w').write('#include "text/F.h"\n')
        os.makedirs(os.path.join(root, 'text'))
        open(os.path.join(root, 'text/F.h'), 'w').write('#include <string>\n')
        allowed = [f for f in check(root) if f.startswith('cache/store/A.h')]
    if missed or allowed:
        print('floor check missed:', missed, 'or refused an allowed include:', allowed)
        return 1
    print('floor check catches every kind of fault')
    return 0


if __name__ == '__main__':
    if sys.argv[1:] == ['--self-test']:
        sys.exit(self_test())
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    faults = check(root)
    print('\n'.join(faults) if faults else 'every include stays on its floor')
    sys.exit(1 if faults else 0)
