#include "working_text.h"

#include "assessment/working.h"
#include "ui/common/regional.h"

#include <QLocale>

namespace {

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8).toHtmlEscaped();
}

QString inputsLine(const assessment::SubjectData &subject, const assessment::Separators &separators)
{
    const auto number = [&](const std::string &typed) {
        return QString::fromStdString(assessment::localNumberText(
            assessment::readNumber(assessment::withDecimalPoint(typed)), separators));
    };
    return QStringLiteral("<p><b>%1</b>: %2, altezza %3 metri, peso %4 Kg, %5 anni, attività "
                          "fisica %6, costituzione corporea %7.</p>")
        .arg(text(subject.name), assessment::captionOf(*subject.sex), number(subject.heightText),
             number(subject.weightText), number(subject.ageText),
             assessment::captionOf(*subject.activityLevel),
             assessment::captionOf(*subject.constitution));
}

} // namespace

QString workingHtml(const std::optional<assessment::SubjectData> &subject, const QLocale &locale)
{
    QString html = QStringLiteral("<h2>Come si calcola</h2>");
    if (!subject) {
        return html + QStringLiteral("<p>Nessuno sviluppo da spiegare: inserire i dati del "
                                     "soggetto e premere \"SVILUPPA ...\" nella finestra "
                                     "principale.</p>");
    }
    const assessment::Separators separators = separatorsOf(locale);
    const assessment::Working working =
        assessment::workingOf(*subject, assessment::develop(*subject, separators), separators);
    html += inputsLine(*subject, separators);
    for (const assessment::WorkingStep &step : working.steps) {
        html += QStringLiteral("<h3>%1: %2</h3><p>Formula: %3.<br>Con i numeri del soggetto: "
                               "<b>%4</b><br><small>Fonte: %5</small></p>")
                    .arg(text(step.figure), text(step.result), text(step.formula),
                         text(step.calculation), text(step.source));
        for (const std::string &note : step.notes)
            html += QStringLiteral("<p><i>Nota:</i> %1</p>").arg(text(note));
    }
    html += QStringLiteral("<h3>Riferimenti</h3><ol>");
    for (const std::string &reference : working.references)
        html += QStringLiteral("<li>%1</li>").arg(text(reference));
    return html + QStringLiteral("</ol><p><small>Le cifre sono stime da tabelle di riferimento e "
                                 "non sostituiscono il parere di un medico o di un "
                                 "dietista.</small></p>");
}
