#include "form1_speech.h"

#include <QWidget>

namespace {

const QHash<QString, QString> inputNames = {
    {"Text1", "Cognome e nome"},
    {"Text3", "Altezza in metri"},
    {"Text2", "Peso reale in chilogrammi"},
    {"Text4", "Età in anni"},
    {"Frame5", "Sesso"},
    {"Frame3", "Attività fisica"},
    {"Frame4", "Costituzione corporea"},
};

const QHash<QString, QString> resultNames = {
    {"Label16", "Peso teorico"},
    {"Label18", "Indice di massa corporea"},
    {"Label20", "Il soggetto è"},
    {"Label83", "Curve di crescita"},
    {"Label24", "Peso reale"},
    {"Label25", "Peso ideale"},
    {"Label31", "Metabolismo basale"},
    {"Label27", "Livello di attività fisica"},
    {"Label34", "Fabbisogno energetico giornaliero"},
    {"Label51", "Data dello sviluppo"},
    {"Label53", "Ora dello sviluppo"},
    {"Label45", "Protidi, chilocalorie"},
    {"Label49", "Protidi, grammi"},
    {"Label60", "Lipidi, chilocalorie"},
    {"Label64", "Lipidi, grammi"},
    {"Label68", "Glucidi, chilocalorie"},
    {"Label72", "Glucidi, grammi"},
    {"Label77", "Fianchi ideali"},
    {"Label79", "Vita ideale"},
    {"Label81", "Cosce ideali"},
};

} // namespace

void nameInputsForScreenReaders(const Controls &controls)
{
    for (auto entry = inputNames.cbegin(); entry != inputNames.cend(); ++entry)
        controls.get(entry.key())->setAccessibleName(entry.value());
}

QString spokenResult(const QString &labelName, const QString &caption)
{
    const QString name = resultNames.value(labelName);
    if (name.isEmpty() || caption.trimmed().isEmpty())
        return name;
    return name + ", " + caption.trimmed();
}
