#ifndef SYMPTOMDEBUG_H
#define SYMPTOMDEBUG_H

#include "frame/abstractdialog.h"
#include "userdialogs.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The symptom test: runs the diagnosis on a main complaint and answer ids
// typed as "CODE:ID,ID,..." or loaded from an exported consultation.
class symptomDebug : public abstractDialog
{
    Q_OBJECT
public:
    explicit symptomDebug(QWidget *parent = nullptr);

    QLineEdit *input() const { return m_input; }
    QPlainTextEdit *output() const { return m_output; }
    QPushButton *loadButton() const { return m_load; }
    QPushButton *okButton() const { return m_ok; }
    userDialogs &dialogs() { return m_dialogs; }

    // Puts the input of an exported consultation into the input line; a file
    // that cannot be used leaves it unchanged and says why in the output.
    bool loadFile(const QString &path);

public slots:
    void onLoad();
    void onOK();

private:
    QLineEdit *m_input = nullptr;
    QPlainTextEdit *m_output = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_ok = nullptr;
    userDialogs m_dialogs;
};

#endif
