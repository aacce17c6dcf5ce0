#pragma once

// The archive window: the kept subjects, found as one types, and the selected
// subject's assessments, newest first, with their trend; open, delete, rename,
// the subject's course printed, who accessed the subject's data, a spreadsheet
// file, and copies of the whole archive. Each access to a subject's data is
// logged first: one the log refuses is not done.

#include "archive/archive_session.h"
#include "ui/common/control_plan.h"

#include <QTime>
#include <QWidget>

class ArchiveKeeper;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QTimer;
class TrendView;
class frmRegistro;

class frmArchivio : public QWidget
{
    Q_OBJECT

public:
    frmArchivio(ArchiveSession &archive, ArchiveKeeper &keeper, QWidget *parent = nullptr);

    // Reads the archive again, keeping the subject selected; shown when the
    // answer comes.
    void reload(std::function<void()> then = {});
    // Whether a reading sent to the archive has not been answered yet.
    bool awaitingArchive() const { return m_readingsAwaited > 0; }

signals:
    void assessmentOpened(const KeptSubject &subject, const KeptAssessment &assessment);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Another workstation's change: read again, keeping the search, the
    // selections and where the lists were scrolled to.
    void refresh();
    // The first change of a burst is read at once, the rest together after it.
    void changedElsewhere();
    void refreshAfterBurst();
    // The subjects, and the selected one's assessments, as read together.
    struct Read
    {
        Archive::Reading<KeptSubject> subjects;
        Archive::Reading<KeptAssessment> assessments;
        qint64 assessmentsOf = 0;
        bool viewLogged = false; // the reading of the assessments went into the log
    };
    // logView: the subject's assessments are read as a new access, and logged.
    static Read readArchive(Archive &archive, qint64 selectedId, bool logView);
    // The same, waited for: what follows a change needs the archive as it is.
    void reloadWaiting(const QString &title);
    void showRead(const Read &read);
    // The selected subject's assessments, asked for; shown when they come.
    void showAssessments();
    void showAssessmentsOf(qint64 subjectId, const Archive::Reading<KeptAssessment> &read,
                           bool viewLogged);
    // A reading sent to the server: after a moment without its answer the
    // status line says the server is slow.
    void readingSent();
    void readingAnswered();
    // A server that did not answer is tried again by itself now and then.
    void retryUnanswered();
    void showStatus();
    // The status line narrower while "Riprova" stands beside it.
    void placeStatus();
    void updateCommands();
    void openAssessment();
    void removeAssessment();
    void removeSubject();
    void renameSubject();
    void saveCopy();
    void restoreCopy();
    void printCourse();
    void showAccessLog();
    // The access logged for the subject, waited for; false, said to the user,
    // when the log did not take it.
    bool logged(const QString &title, Access access, qint64 subjectId);
    void chooseServer();
    void usePersonal();
    void transferPersonal();
    void exportAssessments();
    bool confirm(const QString &title, const QString &text, const QString &action);
    // A change to the archive, waited for over this window.
    WriteOutcome waitingFor(const QString &title,
                            const std::function<WriteOutcome(Archive &)> &change);
    void report(const QString &title, WriteOutcome outcome);

    // A change refused as stale: what the other workstation did, from the
    // archive read again.
    // whenGone: the outcome when the subject is no longer there, if it differs.
    void reportStale(const QString &title, const KeptSubject &seen, const QString &outcome,
                     const QString &whenGone = QString());
    std::optional<KeptSubject> subjectWithId(qint64 id) const;
    const KeptSubject *selectedSubject() const;
    const KeptAssessment *selectedAssessment() const;

    ArchiveSession &m_archive;
    ArchiveKeeper &m_keeper;
    Controls m_controls;
    struct Handled
    {
        QLineEdit *txtCerca;
        QListView *lstSoggetti;
        QTableView *tblValutazioni;
        QPushButton *cmdRinomina, *cmdEliminaSoggetto, *cmdApri, *cmdElimina, *cmdCopia,
            *cmdRipristina, *cmdStampaAndamento, *cmdRegistro, *cmdEsporta, *cmdChiudi, *cmdStudio,
            *cmdPersonale, *cmdTrasferisci, *cmdRiprova;
        QLabel *lblStato;
    } m_c;
    QStandardItemModel *m_subjectItems;
    QSortFilterProxyModel *m_foundSubjects;
    QStandardItemModel *m_assessmentItems;
    TrendView *m_trend;
    frmRegistro *m_accessLog = nullptr; // made when first asked for
    QTimer *m_refresh;                  // the burst's gathering, after its first reading
    bool m_changedSinceReading = false;
    QTimer *m_slow;  // a reading's answer awaited
    QTimer *m_retry; // a reading that failed, tried again
    int m_readingsAwaited = 0;
    // Each reading numbered: one answered after a newer was sent is not shown.
    quint64 m_subjectsAsked = 0;
    quint64 m_assessmentsAsked = 0;
    // Where the plan puts the controls that follow the window's size.
    struct Designed
    {
        QWidget *widget;
        QRect geometry;
        int anchor;
    };
    QList<Designed> m_designed;
    // As last read: a reading that fails keeps them, marked as not current.
    QList<KeptSubject> m_subjects;
    QTime m_subjectsReadAt;
    bool m_subjectsUnread = false;
    QList<KeptAssessment> m_assessments; // of the selected subject
    qint64 m_assessmentsOf = 0;
    bool m_assessmentsUnread = false;
    bool m_assessmentsUnlogged = false; // refused: the log did not take the reading
    // The subject whose viewing is logged: the same subject read again after
    // another workstation's change is not a new access.
    qint64 m_viewLoggedOf = 0;
};
