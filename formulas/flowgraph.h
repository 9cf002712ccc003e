#ifndef FLOWGRAPH_H
#define FLOWGRAPH_H

class QIODevice;

bool loadFlowFile(QIODevice *device);
void mergeLibraryFormulas();

#endif
