#!/usr/bin/env python3
"""Regenerates script/herb_unit.xml: for every herb record, the function it
brings to a prescription when nothing else explains it (its first two
actions) and the indications that function serves (its first three)."""
import glob
import os
import xml.dom.minidom
from xml.sax.saxutils import quoteattr

here = os.path.dirname(__file__)
items = os.path.join(here, '..', '..', 'resources', 'impl', 'item')
out = os.path.join(here, '..', '..', 'resources', 'impl', 'script', 'herb_unit.xml')


def tags(data, element):
    found = data.getElementsByTagName(element)
    if not found:
        return []
    return [t.firstChild.data.strip() for t in found[0].getElementsByTagName('tag') if t.firstChild]


lines = []
for path in sorted(glob.glob(os.path.join(items, '[0-9][0-9][0-9][0-9].xml'))):
    data = xml.dom.minidom.parse(path).documentElement
    name = data.getElementsByTagName('name')[0].firstChild.data.strip()
    functions = [f.replace(',', '，') for f in tags(data, 'function')[:2]]
    targets = [t.replace(',', '，') for t in tags(data, 'target')[:3]]
    lines.append('    <item name=%s function=%s target=%s/>' % (
        quoteattr(name), quoteattr(','.join(functions)), quoteattr(','.join(targets))))

with open(out, 'w', encoding='utf-8-sig') as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
    f.write('<!-- What a single herb contributes to a prescription when no formula, group\n'
            '     or pair explains it: its main actions and the indications they serve. -->\n')
    f.write('<data>\n' + '\n'.join(lines) + '\n</data>\n')
print(len(lines), 'units')
