#include "namesake_question.h"

#include "archive_texts.h"
#include "ui/common/regional.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

QList<KeptSubject> namesakesOf(const QList<KeptSubject> &subjects, const QString &name,
                               assessment::Sex sex)
{
    QList<KeptSubject> namesakes;
    for (const KeptSubject &subject : subjects) {
        if (sameName(subject.name, name) && subject.sex == sex)
            namesakes << subject;
    }
    std::sort(namesakes.begin(), namesakes.end(),
              [](const auto &a, const auto &b) { return a.lastAssessed > b.lastAssessed; });
    return namesakes;
}

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

std::optional<qint64> askSamePerson(QWidget *over, const NamesakeQuestion &question,
                                    const QList<KeptSubject> &namesakes)
{
    if (namesakes.isEmpty())
        return 0;
    // Namesakes are told apart by what the user remembers of them.
    QString text = question.lead;
    if (namesakes.size() == 1) {
        text += QStringLiteral("%1 c'è già \"%2\", %3. È la stessa persona?")
                    .arg(question.where, namesakes[0].name, subjectSummary(namesakes[0]));
    } else {
        text += QStringLiteral("%1 ci sono già %2 soggetti \"%3\":")
                    .arg(question.where)
                    .arg(namesakes.size())
                    .arg(namesakes[0].name);
        for (int i = 0; i < namesakes.size(); ++i)
            text += QStringLiteral("\n%1. %2").arg(i + 1).arg(subjectSummary(namesakes[i]));
        text += QStringLiteral("\nÈ una di queste persone?");
    }
    QMessageBox box(QMessageBox::Question, question.title, text, QMessageBox::NoButton, over);
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
