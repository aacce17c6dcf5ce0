// The main window's side of the archive: keeping the development on screen,
// and developing a kept one again.

#include "assessment/numbers.h"
#include "form1.h"
#include "ui/common/messages.h"
#include "ui/common/regional.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

void Form1::forgetDevelopment()
{
    const bool hadOne = m_developed.has_value();
    m_developed.reset();
    m_c.cmdSalva->setEnabled(false);
    m_c.cmdCalcolo->setEnabled(false);
    if (hadOne)
        emit developmentChanged();
}

std::optional<assessment::SubjectData> Form1::developedSubject() const
{
    if (!m_developed)
        return std::nullopt;
    return subjectDataOf(m_c.Text1->text(), *m_developed);
}

void Form1::keepDevelopment()
{
    if (!m_developed)
        return;
    if (m_c.Text1->text().trimmed().isEmpty()) {
        showWarning(this, "Salva nell'archivio",
                    "Per salvare nell'archivio occorre il cognome e nome del soggetto.");
        m_c.Text1->setFocus();
        return;
    }
    if (editedSinceDevelopment()) {
        showWarning(this, "Salva nell'archivio",
                    "I dati sono stati cambiati dopo lo sviluppo: premere \"SVILUPPA ...\" per "
                    "sviluppare di nuovo, poi salvare. Non è stato salvato nulla.");
        return;
    }
    emit keepWanted(m_c.Text1->text(), *m_developed);
}

bool Form1::editedSinceDevelopment() const
{
    const auto typedAs = [](const QString &text) {
        return assessment::withDecimalPoint(text.trimmed().toStdString());
    };
    const assessment::SubjectData now = subject();
    const KeptAssessment &then = *m_developed;
    return typedAs(QString::fromStdString(now.heightText)) != typedAs(then.heightText) ||
           typedAs(QString::fromStdString(now.weightText)) != typedAs(then.weightText) ||
           typedAs(QString::fromStdString(now.ageText)) != typedAs(then.ageText) ||
           now.sex != then.sex || now.activityLevel != then.activity ||
           now.constitution != then.build;
}

void Form1::developKept(const KeptSubject &subject, const KeptAssessment &kept)
{
    ResetAssessment();
    m_c.Text1->setText(subject.name);
    m_c.Text3->setText(kept.heightText);
    m_c.Text2->setText(kept.weightText);
    m_c.Text4->setText(kept.ageText);
    m_c.options.at(int(kept.sex))->setChecked(true);
    m_c.options.at(2 + int(kept.activity))->setChecked(true);
    m_c.options.at(5 + int(kept.build))->setChecked(true);
    develop();
    if (!m_developed)
        return;
    // The kept assessment itself, taken when it was, not a new one.
    m_developed->id = kept.id;
    m_developed->takenAt = kept.takenAt;
    m_developedAt = kept.takenAt;
    showDevelopmentTime(kept.takenAt);

    const auto changes =
        assessment::changedFigures(kept.figures, m_developed->figures, separatorsOf(QLocale()));
    if (changes.empty())
        return;
    QString text =
        QStringLiteral("Le cifre sviluppate oggi differiscono da quelle archiviate il %1:")
            .arg(QLocale().toString(kept.takenAt, QLocale::ShortFormat));
    for (const auto &change : changes)
        text += QStringLiteral("\n%1: %2 allora, %3 oggi")
                    .arg(QString::fromStdString(change.caption),
                         change.before.empty() ? QStringLiteral("nessuno")
                                               : QString::fromStdString(change.before),
                         change.now.empty() ? QStringLiteral("nessuno")
                                            : QString::fromStdString(change.now));
    ::showInformation(this, "Valutazione archiviata", text);
}
