#include "frmregistro.h"

#include "access_log_pages.h"
#include "frmregistro_plan.h"
#include "ui/common/window_look.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTableView>

namespace {

const QSize clientSize = pixels(QRect(0, 0, 9000, 6615)).size();

} // namespace

frmRegistro::frmRegistro(QWidget *parent)
    : QWidget(parent, Qt::Window), m_rows(new QStandardItemModel(this))
{
    dressWindow(this, "frmRegistro", "Registro accessi", "nutrivo");
    setFixedSize(clientSize);
    m_controls = buildControls(this, frmRegistroPlan());
    m_subjectLine = m_controls.get<QLabel>("lblSoggetto");
    auto *table = m_controls.get<QTableView>("tblRegistro");
    table->setAccessibleName("Registro accessi");
    table->setModel(m_rows);
    m_rows->setHorizontalHeaderLabels(accessLogHeadings());
    const int widths[] = {130, 130, 140};
    for (int column = 0; column < 3; ++column)
        table->setColumnWidth(column, widths[column]);
    m_subjectLine->setBuddy(table);
    connect(m_controls.get<QPushButton>("cmdStampa"), &QPushButton::clicked, this,
            [this] { printPage(this, printRequest(), pages()); });
    connect(m_controls.get<QPushButton>("cmdPdf"), &QPushButton::clicked, this,
            [this] { savePagePdf(this, printRequest(), pages()); });
    connect(m_controls.get<QPushButton>("cmdChiudi"), &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
}

void frmRegistro::showAccesses(const KeptSubject &subject, const QList<LoggedAccess> &accesses)
{
    m_subject = subject;
    m_accesses = accesses;
    m_subjectLine->setText(
        accesses.isEmpty()
            ? QStringLiteral("Nessun accesso registrato ai dati di %1 (cod. %2).")
                  .arg(subject.name)
                  .arg(subject.id)
            : QStringLiteral("Accessi ai dati di %1 (cod. %2), il più recente in alto:")
                  .arg(subject.name)
                  .arg(subject.id));
    m_rows->removeRows(0, m_rows->rowCount());
    const QLocale locale;
    for (const LoggedAccess &access : accesses) {
        QList<QStandardItem *> cells;
        for (const QString &text : accessLogRow(access, locale)) {
            cells << new QStandardItem(text);
            cells.last()->setToolTip(text);
        }
        m_rows->appendRow(cells);
    }
}

PrintRequest frmRegistro::printRequest() const
{
    return {QStringLiteral("Registro accessi"),
            QStringLiteral("Nessuna stampante disponibile: il registro non è stato stampato."),
            QStringLiteral("registro accessi %1").arg(m_subject.name)};
}

PageDrawings frmRegistro::pages() const
{
    return accessLogPages(m_subject, m_accesses, QLocale(), QDate::currentDate());
}
