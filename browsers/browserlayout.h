#ifndef BROWSERLAYOUT_H
#define BROWSERLAYOUT_H

class QLineEdit;
class QPushButton;
class QWidget;

// Lays out a browser page: the view on the left and, in a panel at most 190
// pixels wide on the right, the search row above the list.
void layoutBrowserPage(QWidget *page, QWidget *view, QLineEdit *search, QPushButton *button, QWidget *list);

#endif
