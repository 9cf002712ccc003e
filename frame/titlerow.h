#ifndef TITLEROW_H
#define TITLEROW_H

class QLabel;
class QVBoxLayout;
class QWidget;

// Adds the title row of a frameless page or dialog to its outer layout: a
// white caption of height 30, a stretch and a close button that closes owner.
// Returns the caption label.
QLabel *addTitleRow(QVBoxLayout *outer, QWidget *owner);

#endif
