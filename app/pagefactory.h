#ifndef PAGEFACTORY_H
#define PAGEFACTORY_H

class QWidget;

// The six pages of the main window, in page-button order.
QWidget *createMainPage(int index, QWidget *parent);

// Tool windows of the main menu; each runs modally and is gone when it closes.
void showReaderDialog(QWidget *parent);
void showHerbComparerDialog(QWidget *parent);
void showDataSearchDialog(QWidget *parent);
void showSymptomTestDialog(QWidget *parent);

#endif
