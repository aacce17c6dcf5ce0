#pragma once

// The program from its start: the splash window, and the main window it
// hands over to, created hidden on the splash's first tick; the archive and
// its window, and the working window, which the main window reaches only
// through here.

#include "archive/archive_session.h"
#include "ui/archive/archive_keeper.h"
#include "ui/archive/frmarchivio.h"
#include "ui/main/form1.h"
#include "ui/startup/frmsplash.h"
#include "ui/working/frmcalcolo.h"

#include <QPointer>
#include <memory>

class Program
{
public:
    // archive: a file or a postgresql:// address; the personal file without it.
    explicit Program(const QString &archive = QString());
    frmSplash &splash() { return m_splash; }
    // Made on first use.
    Form1 *mainWindow();
    frmArchivio *archiveWindow() const { return m_archiveWindow.get(); }
    frmCalcolo *workingWindow() const { return m_workingWindow.get(); }

private:
    void showArchiveWindow();
    void showWorkingWindow();

    frmSplash m_splash;
    ArchiveSession m_archive;
    ArchiveKeeper m_keeper{m_archive};
    std::unique_ptr<Form1> m_mainWindow;
    std::unique_ptr<frmArchivio> m_archiveWindow;
    std::unique_ptr<frmCalcolo> m_workingWindow;
};
