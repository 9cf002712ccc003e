#ifndef FRAMEPAINTER_H
#define FRAMEPAINTER_H

class QWidget;

// Paints a frameless window the program's way: the skin picture over the whole
// widget, a white body below the title strip of height titleHeight (none when
// titleHeight is 0), and a gray frame open at the top.
void paintSkinnedFrame(QWidget *widget, int titleHeight, bool whiteBody);

#endif
