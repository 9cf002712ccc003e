#!/usr/bin/env python3
"""Regenerates the herb list and the dose-range table from the herb records.

item/list.xml names every herb that has a record; item/dozemap.txt gives each
record's usual dose range in whole grams. A sub-gram range becomes 0..1 (the
smallest whole gram) for a herb that is not toxic, and 0..0 (no whole-gram
dose is accepted) for a toxic one. A record without an internal dose is for
external use only; it gets 1..30, the amounts of an external preparation
(the dosage-form table keeps it out of internal forms).
For herbs that are not toxic the range is widened towards the decoction doses
the classic formulas use, so that a textbook prescription is accepted as
written, but never beyond half the usual lower bound or twice the usual upper
bound; the range of a toxic herb is never widened.
Run after adding or editing herb records or formulas.
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


# Decoction doses of the classic formulas, by herb name.
formula_doses = {}
basic = os.path.join(root, '..', 'script', 'basic.xml')
if os.path.exists(basic):
    for script in xml.dom.minidom.parse(basic).getElementsByTagName('script'):
        if script.getAttribute('type') != 'decoction':
            continue
        for role in 'jczs':
            for e in script.getElementsByTagName(role):
                doze = e.getAttribute('doze').strip()
                if not doze.endswith('g') or not doze[:-1].isdigit() or not e.firstChild:
                    continue
                for n in e.firstChild.data.split(','):
                    formula_doses.setdefault(n.strip(), []).append(int(doze[:-1]))

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
    toxic = any(t.firstChild and t.firstChild.data.strip() in ('小毒', '有毒', '大毒')
                for t in data.getElementsByTagName('toxicity'))
    names = [name] + [t.firstChild.data.strip() for a in data.getElementsByTagName('alias')
                      for t in a.getElementsByTagName('tag') if t.firstChild]
    used = [d for n in names for d in formula_doses.get(n, [])]
    if used and hi > 0 and not toxic:
        lo = min(lo, max(min(used), math.ceil(lo / 2)))
        hi = max(hi, min(max(used), 2 * hi))
    records.append((rid, name, lo, hi, toxic))

with open(os.path.join(root, 'list.xml'), 'w', encoding='utf-8-sig') as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n<list>\n')
    for rid, name, *_ in records:
        f.write(f'    <item><id>{rid}</id><name>{name}</name></item>\n')
    f.write('</list>\n')

with open(os.path.join(root, 'dozemap.txt'), 'w', encoding='utf-8', newline='\n') as f:
    for rid, _, lo, hi, toxic in records:
        if hi <= 0:
            lower, upper = 1, 30
        elif hi < 1 and toxic:
            lower, upper = 0, 0
        else:
            lower = int(math.floor(lo)) if lo >= 1 else 0
            upper = max(1, int(math.ceil(hi)))
        f.write(f'{rid},{lower},{upper}\n')
print(f'{len(records)} herb records')
