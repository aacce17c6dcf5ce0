#pragma once

// The wait cursor while a change waits for the server's first answer, before
// the small window that offers "Annulla". Header only: a guard for one block.

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
