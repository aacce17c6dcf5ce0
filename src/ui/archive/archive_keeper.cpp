#include "archive_keeper.h"

#include "archive_texts.h"
#include "ui/common/messages.h"
#include "ui/common/regional.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace {

const QString saveTitle = QStringLiteral("Salva nell'archivio");

// "valutato l'ultima volta il 09/12/26 10:30, ultimo peso 80,00 kg, 3 valutazioni dal 01/10/26"
QString subjectSummary(const KeptSubject &subject)
{
    if (!subject.lastAssessed.isValid())
        return QStringLiteral("senza valutazioni");
    const QLocale locale;
    const double weight =
        assessment::readNumber(assessment::withDecimalPoint(subject.lastWeightText.toStdString()));
    return QStringLiteral("valutato l'ultima volta il %1, ultimo peso %2 kg, %3")
        .arg(locale.toString(subject.lastAssessed, QLocale::ShortFormat),
             standardText(weight, locale), visitsText(subject, locale));
}

} // namespace

ArchiveState ArchiveKeeper::openArchive(QWidget *over)
{
    if (m_opened && m_archive.state() != ArchiveState::Absent)
        return m_archive.state();
    m_opened = true;
    const ArchiveState state = m_archive.open();
    const ArchiveNotice notice = stateNotice(m_archive);
    if (!notice.text.isEmpty())
        showNotice(over, QStringLiteral("Archivio valutazioni"), notice);
    return state;
}

std::optional<qint64> ArchiveKeeper::chooseSubject(QWidget *over, const QString &name,
                                                   const KeptAssessment &assessment)
{
    QList<KeptSubject> namesakes;
    for (const KeptSubject &subject : m_archive.subjects()) {
        if (sameName(subject.name, name) && subject.sex == assessment.sex)
            namesakes << subject;
    }
    if (namesakes.isEmpty())
        return 0;
    std::sort(namesakes.begin(), namesakes.end(),
              [](const auto &a, const auto &b) { return a.lastAssessed > b.lastAssessed; });

    // Namesakes are told apart by what the user remembers of them.
    QString text;
    if (namesakes.size() == 1) {
        text = QStringLiteral("Nell'archivio c'è già \"%1\", %2. È la stessa persona?")
                   .arg(namesakes[0].name, subjectSummary(namesakes[0]));
    } else {
        text = QStringLiteral("Nell'archivio ci sono già %1 soggetti \"%2\":")
                   .arg(namesakes.size())
                   .arg(namesakes[0].name);
        for (int i = 0; i < namesakes.size(); ++i)
            text += QStringLiteral("\n%1. %2").arg(i + 1).arg(subjectSummary(namesakes[i]));
        text += QStringLiteral("\nÈ una di queste persone?");
    }
    QMessageBox box(QMessageBox::Question, saveTitle, text, QMessageBox::NoButton, over);
    QList<QPushButton *> same;
    for (int i = 0; i < namesakes.size(); ++i)
        same << box.addButton(namesakes.size() == 1
                                  ? QStringLiteral("Stessa persona")
                                  : QStringLiteral("Stessa persona (%1)").arg(i + 1),
                              QMessageBox::YesRole);
    QPushButton *other = box.addButton(QStringLiteral("Persona diversa"), QMessageBox::NoRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.exec();
    const auto chosen = same.indexOf(static_cast<QPushButton *>(box.clickedButton()));
    if (chosen >= 0)
        return namesakes.at(chosen).id;
    if (box.clickedButton() == other)
        return 0;
    return std::nullopt;
}

void ArchiveKeeper::keep(QWidget *over, const QString &name, const KeptAssessment &assessment)
{
    const ArchiveState state = openArchive(over);
    if (state != ArchiveState::Ready && state != ArchiveState::Absent) {
        const ArchiveNotice notice = stateNotice(m_archive);
        showNotice(
            over, saveTitle,
            {notice.icon, notice.text + QStringLiteral("\nLa valutazione non è stata salvata.")});
        return;
    }
    // A kept assessment opened again is already there.
    if (assessment.id != 0 && m_archive.holdsAssessment(assessment.id)) {
        showInformation(over, saveTitle,
                        QStringLiteral("La valutazione di %1 del %2 è già nell'archivio: non è "
                                       "stato salvato nulla di nuovo.")
                            .arg(name.simplified(),
                                 QLocale().toString(assessment.takenAt, QLocale::ShortFormat)));
        return;
    }
    const auto subjectId = chooseSubject(over, name, assessment);
    if (!subjectId)
        return;
    const Archive::Kept kept = m_archive.keep(*subjectId, name, assessment);
    if (kept.outcome != WriteOutcome::Done) {
        showNotice(over, saveTitle, failureNotice(kept.outcome, m_archive.filePath()));
        return;
    }
    emit changed();
    showInformation(over, saveTitle,
                    m_archive.server()
                        ? QStringLiteral("La valutazione di %1 è stata salvata nell'archivio "
                                         "dello studio (%2).")
                              .arg(name.simplified(), m_archive.whereText())
                        : QStringLiteral("La valutazione di %1 è stata salvata nell'archivio.")
                              .arg(name.simplified()));
}
