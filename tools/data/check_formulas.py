#!/usr/bin/env python3
"""Checks the classic formulas of script/basic.xml against the herb records.

Without options: lists every herb name a formula uses that no herb record
knows (neither as its name nor as an alias), with the formulas that use it,
and exits 1 when there is any.
With --analyse LCQ: also enters every formula (or only those named after
--only) into `LCQ analyse` with its own herbs, doses and form and lists the
ones the analysis refuses, with the refusal.
"""
import argparse
import glob
import os
import subprocess
import sys
import xml.dom.minidom

here = os.path.dirname(os.path.abspath(__file__))
impl = os.path.join(here, '..', '..', 'resources', 'impl')


def known_names():
    names = set()
    for path in glob.glob(os.path.join(impl, 'item', '[0-9][0-9][0-9][0-9].xml')):
        data = xml.dom.minidom.parse(path).documentElement
        for tag in ('name',):
            for n in data.getElementsByTagName(tag):
                if n.firstChild:
                    names.add(n.firstChild.data.strip())
        for a in data.getElementsByTagName('alias'):
            for t in a.getElementsByTagName('tag'):
                if t.firstChild:
                    names.add(t.firstChild.data.strip())
    return names


def formulas():
    doc = xml.dom.minidom.parse(os.path.join(impl, 'script', 'basic.xml'))
    for s in doc.getElementsByTagName('script'):
        herbs = []
        for role in 'jczs':
            for e in s.getElementsByTagName(role):
                if not e.firstChild:
                    continue
                doze = e.getAttribute('doze').strip()
                for n in e.firstChild.data.split(','):
                    herbs.append((n.strip(), doze[:-1] if doze.endswith('g') else doze))
        yield s.getAttribute('name'), s.getAttribute('from'), s.getAttribute('type'), herbs


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--analyse', metavar='LCQ')
    ap.add_argument('--only', nargs='*')
    args = ap.parse_args()
    names = known_names()
    missing = {}
    for name, _, _, herbs in formulas():
        for h, _ in herbs:
            if h not in names:
                missing.setdefault(h, []).append(name)
    for h, users in sorted(missing.items()):
        print(f'{h}\t{",".join(users)}')
    bad = 0
    if args.analyse:
        for name, book, form, herbs in formulas():
            if args.only and name not in args.only:
                continue
            cmd = [args.analyse, 'analyse', '--form', form] + [f'{h}:{d}' for h, d in herbs]
            r = subprocess.run(cmd, capture_output=True, text=True)
            if r.returncode != 0:
                bad += 1
                why = (r.stderr.strip() or r.stdout.strip()).splitlines()
                print(f'REFUSED\t{name}\t{book}\t{form}\t{why[0] if why else r.returncode}')
    return 1 if missing or bad else 0


if __name__ == '__main__':
    sys.exit(main())
