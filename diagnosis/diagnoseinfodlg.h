#ifndef DIAGNOSEINFODLG_H
#define DIAGNOSEINFODLG_H

#include "frame/abstractdialog.h"

#include <QSet>
#include <QString>

class QPlainTextEdit;
class QPushButton;

// The result of a diagnosis as plain text, with the consultation it came
// from (main complaint and confirmed answers).
class diagnoseInfoDlg : public abstractDialog
{
    Q_OBJECT
public:
    diagnoseInfoDlg(const QSet<QString> &answers, const QString &mainsuit, const QString &text,
                    QWidget *parent = nullptr);

    QString text() const;
    QString mainsuit() const { return m_mainsuit; }
    const QSet<QString> &answers() const { return m_answers; }
    QPlainTextEdit *view() const { return m_view; }

public slots:
    void doClose();

private:
    QSet<QString> m_answers;
    QString m_mainsuit;
    QPlainTextEdit *m_view = nullptr;
    QPushButton *m_close = nullptr;
};

#endif
