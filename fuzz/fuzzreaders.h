#ifndef FUZZREADERS_H
#define FUZZREADERS_H

#include <QByteArray>
#include <QList>

// Every reader of bytes from outside the program, under one name each: the
// fuzz targets run one of them on every input, and the test suite runs the
// inputs the fuzzers once found through the same functions.
//
// A run starts from empty tables, hands the bytes to the reader as the
// program does (an opened device, a file on disk or text), then uses what was
// read as the pages would (queries, an analysis, an inference), so that a
// table a reader fills wrongly shows up where it is used.
struct fuzzReader
{
    const char *name;
    void (*run)(const QByteArray &bytes);
};

const QList<fuzzReader> &fuzzReaders();

// The reader of that name; null when there is none.
const fuzzReader *findFuzzReader(const QByteArray &name);

#endif
