// Cuts the seed corpora of the fuzz targets from the shipped knowledge (the
// built archive, as the loaders see it, and the resource files) and from the
// examples of the tests. Large files are cut into small documents of the same
// format, so that every seed is whole and small enough to mutate quickly.
//
//   mkseeds IMPL_ZIP SOURCE_DIR OUTPUT_DIR

#include <QCoreApplication>
#include <QBuffer>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QMap>
#include <QTextStream>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>
#include <zlib.h>

#include <cstdio>

namespace {

constexpr qsizetype pieceSize = 3000;

QString sourceDir;
QString outputDir;
QMap<QString, QByteArray> archive; // entry -> bytes
QMap<QString, int> counts;         // target -> seeds written

void writeSeed(const QString &target, const QByteArray &bytes)
{
    QDir().mkpath(outputDir + QLatin1Char('/') + target);
    QFile f(QStringLiteral("%1/%2/seed%3").arg(outputDir, target).arg(counts[target]++, 4, 10, QLatin1Char('0')));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "mkseeds: cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
}

QByteArray resourceFile(const QString &relative)
{
    QFile f(sourceDir + QLatin1Char('/') + relative);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkseeds: cannot read %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
    return f.readAll();
}

QByteArray entry(const QString &name)
{
    if (!archive.contains(name)) {
        std::fprintf(stderr, "mkseeds: the archive has no %s\n", qPrintable(name));
        std::exit(1);
    }
    return archive.value(name);
}

// An XML document cut into documents of the same root holding a few of its
// children each; small documents stay whole.
QList<QByteArray> xmlPieces(const QByteArray &bytes)
{
    if (bytes.size() <= 2 * pieceSize)
        return {bytes};
    QDomDocument doc;
    if (!doc.setContent(bytes, false))
        return {bytes.left(2 * pieceSize)};
    const QDomElement root = doc.documentElement();
    QList<QByteArray> pieces;
    QDomDocument piece;
    QDomElement pieceRoot;
    qsizetype size = 0;
    const auto flush = [&] {
        if (pieceRoot.isNull() || !pieceRoot.hasChildNodes())
            return;
        pieces << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + piece.toByteArray(1);
        pieceRoot = QDomElement();
        size = 0;
    };
    for (QDomNode c = root.firstChild(); !c.isNull(); c = c.nextSibling()) {
        if (!c.isElement())
            continue;
        if (pieceRoot.isNull()) {
            piece = QDomDocument();
            pieceRoot = piece.importNode(root, false).toElement();
            piece.appendChild(pieceRoot);
        }
        QString text;
        QTextStream stream(&text);
        c.save(stream, 0);
        size += text.toUtf8().size();
        pieceRoot.appendChild(piece.importNode(c, true));
        if (size >= pieceSize)
            flush();
    }
    flush();
    return pieces;
}

// A line file cut at lines, preferably where a record starts; a byte-order
// mark is kept in front of every piece.
QList<QByteArray> linePieces(const QByteArray &bytes, const QList<QByteArray> &recordStarts)
{
    if (bytes.size() <= 2 * pieceSize)
        return {bytes};
    QByteArray bom;
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF")) {
        bom = text.left(3);
        text.remove(0, 3);
    }
    QList<QByteArray> pieces;
    QByteArray piece;
    for (const QByteArray &line : text.split('\n')) {
        bool starts = false;
        for (const QByteArray &s : recordStarts)
            starts = starts || line.startsWith(s);
        if ((starts && piece.size() >= pieceSize / 2) || piece.size() >= pieceSize) {
            pieces << bom + piece;
            piece.clear();
        }
        piece += line + '\n';
    }
    if (!piece.trimmed().isEmpty())
        pieces << bom + piece;
    return pieces;
}

void xmlSeeds(const QString &target, const QByteArray &bytes)
{
    for (const QByteArray &p : xmlPieces(bytes))
        writeSeed(target, p);
}

void lineSeeds(const QString &target, const QByteArray &bytes, const QList<QByteArray> &recordStarts)
{
    for (const QByteArray &p : linePieces(bytes, recordStarts))
        writeSeed(target, p);
}

QByteArray zip(const QList<QPair<QString, QByteArray>> &entries, bool stored)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip z(&buffer);
    if (!z.open(QuaZip::mdCreate))
        std::exit(1);
    for (const auto &e : entries) {
        QuaZipFile out(&z);
        if (!out.open(QIODevice::WriteOnly, QuaZipNewInfo(e.first), nullptr, 0, stored ? 0 : Z_DEFLATED))
            std::exit(1);
        out.write(e.second);
        out.close();
    }
    z.close();
    return bytes;
}

bool readArchive(const QString &path)
{
    QuaZip z(path);
    if (!z.open(QuaZip::mdUnzip))
        return false;
    for (bool more = z.goToFirstFile(); more; more = z.goToNextFile()) {
        QuaZipFile f(&z);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        archive.insert(z.getCurrentFileName(), f.readAll());
    }
    return true;
}

// Text rules ("[ID]" … "-----") made from the cells of the map file.
QByteArray textRules(const QByteArray &map)
{
    QDomDocument doc;
    doc.setContent(map, false);
    QByteArray out;
    int n = 0;
    for (QDomElement c = doc.documentElement().firstChildElement(QStringLiteral("cell")); !c.isNull() && n < 40;
         c = c.nextSiblingElement(QStringLiteral("cell")), ++n) {
        out += "[ID]" + c.attribute(QStringLiteral("id")).toUtf8() + "\r\n";
        out += "[SUIT]" + c.attribute(QStringLiteral("mainsuit")).toUtf8() + "\r\n";
        out += "[COUNT]" + c.attribute(QStringLiteral("count")).toUtf8() + "\r\n";
        for (QDomElement e = c.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            const QByteArray tag = e.tagName().toUpper().toUtf8();
            out += "[" + tag + "]" + e.text().trimmed().toUtf8() + "\r\n";
        }
        out += "-----\r\n";
    }
    return out;
}

// Prescription files of the first classic formulas.
void prescriptionSeeds(const QByteArray &basic)
{
    QDomDocument doc;
    doc.setContent(basic, false);
    int n = 0;
    static const char *const forms[] = {"decoction", "pill", "powder", "external"};
    for (QDomElement s = doc.documentElement().firstChildElement(); !s.isNull() && n < 24;
         s = s.nextSiblingElement(), ++n) {
        QByteArray pf = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<prescription>\n    <type>";
        pf += forms[n % 4];
        pf += "</type>\n    <list>\n";
        for (QDomElement c = s.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            if (c.tagName().size() != 1)
                continue;
            QString dose = c.attribute(QStringLiteral("doze"));
            dose.remove(QLatin1Char('g'));
            for (const QString &name : c.text().split(QLatin1Char(','))) {
                pf += "        <node>\n            <name>" + name.toUtf8() + "</name>\n            <doze>"
                    + (dose.isEmpty() ? QByteArray("9") : dose.toUtf8()) + "</doze>\n        </node>\n";
            }
        }
        pf += "    </list>\n</prescription>\n";
        writeSeed(QStringLiteral("prescription_file"), pf);
    }
}

// Consultations and symptom test inputs of the typical cases.
void caseSeeds(const QByteArray &cases)
{
    int n = 0;
    for (const QByteArray &line : cases.split('\n')) {
        if (line.startsWith('#') || line.trimmed().isEmpty() || n++ >= 40)
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() < 8)
            continue;
        writeSeed(QStringLiteral("symptom_test"), fields.at(0) + ':' + fields.at(7));
        QByteArray dg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<diagnosis>\n    <mainsuit>" + fields.at(0)
            + "</mainsuit>\n";
        for (const QByteArray &answer : fields.at(7).split(','))
            dg += "    <item>" + answer + "</item>\n";
        dg += "</diagnosis>\n";
        writeSeed(QStringLiteral("consultation_file"), dg);
    }
}

// Personal information files of a man and a woman.
void patientSeeds()
{
    writeSeed(QStringLiteral("patient_file"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<psif>\n    <name>张三</name>\n    <sexuality>0</sexuality>\n"
              "    <age>35</age>\n    <height>175</height>\n    <weight>70</weight>\n    <occupation>2</occupation>\n"
              "    <location>10</location>\n    <inborn>\n        <item>1</item>\n        <item>4</item>\n"
              "    </inborn>\n</psif>\n");
    writeSeed(QStringLiteral("patient_file"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<psif>\n    <name>李四</name>\n    <sexuality>1</sexuality>\n"
              "    <age>28</age>\n    <height>160</height>\n    <weight>52</weight>\n    <occupation>0</occupation>\n"
              "    <location>3</location>\n    <state>2</state>\n    <inborn/>\n</psif>\n");
}

void manifestSeeds()
{
    const QByteArray manifests[] = {
        "<releases>\n  <release version=\"4.9.7.0\">\n    <win32>http://example.org/lc-4.9.7.0.zip</win32>\n"
        "    <sha256>9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08</sha256>\n"
        "    <content>新增方剂检索</content>\n    <detail>http://example.org/4.9.7</detail>\n"
        "    <download>http://example.org/download</download>\n  </release>\n</releases>\n",
        "<r><e version=\"4.9.6.10\"><win32>http://h/same.zip</win32></e><e version=\"5.0.0.0\"><win64>x</win64>"
        "<macos>y</macos></e></r>",
        "\xEF\xBB\xBF<r><e version=\"4.9.6.9\"><win32>old</win32></e></r>",
    };
    for (const QByteArray &m : manifests)
        writeSeed(QStringLiteral("update_manifest"), m);
    const QByteArray program = entry(QStringLiteral("html/LA.htm"));
    writeSeed(QStringLiteral("update_archive"), zip({{QStringLiteral("LC"), program}}, false));
    writeSeed(QStringLiteral("update_archive"), zip({{QStringLiteral("LC"), program}}, true));
    writeSeed(QStringLiteral("update_archive"),
              zip({{QStringLiteral("readme.txt"), "x"}, {QStringLiteral("LC"), program.left(200)}}, false));
}

// Archives of the loading sequence: one piece of every entry together, and
// one archive for each row with the herb list and two records.
void archiveSeeds()
{
    QList<QPair<QString, QByteArray>> all;
    QList<QPair<QString, QByteArray>> herbs = {
        {QStringLiteral("item/list.xml"),
         "<list><item><id>0001</id><name>" + QByteArray("甘草") + "</name></item><item><id>0002</id><name>"
             + QByteArray("人参") + "</name></item></list>"},
        {QStringLiteral("item/0001.xml"), xmlPieces(entry(QStringLiteral("item/0001.xml"))).value(0)},
        {QStringLiteral("item/0002.xml"), xmlPieces(entry(QStringLiteral("item/0002.xml"))).value(0)}};
    for (auto it = archive.constBegin(); it != archive.constEnd(); ++it) {
        const QString &name = it.key();
        if (name.startsWith(QLatin1String("item/0")) || name.startsWith(QLatin1String("html/"))
            || name.startsWith(QLatin1String("data/herbinfo")))
            continue;
        QByteArray piece = name.endsWith(QLatin1String(".xml"))
                               ? xmlPieces(it.value()).value(0)
                               : linePieces(it.value(), {"-----", "#", "[J]", "[I]", "[name]", "[function]"}).value(0);
        if (piece.size() > pieceSize)
            piece.truncate(pieceSize);
        all.append({name, piece.left(1200)});
        writeSeed(QStringLiteral("archive"), zip(QList<QPair<QString, QByteArray>>(herbs) << qMakePair(name, piece),
                                                 counts.value(QStringLiteral("archive")) % 3 == 0));
    }
    writeSeed(QStringLiteral("archive"), zip(herbs + all, false));
    writeSeed(QStringLiteral("archive"), zip(herbs + all, true));
}

// Markup in which a "<" does not open an element, or a ">" does not close a
// tag, beside pieces of the knowledge.
void xmlDepthSeeds()
{
    const char *const seeds[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a><!-- <b><c> --><b x=\"1>2\" y='/>'><c/></b></a>",
        "<a><![CDATA[<b><c><d>]]><?pi <e><f>?><b/></a>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY e \"<b><c/></b>\">]>\n<a>&e;&e;</a>",
        "<!DOCTYPE a SYSTEM \"a[1].dtd\"><a><b></b></a>",
        "<?xml version=\"1.0\" encoding=\"GB18030\"?><list><item name=\"\xB8\xCA\xB2\xDD\"><x/></item></list>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a><b>\xE9</b></a>",
        "<a><b><c",
        "<a></b><c><d></d></c></a>",
    };
    for (const char *seed : seeds)
        writeSeed(QStringLiteral("xml_depth"), QByteArray(seed));
    QByteArray utf16;
    const QString deep = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a><b><c><d></d></c></b></a>");
    utf16.append("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(deep.utf16()), deep.size() * 2);
    writeSeed(QStringLiteral("xml_depth"), utf16);
    xmlSeeds(QStringLiteral("xml_depth"), entry(QStringLiteral("diagnosis/001.xml")));
    xmlSeeds(QStringLiteral("xml_depth"), entry(QStringLiteral("item/0001.xml")));
}

void failingDeviceSeeds()
{
    const char *const sources[] = {"item/0001.xml", "script/method_table.xml", "script/hate.xml",
                                   "diagnosis/contradiction.xml", "data/acupoint.txt", "wisdom/songs.txt",
                                   "script/acu_script.txt", "pair/dict.xml"};
    int reader = 0;
    for (const char *s : sources) {
        const QByteArray body = entry(QLatin1String(s)).left(pieceSize);
        for (const int piece : {0, 7}) {
            QByteArray head(4, '\0');
            head[0] = char(reader++);
            head[1] = char((body.size() / 2) & 0xFF);
            head[2] = char((body.size() / 2) >> 8);
            head[3] = char(piece);
            writeSeed(QStringLiteral("failing_device"), head + body);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: mkseeds IMPL_ZIP SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    if (!readArchive(args.at(1))) {
        std::fprintf(stderr, "mkseeds: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    sourceDir = args.at(2);
    outputDir = args.at(3);
    QDir(outputDir).removeRecursively();

    const auto e = [](const char *name) { return entry(QLatin1String(name)); };
    const auto r = [](const char *name) { return resourceFile(QLatin1String(name)); };
    xmlSeeds(QStringLiteral("herb_list"), e("item/list.xml"));
    for (int i = 1; i <= 12; ++i)
        writeSeed(QStringLiteral("herb_record"), e(qPrintable(QStringLiteral("item/%1.xml").arg(i, 4, 10, QLatin1Char('0')))));
    lineSeeds(QStringLiteral("dose_map"), e("item/dozemap.txt"), {});
    xmlSeeds(QStringLiteral("dosage_forms"), r("resources/qrc/data/hpatch.xml"));
    xmlSeeds(QStringLiteral("decoction_methods"), e("script/method_table.xml"));
    xmlSeeds(QStringLiteral("pair_list"), e("pair/plist22.xml"));
    xmlSeeds(QStringLiteral("pair_map"), r("resources/qrc/pair/pmap.xml"));
    xmlSeeds(QStringLiteral("super_pairs"), e("pair/super_pair.xml"));
    xmlSeeds(QStringLiteral("common_pairs"), e("pair/common_pair.xml"));
    xmlSeeds(QStringLiteral("code_dictionary"), e("pair/dict.xml"));
    xmlSeeds(QStringLiteral("herb_categories"), r("resources/qrc/pair/group.xml"));
    xmlSeeds(QStringLiteral("incompatibility"), e("script/hate.xml"));
    xmlSeeds(QStringLiteral("incompatibility"), e("script/oppose.xml"));
    xmlSeeds(QStringLiteral("classic_formulas"), e("script/basic.xml"));
    xmlSeeds(QStringLiteral("diagnosis_formulas"), e("script/scripts.xml"));
    xmlSeeds(QStringLiteral("flow_file"), e("script/script_flow.xml"));
    xmlSeeds(QStringLiteral("flow_file"), e("script/line.xml"));
    xmlSeeds(QStringLiteral("herb_groups"), e("script/script_translation.xml"));
    xmlSeeds(QStringLiteral("herb_units"), e("script/herb_unit.xml"));
    for (auto it = archive.constBegin(); it != archive.constEnd(); ++it) {
        const QString &name = it.key();
        if (name.startsWith(QLatin1String("diagnosis/")) && name.size() == 17 && name.at(10).isDigit())
            writeSeed(QStringLiteral("group_file"), it.value());
    }
    xmlSeeds(QStringLiteral("map_rules"), e("diagnosis/map.xml"));
    lineSeeds(QStringLiteral("text_rules"), textRules(e("diagnosis/map.xml")), {"[ID]"});
    xmlSeeds(QStringLiteral("complaint_catalogue"), e("diagnosis/diagnosis_data.xml"));
    xmlSeeds(QStringLiteral("restrictions"), e("diagnosis/contradiction.xml"));
    xmlSeeds(QStringLiteral("judge_rules"), r("resources/qrc/reckon/judge.xml"));
    writeSeed(QStringLiteral("complaint_categories"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<list>\n  <category name=\"内科\" id=\"1\">\n"
              "    <item id=\"9024\">感冒</item>\n    <item id=\"9001\">咳嗽</item>\n  </category>\n"
              "  <category name=\"妇科\" id=\"2\">\n    <item id=\"9101\">月经先期</item>\n  </category>\n</list>\n");
    xmlSeeds(QStringLiteral("name_map"), e("data/namemap.xml"));
    xmlSeeds(QStringLiteral("syndromes"), r("resources/qrc/data/syndrome.xml"));
    lineSeeds(QStringLiteral("acupoints"), e("data/acupoint.txt"), {"[J]", "[I]"});
    lineSeeds(QStringLiteral("acu_script"), e("script/acu_script.txt"), {"-----"});
    lineSeeds(QStringLiteral("acu_positions"), e("data/acu_positions.txt"), {});
    xmlSeeds(QStringLiteral("folk_categories"), e("folk/folk.xml"));
    lineSeeds(QStringLiteral("folk_remedies"), e("folk/data.txt"), {"[function]", "[name]"});
    lineSeeds(QStringLiteral("reader_verses"), e("wisdom/songs.txt"), {"#"});
    for (const char *q : {"wisdom/quote.xml", "wisdom/lpf.xml", "wisdom/njquote.xml", "wisdom/wbtb.xml",
                          "wisdom/quotemisc.xml", "wisdom/xfquote.xml"})
        xmlSeeds(QStringLiteral("reader_quotes"), e(q));
    xmlSeeds(QStringLiteral("phrases"), r("resources/qrc/lang/lmap.xml"));
    xmlSeeds(QStringLiteral("config"), r("resources/xml/config.xml"));
    prescriptionSeeds(e("script/basic.xml"));
    caseSeeds(r("tests/data/diagnosis_cases.tsv"));
    patientSeeds();
    manifestSeeds();
    archiveSeeds();
    failingDeviceSeeds();
    xmlDepthSeeds();

    int total = 0;
    for (int n : counts)
        total += n;
    std::printf("mkseeds: %d seeds for %d targets\n", total, int(counts.size()));
    return 0;
}
