#include "codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString decodeSystemCodePage(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    if (!decoder.isValid())
        return QString::fromLocal8Bit(bytes);
    return decoder.decode(bytes);
}

QByteArray encodeSystemCodePage(const QString &text)
{
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid())
        return text.toLocal8Bit();
    return encoder.encode(text);
}

QString decodeTextWithBom(const QByteArray &bytes)
{
    const auto bom = QStringConverter::encodingForData(bytes);
    if (bom) {
        QStringDecoder decoder(*bom, QStringDecoder::Flag::ConvertInitialBom);
        QString text = decoder.decode(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return decodeSystemCodePage(bytes);
}
