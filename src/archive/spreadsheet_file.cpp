#include "spreadsheet_file.h"

#include "assessment/numbers.h"

#include <QSaveFile>
#include <functional>
#include <optional>
#include <variant>

namespace {

using assessment::ShownFigures;

// A spreadsheet runs a cell that begins with one of these as a formula; a
// leading apostrophe makes it text again.
QString neutralised(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? '\'' + text : text;
}

struct Row
{
    const KeptSubject &subject;
    const KeptAssessment &kept;
    const SpreadsheetFormat &format;
};

// A cell holds text, or a number that may be missing.
using Value = std::variant<QString, std::optional<double>>;

struct Column
{
    const char *heading;
    std::function<Value(const Row &)> value;
};

template <typename Figure>
Value figure(Figure ShownFigures::*member, const Row &row)
{
    return std::optional<double>(row.kept.figures.*member);
}

Value number(double value)
{
    return std::optional<double>(value);
}

const Column columns[] = {
    {"Data", [](const Row &r) { return Value(r.kept.takenAt.toString(r.format.dateTimeFormat)); }},
    {"Cognome e nome", [](const Row &r) { return Value(r.subject.name); }},
    // Tells namesakes apart.
    {"Codice soggetto", [](const Row &r) { return Value(QString::number(r.subject.id)); }},
    {"Sesso", [](const Row &r) { return Value(QString(assessment::captionOf(r.kept.sex))); }},
    {"Età (anni)", [](const Row &r) { return number(r.kept.ageYears()); }},
    {"Altezza (metri)", [](const Row &r) { return number(r.kept.heightMetres()); }},
    {"Peso reale (Kg)", [](const Row &r) { return number(r.kept.weightKg()); }},
    {"Attività fisica",
     [](const Row &r) { return Value(QString(assessment::captionOf(r.kept.activity))); }},
    {"Costituzione corporea",
     [](const Row &r) { return Value(QString(assessment::captionOf(r.kept.build))); }},
    {"Peso ideale (Kg)", [](const Row &r) { return figure(&ShownFigures::idealWeightKg, r); }},
    {"Indice di massa corporea",
     [](const Row &r) { return figure(&ShownFigures::bodyMassIndex, r); }},
    {"Classe",
     [](const Row &r) { return Value(QString::fromStdString(r.kept.figures.weightClass)); }},
    {"Metabolismo basale (Kcal)",
     [](const Row &r) { return figure(&ShownFigures::basalMetabolismKcal, r); }},
    {"Livello di attività fisica (LAF)",
     [](const Row &r) { return figure(&ShownFigures::activityFactor, r); }},
    {"Fabbisogno energetico giornaliero (Kcal)",
     [](const Row &r) { return figure(&ShownFigures::dailyEnergyKcal, r); }},
    {"Protidi (Kcal)", [](const Row &r) { return figure(&ShownFigures::proteinsKcal, r); }},
    {"Protidi (g)", [](const Row &r) { return figure(&ShownFigures::proteinsGrams, r); }},
    {"Lipidi (Kcal)", [](const Row &r) { return figure(&ShownFigures::fatsKcal, r); }},
    {"Lipidi (g)", [](const Row &r) { return figure(&ShownFigures::fatsGrams, r); }},
    {"Glucidi (Kcal)", [](const Row &r) { return figure(&ShownFigures::carbohydratesKcal, r); }},
    {"Glucidi (g)", [](const Row &r) { return figure(&ShownFigures::carbohydratesGrams, r); }},
    {"Fianchi ideali (cm)", [](const Row &r) { return figure(&ShownFigures::hipsCm, r); }},
    {"Vita ideale (cm)", [](const Row &r) { return figure(&ShownFigures::waistCm, r); }},
    {"Cosce ideali (cm)", [](const Row &r) { return figure(&ShownFigures::thighsCm, r); }},
    // Last, so that the columns of earlier files keep their places; empty for
    // an adult and below 2 years.
    {"Punteggio z IMC", [](const Row &r) { return figure(&ShownFigures::bmiZ, r); }},
    {"Centile IMC", [](const Row &r) { return figure(&ShownFigures::bmiCentile, r); }},
    // Empty for an assessment kept before the access log.
    {"Salvata da", [](const Row &r) { return Value(r.kept.savedBy); }},
};

QString quoted(const QString &cell, QChar separator)
{
    const bool plain = !cell.contains(separator) && !cell.contains('"') && !cell.contains('\n') &&
                       !cell.contains('\r');
    return plain ? cell : '"' + QString(cell).replace('"', QStringLiteral("\"\"")) + '"';
}

void appendLine(QString &out, const QStringList &cells, QChar separator)
{
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += separator;
        out += quoted(cells.at(i), separator);
    }
    out += QStringLiteral("\r\n");
}

} // namespace

SpreadsheetFormat spreadsheetFormat(const std::string &decimalMark, const QString &dateTimeFormat)
{
    return {decimalMark == "," ? ';' : ',', decimalMark, dateTimeFormat};
}

QByteArray spreadsheetBytes(const QList<SubjectCourse> &courses, const SpreadsheetFormat &format)
{
    const assessment::Separators numbers{format.decimalMark, ""};
    const auto cellText = [&](const Value &value) {
        if (const auto *text = std::get_if<QString>(&value))
            return neutralised(*text);
        const std::optional<double> &figure = std::get<std::optional<double>>(value);
        return figure ? QString::fromStdString(assessment::localNumberText(*figure, numbers))
                      : QString();
    };
    QStringList headings;
    for (const Column &column : columns)
        headings << column.heading;
    QString out;
    appendLine(out, headings, format.fieldSeparator);
    for (const SubjectCourse &course : courses) {
        for (const KeptAssessment &kept : course.assessments) {
            const Row row{course.subject, kept, format};
            QStringList cells;
            for (const Column &column : columns)
                cells << cellText(column.value(row));
            appendLine(out, cells, format.fieldSeparator);
        }
    }
    return "\xEF\xBB\xBF" + out.toUtf8();
}

bool writeSpreadsheet(const QString &fileName, const QList<SubjectCourse> &courses,
                      const SpreadsheetFormat &format)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Health data, like the archive: the user's alone whatever the umask. A
    // disk without permissions (a FAT stick) still takes the file.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = spreadsheetBytes(courses, format);
    return file.write(bytes) == bytes.size() && file.commit();
}
