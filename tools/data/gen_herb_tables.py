#!/usr/bin/env python3
"""Regenerates the herb list and the dose-range table from the herb records.

item/list.xml names every herb that has a record; item/dozemap.txt gives each
record's usual dose range in whole grams (a sub-gram range becomes 0..1, the
smallest whole-gram ceiling; a record without an internal dose gives 0..0).
Run after adding or editing herb records.
"""
import glob
import math
import os
import sys
import xml.dom.minidom

root = os.path.join(os.path.dirname(__file__), '..', '..', 'resources', 'impl', 'item')


def text(node, tag):
    els = node.getElementsByTagName(tag)
    return els[0].firstChild.data.strip() if els and els[0].firstChild else ''


records = []
for path in sorted(glob.glob(os.path.join(root, '[0-9][0-9][0-9][0-9].xml'))):
    doc = xml.dom.minidom.parse(path)
    data = doc.documentElement
    rid, name = text(data, 'id'), text(data, 'name')
    if os.path.basename(path) != rid + '.xml':
        sys.exit(f'{path}: id {rid} does not match the file name')
    dose = data.getElementsByTagName('dose')
    lo = hi = 0.0
    if dose:
        lo = float(text(dose[0], 'min') or 0)
        hi = float(text(dose[0], 'max') or 0)
    records.append((rid, name, lo, hi))

with open(os.path.join(root, 'list.xml'), 'w', encoding='utf-8-sig') as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n<list>\n')
    for rid, name, _, _ in records:
        f.write(f'    <item><id>{rid}</id><name>{name}</name></item>\n')
    f.write('</list>\n')

with open(os.path.join(root, 'dozemap.txt'), 'w', encoding='utf-8', newline='\n') as f:
    for rid, _, lo, hi in records:
        if hi <= 0:
            lower, upper = 0, 0
        else:
            lower = int(math.floor(lo)) if lo >= 1 else 0
            upper = max(1, int(math.ceil(hi)))
        f.write(f'{rid},{lower},{upper}\n')
print(f'{len(records)} herb records')
