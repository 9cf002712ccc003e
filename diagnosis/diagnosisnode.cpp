#include "diagnosisnode.h"

#include "knowledge/loadfunctions.h"
#include "text/codepage.h"

#include <QIODevice>

namespace {

QString childText(const QDomElement &parent, const char *name)
{
    return parent.firstChildElement(QLatin1String(name)).text();
}

// "a,b,,c" keeps its empty parts; an empty text gives no parts at all.
QStringList commaList(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char(','));
}

questionItem readItem(const QDomElement &e)
{
    questionItem item;
    item.id = e.attribute(QStringLiteral("id"));
    item.checked = e.attribute(QStringLiteral("checked"));
    item.age = e.attribute(QStringLiteral("age"));
    item.sex = e.attribute(QStringLiteral("sex"));
    item.mainsuit = e.attribute(QStringLiteral("mainsuit"));
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        const QString tag = c.tagName();
        if (tag == QLatin1String("name")) {
            item.name = c.text();
        } else if (tag == QLatin1String("desc")) {
            item.desc = c.text();
        } else if (tag == QLatin1String("id")) {
            item.id = c.text();
        } else if (tag == QLatin1String("reason")) {
            for (QDomElement t = c.firstChildElement(QStringLiteral("tag")); !t.isNull();
                 t = t.nextSiblingElement(QStringLiteral("tag"))) {
                bool ok = false;
                const float value = t.attribute(QStringLiteral("value")).toFloat(&ok);
                item.reasons.append({t.attribute(QStringLiteral("name")), ok ? value : 0.0f});
                item.comment = t.attribute(QStringLiteral("comment"));
            }
        }
    }
    return item;
}

questionList readQuestion(const QDomElement &e)
{
    questionList list;
    list.rule = e.attribute(QStringLiteral("rule"));
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        const QString tag = c.tagName();
        if (tag == QLatin1String("tag"))
            list.title = c.text();
        else if (tag == QLatin1String("ratio"))
            list.exclusive = c.text() == QLatin1String("true");
        else if (tag == QLatin1String("unselect"))
            list.unselect = c.text();
        else if (tag == QLatin1String("type"))
            list.type = c.text();
        else if (tag == QLatin1String("layout"))
            list.grid = c.text() == QLatin1String("grid");
        else if (tag == QLatin1String("item"))
            list.items.append(readItem(c));
    }
    return list;
}

// "CODE:a,b,c" -> (CODE, [a, b, c]); false unless exactly one ":".
bool splitCodeRule(const QString &text, codeRule *rule)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 2)
        return false;
    rule->code = parts.at(0);
    rule->parts = parts.at(1).split(QLatin1Char(','));
    return true;
}

QList<QStringList> keyParts(const QString &text)
{
    QList<QStringList> key;
    for (const QString &part : commaList(text))
        key.append(part.split(QLatin1Char('|')));
    return key;
}

diagnosisCell readCell(const QDomElement &e)
{
    diagnosisCell cell;
    cell.id = e.attribute(QStringLiteral("id"));
    cell.mainsuit = e.attribute(QStringLiteral("mainsuit"));
    const QString age = e.attribute(QStringLiteral("age"));
    if (age.startsWith(QLatin1String("age")))
        cell.age = age.mid(3);
    cell.count = e.attribute(QStringLiteral("count")).toInt();
    cell.key = keyParts(e.firstChildElement(QStringLiteral("key")).text().trimmed());
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        const QString tag = c.tagName();
        if (tag == QLatin1String("item"))
            cell.items << commaList(c.text().trimmed());
        else if (tag == QLatin1String("aux"))
            cell.aux << commaList(c.text().trimmed());
    }
    return cell;
}

} // namespace

diagnosisNode &diagnosisNode::instance()
{
    static diagnosisNode node;
    return node;
}

diagnosisNode::~diagnosisNode()
{
    cleanup();
}

bool diagnosisNode::readGroupFile(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    auto *group = new questionGroup;
    group->name = root.attribute(QStringLiteral("name"));
    group->id = root.attribute(QStringLiteral("id"));
    for (QDomElement c = root.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        const QString tag = c.tagName();
        if (tag == QLatin1String("comment"))
            group->comment = c.text();
        else if (tag == QLatin1String("link"))
            group->link = c.text();
        else if (tag == QLatin1String("type"))
            group->type = c.text();
        else if (tag == QLatin1String("scroll"))
            group->scroll = c.text() == QLatin1String("true");
        else if (tag == QLatin1String("tablelist"))
            group->tablelist = c.text() == QLatin1String("true");
        else if (tag == QLatin1String("list"))
            group->lists.append(readQuestion(c));
        else if (tag == QLatin1String("desc"))
            readRules(c); // rules that travel with the group
    }
    m_groups.append(group);
    return true;
}

bool diagnosisNode::readRules(const QDomElement &element)
{
    if (element.isNull())
        return false;
    diagnosisRules &r = m_rules;
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        const QString text = e.text().trimmed();
        codeRule rule;
        if (tag == QLatin1String("unit")) {
            const QStringList parts = text.split(QLatin1Char(':'));
            if (parts.size() == 2)
                r.unitMap.insert(parts.at(1), parts.at(0));
        } else if (tag == QLatin1String("mainsuit")) {
            const QStringList parts = text.split(QLatin1Char(':'));
            if (parts.size() == 2)
                r.mainsuitMap.insert(parts.at(0), parts.at(1));
        } else if (tag == QLatin1String("contradict")) {
            const QStringList parts = text.split(QLatin1Char(','));
            if (parts.size() == 2) {
                r.contradictPairs.insert(parts.at(0), parts.at(1));
                r.contradictPairs.insert(parts.at(1), parts.at(0));
            }
        } else if (tag == QLatin1String("group")) {
            const QStringList parts = text.split(QLatin1Char('#'));
            if (parts.size() == 2) {
                const QStringList answers = parts.at(0).split(QLatin1Char(','));
                for (const QString &code : parts.at(1).split(QLatin1Char(',')))
                    r.groupRules.append({code, answers});
            }
        } else if (tag == QLatin1String("atom")) {
            if (splitCodeRule(text, &rule))
                r.atomRules.append(rule);
        } else if (tag == QLatin1String("one")) {
            if (splitCodeRule(text, &rule))
                r.oneRules.append(rule);
        } else if (tag == QLatin1String("grow")) {
            if (splitCodeRule(text, &rule))
                r.growRules.append(rule);
        } else if (tag == QLatin1String("merge")) {
            if (splitCodeRule(text, &rule))
                r.mergeRules.append(rule);
        } else if (tag == QLatin1String("unity")) {
            if (splitCodeRule(text, &rule))
                r.unityRules.append(rule);
        } else if (tag == QLatin1String("cell")) {
            r.cellList.append(readCell(e));
        }
    }
    return true;
}

bool diagnosisNode::readMapFile(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    return readRules(root);
}

bool diagnosisNode::readTextRules(QIODevice *device)
{
    if (!device)
        return true;
    diagnosisCell cell;
    const auto rest = [](const QString &line, int from) { return line.mid(from).trimmed(); };
    while (!device->atEnd()) {
        QByteArray bytes = device->readLine(516);
        if (bytes.isEmpty())
            break;
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        const QString line = decodeSystemCodePage(bytes);
        if (line.startsWith(QLatin1String("-----"))) {
            m_rules.cellList.append(cell);
            const int count = cell.count;
            cell = diagnosisCell();
            cell.count = count; // the count carries over to the next cell
        } else if (line.startsWith(QLatin1String("[ID]"))) {
            cell.id = rest(line, 4);
        } else if (line.startsWith(QLatin1String("[SUIT]"))) {
            cell.mainsuit = rest(line, 6);
        } else if (line.startsWith(QLatin1String("[COUNT]"))) {
            cell.count = rest(line, 7).toInt();
        } else if (line.startsWith(QLatin1String("[KEY]"))) {
            cell.key << keyParts(rest(line, 5));
        } else if (line.startsWith(QLatin1String("[ITEM]"))) {
            cell.items << commaList(rest(line, 6));
        } else if (line.startsWith(QLatin1String("[AUX]"))) {
            cell.aux << commaList(rest(line, 5));
        }
    }
    return true;
}

bool diagnosisNode::readComplaintCatalogue(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    for (QDomElement b = root.firstChildElement(QStringLiteral("block")); !b.isNull();
         b = b.nextSiblingElement(QStringLiteral("block"))) {
        complaintBlock block;
        block.name = b.attribute(QStringLiteral("name"));
        for (QDomElement c = b.firstChildElement(QStringLiteral("cell")); !c.isNull();
             c = c.nextSiblingElement(QStringLiteral("cell"))) {
            complaintEntry entry;
            const QStringList name = c.attribute(QStringLiteral("name")).split(QLatin1Char('@'));
            entry.code = name.value(0).trimmed();
            entry.description = name.mid(1).join(QLatin1Char('@'));
            entry.type = c.attribute(QStringLiteral("type"));
            entry.age = c.attribute(QStringLiteral("age"));
            const QDomElement first = c.firstChildElement();
            const QDomElement second = first.nextSiblingElement();
            for (const QString &g : commaList(first.text()))
                entry.groups << g.trimmed();
            for (const QString &g : commaList(second.text()))
                entry.furtherGroups << g.trimmed();
            block.entries.append(entry);
            if (!m_complaints.contains(entry.code)) {
                m_complaints.insert(entry.code, entry);
                m_complaintCodes << entry.code;
            }
        }
        m_blocks.append(block);
    }
    return true;
}

bool diagnosisNode::readComplaintRestrictions(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    for (QDomElement e = root.firstChildElement(QStringLiteral("item")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("item"))) {
        const QStringList parts = e.text().trimmed().split(QLatin1Char(':'));
        if (parts.size() != 2)
            continue;
        complaintRestriction entry;
        const QString rest = parts.at(1);
        const qsizetype hash = rest.indexOf(QLatin1Char('#'));
        if (hash >= 0) {
            entry.group = rest.left(hash);
            for (const QString &a : rest.mid(hash + 1).split(QLatin1Char(',')))
                entry.values.insert(a);
        } else {
            for (const QString &v : rest.split(QLatin1Char(',')))
                entry.values.insert(v);
        }
        m_restrictions.insert(parts.at(0), entry);
    }
    return true;
}

bool diagnosisNode::readCategories(const QDomElement &root)
{
    if (root.isNull())
        return false;
    for (QDomElement c = root.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        complaintCategory category;
        category.name = c.attribute(QStringLiteral("name"));
        category.id = c.attribute(QStringLiteral("id"));
        for (QDomElement e = c.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            category.entries.append({e.attribute(QStringLiteral("id")), e.text()});
        m_categories.append(category);
    }
    return true;
}

bool diagnosisNode::readJudgeRules(const QDomElement &root)
{
    if (root.isNull())
        return false;
    // Only the congenital conditions are consulted (by the patient profile);
    // the other sets of the file are not read.
    const QDomElement inborn = root.firstChildElement(QStringLiteral("inborn"));
    for (QDomElement e = inborn.firstChildElement(QStringLiteral("item")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("item")))
        m_inborn.append({e.attribute(QStringLiteral("id")), e.attribute(QStringLiteral("name"))});
    return true;
}

const questionGroup *diagnosisNode::group(const QString &id) const
{
    for (const questionGroup *g : m_groups) {
        if (g->id == id)
            return g;
    }
    return nullptr;
}

const questionItem *diagnosisNode::findAnswer(const QString &answerId, const questionList **question) const
{
    const qsizetype dash = answerId.indexOf(QLatin1Char('-'));
    if (dash <= 0)
        return nullptr;
    const questionGroup *g = group(answerId.left(dash));
    return g ? g->findItem(answerId, question) : nullptr;
}

const complaintEntry *diagnosisNode::complaint(const QString &code) const
{
    const auto it = m_complaints.constFind(code);
    return it == m_complaints.constEnd() ? nullptr : &it.value();
}

QString diagnosisNode::complaintDescription(const QString &code) const
{
    const complaintEntry *e = complaint(code);
    return e ? e->description : QString();
}

QStringList diagnosisNode::complaintGroups(const QString &code) const
{
    const complaintEntry *e = complaint(code);
    return e ? e->groups : QStringList();
}

QStringList diagnosisNode::complaintFurtherGroups(const QString &code) const
{
    const complaintEntry *e = complaint(code);
    return e ? e->furtherGroups : QStringList();
}

QString diagnosisNode::complaintType(const QString &code) const
{
    const complaintEntry *e = complaint(code);
    return e ? e->type : QString();
}

int diagnosisNode::departmentOf(const QString &code) const
{
    for (int i = 0; i < m_blocks.size(); ++i) {
        for (const complaintEntry &e : m_blocks.at(i).entries) {
            if (e.code == code)
                return i;
        }
    }
    return -1;
}

QList<complaintRestriction> diagnosisNode::restrictions(const QString &key) const
{
    return m_restrictions.values(key);
}

void diagnosisNode::reset()
{
    m_nextIndex = 0;
    m_answers.clear();
    m_groupQueue = QStringList{QStringLiteral("888")};
    m_department = 0;
    m_mainsuit = QStringLiteral("9024");
}

QString diagnosisNode::selectComplaint(int department, const QString &code)
{
    m_department = department;
    if (department < 0 || department >= m_blocks.size())
        return QString();
    for (const complaintEntry &e : m_blocks.at(department).entries) {
        if (e.code == code)
            return e.description;
    }
    return QString();
}

void diagnosisNode::setMainsuit(const QString &code)
{
    m_mainsuit = code;
}

void diagnosisNode::addAnswers(const QStringList &ids)
{
    for (const QString &id : ids)
        m_answers.insert(id);
}

void diagnosisNode::queueGroups(const QStringList &ids)
{
    m_groupQueue << ids;
}

int diagnosisNode::nextPageIndex()
{
    if (m_nextIndex < m_groupQueue.size())
        return m_nextIndex++;
    return -1;
}

QString diagnosisNode::groupIdAt(int index) const
{
    return m_groupQueue.value(index);
}

void diagnosisNode::cleanup()
{
    qDeleteAll(m_groups);
    m_groups.clear();
}

void diagnosisNode::clear()
{
    cleanup();
    m_rules = diagnosisRules();
    m_blocks.clear();
    m_complaintCodes.clear();
    m_complaints.clear();
    m_restrictions.clear();
    m_categories.clear();
    m_inborn.clear();
    reset();
}
