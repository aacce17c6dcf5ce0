#pragma once

// The wait cursor while a server is asked something: a slow or unreachable
// one keeps the window still for up to the connection's timeout, and the user
// should see why. Header only: a guard for one block.

#include <QCursor>
#include <QGuiApplication>

class WaitCursor
{
public:
    explicit WaitCursor(bool shown) : m_shown(shown)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_shown;
};
