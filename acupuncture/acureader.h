#ifndef ACUREADER_H
#define ACUREADER_H

#include "acupoint.h"
#include "text/abstractfilereader.h"

// Reads the acupoint catalogue: [J] and [S] headings carry over, [I] [N] [L]
// [T] [P] [C] fill the point in hand, [M] completes it.
class acuReader : public abstractFileReader
{
protected:
    void parseLine(const QString &tag, const QString &value) override;

private:
    acuPoint m_point;
};

#endif
