#!/usr/bin/env python3
"""Writes a synthetic knowledge base FACTOR times the shipped one, in the
same formats, for the benchmarks that measure how the program grows with its
knowledge.

    scale_knowledge.py [--factor N] RESOURCES OUT

RESOURCES is the resources folder of the source tree (impl/ and qrc/ under
it). OUT receives impl/ (pack it with mkarchive into an archive), qrc/ with
the rule files the configuration names, and config.xml naming them by their
paths on disk (lcq --config, setConfigurationPath).

Copy 0 is the shipped knowledge as it stands. Copies 1 .. N-1 repeat it with
every identifier renamed, consistently across the files, so that the copies
never meet one another and a question put to the shipped knowledge gets the
same answer from the scaled one:

- herb names and aliases, and every name in a herb list: name + copy number
  ("当归" -> "当归3");
- herb ids: copy * 1000 + id ("0024" -> "3024");
- formula names: name + copy number;
- acupoint names: name + copy number; acupoint codes: code + "." + copy;
- answer ids: the question number moves past the questions of the earlier
  copies ("016-4-0" -> "016-%d-0" % (4 + copy * questions of group 016));
- codes (main complaints 9xxx, patterns, atoms 3xxx, F-codes): a code of the
  same kind that the shipped data does not use (atoms past "3999" take a
  letter: "3A07");
- folk remedies and reader texts are repeated as they stand.

The code dictionary of the pair files (pair/dict.xml), the interface phrases
and the constitution list are shared by all copies and written once.
"""
import argparse
import os
import re
import shutil
import sys
import xml.etree.ElementTree as ET

ANSWER = re.compile(r'^(\d{3})-(\d+)-(\d+)$')
CODE = re.compile(r'^(\d{4}|F\d{3})$')
KEEP_CODES = {'0000', '9999'}


def fail(message):
    sys.exit('scale_knowledge: ' + message)


def read_text(path):
    with open(path, encoding='utf-8-sig', newline='') as f:
        return f.read()


def write_text(path, text, bom=False):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8-sig' if bom else 'utf-8', newline='') as f:
        f.write(text)


def parse(path):
    return ET.parse(path, parser=ET.XMLParser(target=ET.TreeBuilder(insert_comments=False)))


def write_xml(tree, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tree.write(path, encoding='utf-8', xml_declaration=True)


def clone(element):
    return ET.fromstring(ET.tostring(element, encoding='unicode'))


def map_tokens(text, fn, separators):
    """Applies fn to every token between the separators; white space around
    a token stays where it was."""
    if text is None:
        return None
    parts = re.split('([' + re.escape(separators) + '])', text)
    out = []
    for i, part in enumerate(parts):
        if i % 2 == 1:
            out.append(part)
            continue
        core = part.strip()
        if not core:
            out.append(part)
            continue
        lead = part[:len(part) - len(part.lstrip())]
        trail = part[len(part.rstrip()):]
        out.append(lead + fn(core) + trail)
    return ''.join(out)


class renamer:
    def __init__(self, used_codes, questions):
        self.questions = questions
        self.codes = {}  # (copy, code) -> code
        free = {
            'complaint': [c for c in ('%04d' % n for n in range(9000, 10000)) if c not in used_codes],
            # atoms only need the leading "3": letters give room beyond 3999
            'atom': [c for c in ['%04d' % n for n in range(3000, 4000)]
                     + ['3%s%02d' % (chr(65 + n // 100), n % 100) for n in range(2600)]
                     if c not in used_codes],
            'f': [c for c in ('F%03d' % n for n in range(1000)) if c not in used_codes],
            'other': [c for c in ('%04d' % n for n in list(range(1, 3000)) + list(range(4000, 9000)))
                      if c not in used_codes],
        }
        self.free = free
        self.used = sorted(c for c in used_codes if c not in KEEP_CODES)

    @staticmethod
    def kind(code):
        if code.startswith('F'):
            return 'f'
        if code.startswith('9'):
            return 'complaint'
        if code.startswith('3'):
            return 'atom'
        return 'other'

    def allocate(self, copies):
        for copy in range(1, copies):
            for code in self.used:
                pool = self.free[self.kind(code)]
                if not pool:
                    fail('no free %s codes left for copy %d' % (self.kind(code), copy))
                self.codes[(copy, code)] = pool.pop(0)

    def herb(self, name, copy):
        return name + str(copy) if copy and name else name

    def herb_list(self, text, copy, separators=','):
        return map_tokens(text, lambda t: self.herb(t, copy), separators) if copy else text

    def herb_id(self, hid, copy):
        if not copy:
            return hid
        if not hid.isdigit() or int(hid) >= 1000:
            fail('herb id %r does not fit the copy numbering' % hid)
        return '%04d' % (copy * 1000 + int(hid))

    def formula(self, name, copy):
        return name + str(copy) if copy and name else name

    def acupoint(self, name, copy):
        return name + str(copy) if copy and name else name

    def acucode(self, code, copy):
        return '%s.%d' % (code, copy) if copy and code else code

    def code(self, code, copy):
        if not copy or code in KEEP_CODES:
            return code
        return self.codes.get((copy, code), code)

    def diagnosis_token(self, token, copy):
        """An answer id or a code of the diagnosis rules; other words (the
        markers "long", "seri", group ids) stay as they are."""
        if not copy:
            return token
        m = ANSWER.match(token)
        if m:
            group, question, answer = m.groups()
            return '%s-%d-%s' % (group, int(question) + copy * self.questions.get(group, 100), answer)
        if CODE.match(token):
            return self.code(token, copy)
        return token

    def diagnosis_text(self, text, copy, separators=':#,|'):
        return map_tokens(text, lambda t: self.diagnosis_token(t, copy), separators) if copy else text


# ---------------------------------------------------------------- collecting

def collect_codes(impl, qrc):
    used = set()

    def take(text, separators=':#,|'):
        if not text:
            return
        for token in re.split('[' + re.escape(separators) + ']', text):
            token = token.strip()
            if CODE.match(token):
                used.add(token)

    diag = os.path.join(impl, 'diagnosis')
    for name in sorted(os.listdir(diag)):
        path = os.path.join(diag, name)
        if not name.endswith('.xml'):
            continue
        for e in parse(path).getroot().iter():
            take(e.text)
            for key, value in e.attrib.items():
                if key in ('id', 'mainsuit', 'name'):
                    take(value.split('@')[0])
    for e in parse(os.path.join(impl, 'script', 'scripts.xml')).getroot().iter('script'):
        for key in ('for', 'symptom', 'arugment'):
            take(e.get(key))
        for scene in e.iter('scene'):
            take(scene.get('constraint'))
    for e in parse(os.path.join(impl, 'data', 'namemap.xml')).getroot():
        take(e.get('id'))
    for line in read_text(os.path.join(impl, 'script', 'acu_script.txt')).splitlines():
        if line.startswith(('mainsuit:', 'id:')):
            take(line.split(':', 1)[1].split('(')[0])
        elif line.startswith('acu_modify:'):
            take(line[len('acu_modify:'):].split('=')[0].split('(')[0])
    syndrome = os.path.join(qrc, 'data', 'syndrome.xml')
    if os.path.exists(syndrome):
        for e in parse(syndrome).getroot():
            take(e.get('id'))
    return used


def count_questions(impl):
    questions = {}
    diag = os.path.join(impl, 'diagnosis')
    for name in os.listdir(diag):
        if re.match(r'^\d{3}\.xml$', name):
            root = parse(os.path.join(diag, name)).getroot()
            questions[root.get('id', name[:3])] = max(1, len(root.findall('list')))
    return questions


# ---------------------------------------------------------------- herbs

def scale_herbs(src, out, rn, copies):
    tree = parse(os.path.join(src, 'item', 'list.xml'))
    root = tree.getroot()
    originals = list(root)
    for copy in range(1, copies):
        for item in originals:
            e = clone(item)
            children = list(e)
            if len(children) >= 2:
                children[0].text = rn.herb_id((children[0].text or '').strip(), copy)
                children[1].text = rn.herb(children[1].text or '', copy)
            root.append(e)
    write_xml(tree, os.path.join(out, 'item', 'list.xml'))

    for name in sorted(os.listdir(os.path.join(src, 'item'))):
        m = re.match(r'^(\d{4})\.xml$', name)
        if not m:
            continue
        path = os.path.join(src, 'item', name)
        shutil.copyfile(path, os.path.join(out, 'item', name))
        for copy in range(1, copies):
            tree = parse(path)
            record = tree.getroot()
            for e in record:
                if e.tag == 'id':
                    e.text = rn.herb_id((e.text or '').strip(), copy)
                elif e.tag == 'name':
                    e.text = rn.herb(e.text or '', copy)
                elif e.tag == 'alias':
                    for a in e:
                        a.text = rn.herb((a.text or '').strip(), copy)
            write_xml(tree, os.path.join(out, 'item', rn.herb_id(m.group(1), copy) + '.xml'))

    lines = read_text(os.path.join(src, 'item', 'dozemap.txt')).splitlines()
    scaled = list(lines)
    for copy in range(1, copies):
        for line in lines:
            parts = line.strip().split(',')
            if len(parts) == 3 and parts[0].isdigit():
                parts[0] = rn.herb_id(parts[0], copy)
                scaled.append(','.join(parts))
    write_text(os.path.join(out, 'item', 'dozemap.txt'), '\n'.join(scaled) + '\n')


# ---------------------------------------------------------------- formulas

def repeat_children(root, copies, transform, select=None):
    """Appends to root, for every copy, a transformed clone of each of its
    original children (or of those select accepts)."""
    originals = [c for c in root if select is None or select(c)]
    for copy in range(1, copies):
        for child in originals:
            e = clone(child)
            transform(e, copy)
            root.append(e)


def scale_xml(src, out, entry, copies, transform, container=None, select=None):
    tree = parse(os.path.join(src, entry))
    root = tree.getroot()
    targets = [root] if container is None else list(root.iter(container))
    for target in targets:
        repeat_children(target, copies, transform, select)
    write_xml(tree, os.path.join(out, entry))


def scale_formulas(src, out, rn, copies):
    def classic(e, copy):
        e.set('name', rn.formula(e.get('name', ''), copy))
        for c in e:
            if c.tag in ('j', 'c', 'z', 's'):
                c.text = rn.herb_list(c.text, copy)
    scale_xml(src, out, 'script/basic.xml', copies, classic)

    def diagnosis(e, copy):
        for key in ('for', 'symptom', 'arugment'):
            if e.get(key) is not None:
                e.set(key, rn.diagnosis_text(e.get(key), copy))
        for table in e.iter('table'):
            table.set('name', rn.formula(table.get('name', ''), copy))
            for item in table:
                item.set('name', rn.herb_list(item.get('name', ''), copy))
        for scene in e.iter('scene'):
            if scene.get('constraint') is not None:
                scene.set('constraint', rn.diagnosis_text(scene.get('constraint'), copy))
            for c in scene:
                if c.get('name') is not None:
                    c.set('name', rn.herb_list(c.get('name'), copy))
    scale_xml(src, out, 'script/scripts.xml', copies, diagnosis, select=lambda c: c.tag == 'script')

    def flow_unit(e, copy):
        e.set('name', rn.formula(e.get('name', ''), copy))
        for c in e.iter('component'):
            c.text = rn.herb_list(c.text, copy)
    scale_xml(src, out, 'script/script_flow.xml', copies, flow_unit)

    def flow_line(e, copy):
        for end in ('from', 'to'):
            for c in e.iter(end):
                c.set('name', rn.formula(c.get('name', ''), copy))
        for c in e.iter('flag'):
            c.text = map_tokens(c.text, lambda t: t[0] + rn.herb(t[1:], copy) if t[:1] in '+-' and len(t) > 1
                                else rn.herb(t, copy), ',')
    scale_xml(src, out, 'script/line.xml', copies, flow_line)

    def herb_group(e, copy):
        e.set('lists', rn.herb_list(e.get('lists', ''), copy, ',|'))
    scale_xml(src, out, 'script/script_translation.xml', copies, herb_group)

    def herb_unit(e, copy):
        e.set('name', rn.herb(e.get('name', ''), copy))
    scale_xml(src, out, 'script/herb_unit.xml', copies, herb_unit)

    def method(e, copy):
        e.set('list', rn.herb_list(e.get('list', ''), copy))
    scale_xml(src, out, 'script/method_table.xml', copies, method)

    def incompatible(e, copy):
        e.set('name', rn.herb(e.get('name', ''), copy))
        for t in e:
            t.text = rn.herb((t.text or '').strip(), copy)
    scale_xml(src, out, 'script/hate.xml', copies, incompatible, container='hate')
    scale_xml(src, out, 'script/oppose.xml', copies, incompatible, container='oppose')


# ---------------------------------------------------------------- pairs

def scale_pairs(src, out, rn, copies):
    def pair(e, copy):
        for c in e.iter('name'):
            c.text = rn.herb_list(c.text, copy, '-')
        for c in e.iter('tag'):
            c.text = rn.herb(c.text or '', copy)
    scale_xml(src, out, 'pair/plist22.xml', copies, pair, container='list')

    def common(e, copy):
        e.set('list', rn.herb_list(e.get('list', ''), copy))
    scale_xml(src, out, 'pair/common_pair.xml', copies, common, select=lambda c: c.tag == 'item')

    def super_pair(e, copy):
        e.set('name', rn.herb_list(e.get('name', ''), copy))
        for u in e:
            u.set('data', rn.herb_list(u.get('data', ''), copy))
    scale_xml(src, out, 'pair/super_pair.xml', copies, super_pair)

    shutil.copyfile(os.path.join(src, 'pair', 'dict.xml'), os.path.join(out, 'pair', 'dict.xml'))


# ---------------------------------------------------------------- acupuncture

def scale_acupuncture(src, out, rn, copies):
    text = read_text(os.path.join(src, 'data', 'acupoint.txt'))
    lines = text.split('\r\n')
    while lines and lines[-1] == '':
        lines.pop()
    scaled = list(lines)
    for copy in range(1, copies):
        scaled.append('')
        for line in lines:
            if line.startswith('[I]'):
                line = '[I]' + rn.acupoint(line[3:], copy)
            elif line.startswith('[N]'):
                line = '[N]' + rn.acucode(line[3:], copy)
            scaled.append(line)
    write_text(os.path.join(out, 'data', 'acupoint.txt'), '\r\n'.join(scaled) + '\r\n', bom=True)

    lines = [l for l in read_text(os.path.join(src, 'data', 'acu_positions.txt')).split('\n') if l.strip()]
    scaled = list(lines)
    for copy in range(1, copies):
        for line in lines:
            parts = line.rstrip('\r').split('#')
            if len(parts) == 4:
                parts[3] = rn.acucode(parts[3].strip(), copy)
            scaled.append('#'.join(parts))
    write_text(os.path.join(out, 'data', 'acu_positions.txt'), '\n'.join(scaled))

    # Acupuncture prescriptions: blocks between dash lines.
    lines = read_text(os.path.join(src, 'script', 'acu_script.txt')).split('\r\n')
    blocks, current = [], []
    for line in lines:
        if line.startswith('-----'):
            if current:
                blocks.append(current)
            current = []
        else:
            current.append(line)
    dash = next((l for l in lines if l.startswith('-----')), '-' * 44)

    def with_label(value, fn):
        # "CODE(label)": only the code is renamed.
        head, sep, rest = value.partition('(')
        return fn(head.strip()) + sep + rest

    def scaled_line(line, copy):
        points = lambda v: map_tokens(v, lambda t: rn.acupoint(t, copy), ',')
        if line.startswith('mainsuit:'):
            return 'mainsuit:' + with_label(line[9:], lambda c: rn.code(c, copy))
        if line.startswith('id:'):
            return 'id:' + with_label(line[3:], lambda c: rn.code(c, copy))
        if line.startswith('acus:'):
            return 'acus:' + points(line[5:])
        if line.startswith('acu_id:'):
            return 'acu_id:' + points(line[7:])
        if line.startswith('acu_modify:'):
            condition, sep, acus = line[11:].partition('=')
            return 'acu_modify:' + with_label(condition, lambda c: rn.diagnosis_text(c, copy, ',')) + sep + points(acus)
        return line

    out_lines = []
    for copy in range(copies):
        for block in blocks:
            out_lines.append(dash)
            out_lines.extend(scaled_line(l, copy) for l in block)
    out_lines.append(dash)
    write_text(os.path.join(out, 'script', 'acu_script.txt'), '\r\n'.join(out_lines) + '\r\n')


# ---------------------------------------------------------------- diagnosis

def scale_rules(root, rn, copies):
    """map.xml syntax: every rule repeated with its answers and codes renamed."""
    rules = [c for c in root if c.tag != 'desc']

    def rule(e, copy):
        for x in e.iter():
            x.text = rn.diagnosis_text(x.text, copy)
            for key in ('id', 'mainsuit'):
                if x.get(key) is not None:
                    x.set(key, rn.diagnosis_text(x.get(key), copy))
    for copy in range(1, copies):
        for r in rules:
            e = clone(r)
            rule(e, copy)
            root.append(e)


def scale_diagnosis(src, out, rn, copies):
    diag = os.path.join(src, 'diagnosis')
    for name in sorted(os.listdir(diag)):
        path = os.path.join(diag, name)
        target = os.path.join(out, 'diagnosis', name)
        if re.match(r'^\d{3}\.xml$', name):
            tree = parse(path)
            root = tree.getroot()

            def question(e, copy):
                for item in e.iter('item'):
                    for key in ('id', 'mainsuit'):
                        if item.get(key) is not None:
                            item.set(key, rn.diagnosis_text(item.get(key), copy))
                    for c in item:
                        if c.tag == 'id':
                            c.text = rn.diagnosis_text((c.text or '').strip(), copy)
            lists = [c for c in root if c.tag == 'list']
            last = list(root).index(lists[-1]) + 1 if lists else len(root)
            added = []
            for copy in range(1, copies):
                for l in lists:
                    e = clone(l)
                    question(e, copy)
                    added.append(e)
            for i, e in enumerate(added):
                root.insert(last + i, e)
            for d in root.findall('desc'):
                scale_rules(d, rn, copies)
            write_xml(tree, target)
        elif name == 'map.xml':
            tree = parse(path)
            scale_rules(tree.getroot(), rn, copies)
            write_xml(tree, target)
        elif name == 'diagnosis_data.xml':
            def complaint(e, copy):
                code, sep, rest = e.get('name', '').partition('@')
                e.set('name', rn.code(code.strip(), copy) + sep + rest)
            scale_xml(src, out, 'diagnosis/diagnosis_data.xml', copies, complaint, container='block')
        elif name == 'contradiction.xml':
            def restriction(e, copy):
                e.text = rn.diagnosis_text(e.text, copy, ':#,')
            scale_xml(src, out, 'diagnosis/contradiction.xml', copies, restriction)
        else:
            shutil.copyfile(path, target)

    def code_name(e, copy):
        e.set('id', rn.code(e.get('id', ''), copy))
    scale_xml(src, out, 'data/namemap.xml', copies, code_name,
              select=lambda e: e.get('id', '') != rn.code(e.get('id', ''), 1))


# ---------------------------------------------------------------- texts

def scale_texts(src, out, copies):
    text = read_text(os.path.join(src, 'folk', 'data.txt'))
    body = text.rstrip('\r\n')
    write_text(os.path.join(out, 'folk', 'data.txt'), '\r\n\r\n'.join([body] * copies) + '\r\n', bom=True)
    shutil.copyfile(os.path.join(src, 'folk', 'folk.xml'), os.path.join(out, 'folk', 'folk.xml'))

    for name in sorted(os.listdir(os.path.join(src, 'wisdom'))):
        path = os.path.join(src, 'wisdom', name)
        if name.endswith('.xml'):
            scale_xml(src, out, 'wisdom/' + name, copies, lambda e, copy: None)
        else:
            body = read_text(path).rstrip('\n')
            write_text(os.path.join(out, 'wisdom', name), '\n'.join([body] * copies) + '\n')


# ---------------------------------------------------------------- configuration

def scale_configuration(qrc, out, rn, copies):
    files = {}

    def target(entry):
        path = os.path.join(out, 'qrc', entry)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        return path

    group = os.path.join(qrc, 'pair', 'group.xml')
    if os.path.exists(group):
        tree = parse(group)

        def unit(e, copy):
            for c in e:
                c.text = rn.herb_list(c.text, copy)
        repeat_children(tree.getroot(), copies, unit, select=lambda c: c.tag == 'unit')
        write_xml(tree, target('pair/group.xml'))
        files['pairgroup'] = target('pair/group.xml')

    hpatch = os.path.join(qrc, 'data', 'hpatch.xml')
    if os.path.exists(hpatch):
        tree = parse(hpatch)
        repeat_children(tree.getroot(), copies,
                        lambda e, copy: e.set('id', rn.herb_id(e.get('id', ''), copy)),
                        select=lambda c: c.tag == 'item')
        write_xml(tree, target('data/hpatch.xml'))
        files['hpatch'] = target('data/hpatch.xml')

    judge = os.path.join(qrc, 'reckon', 'judge.xml')
    if os.path.exists(judge):
        shutil.copyfile(judge, target('reckon/judge.xml'))
        files['judge'] = target('reckon/judge.xml')

    syndrome = os.path.join(qrc, 'data', 'syndrome.xml')
    if os.path.exists(syndrome):
        tree = parse(syndrome)
        repeat_children(tree.getroot(), copies, lambda e, copy: e.set('id', rn.code(e.get('id', ''), copy)))
        write_xml(tree, target('data/syndrome.xml'))
        files['syndrome'] = target('data/syndrome.xml')

    config = ET.Element('config')
    for key in ('pairgroup', 'hpatch', 'judge', 'syndrome'):
        if key in files:
            ET.SubElement(config, key).text = os.path.abspath(files[key])
    write_xml(ET.ElementTree(config), os.path.join(out, 'config.xml'))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--factor', type=int, default=10, help='how many copies of the knowledge (default 10)')
    parser.add_argument('resources', help='the resources folder of the source tree')
    parser.add_argument('out', help='the folder to write')
    args = parser.parse_args()
    if args.factor < 1 or args.factor > 10:
        fail('the factor must lie between 1 and 10')
    src = os.path.join(args.resources, 'impl')
    qrc = os.path.join(args.resources, 'qrc')
    if not os.path.isdir(src):
        fail('no knowledge tree under %s' % args.resources)
    out = os.path.join(args.out, 'impl')
    if os.path.isdir(args.out):
        shutil.rmtree(args.out)
    shutil.copytree(src, out)  # everything not scaled below stays as shipped

    rn = renamer(collect_codes(src, qrc), count_questions(src))
    rn.allocate(args.factor)
    scale_herbs(src, out, rn, args.factor)
    scale_formulas(src, out, rn, args.factor)
    scale_pairs(src, out, rn, args.factor)
    scale_acupuncture(src, out, rn, args.factor)
    scale_diagnosis(src, out, rn, args.factor)
    scale_texts(src, out, args.factor)
    scale_configuration(qrc, args.out, rn, args.factor)
    print('scale_knowledge: %d copies written to %s' % (args.factor, args.out))


if __name__ == '__main__':
    main()
