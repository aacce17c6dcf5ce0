#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

bool useQtTranslations(const QLocale &locale)
{
    // One per process: the program starts once, a test suite many times.
    static QTranslator *installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    installed = translator.release();
    return QCoreApplication::installTranslator(installed);
}
