#ifndef ACUPOSITION_H
#define ACUPOSITION_H

#include <QList>
#include <QString>

// The place of one acupoint on the 3D body model, in the model's units
// (the model stands along Z).
struct acuPosition
{
    double x = 0;
    double y = 0;
    double z = 0;
    QString code;
};

// Parses the text of "data/acu_positions.txt": one point per line, four
// fields separated by "#" (first, second and third coordinate, code). The
// point lies at X = field 1, Y = field 3, Z = field 2. A line with fewer than
// four fields or a coordinate that is not a finite decimal number is no
// position and is skipped; the code is trimmed. File order is kept.
QList<acuPosition> parseAcuPositions(const QString &text);

// Reads "data/acu_positions.txt" from the knowledge archive. False when the
// archive or the entry cannot be opened.
bool readAcuPositions(QList<acuPosition> *positions);

// The first position of a code; false when the code has none.
bool findAcuPosition(const QList<acuPosition> &positions, const QString &code, acuPosition *found);

#endif
