#!/usr/bin/env python3
"""Regenerates the herb list and the dose-range table from the herb records.

item/list.xml names every herb that has a record, in id order.

item/dozemap.txt gives the range of doses (grams, one day) that the analysis
accepts for each herb: "id,lower,upper". Doses keep their decimals ("0.1");
whole grams are written without a decimal point ("9"). The rule:

  1. The range starts as the record's own range (its <dose>, the
     pharmacopoeia's usual daily dose), which the herb page shows.
  2. A record without an internal dose (maximum 0: 水银, 红粉, 土荆皮 …) is for
     external use only. Its line is "id,0,0": the herb has no internal range
     and is never accepted in a decoction, pill or powder.
  3. The range is then widened just enough to take in the amounts the
     classic formulas of script/basic.xml give the herb: the upper bound rises
     to the largest amount of any decoction, pill or powder, the lower bound
     falls to the smallest amount of a decoction. (The analysis holds pills
     and powders to the upper bound only, since one dose of a pill or powder
     holds a small share of each herb; external formulas do not count, the
     internal range does not apply to them.) So a textbook formula is accepted
     as written, and the upper bound of any herb, toxic or not, is never above
     the larger of its pharmacopoeia maximum and the highest amount a textbook
     formula of the library uses.
  4. A formula amount that is far outside the record's range is taken for a
     mistake and stops the run: above two and a half times the maximum for a
     toxic herb, above ten times the maximum for any other herb (黄酒 as the
     liquid a decoction is cooked in).

Run after adding or editing herb records or formulas; tests fail when the
table is stale.
"""
import glob
import os
import sys
import xml.dom.minidom

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.join(here, '..', '..', 'resources', 'impl', 'item')
basic = os.path.join(root, '..', 'script', 'basic.xml')

TOXIC = ('小毒', '有毒', '大毒')
TOXIC_FACTOR = 2.5
OTHER_FACTOR = 10


def text(node, tag):
    els = node.getElementsByTagName(tag)
    return els[0].firstChild.data.strip() if els and els[0].firstChild else ''


def number(value):
    """A dose as written in the table: whole grams without decimals."""
    value = round(value, 3)
    if value == int(value):
        return str(int(value))
    return ('%.3f' % value).rstrip('0')


records = []
by_name = {}
for path in sorted(glob.glob(os.path.join(root, '[0-9][0-9][0-9][0-9].xml'))):
    data = xml.dom.minidom.parse(path).documentElement
    rid, name = text(data, 'id'), text(data, 'name')
    if os.path.basename(path) != rid + '.xml':
        sys.exit(f'{path}: id {rid} does not match the file name')
    dose = data.getElementsByTagName('dose')
    lo = hi = 0.0
    if dose:
        lo = float(text(dose[0], 'min') or 0)
        hi = float(text(dose[0], 'max') or 0)
    toxic = any(t.firstChild and t.firstChild.data.strip() in TOXIC
                for t in data.getElementsByTagName('toxicity'))
    aliases = [t.firstChild.data.strip() for a in data.getElementsByTagName('alias')
               for t in a.getElementsByTagName('tag') if t.firstChild]
    rec = {'id': rid, 'name': name, 'lo': lo, 'hi': hi, 'toxic': toxic, 'used': []}
    records.append(rec)
    for n in [name] + aliases:
        by_name.setdefault(n, rec)

# Amounts of the classic formulas taken by mouth.
for script in xml.dom.minidom.parse(basic).getElementsByTagName('script'):
    form = script.getAttribute('type')
    if form == 'external':
        continue
    for e in script.childNodes:
        if e.nodeType != e.ELEMENT_NODE or e.tagName not in ('j', 'c', 'z', 's') or not e.firstChild:
            continue
        doze = e.getAttribute('doze').strip()
        if not doze.endswith('g'):
            sys.exit(f'{script.getAttribute("name")}: dose "{doze}" has no unit')
        amount = float(doze[:-1])
        for n in e.firstChild.data.split(','):
            rec = by_name.get(n.strip())
            if rec is None:
                sys.exit(f'{script.getAttribute("name")}: {n} has no herb record')
            rec['used'].append((amount, script.getAttribute('name'), form))

problems = []
for rec in records:
    if rec['hi'] <= 0:
        rec['lower'] = rec['upper'] = 0.0
        for amount, formula, _ in rec['used']:
            problems.append(f'{formula}: {rec["name"]} is for external use only')
        continue
    limit = rec['hi'] * (TOXIC_FACTOR if rec['toxic'] else OTHER_FACTOR)
    for amount, formula, _ in rec['used']:
        if amount <= 0 or amount > limit:
            problems.append(f'{formula}: {rec["name"]} {number(amount)} g is far outside '
                            f'{number(rec["lo"])}-{number(rec["hi"])} g')
    rec['lower'] = min([rec['lo']] + [a for a, _, form in rec['used'] if form == 'decoction'])
    rec['upper'] = max([rec['hi']] + [a for a, _, _ in rec['used']])
if problems:
    sys.exit('\n'.join(problems))

with open(os.path.join(root, 'list.xml'), 'w', encoding='utf-8-sig') as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n<list>\n')
    for rec in records:
        f.write(f'    <item><id>{rec["id"]}</id><name>{rec["name"]}</name></item>\n')
    f.write('</list>\n')

with open(os.path.join(root, 'dozemap.txt'), 'w', encoding='utf-8', newline='\n') as f:
    for rec in records:
        f.write(f'{rec["id"]},{number(rec["lower"])},{number(rec["upper"])}\n')
print(f'{len(records)} herb records')
