#include "scriptgridwidget.h"

#include "frame/framechrome.h"
#include "pairs/pairrules.h"
#include "knowledge/loadfunctions.h"
#include "prescriptionfile.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {
const int pairRole = 32;
}

scriptGridWidget::scriptGridWidget(QWidget *parent)
    : QWidget(parent)
{
    setWhiteBackground(this);

    m_table = new QTableWidget(this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setDefaultSectionSize(64);
    m_table->verticalHeader()->setDefaultSectionSize(28);
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setMinimumHeight(40);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *import = new QPushButton(lookupPhrase(QStringLiteral("script"), QStringLiteral("externalpair")), this);
    import->setObjectName(QStringLiteral("gridImport"));
    import->setToolTip(lookupPhrase(QStringLiteral("script"), QStringLiteral("imptitle")));
    auto *back = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("back")), this);
    back->setObjectName(QStringLiteral("backButton"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_table, 0, 0, 1, 8);
    grid->addWidget(m_label, 1, 0, 1, 6);
    grid->addWidget(import, 1, 6);
    grid->addWidget(back, 1, 7);
    grid->setRowStretch(0, 1);

    connect(back, &QPushButton::clicked, this, &scriptGridWidget::onBack);
    connect(import, &QPushButton::clicked, this, &scriptGridWidget::onImport);
    connect(m_table, &QTableWidget::cellPressed, this, &scriptGridWidget::onClickCell);
}

void scriptGridWidget::setHerbs(const QStringList &herbs)
{
    m_herbs = herbs;
    build(Qt::gray);
}

void scriptGridWidget::build(const QColor &diagonal)
{
    m_table->clear();
    m_label->clear();
    const int n = int(m_herbs.size());
    m_table->setColumnCount(n);
    m_table->setRowCount(n);
    m_table->setHorizontalHeaderLabels(m_herbs);
    m_table->setVerticalHeaderLabels(m_herbs);
    for (int i = 0; i < n; ++i) {
        auto *item = new QTableWidgetItem;
        item->setBackground(diagonal);
        m_table->setItem(i, i, item);
    }
    for (int i = 0; i + 1 < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const int index = findPair(m_herbs.at(i), m_herbs.at(j));
            if (index < 0)
                continue;
            auto *item = new QTableWidgetItem;
            item->setData(pairRole, index);
            item->setBackground(QColor(60, 60, 90, 255));
            m_table->setItem(i, j, item);
            m_table->setItem(j, i, item->clone());
        }
    }
}

bool scriptGridWidget::importFile(const QString &path)
{
    // A file that cannot be read or is refused leaves the grid as it was.
    prescriptionFile file;
    if (!readPrescriptionFile(path, &file)) {
        showWarning(file.refusal, this);
        return false;
    }
    m_herbs.clear();
    for (const prescriptionEntry &e : std::as_const(file.entries))
        m_herbs << e.name;
    build(QColor(100, 90, 90, 255));
    return true;
}

void scriptGridWidget::onBack()
{
    emit sendBack();
}

void scriptGridWidget::onImport()
{
    const QString path = QFileDialog::getOpenFileName(this, lookupPhrase(QStringLiteral("script"), QStringLiteral("imptitle")),
                                                      userFileFolder(),
                                                      QStringLiteral("Prescription File (*.pf)"));
    if (!path.isEmpty())
        importFile(path);
}

void scriptGridWidget::onClickCell(int row, int column)
{
    m_label->clear();
    const QTableWidgetItem *item = m_table->item(row, column);
    if (row == column || !item)
        return;
    const QVariant data = item->data(pairRole);
    if (!data.isValid() || data.toInt() < 0 || data.toInt() >= pairTable().size())
        return;
    const pairRule &rule = pairTable().at(data.toInt());
    const textSet &set = rule.functions.isEmpty() ? rule.targets : rule.functions;
    QString text;
    for (const QString &entry : sortedTexts(set))
        text += translateCode(entry) + QLatin1Char(';');
    text.chop(1);
    m_label->setText(text);
}
