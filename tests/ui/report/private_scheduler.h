#pragma once

// A print scheduler of the test's own, in a temporary folder, with the PDF
// printer as its default queue. The machine's own printing setup is never
// touched: everything lives in the folder, reached through CUPS_SERVER.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/types.h>

class PrivateScheduler
{
public:
    ~PrivateScheduler() { stop(); }

    QString error() const { return m_error; }

    bool start()
    {
        if (!m_folder.isValid())
            return fail("no temporary folder");
        // The filters run as another user and read the spool from here.
        QFile::setPermissions(m_folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                   QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther);
        const QString root = m_folder.path();
        for (const char *sub : {"spool", "cache", "state"})
            QDir(root).mkpath(sub);
        write("cups-files.conf", QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\n"
                                                "CacheDir %1/cache\nStateDir %1/state\n"
                                                "AccessLog %1/access_log\nErrorLog %1/error_log\n"
                                                "PageLog %1/page_log\nSystemGroup root\n")
                                     .arg(root));
        write("cupsd.conf", QStringLiteral("Listen %1/cups.sock\nWebInterface No\n"
                                           "<Location />\n  Order allow,deny\n  Allow all\n"
                                           "</Location>\n<Policy default>\n  <Limit All>\n"
                                           "    Order deny,allow\n  </Limit>\n</Policy>\n")
                                .arg(root));

        qint64 pid = 0;
        if (!QProcess::startDetached(
                "/usr/sbin/cupsd",
                {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"}, root, &pid))
            return fail("cupsd did not start");
        m_pid = pid;
        qputenv("CUPS_SERVER", (root + "/cups.sock").toLocal8Bit());

        if (!QTest::qWaitFor([] { return run("lpstat", {"-r"}).contains("scheduler is running"); },
                             20000))
            return fail("the scheduler did not answer");
        run("lpadmin",
            {"-p", "PDF", "-v", "cups-pdf:/", "-E", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
        run("lpadmin", {"-d", "PDF"});
        if (!run("lpstat", {"-d"}).contains("PDF"))
            return fail("the PDF queue was not created");
        return true;
    }

    static bool queueEmpty() { return run("lpstat", {"-o"}).trimmed().isEmpty(); }

    void stop()
    {
        if (m_pid > 0)
            ::kill(pid_t(m_pid), SIGTERM);
        m_pid = 0;
    }

private:
    static QString run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(30000);
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    }

    void write(const QString &name, const QString &text)
    {
        QFile file(m_folder.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }

    bool fail(const QString &why)
    {
        m_error = why;
        return false;
    }

    QTemporaryDir m_folder;
    qint64 m_pid = 0;
    QString m_error;
};
