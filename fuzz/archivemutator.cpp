// Mutator of the archive targets (the knowledge archive, the update archive). Raw mutations of a zip rarely get past the
// CRC of an entry, so most mutations unpack the archive, change one entry
// (its bytes, its name, its compression, or whether it is there at all) and
// pack it again with sound checksums; the rest mutate the raw bytes and so
// the zip structure itself.

#include <QBuffer>
#include <QList>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <random>

extern "C" size_t LLVMFuzzerMutate(uint8_t *data, size_t size, size_t maxSize);

namespace {

struct entry
{
    QString name;
    QByteArray data;
    bool stored = false;
};

// The names the loading looks for.
const char *const sequenceNames[] = {
    "item/list.xml", "item/0001.xml", "item/0002.xml", "script/basic.xml", "pair/plist22.xml", "pair/dict.xml",
    "pair/common_pair.xml", "pair/super_pair.xml", "script/scripts.xml", "data/acupoint.txt", "folk/folk.xml",
    "folk/data.txt", "wisdom/songs.txt", "script/hate.xml", "script/oppose.xml", "wisdom/quote.xml",
    "wisdom/lpf.xml", "diagnosis/000.xml", "diagnosis/001.xml", "diagnosis/888.xml", "diagnosis/999.xml",
    "diagnosis/map.xml", "diagnosis/diagnosis_data.xml", "data/namemap.xml", "diagnosis/contradiction.xml",
    "script/script_flow.xml", "script/line.xml", "script/script_translation.xml", "script/acu_script.txt",
    "script/herb_unit.xml", "script/method_table.xml", "item/dozemap.txt"};

bool unpack(const uint8_t *data, size_t size, QList<entry> *entries)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return false;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info) || info.uncompressedSize > 1024 * 1024)
            return false;
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        entry e{info.name, file.read(qint64(info.uncompressedSize) + 1), info.method == 0};
        file.close();
        if (file.getZipError() != UNZ_OK)
            return false;
        entries->append(e);
    }
    return zip.getZipError() == UNZ_OK;
}

QByteArray pack(const QList<entry> &entries)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    {
        QuaZip zip(&buffer);
        if (!zip.open(QuaZip::mdCreate))
            return QByteArray();
        for (const entry &e : entries) {
            QuaZipFile out(&zip);
            if (!out.open(QIODevice::WriteOnly, QuaZipNewInfo(e.name), nullptr, 0, e.stored ? 0 : Z_DEFLATED, 1))
                return QByteArray();
            out.write(e.data);
            out.close();
        }
        zip.close();
        if (zip.getZipError() != ZIP_OK)
            return QByteArray();
    }
    return bytes;
}

} // namespace

bool archiveMutation = false;

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t *data, size_t size, size_t maxSize, unsigned int seed)
{
    if (!archiveMutation)
        return LLVMFuzzerMutate(data, size, maxSize);
    std::minstd_rand random(seed);
    QList<entry> entries;
    if (random() % 4 == 0 || !unpack(data, size, &entries))
        return LLVMFuzzerMutate(data, size, maxSize);

    const auto pick = [&random](qsizetype n) { return qsizetype(random() % quint32(n)); };
    const qsizetype names = qsizetype(sizeof sequenceNames / sizeof *sequenceNames);
    switch (entries.isEmpty() ? 4 : random() % 8) {
    case 0: // rename an entry to one the loading looks for
        entries[pick(entries.size())].name = QLatin1String(sequenceNames[pick(names)]);
        break;
    case 1: // drop an entry
        entries.removeAt(pick(entries.size()));
        break;
    case 2: // store it compressed or not
        entries[pick(entries.size())].stored ^= true;
        break;
    case 3: { // copy an entry under another name
        entry e = entries.at(pick(entries.size()));
        e.name = QLatin1String(sequenceNames[pick(names)]);
        entries.append(e);
        break;
    }
    case 4: // a new entry
        entries.append({QLatin1String(sequenceNames[pick(names)]), QByteArray("<list/>"), false});
        break;
    default: { // change the bytes of an entry
        entry &e = entries[pick(entries.size())];
        const size_t room = qMax<size_t>(size_t(e.data.size()) * 2 + 64, 256);
        QByteArray changed(qsizetype(room), '\0');
        memcpy(changed.data(), e.data.constData(), size_t(e.data.size()));
        const size_t n = LLVMFuzzerMutate(reinterpret_cast<uint8_t *>(changed.data()), size_t(e.data.size()), room);
        changed.truncate(qsizetype(n));
        e.data = changed;
        break;
    }
    }
    const QByteArray packed = pack(entries);
    if (packed.isEmpty() || size_t(packed.size()) > maxSize)
        return LLVMFuzzerMutate(data, size, maxSize);
    memcpy(data, packed.constData(), size_t(packed.size()));
    return size_t(packed.size());
}
