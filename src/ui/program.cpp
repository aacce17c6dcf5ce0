#include "program.h"

Program::Program()
{
    const auto mainWindow = [this] {
        if (!m_mainWindow)
            m_mainWindow = std::make_unique<Form1>();
        return m_mainWindow.get();
    };
    QObject::connect(&m_splash, &frmSplash::mainWindowWanted, &m_splash, mainWindow);
    QObject::connect(&m_splash, &frmSplash::handedOver, &m_splash,
                     [mainWindow] { mainWindow()->show(); });
    m_splash.show();
}
