#pragma once

// The program from its start: the splash window, and the main window it
// hands over to, created hidden on the splash's first tick.

#include "ui/main/form1.h"
#include "ui/startup/frmsplash.h"

#include <memory>

class Program
{
public:
    Program();
    frmSplash &splash() { return m_splash; }

private:
    frmSplash m_splash;
    std::unique_ptr<Form1> m_mainWindow;
};
