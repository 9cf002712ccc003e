#include "analywidget.h"
#include "frame/framechrome.h"

#include "analysisreport.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "knowledge/loadfunctions.h"
#include "prescriptionfile.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QButtonGroup>
#include <QCompleter>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QDoubleSpinBox>

#include <cmath>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString phrase(const char *block, const char *key)
{
    return lookupPhrase(QLatin1String(block), QLatin1String(key));
}

const QString fileFilter = QStringLiteral("Prescription File (*.pf)");
} // namespace

analyWidget::analyWidget(QWidget *parent)
    : QWidget(parent)
{
    setWhiteBackground(this);

    // Entry of a herb and its dose.
    m_herb = new QLineEdit(this);
    m_herb->setObjectName(QStringLiteral("herbField"));
    auto *completer = new QCompleter(herbNameWords(), m_herb);
    completer->setFilterMode(Qt::MatchContains);
    m_herb->setCompleter(completer);
    m_dose = new QDoubleSpinBox(this);
    m_dose->setDecimals(0);
    m_dose->setRange(1, largestDose);
    m_dose->setValue(9);
    auto *unit = new QLabel(phrase("script", "unit"), this);

    const auto button = [this](const char *block, const char *key, const char *name) {
        auto *b = new QPushButton(phrase(block, key), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    QPushButton *add = button("diagnosis", "add", "addButton");
    QPushButton *import = button("script", "import", "importButton");
    QPushButton *exportButton = button("diagnosis", "export", "exportButton");
    QPushButton *grid = button("script", "grid", "gridButton");
    QPushButton *remove = button("diagnosis", "delete", "removeButton");
    QPushButton *clear = button("common", "clear", "clearButton");
    QPushButton *analy = button("script", "analy", "analyButton");
    analy->setDefault(true);

    auto *editBox = new QGroupBox(phrase("script", "edit"), this);
    auto *edit = new QGridLayout(editBox);
    edit->addWidget(new QLabel(phrase("herb", "herb"), this), 0, 0);
    edit->addWidget(m_herb, 0, 1, 1, 3);
    edit->addWidget(new QLabel(phrase("script", "doze"), this), 1, 0);
    edit->addWidget(m_dose, 1, 1, 1, 2);
    edit->addWidget(unit, 1, 3);
    edit->addWidget(add, 2, 0);
    edit->addWidget(remove, 2, 1);
    edit->addWidget(clear, 2, 2);
    edit->addWidget(analy, 2, 3);
    edit->addWidget(import, 3, 0);
    edit->addWidget(exportButton, 3, 1);
    edit->addWidget(grid, 3, 2, 1, 2);

    // Dosage form.
    auto *formBox = new QGroupBox(phrase("script", "drug_form"), this);
    auto *forms = new QHBoxLayout(formBox);
    m_decoction = new QRadioButton(phrase("script", "decoction"), this);
    m_pill = new QRadioButton(phrase("script", "pill"), this);
    m_powder = new QRadioButton(phrase("script", "powder"), this);
    m_external = new QRadioButton(phrase("script", "external"), this);
    auto *exclusive = new QButtonGroup(this);
    for (QRadioButton *r : {m_decoction, m_pill, m_powder, m_external}) {
        exclusive->addButton(r);
        forms->addWidget(r);
    }
    m_decoction->setChecked(true);

    // The prescription.
    m_table = new QTableWidget(0, 2, this);
    m_table->setHorizontalHeaderLabels({phrase("script", "name"), phrase("script", "doze")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setDefaultSectionSize(24);

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->hide();
    m_report = new QPlainTextEdit(this);
    m_report->setReadOnly(true);
    m_report->document()->setDocumentMargin(10);

    auto *left = new QVBoxLayout;
    left->addWidget(editBox);
    left->addWidget(formBox);
    left->addWidget(m_table, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(m_progress);
    right->addWidget(m_report, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(left, 0);
    layout->addLayout(right, 1);
    editBox->setMaximumWidth(320);
    formBox->setMaximumWidth(320);
    m_table->setMaximumWidth(320);

    connect(add, &QPushButton::clicked, this, &analyWidget::onAdd);
    connect(m_herb, &QLineEdit::returnPressed, this, &analyWidget::onAdd);
    connect(import, &QPushButton::clicked, this, &analyWidget::onImport);
    connect(exportButton, &QPushButton::clicked, this, &analyWidget::onExport);
    connect(grid, &QPushButton::clicked, this, &analyWidget::onShowGrid);
    connect(remove, &QPushButton::clicked, this, &analyWidget::onRemove);
    connect(clear, &QPushButton::clicked, this, &analyWidget::onClear);
    connect(analy, &QPushButton::clicked, this, &analyWidget::onAnaly);
    connect(m_table, &QTableWidget::cellClicked, this, &analyWidget::onClickCell);
    connect(m_decoction, &QRadioButton::clicked, this, &analyWidget::onClickDec);
    connect(m_pill, &QRadioButton::clicked, this, &analyWidget::onClickPill);
    connect(m_powder, &QRadioButton::clicked, this, &analyWidget::onClickPowder);
    connect(m_external, &QRadioButton::clicked, this, &analyWidget::onClickExternal);
    connect(m_herb, &QLineEdit::textChanged, this, &analyWidget::updateDoseField);
}

void analyWidget::updateDoseField()
{
    const int decimals = doseFieldDecimals(m_herb->text(), m_form);
    if (decimals != m_dose->decimals()) {
        const double value = m_dose->value();
        m_dose->setDecimals(decimals);
        m_dose->setSingleStep(decimals == 0 ? 1 : 0.01);
        m_dose->setMinimum(std::pow(10.0, -decimals));
        m_dose->setValue(value);
    }
    // A dose the herb does not take gives way to the herb's smallest one.
    const QString name = canonicalHerbName(m_herb->text().trimmed());
    double lower = 0, upper = 0;
    if (doseRange(name, &lower, &upper) && upper > 0 && !doseAccepted(name, m_dose->value(), m_form))
        m_dose->setValue(lower);
}

QStringList analyWidget::herbNames() const
{
    QStringList names;
    for (const prescriptionEntry &e : m_entries)
        names << e.name;
    return names;
}

QRadioButton *analyWidget::formButton(const QString &form) const
{
    if (form == QLatin1String("pill"))
        return m_pill;
    if (form == QLatin1String("powder"))
        return m_powder;
    if (form == QLatin1String("external"))
        return m_external;
    return m_decoction;
}

void analyWidget::appendEntry(const prescriptionEntry &entry)
{
    m_entries.append(entry);
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem(entry.name));
    m_table->setItem(row, 1, new QTableWidgetItem(doseText(entry.dose)));
}

void analyWidget::setForm(const QString &form)
{
    m_form = form;
    formButton(form)->setChecked(true);
    updateDoseField();
}

void analyWidget::onAdd()
{
    QString name;
    const QString refusal = checkNewEntry(m_entries, m_herb->text(), m_dose->value(), &name, m_form);
    if (!refusal.isEmpty()) {
        showWarning(refusal, this);
        return;
    }
    m_herb->setText(name);
    appendEntry({m_dose->value(), name});
}

void analyWidget::onRemove()
{
    if (m_selected < 0 || m_selected >= m_entries.size())
        return;
    m_table->removeRow(m_selected);
    m_entries.removeAt(m_selected);
    m_selected -= 1;
    if (m_selected >= 0)
        m_table->selectRow(m_selected);
}

void analyWidget::onClear()
{
    m_entries.clear();
    m_table->setRowCount(0);
    m_report->clear();
    m_selected = -1;
}

void analyWidget::onCancel()
{
    onClear();
}

void analyWidget::onClickCell(int row, int)
{
    m_selected = row;
}

void analyWidget::onAnaly()
{
    if (m_entries.isEmpty())
        return;
    const analysisReport result = analysePrescription(m_form, m_entries, [this](int value) {
        if (value < 0) {
            m_progress->hide();
        } else {
            m_progress->show();
            m_progress->setValue(value);
        }
    });
    m_progress->hide();
    if (!result.ok) {
        showWarning(result.message, this);
        return;
    }
    m_report->setPlainText(result.report);
}

void analyWidget::onClickDec()
{
    m_form = QStringLiteral("decoction");
    updateDoseField();
}

void analyWidget::onClickPill()
{
    m_form = QStringLiteral("pill");
    updateDoseField();
}

void analyWidget::onClickPowder()
{
    m_form = QStringLiteral("powder");
    updateDoseField();
}

void analyWidget::onClickExternal()
{
    m_form = QStringLiteral("external");
    updateDoseField();
}

bool analyWidget::importFile(const QString &path)
{
    // The whole file is checked first; a refused file changes nothing.
    prescriptionFile file;
    if (!readPrescriptionFile(path, &file)) {
        showWarning(file.refusal, this);
        return false;
    }
    onClear();
    if (file.formSeen)
        setForm(file.form);
    for (const prescriptionEntry &e : std::as_const(file.entries))
        appendEntry(e);
    return true;
}

bool analyWidget::exportFile(const QString &path)
{
    if (writePrescriptionFile(path, m_form, m_entries))
        return true;
    showWarning(phrase("script", "exportfailed").arg(path), this);
    return false;
}

void analyWidget::onImport()
{
    const QString path = QFileDialog::getOpenFileName(this, phrase("script", "imptitle"),
                                                      userFileFolder(), fileFilter);
    if (!path.isEmpty())
        importFile(path);
}

void analyWidget::onExport()
{
    const QString path = QFileDialog::getSaveFileName(this, phrase("script", "exptitle"),
                                                      userFileFolder(), fileFilter);
    if (!path.isEmpty())
        exportFile(path);
}

void analyWidget::onShowGrid()
{
    emit sendShowGrid();
}
