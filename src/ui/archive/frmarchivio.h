#pragma once

// The archive window: the kept subjects, found as one types, and the selected
// subject's assessments, newest first, with their trend; open, delete, rename,
// the subject's course printed, a spreadsheet file, and copies of the whole
// archive.

#include "archive/archive.h"
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

class frmArchivio : public QWidget
{
    Q_OBJECT

public:
    frmArchivio(Archive &archive, ArchiveKeeper &keeper, QWidget *parent = nullptr);
    ~frmArchivio() override;

    // Reads the archive again, keeping the subject selected.
    void reload();

signals:
    void assessmentOpened(const KeptSubject &subject, const KeptAssessment &assessment);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Another workstation's change: read again, keeping the search, the
    // selections and where the lists were scrolled to.
    void refresh();
    // The first change of a burst is read at once, the rest together after it.
    void changedElsewhere();
    void refreshAfterBurst();
    void showAssessments();
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
    void chooseServer();
    void usePersonal();
    void transferPersonal();
    void exportAssessments();
    bool confirm(const QString &title, const QString &text, const QString &action);
    // A change, or the archive's opening, under the wait cursor on a server.
    WriteOutcome waitingFor(const std::function<WriteOutcome()> &change);
    void report(const QString &title, WriteOutcome outcome);

    // A change refused as stale: what the other workstation did, from the
    // archive read again.
    // whenGone: the outcome when the subject is no longer there, if it differs.
    void reportStale(const QString &title, const KeptSubject &seen, const QString &outcome,
                     const QString &whenGone = QString());
    std::optional<KeptSubject> subjectWithId(qint64 id) const;
    const KeptSubject *selectedSubject() const;
    const KeptAssessment *selectedAssessment() const;

    Archive &m_archive;
    ArchiveKeeper &m_keeper;
    Controls m_controls;
    struct Handled
    {
        QLineEdit *txtCerca;
        QListView *lstSoggetti;
        QTableView *tblValutazioni;
        QPushButton *cmdRinomina, *cmdEliminaSoggetto, *cmdApri, *cmdElimina, *cmdCopia,
            *cmdRipristina, *cmdStampaAndamento, *cmdEsporta, *cmdChiudi, *cmdStudio, *cmdPersonale,
            *cmdTrasferisci, *cmdRiprova;
        QLabel *lblStato;
    } m_c;
    QStandardItemModel *m_subjectItems;
    QSortFilterProxyModel *m_foundSubjects;
    QStandardItemModel *m_assessmentItems;
    TrendView *m_trend;
    QTimer *m_refresh; // the burst's gathering, after its first reading
    bool m_changedSinceReading = false;
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
};
