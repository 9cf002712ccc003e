#include "acureader.h"

#include "acupointdata.h"

void acuReader::parseLine(const QString &tag, const QString &value)
{
    if (tag.size() != 1)
        return;
    switch (tag.at(0).unicode()) {
    case 'J':
        m_point.meridian = value;
        break;
    case 'S':
        m_point.section = value;
        break;
    case 'I':
        m_point.name = value;
        break;
    case 'N':
        m_point.code = value;
        break;
    case 'L':
        m_point.location = value;
        break;
    case 'T':
        m_point.indications = value;
        break;
    case 'P':
        m_point.pairing = value;
        break;
    case 'C':
        m_point.caution = value;
        break;
    case 'M': {
        m_point.method = value;
        appendAcuPoint(m_point);
        const QString meridian = m_point.meridian;
        const QString section = m_point.section;
        m_point = acuPoint();
        m_point.meridian = meridian;
        m_point.section = section;
        break;
    }
    default:
        break;
    }
}
