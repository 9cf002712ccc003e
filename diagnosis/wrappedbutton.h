#ifndef WRAPPEDBUTTON_H
#define WRAPPEDBUTTON_H

#include <QSize>

class QAbstractButton;
class QStyleOptionButton;

// Looks of a check box or radio button whose caption wraps onto further
// lines when the button is narrower than its text (shared by answerCheckBox
// and answerRadioButton).
namespace wrappedButton {

// The size of the button with its caption on one line.
QSize sizeHint(const QAbstractButton *button, bool radio);
// The narrowest sensible size: the indicator and a few characters.
QSize minimumSizeHint(const QAbstractButton *button, bool radio);
// The height the button needs at that width, the caption wrapped.
int heightForWidth(const QAbstractButton *button, bool radio, int width);
// Paints the indicator beside the first line and the wrapped caption; the
// caption of a button whose property "locked" is set stays in the ordinary
// colour while the button is disabled.
void paint(QAbstractButton *button, const QStyleOptionButton &option, bool radio);

} // namespace wrappedButton

#endif
