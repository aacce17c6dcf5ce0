#include "program.h"

#include "ui/archive/archive_choice.h"
#include "ui/common/qt_translations.h"

#include <QLocale>

namespace {

// --archive for this run, else the practice's server chosen last, else the file.
std::unique_ptr<Archive> archiveAt(const QString &location)
{
    QString password;
    if (const auto server = serverAddressFromUri(location, &password))
        return std::make_unique<Archive>(*server, password);
    if (location.isEmpty())
        if (const auto server = rememberedServer())
            return std::make_unique<Archive>(*server);
    return std::make_unique<Archive>(location.isEmpty() ? Archive::defaultPath() : location);
}

} // namespace

Program::Program(const QString &archive) : m_archive(archiveAt(archive))
{
    useQtTranslations(QLocale());
    QObject::connect(&m_splash, &frmSplash::mainWindowWanted, &m_splash, [this] { mainWindow(); });
    QObject::connect(&m_splash, &frmSplash::handedOver, &m_splash,
                     [this] { mainWindow()->show(); });
    m_splash.show();
}

Form1 *Program::mainWindow()
{
    if (m_mainWindow)
        return m_mainWindow.get();
    m_mainWindow = std::make_unique<Form1>();
    Form1 *form = m_mainWindow.get();
    QObject::connect(form, &Form1::keepWanted, form,
                     [this, form](const QString &name, const KeptAssessment &assessment) {
                         m_keeper.keep(form, name, assessment);
                     });
    QObject::connect(form, &Form1::archiveWanted, form, [this] { showArchiveWindow(); });
    QObject::connect(form, &Form1::workingWanted, form, [this] { showWorkingWindow(); });
    // The working follows the development on screen.
    QObject::connect(form, &Form1::developmentChanged, form, [this, form] {
        if (m_workingWindow)
            m_workingWindow->showWorking(form->developedSubject());
    });
    return form;
}

void Program::showArchiveWindow()
{
    if (!m_archiveWindow) {
        m_archiveWindow = std::make_unique<frmArchivio>(m_archive, m_keeper);
        QObject::connect(m_archiveWindow.get(), &frmArchivio::assessmentOpened,
                         m_archiveWindow.get(),
                         [this](const KeptSubject &subject, const KeptAssessment &assessment) {
                             Form1 *form = mainWindow();
                             form->show();
                             form->raise();
                             form->activateWindow();
                             form->developKept(subject, assessment);
                         });
    }
    m_archiveWindow->show();
    m_archiveWindow->raise();
    m_archiveWindow->activateWindow();
}

void Program::showWorkingWindow()
{
    if (!m_workingWindow)
        m_workingWindow = std::make_unique<frmCalcolo>();
    m_workingWindow->showWorking(mainWindow()->developedSubject());
    m_workingWindow->show();
    m_workingWindow->raise();
    m_workingWindow->activateWindow();
}
