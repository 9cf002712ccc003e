#ifndef ABSTRACTFILEREADER_H
#define ABSTRACTFILEREADER_H

#include <QString>

class QIODevice;

// Reads a tagged line file: every line "[tag]value" that starts in its first
// column goes to parseLine(); other lines are ignored. Subclasses decide what a
// record is and where it is stored.
class abstractFileReader
{
public:
    virtual ~abstractFileReader();

    // Runs the line loop over an opened device, then finish(). Always true.
    bool read(QIODevice *device);

protected:
    virtual void parseLine(const QString &tag, const QString &value) = 0;
    virtual void finish();
};

#endif
