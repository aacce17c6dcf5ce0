#include "frmarchivio.h"

#include "archive_choice.h"
#include "archive_keeper.h"
#include "archive_texts.h"
#include "archive_wait.h"
#include "assessment/numbers.h"
#include "frmarchivio_plan.h"
#include "personal_transfer.h"
#include "server_dialog.h"
#include "spreadsheet_export.h"
#include "ui/accesslog/frmregistro.h"
#include "ui/common/messages.h"
#include "ui/common/regional.h"
#include "ui/common/window_look.h"
#include "ui/report/print_choices.h"
#include "ui/trend/course_page.h"
#include "ui/trend/trend_view.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Narrow enough for a 1024 x 768 screen; a larger window gives the room to
// the lists, the table and the trend.
const QSize clientSize = pixels(QRect(0, 0, 15000, 6660)).size();

enum Anchor { MoveRight = 1, GrowRight = 2, MoveDown = 4, GrowDown = 8 };

const std::pair<const char *, int> anchors[] = {
    {"lstSoggetti", GrowDown},
    {"tblValutazioni", GrowDown},
    {"lblAndamento", GrowRight},
    {"picAndamento", GrowRight | GrowDown},
    {"cmdRinomina", MoveDown},
    {"cmdEliminaSoggetto", MoveDown},
    {"cmdApri", MoveDown},
    {"cmdElimina", MoveDown},
    {"cmdCopia", MoveDown},
    {"cmdRipristina", MoveDown},
    {"cmdStampaAndamento", MoveDown},
    {"cmdRegistro", MoveDown},
    {"cmdEsporta", MoveDown},
    {"cmdChiudi", MoveRight | MoveDown},
    {"cmdStudio", MoveDown},
    {"cmdPersonale", MoveDown},
    {"cmdTrasferisci", MoveDown},
    {"lblStato", GrowRight | MoveDown},
    {"cmdRiprova", MoveRight | MoveDown},
};
constexpr int SubjectRow = Qt::UserRole + 1; // index in m_subjects
constexpr int NameRole = Qt::UserRole + 2;

const QStringList assessmentColumns = {"Data",   "Peso (Kg)",   "IMC",
                                       "Classe", "Kcal/giorno", "Salvata da"};
// A server that did not answer a reading is asked again this often.
constexpr int retryUnansweredMs = 30000;

const QString copyFilter = QStringLiteral("Archivio di Nutrivo (*.sqlite);;Tutti i file (*)");

QString shortTime(const QDateTime &time)
{
    return QLocale().toString(time, QLocale::ShortFormat);
}

QString figure(double value)
{
    return standardText(value, QLocale());
}

QStandardItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignRight)
{
    auto *item = new QStandardItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

frmArchivio::frmArchivio(ArchiveSession &archive, ArchiveKeeper &keeper, QWidget *parent)
    : QWidget(parent, Qt::Window), m_archive(archive), m_keeper(keeper),
      m_subjectItems(new QStandardItemModel(this)),
      m_foundSubjects(new QSortFilterProxyModel(this)),
      m_assessmentItems(new QStandardItemModel(this)), m_trend(new TrendView),
      m_refresh(new QTimer(this)), m_slow(new QTimer(this)), m_retry(new QTimer(this))
{
    dressWindow(this, "frmArchivio", "Archivio valutazioni", "nutrivo");
    setMinimumSize(clientSize);
    resize(clientSize);
    // Centred where the screen holds it; elsewhere the window manager places it.
    if (const QScreen *screen = QGuiApplication::primaryScreen();
        screen && screen->availableGeometry().width() >= width())
        move(screen->availableGeometry().center() - rect().center());
    m_controls = buildControls(this, frmArchivioPlan());
    for (const auto &[name, anchor] : anchors)
        m_designed.append({m_controls.get(name), m_controls.get(name)->geometry(), anchor});
    const Controls &c = m_controls;
    m_c = {c.get<QLineEdit>("txtCerca"),
           c.get<QListView>("lstSoggetti"),
           c.get<QTableView>("tblValutazioni"),
           c.get<QPushButton>("cmdRinomina"),
           c.get<QPushButton>("cmdEliminaSoggetto"),
           c.get<QPushButton>("cmdApri"),
           c.get<QPushButton>("cmdElimina"),
           c.get<QPushButton>("cmdCopia"),
           c.get<QPushButton>("cmdRipristina"),
           c.get<QPushButton>("cmdStampaAndamento"),
           c.get<QPushButton>("cmdRegistro"),
           c.get<QPushButton>("cmdEsporta"),
           c.get<QPushButton>("cmdChiudi"),
           c.get<QPushButton>("cmdStudio"),
           c.get<QPushButton>("cmdPersonale"),
           c.get<QPushButton>("cmdTrasferisci"),
           c.get<QPushButton>("cmdRiprova"),
           c.get<QLabel>("lblStato")};
    m_c.cmdRiprova->hide();

    m_c.txtCerca->setAccessibleName("Cerca soggetto");
    m_c.txtCerca->setClearButtonEnabled(true);
    c.get<QLabel>("lblCerca")->setBuddy(m_c.txtCerca);
    m_c.lstSoggetti->setAccessibleName("Soggetti");
    m_c.tblValutazioni->setAccessibleName("Valutazioni del soggetto");
    auto *trendBox = new QVBoxLayout(c.get<QFrame>("picAndamento"));
    trendBox->setContentsMargins(0, 0, 0, 0);
    trendBox->addWidget(m_trend);
    m_trend->setObjectName("vistaAndamento");

    m_foundSubjects->setSourceModel(m_subjectItems);
    m_foundSubjects->setFilterRole(NameRole);
    m_foundSubjects->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_foundSubjects->setSortRole(NameRole);
    m_foundSubjects->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_foundSubjects->setSortLocaleAware(true);
    m_foundSubjects->sort(0);
    m_c.lstSoggetti->setModel(m_foundSubjects);
    m_assessmentItems->setHorizontalHeaderLabels(assessmentColumns);
    m_c.tblValutazioni->setModel(m_assessmentItems);
    // The columns share the table's width, with room for a scroll bar.
    const int widths[] = {86, 56, 40, 74, 62, 58};
    m_c.tblValutazioni->horizontalHeader()->setStretchLastSection(false);
    for (int column = 0; column < 6; ++column)
        m_c.tblValutazioni->setColumnWidth(column, widths[column]);

    setTabOrder(m_c.txtCerca, m_c.lstSoggetti);
    setTabOrder(m_c.lstSoggetti, m_c.tblValutazioni);
    setTabOrder(m_c.tblValutazioni, m_c.cmdApri);
    setTabOrder(m_c.cmdApri, m_c.cmdElimina);
    setTabOrder(m_c.cmdElimina, m_c.cmdRinomina);
    setTabOrder(m_c.cmdRinomina, m_c.cmdEliminaSoggetto);
    setTabOrder(m_c.cmdEliminaSoggetto, m_c.cmdCopia);
    setTabOrder(m_c.cmdCopia, m_c.cmdRipristina);
    setTabOrder(m_c.cmdRipristina, m_c.cmdStudio);
    setTabOrder(m_c.cmdStudio, m_c.cmdPersonale);
    setTabOrder(m_c.cmdPersonale, m_c.cmdTrasferisci);
    setTabOrder(m_c.cmdTrasferisci, m_c.cmdStampaAndamento);
    setTabOrder(m_c.cmdStampaAndamento, m_c.cmdRegistro);
    setTabOrder(m_c.cmdRegistro, m_c.cmdEsporta);
    setTabOrder(m_c.cmdEsporta, m_c.cmdChiudi);
    setTabOrder(m_c.cmdChiudi, m_c.cmdRiprova);

    connect(m_c.txtCerca, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_foundSubjects->setFilterFixedString(text.simplified());
        showStatus();
        showAssessments();
    });
    // Down from the search box goes into the list of what it found.
    connect(new QShortcut(Qt::Key_Down, m_c.txtCerca, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, [this] {
                m_c.lstSoggetti->setFocus(Qt::TabFocusReason);
                if (!m_c.lstSoggetti->currentIndex().isValid())
                    m_c.lstSoggetti->setCurrentIndex(m_foundSubjects->index(0, 0));
            });
    connect(m_c.lstSoggetti->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &frmArchivio::showAssessments);
    // A screen reader selects an item without moving the current one there.
    connect(m_c.lstSoggetti->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (!selected.indexes().isEmpty())
                    m_c.lstSoggetti->selectionModel()->setCurrentIndex(
                        selected.indexes().first(), QItemSelectionModel::NoUpdate);
            });
    connect(m_c.tblValutazioni->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &frmArchivio::updateCommands);
    // The table is newest first, the trend oldest first.
    connect(m_c.tblValutazioni->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                m_trend->setHighlighted(
                    current.isValid() ? int(m_assessments.size()) - 1 - current.row() : -1);
            });
    connect(m_trend, &TrendView::pointChosen, this, [this](int point) {
        m_c.tblValutazioni->setCurrentIndex(
            m_assessmentItems->index(int(m_assessments.size()) - 1 - point, 0));
    });
    connect(m_c.tblValutazioni, &QTableView::activated, this, &frmArchivio::openAssessment);
    connect(new QShortcut(QKeySequence::Delete, m_c.tblValutazioni, nullptr, nullptr,
                          Qt::WidgetShortcut),
            &QShortcut::activated, this, &frmArchivio::removeAssessment);
    connect(m_c.cmdApri, &QPushButton::clicked, this, &frmArchivio::openAssessment);
    connect(m_c.cmdElimina, &QPushButton::clicked, this, &frmArchivio::removeAssessment);
    connect(m_c.cmdEliminaSoggetto, &QPushButton::clicked, this, &frmArchivio::removeSubject);
    connect(m_c.cmdRinomina, &QPushButton::clicked, this, &frmArchivio::renameSubject);
    connect(m_c.cmdCopia, &QPushButton::clicked, this, &frmArchivio::saveCopy);
    connect(m_c.cmdRipristina, &QPushButton::clicked, this, &frmArchivio::restoreCopy);
    connect(m_c.cmdStampaAndamento, &QPushButton::clicked, this, &frmArchivio::printCourse);
    connect(m_c.cmdRegistro, &QPushButton::clicked, this, &frmArchivio::showAccessLog);
    connect(m_c.cmdEsporta, &QPushButton::clicked, this, &frmArchivio::exportAssessments);
    connect(m_c.cmdChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(m_c.cmdStudio, &QPushButton::clicked, this, &frmArchivio::chooseServer);
    connect(m_c.cmdPersonale, &QPushButton::clicked, this, &frmArchivio::usePersonal);
    connect(m_c.cmdTrasferisci, &QPushButton::clicked, this, &frmArchivio::transferPersonal);
    // A server given up is asked again only when the user wants it.
    connect(m_c.cmdRiprova, &QPushButton::clicked, this, [this] {
        m_keeper.openArchive(this);
        refresh();
    });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    connect(&m_keeper, &ArchiveKeeper::changed, this, [this] { reload(); });
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(100);
    connect(m_refresh, &QTimer::timeout, this, &frmArchivio::refreshAfterBurst);
    connect(&m_archive, &ArchiveSession::changedElsewhere, this, &frmArchivio::changedElsewhere);
    m_slow->setSingleShot(true);
    m_slow->setInterval(slowAnswerMs);
    connect(m_slow, &QTimer::timeout, this, [this] {
        m_c.lblStato->setText(
            QStringLiteral("Il server dello studio è lento a rispondere: lettura in corso..."));
    });
    m_retry->setInterval(retryUnansweredMs);
    connect(m_retry, &QTimer::timeout, this, &frmArchivio::retryUnanswered);
    updateCommands();
}

void frmArchivio::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_keeper.openArchive(this);
    reload();
    m_c.txtCerca->setFocus();
}

void frmArchivio::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // The window opened again is a new look at the subject.
    m_viewLoggedOf = 0;
}

void frmArchivio::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int dx = width() - clientSize.width();
    const int dy = height() - clientSize.height();
    for (const Designed &control : std::as_const(m_designed)) {
        QRect place = control.geometry;
        if (control.anchor & MoveRight)
            place.translate(dx, 0);
        if (control.anchor & GrowRight)
            place.setWidth(place.width() + dx);
        if (control.anchor & MoveDown)
            place.translate(0, dy);
        if (control.anchor & GrowDown)
            place.setHeight(place.height() + dy);
        control.widget->setGeometry(place);
    }
    placeStatus();
}

void frmArchivio::placeStatus()
{
    const int dx = width() - clientSize.width();
    for (const Designed &control : std::as_const(m_designed)) {
        if (control.widget != m_c.lblStato)
            continue;
        QRect place = control.geometry.translated(0, height() - clientSize.height());
        place.setWidth(place.width() + dx);
        if (m_c.cmdRiprova->isVisibleTo(this))
            place.setRight(m_c.cmdRiprova->geometry().left() - 8);
        m_c.lblStato->setGeometry(place);
    }
}

frmArchivio::Read frmArchivio::readArchive(Archive &archive, qint64 selectedId, bool logView)
{
    Read read;
    read.subjects = archive.subjects();
    if (selectedId != 0 && !read.subjects.failed) {
        read.assessments = archive.assessmentsOf(selectedId, logView ? std::optional(Access::Viewed)
                                                                     : std::nullopt);
        read.assessmentsOf = selectedId;
        read.viewLogged = logView;
    }
    return read;
}

void frmArchivio::reload(std::function<void()> then)
{
    const KeptSubject *selected = selectedSubject();
    const qint64 selectedId = selected ? selected->id : 0;
    const bool logView = selectedId != m_viewLoggedOf;
    const quint64 asked = ++m_subjectsAsked;
    readingSent();
    m_archive.request(
        this,
        [selectedId, logView](Archive &archive) {
            return readArchive(archive, selectedId, logView);
        },
        [this, asked, then](const Read &read) {
            readingAnswered();
            if (asked != m_subjectsAsked)
                return;
            showRead(read);
            if (then)
                then();
        });
}

void frmArchivio::reloadWaiting(const QString &title)
{
    const KeptSubject *selected = selectedSubject();
    const qint64 selectedId = selected ? selected->id : 0;
    const bool logView = selectedId != m_viewLoggedOf;
    ++m_subjectsAsked;
    showRead(waitFor(this, title, m_archive, [selectedId, logView](Archive &archive) {
        return readArchive(archive, selectedId, logView);
    }));
}

void frmArchivio::showRead(const Read &read)
{
    const KeptSubject *selected = selectedSubject();
    const qint64 selectedId = selected ? selected->id : 0;
    m_subjectsUnread = read.subjects.failed;
    if (!read.subjects.failed) {
        m_subjects = read.subjects;
        m_subjectsReadAt = QTime::currentTime();
    }
    // The selection is put back as it was; its assessments follow below.
    const QSignalBlocker quiet(m_c.lstSoggetti->selectionModel());
    m_subjectItems->clear();
    const QLocale locale;
    // Names as sameName() compares them.
    const auto nameKey = [](const QString &name) { return name.simplified().toCaseFolded(); };
    QHash<QString, int> bearers;
    for (const KeptSubject &subject : std::as_const(m_subjects))
        ++bearers[nameKey(subject.name)];
    for (int row = 0; row < m_subjects.size(); ++row) {
        const KeptSubject &subject = m_subjects.at(row);
        QString last = subject.lastAssessed.isValid()
                           ? locale.toString(subject.lastAssessed.date(), QLocale::ShortFormat)
                           : QStringLiteral("nessuna valutazione");
        // Namesakes are told apart by their visits and their code.
        if (bearers.value(nameKey(subject.name)) > 1)
            last +=
                QStringLiteral("; %1cod. %2")
                    .arg(subject.assessments > 0 ? visitsText(subject, locale) + "; " : QString())
                    .arg(subject.id);
        auto *item = new QStandardItem(QStringLiteral("%1 (%2)").arg(subject.name, last));
        item->setData(row, SubjectRow);
        item->setData(subject.name, NameRole);
        item->setToolTip(QStringLiteral("%1, %2").arg(assessment::captionOf(subject.sex),
                                                      subject.assessments > 0
                                                          ? visitsText(subject, locale)
                                                          : QStringLiteral("nessuna valutazione")));
        m_subjectItems->appendRow(item);
    }

    for (int row = 0; row < m_foundSubjects->rowCount(); ++row) {
        const QModelIndex index = m_foundSubjects->index(row, 0);
        if (m_subjects.at(index.data(SubjectRow).toInt()).id == selectedId)
            m_c.lstSoggetti->setCurrentIndex(index);
    }

    if (selectedId != 0 && read.assessmentsOf == selectedId && selectedSubject()) {
        ++m_assessmentsAsked;
        showAssessmentsOf(selectedId, read.assessments, read.viewLogged);
    } else {
        showAssessments();
    }
    showStatus();
}

void frmArchivio::changedElsewhere()
{
    if (m_refresh->isActive()) {
        m_changedSinceReading = true;
        return;
    }
    m_refresh->start();
    // Out of the driver's notice first: the reading uses the same session.
    QTimer::singleShot(0, this, &frmArchivio::refresh);
}

void frmArchivio::refreshAfterBurst()
{
    if (!m_changedSinceReading)
        return;
    m_changedSinceReading = false;
    m_refresh->start();
    refresh();
}

void frmArchivio::refresh()
{
    if (!isVisible())
        return;
    const KeptSubject *subject = selectedSubject();
    const qint64 subjectId = subject ? subject->id : 0;
    const KeptAssessment *kept = selectedAssessment();
    const qint64 assessmentId = kept ? kept->id : 0;
    const int listScroll = m_c.lstSoggetti->verticalScrollBar()->value();
    const int tableScroll = m_c.tblValutazioni->verticalScrollBar()->value();
    reload([=] {
        m_c.lstSoggetti->verticalScrollBar()->setValue(listScroll);
        for (int row = 0; row < m_assessments.size(); ++row) {
            if (m_assessments.at(row).id == assessmentId)
                m_c.tblValutazioni->setCurrentIndex(m_assessmentItems->index(row, 0));
        }
        m_c.tblValutazioni->verticalScrollBar()->setValue(tableScroll);
        if (subjectId != 0 && !selectedSubject())
            m_c.lblStato->setText(QStringLiteral("Il soggetto selezionato è stato eliminato da "
                                                 "un'altra postazione. ") +
                                  m_c.lblStato->text());
    });
}

void frmArchivio::readingSent()
{
    if (!m_archive.onItsThread())
        return;
    if (m_readingsAwaited++ == 0)
        m_slow->start();
}

void frmArchivio::readingAnswered()
{
    if (m_readingsAwaited == 0 || --m_readingsAwaited > 0)
        return;
    // The line said the server was slow: it says what was read now.
    if (!m_slow->isActive())
        showStatus();
    m_slow->stop();
}

void frmArchivio::retryUnanswered()
{
    if (!isVisible() || m_readingsAwaited > 0)
        return;
    readingSent();
    m_keeper.reopenUnreachable(this, [this] {
        readingAnswered();
        refresh();
    });
}

void frmArchivio::showStatus()
{
    QString where = m_archive.server()
                        ? QStringLiteral("dello studio, %1").arg(m_archive.whereText())
                        : m_archive.whereText();
    const auto subjects = [](qsizetype count) {
        return count == 1 ? QStringLiteral("1 soggetto") : QStringLiteral("%1 soggetti").arg(count);
    };
    // Refused by the log: trying again changes nothing until the owner acts.
    if (m_assessmentsUnlogged && !m_subjectsUnread) {
        m_retry->stop();
        m_c.cmdRiprova->hide();
        placeStatus();
        m_c.lblStato->setText(unloggedText());
        return;
    }
    // A reading that failed is said, never shown as an empty archive.
    const bool unread = m_subjectsUnread || m_assessmentsUnread;
    m_c.cmdRiprova->setVisible(unread);
    if (!unread)
        m_retry->stop();
    else if (!m_retry->isActive())
        m_retry->start();
    placeStatus();
    if (unread && m_subjectsReadAt.isValid()) {
        m_c.lblStato->setText(
            QStringLiteral("L'archivio non ha risposto: l'elenco è quello letto alle %1 e "
                           "potrebbe non essere aggiornato.")
                .arg(QLocale().toString(m_subjectsReadAt, QLocale::ShortFormat)));
        return;
    }
    switch (m_archive.state()) {
    case ArchiveState::Absent:
        m_c.lblStato->setText(
            QStringLiteral("L'archivio è vuoto: una valutazione si salva dalla finestra principale "
                           "con \"Salva nell'archivio\". Sarà tenuto in %1")
                .arg(where));
        break;
    case ArchiveState::Ready:
    case ArchiveState::ReadOnlyNewer:
        if (m_archive.state() == ArchiveState::ReadOnlyNewer)
            where += QStringLiteral(", in sola consultazione");
        m_c.lblStato->setText(
            m_foundSubjects->rowCount() == m_subjects.size()
                ? QStringLiteral("%1. Archivio: %2").arg(subjects(m_subjects.size()), where)
                : QStringLiteral("Trovati %1 su %2. Archivio: %3")
                      .arg(subjects(m_foundSubjects->rowCount()))
                      .arg(m_subjects.size())
                      .arg(where));
        break;
    default:
        m_c.lblStato->setText(stateLine(m_archive));
        break;
    }
}

const KeptSubject *frmArchivio::selectedSubject() const
{
    const QModelIndex index = m_c.lstSoggetti->currentIndex();
    if (!index.isValid())
        return nullptr;
    const int row = index.data(SubjectRow).toInt();
    return row >= 0 && row < m_subjects.size() ? &m_subjects.at(row) : nullptr;
}

const KeptAssessment *frmArchivio::selectedAssessment() const
{
    const QModelIndex index = m_c.tblValutazioni->currentIndex();
    return index.isValid() && index.row() < m_assessments.size() ? &m_assessments.at(index.row())
                                                                 : nullptr;
}

void frmArchivio::showAssessments()
{
    const KeptSubject *subject = selectedSubject();
    const qint64 subjectId = subject ? subject->id : 0;
    const quint64 asked = ++m_assessmentsAsked;
    if (subjectId == 0) {
        showAssessmentsOf(0, {}, false);
        return;
    }
    // Another subject's visits never stand beside this one while the answer comes.
    if (subjectId != m_assessmentsOf && m_archive.onItsThread()) {
        m_assessments.clear();
        m_assessmentItems->removeRows(0, m_assessmentItems->rowCount());
        Trend reading = trendOf(subject->sex, {});
        reading.reading = true;
        m_trend->setTrend(reading);
        updateCommands();
    }
    const std::optional<Access> loggedAs =
        subjectId != m_viewLoggedOf ? std::optional(Access::Viewed) : std::nullopt;
    readingSent();
    m_archive.request(
        this,
        [subjectId, loggedAs](Archive &archive) {
            return archive.assessmentsOf(subjectId, loggedAs);
        },
        [this, asked, subjectId, loggedAs](const Archive::Reading<KeptAssessment> &read) {
            readingAnswered();
            if (asked == m_assessmentsAsked)
                showAssessmentsOf(subjectId, read, loggedAs.has_value());
        });
}

void frmArchivio::showAssessmentsOf(qint64 subjectId, const Archive::Reading<KeptAssessment> &read,
                                    bool viewLogged)
{
    const KeptSubject *subject = selectedSubject();
    m_assessmentsUnlogged = read.unlogged;
    m_assessmentsUnread = read.failed && !read.unlogged;
    // What was read of the same subject stays; another's visits are unknown,
    // and none stand on screen that the log did not take.
    if (!read.failed || subjectId != m_assessmentsOf || read.unlogged)
        m_assessments = read;
    m_assessmentsOf = subjectId;
    if (viewLogged && !read.failed)
        m_viewLoggedOf = subjectId;
    m_assessmentItems->removeRows(0, m_assessmentItems->rowCount());
    for (const KeptAssessment &kept : std::as_const(m_assessments)) {
        m_assessmentItems->appendRow(
            {cell(shortTime(kept.takenAt), Qt::AlignLeft), cell(figure(kept.weightKg())),
             cell(figure(kept.figures.bodyMassIndex)),
             cell(QString::fromStdString(kept.figures.weightClass), Qt::AlignLeft),
             cell(figure(kept.figures.dailyEnergyKcal)), cell(kept.savedBy, Qt::AlignLeft)});
        // A role longer than its column is read whole on pointing at it.
        m_assessmentItems->item(m_assessmentItems->rowCount() - 1, 5)->setToolTip(kept.savedBy);
    }
    Trend trend = trendOf(subject ? subject->sex : assessment::Sex::Maschile, m_assessments);
    trend.unread = read.failed;
    m_trend->setTrend(trend);
    if (!m_assessments.isEmpty())
        m_c.tblValutazioni->setCurrentIndex(m_assessmentItems->index(0, 0));
    showStatus();
    updateCommands();
}

void frmArchivio::updateCommands()
{
    const bool writable = m_archive.state() == ArchiveState::Ready;
    const bool readable = writable || m_archive.state() == ArchiveState::ReadOnlyNewer;
    const bool subject = selectedSubject() != nullptr;
    const bool assessment = selectedAssessment() != nullptr;
    m_c.cmdApri->setEnabled(assessment);
    m_c.cmdElimina->setEnabled(writable && assessment);
    m_c.cmdRinomina->setEnabled(writable && subject);
    m_c.cmdEliminaSoggetto->setEnabled(writable && subject);
    // A copy is taken of either; only the personal file is replaced by one.
    const bool personal = !m_archive.server();
    m_c.cmdCopia->setEnabled(readable);
    m_c.cmdRipristina->setEnabled(personal);
    m_c.cmdPersonale->setEnabled(!personal);
    m_c.cmdTrasferisci->setEnabled(!personal && writable);
    m_c.cmdStampaAndamento->setEnabled(subject && !m_assessments.isEmpty());
    m_c.cmdRegistro->setEnabled(readable && subject);
    m_c.cmdEsporta->setEnabled(readable && !m_subjects.isEmpty());
}

void frmArchivio::openAssessment()
{
    if (!selectedSubject() || !selectedAssessment())
        return;
    // Copied: the lists may be read again while the log is written.
    const KeptSubject subject = *selectedSubject();
    const KeptAssessment kept = *selectedAssessment();
    if (logged(QStringLiteral("Apri valutazione"), Access::Opened, subject.id))
        emit assessmentOpened(subject, kept);
}

bool frmArchivio::logged(const QString &title, Access access, qint64 subjectId)
{
    const WriteOutcome outcome =
        waitingFor(title, [&](Archive &archive) { return archive.logAccess(access, {subjectId}); });
    if (outcome != WriteOutcome::Done)
        showNotice(this, title, failureNotice(outcome, m_archive.filePath()));
    return outcome == WriteOutcome::Done;
}

bool frmArchivio::confirm(const QString &title, const QString &text, const QString &action)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, this);
    QPushButton *yes = box.addButton(action, QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == yes;
}

WriteOutcome frmArchivio::waitingFor(const QString &title,
                                     const std::function<WriteOutcome(Archive &)> &change)
{
    return waitFor(this, title, m_archive, change);
}

void frmArchivio::report(const QString &title, WriteOutcome outcome)
{
    if (outcome != WriteOutcome::Done)
        showNotice(this, title, failureNotice(outcome, m_archive.filePath()));
    reloadWaiting(title);
}

// The subject and assessment as the user saw them, copied: another
// workstation's change read while a question is open replaces the lists.
void frmArchivio::removeAssessment()
{
    if (!selectedSubject() || !selectedAssessment() || m_archive.state() != ArchiveState::Ready)
        return;
    const std::optional<KeptSubject> subject = *selectedSubject();
    const QString name = subject->name;
    const KeptAssessment kept = *selectedAssessment();
    const QString title = QStringLiteral("Elimina valutazione");
    if (confirm(title,
                QStringLiteral("Eliminare la valutazione di %1 del %2? Non si potrà recuperare.")
                    .arg(name, shortTime(kept.takenAt)),
                QStringLiteral("Elimina"))) {
        const WriteOutcome outcome =
            waitingFor(title, [&](Archive &archive) { return archive.removeAssessment(kept.id); });
        if (outcome == WriteOutcome::Stale)
            reportStale(
                title, *subject,
                QStringLiteral("la valutazione del %1 non c'è più.").arg(shortTime(kept.takenAt)));
        else
            report(title, outcome);
    }
}

void frmArchivio::removeSubject()
{
    if (!selectedSubject() || m_archive.state() != ArchiveState::Ready)
        return;
    const KeptSubject subject = *selectedSubject();
    const QString title = QStringLiteral("Elimina soggetto");
    if (confirm(title,
                QStringLiteral("Eliminare %1 e tutte le sue valutazioni (%2)? Non si potranno "
                               "recuperare.")
                    .arg(subject.name)
                    .arg(subject.assessments),
                QStringLiteral("Elimina"))) {
        const WriteOutcome outcome =
            waitingFor(title, [&](Archive &archive) { return archive.removeSubject(subject); });
        if (outcome == WriteOutcome::Stale)
            reportStale(title, subject, QStringLiteral("il soggetto non è stato eliminato."),
                        QStringLiteral("non resta nulla da eliminare."));
        else
            report(title, outcome);
    }
}

void frmArchivio::renameSubject()
{
    if (!selectedSubject() || m_archive.state() != ArchiveState::Ready)
        return;
    KeptSubject seen = *selectedSubject();
    QString typed = seen.name;
    const QString title = QStringLiteral("Rinomina soggetto");
    // A rename refused because of another workstation's is asked again, with
    // what the user typed, over the name as it is now.
    for (;;) {
        QInputDialog dialog(this);
        dialog.setWindowTitle(title);
        dialog.setLabelText(QStringLiteral("Cognome e nome:"));
        dialog.setTextValue(typed);
        if (auto *box = dialog.findChild<QLineEdit *>())
            box->setMaxLength(25);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const QString name = dialog.textValue().simplified();
        if (name.isEmpty()) {
            showWarning(this, title, QStringLiteral("Il cognome e nome non può essere vuoto."));
            return;
        }
        const WriteOutcome outcome =
            waitingFor(title, [&](Archive &archive) { return archive.rename(seen, name); });
        if (outcome != WriteOutcome::Stale) {
            report(title, outcome);
            return;
        }
        reportStale(title, seen, QStringLiteral("il nome non è stato cambiato."));
        const std::optional<KeptSubject> now = subjectWithId(seen.id);
        if (!now)
            return;
        seen = *now;
        typed = name;
    }
}

void frmArchivio::reportStale(const QString &title, const KeptSubject &seen, const QString &outcome,
                              const QString &whenGone)
{
    reloadWaiting(title);
    const std::optional<KeptSubject> now = subjectWithId(seen.id);
    showWarning(
        this, title,
        QStringLiteral("Nel frattempo %1: %2")
            .arg(othersChange(seen, now), !now && !whenGone.isEmpty() ? whenGone : outcome));
}

std::optional<KeptSubject> frmArchivio::subjectWithId(qint64 id) const
{
    for (const KeptSubject &subject : m_subjects) {
        if (subject.id == id)
            return subject;
    }
    return std::nullopt;
}

void frmArchivio::saveCopy()
{
    const QString title = QStringLiteral("Salva una copia");
    const QString proposed = QDir::home().filePath(
        QStringLiteral("Nutrivo - archivio %1%2.sqlite")
            .arg(m_archive.server() ? QStringLiteral("dello studio ") : QString(),
                 QDate::currentDate().toString(Qt::ISODate)));
    const QString target = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salva una copia dell'archivio"), proposed, copyFilter);
    if (target.isEmpty())
        return;
    const WriteOutcome outcome =
        waitingFor(title, [&](Archive &archive) { return archive.saveCopy(target); });
    if (outcome == WriteOutcome::Done)
        showInformation(this, title,
                        QStringLiteral("Copia dell'archivio salvata in:\n%1")
                            .arg(QDir::toNativeSeparators(target)));
    else
        showNotice(this, title, failureNotice(outcome, target));
}

void frmArchivio::restoreCopy()
{
    const QString title = QStringLiteral("Ripristina da una copia");
    const QString source = QFileDialog::getOpenFileName(
        this, QStringLiteral("Ripristina l'archivio da una copia"), QDir::homePath(), copyFilter);
    if (source.isEmpty())
        return;
    const ArchiveState copy = Archive::inspect(source);
    const QString refusal =
        copy == ArchiveState::Damaged ? QStringLiteral("Il file scelto è danneggiato.")
        : copy == ArchiveState::ReadOnlyNewer
            ? QStringLiteral(
                  "Il file scelto è stato scritto da una versione più recente di Nutrivo.")
        : copy != ArchiveState::Ready
            ? QStringLiteral("Il file scelto non è un archivio di Nutrivo.")
            : QString();
    if (!refusal.isEmpty()) {
        showWarning(this, title, refusal + QStringLiteral(" L'archivio non è stato toccato."));
        return;
    }
    if (!confirm(title,
                 QStringLiteral("Sostituire l'archivio con la copia scelta? L'archivio attuale "
                                "sarà conservato, così com'è, accanto al suo file."),
                 QStringLiteral("Ripristina")))
        return;
    QString keptAs;
    const WriteOutcome outcome =
        waitingFor(title, [&](Archive &archive) { return archive.restoreFrom(source, &keptAs); });
    if (outcome == WriteOutcome::Done)
        showInformation(
            this, title,
            keptAs.isEmpty()
                ? QStringLiteral("Archivio ripristinato.")
                : QStringLiteral("Archivio ripristinato. Quello sostituito è conservato "
                                 "in:\n%1")
                      .arg(QDir::toNativeSeparators(keptAs)));
    else
        showNotice(this, title, failureNotice(outcome, m_archive.filePath()));
    reloadWaiting(title);
}

void frmArchivio::printCourse()
{
    if (!selectedSubject() || m_assessments.isEmpty())
        return;
    const KeptSubject subject = *selectedSubject();
    const QList<KeptAssessment> assessments = m_assessments;
    const QString title = QStringLiteral("Stampa andamento");
    if (!logged(title, Access::CoursePrinted, subject.id))
        return;
    printPage(this,
              {title,
               QStringLiteral("Nessuna stampante disponibile: l'andamento non è stato stampato."),
               QStringLiteral("andamento %1").arg(subject.name)},
              {coursePage(subject, assessments, QLocale(), QDate::currentDate())});
}

void frmArchivio::showAccessLog()
{
    if (!selectedSubject())
        return;
    const KeptSubject subject = *selectedSubject();
    const QString title = QStringLiteral("Registro accessi");
    const Archive::Reading<LoggedAccess> accesses = waitFor(
        this, title, m_archive, [&](Archive &archive) { return archive.accessesOf(subject.id); });
    if (accesses.failed) {
        showWarning(this, title,
                    QStringLiteral("L'archivio non ha risposto durante la lettura del registro. "
                                   "Riprovare più tardi."));
        return;
    }
    if (!m_accessLog)
        m_accessLog = new frmRegistro(this);
    m_accessLog->showAccesses(subject, accesses);
    m_accessLog->show();
    m_accessLog->raise();
    m_accessLog->activateWindow();
}

void frmArchivio::exportAssessments()
{
    std::optional<KeptSubject> subject;
    if (selectedSubject())
        subject = *selectedSubject();
    const QString written = exportSpreadsheet(this, m_archive, subject ? &*subject : nullptr);
    if (!written.isEmpty())
        m_c.lblStato->setText(written);
}

void frmArchivio::chooseServer()
{
    const QString title = QStringLiteral("Archivio dello studio");
    ServerDialog dialog(m_archive.server() ? m_archive.server() : lastTypedServer(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ServerAddress address = dialog.address();
    rememberTypedServer(address);
    const QString refusal = address.database.isEmpty()
                                ? QStringLiteral("Occorre il nome del database.")
                                : connectionRefusal(address);
    if (!refusal.isEmpty()) {
        showWarning(this, title, refusal + QStringLiteral(" L'archivio in uso non è cambiato."));
        return;
    }
    if (m_keeper.chooseServer(this, address)) {
        m_subjectsReadAt = QTime();
        m_viewLoggedOf = 0;
        reloadWaiting(title);
    }
}

void frmArchivio::usePersonal()
{
    m_keeper.choosePersonal();
    m_subjectsReadAt = QTime();
    m_viewLoggedOf = 0;
    reloadWaiting(QStringLiteral("Archivio personale"));
}

void frmArchivio::transferPersonal()
{
    if (m_archive.server() && m_archive.state() == ArchiveState::Ready &&
        transferPersonalArchive(this, m_archive, Archive::defaultPath()))
        reloadWaiting(QStringLiteral("Trasferisci nell'archivio dello studio"));
}
