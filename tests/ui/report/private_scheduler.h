#pragma once

// A print scheduler of the test's own, in a temporary folder, with the PDF
// printer as its default queue. The machine's own printing setup is never
// touched: everything lives in the folder, reached through CUPS_SERVER.
//
// The PDF printer writes into the job owner's own folder, naming each file
// after its job ("Nutrivo-job_7.pdf"). The scheduler numbers its jobs past any
// file already there, so a test never mistakes, overwrites or removes a file
// it did not print; stop() removes those it printed.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

class PrivateScheduler
{
public:
    ~PrivateScheduler() { stop(); }

    QString error() const { return m_error; }

    // Why nothing can print here, or nothing. The filters run as lp, who must
    // be able to enter the system's folders; a root unpacked into a private
    // folder keeps that folder's 0700, which no real system has.
    static QString whyNothingPrints()
    {
        if (geteuid() != 0)
            return QStringLiteral("the PDF printer's backend runs only for root");
        for (const char *folder : {"/", "/usr", "/usr/lib", "/usr/lib/cups/filter"}) {
            struct stat info;
            if (::stat(folder, &info) != 0 || !(info.st_mode & S_IXOTH))
                return QStringLiteral("%1 is closed to other users, and the print filters run "
                                      "as lp")
                    .arg(folder);
        }
        return QString();
    }

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
        m_firstJob = nextFreeJob();
        m_hadOutputFolder = outputFolder().exists();
        write("cache/job.cache", QStringLiteral("NextJobId %1\n").arg(m_firstJob));
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
        // The PPD file itself: a driver name needs the scheduler's driver
        // lister, which a fresh system without a configured CUPS does not answer.
        run("lpadmin", {"-p", "PDF", "-v", "cups-pdf:/", "-E", "-P",
                        "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"});
        run("lpadmin", {"-d", "PDF"});
        if (!run("lpstat", {"-d"}).contains("PDF"))
            return fail("the PDF queue was not created");
        return true;
    }

    static bool queueEmpty() { return run("lpstat", {"-o"}).trimmed().isEmpty(); }

    // The files this scheduler's jobs have written so far.
    QStringList printed() const
    {
        QStringList files;
        const QDir folder = outputFolder();
        for (const QString &name : folder.entryList({"*.pdf"}, QDir::Files, QDir::Name)) {
            const int job = jobOf(name);
            if (job >= m_firstJob)
                files << folder.filePath(name);
        }
        return files;
    }

    // The PDF queue takes jobs, or refuses them as a queue closed by its administrator.
    static void acceptJobs(bool accept) { run(accept ? "cupsaccept" : "cupsreject", {"PDF"}); }

    void stop()
    {
        if (m_pid <= 0)
            return;
        if (!QTest::qWaitFor([] { return queueEmpty(); }, 60000))
            qWarning("the print queue did not empty");
        QTest::qWait(500); // the backend closes its file after the queue empties
        for (const QString &file : printed())
            QFile::remove(file);
        if (!m_hadOutputFolder)
            QDir().rmdir(outputFolder().path()); // the backend made it; only if empty
        ::kill(pid_t(m_pid), SIGTERM);
        // It writes its state as it stops; the folder goes only after that.
        const pid_t pid = pid_t(m_pid);
        if (!QTest::qWaitFor([pid] { return ::kill(pid, 0) != 0; }, 10000))
            qWarning("the scheduler did not stop");
        m_pid = 0;
    }

private:
    static QDir outputFolder()
    {
        return QDir(QString::fromLocal8Bit(getpwuid(geteuid())->pw_dir) + "/PDF");
    }

    static int jobOf(const QString &fileName)
    {
        static const QRegularExpression job("job_(\\d+)\\.pdf$");
        const auto match = job.match(fileName);
        return match.hasMatch() ? match.captured(1).toInt() : 0;
    }

    static int nextFreeJob()
    {
        int last = 0;
        for (const QString &name : outputFolder().entryList({"*.pdf"}, QDir::Files))
            last = qMax(last, jobOf(name));
        return last + 1;
    }

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
    int m_firstJob = 1;
    bool m_hadOutputFolder = false;
    QString m_error;
};
