#include "archive/server_failure.h"
#include "archive_fixture.h"
#include "postgres_server.h"

#include <QtTest>

// TLS with the server's certificate checked: a server of the test's own with
// a certificate for "localhost", signed by a CA the test makes.
class TestArchiveTls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void checkedCertificate_data();
    void checkedCertificate();
    void refusalsReadForWhatTheyMean_data();
    void refusalsReadForWhatTheyMean();

private:
    bool openssl(const QStringList &arguments);
    bool makeCertificates();

    QTemporaryDir m_certificates;
    std::unique_ptr<PostgresServer> m_server;
};

bool TestArchiveTls::openssl(const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(m_certificates.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start("openssl", arguments);
    const bool done = process.waitForFinished(30000) && process.exitCode() == 0;
    if (!done)
        qWarning("openssl %s: %s", qPrintable(arguments.join(' ')), process.readAll().constData());
    return done;
}

// A CA, the server's certificate for DNS:localhost signed by it, and another
// CA that signed nothing of this server's.
bool TestArchiveTls::makeCertificates()
{
    const QStringList key = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    QFile extensions(m_certificates.filePath("server.ext"));
    if (!extensions.open(QIODevice::WriteOnly) ||
        extensions.write("subjectAltName=DNS:localhost\n") < 0)
        return false;
    extensions.close();
    if (!(openssl(QStringList{"req", "-x509"} + key +
                  QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-subj", "/CN=Nutrivo test CA",
                              "-days", "2"}) &&
          openssl(QStringList{"req", "-x509"} + key +
                  QStringList{"-keyout", "other.key", "-out", "other.crt", "-subj",
                              "/CN=Another CA", "-days", "2"}) &&
          openssl(QStringList{"req"} + key +
                  QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj",
                              "/CN=localhost"}) &&
          openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key",
                   "-CAcreateserial", "-out", "server.crt", "-days", "2", "-extfile",
                   "server.ext"})))
        return false;
    // The server reads its key only when no one else can.
    QFile::setPermissions(m_certificates.filePath("server.key"),
                          QFile::ReadOwner | QFile::WriteOwner);
    if (isRoot())
        QProcess::execute("chown", {"-R", "postgres", m_certificates.path()});
    return true;
}

void TestArchiveTls::initTestCase()
{
    QLocale::setDefault(italianLocale());
    // No password from libpq's own file.
    qputenv("PGPASSFILE", m_certificates.filePath("pgpass").toLocal8Bit());
    if (PostgresServer::programs().isEmpty())
        QSKIP(qPrintable(PostgresServer().whyNot()));
    if (QStandardPaths::findExecutable("openssl").isEmpty())
        QSKIP("openssl is missing: apt-get install openssl");
    QVERIFY(makeCertificates());
    m_server = std::make_unique<PostgresServer>(
        QStringList{"ssl=on", "ssl_cert_file=" + m_certificates.filePath("server.crt"),
                    "ssl_key_file=" + m_certificates.filePath("server.key")});
    QVERIFY2(m_server->isRunning(), "the server with TLS did not start");
    QVERIFY(m_server->addPasswordRole("dietista_rossi", "giusta"));
    QVERIFY(m_server->exec("postgres", "CREATE ROLE escluso LOGIN"));
    QVERIFY(m_server->addRule("host all escluso 127.0.0.1/32 reject"));
}

void TestArchiveTls::checkedCertificate_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("authority");
    QTest::addColumn<bool>("connects");
    QTest::newRow("the certificate's name") << "localhost"
                                            << "ca.crt" << true;
    QTest::newRow("another name for the host") << "127.0.0.1"
                                               << "ca.crt" << false;
    QTest::newRow("another CA") << "localhost"
                                << "other.crt" << false;
}

// A CA given means verify-full, even on this machine.
void TestArchiveTls::checkedCertificate()
{
    QFETCH(QString, host);
    QFETCH(QString, authority);
    QFETCH(bool, connects);
    const ServerAddress address{host, m_server->port(), m_server->preparedDatabase(),
                                PostgresServer::superuser(), m_certificates.filePath(authority)};
    QVERIFY(connectOptions(address).contains("sslmode=verify-full"));
    Archive archive(address);
    QCOMPARE(archive.open(), connects ? ArchiveState::Ready : ArchiveState::Unreachable);
    if (connects) {
        QCOMPARE(archive.keep(0, "Rossi Mario", developedAssessment()).outcome, WriteOutcome::Done);
        QCOMPARE(archive.subjects().size(), 1);
    } else {
        QVERIFY2(!archive.connectionError().isEmpty(), "a refusal says why");
        QVERIFY(archive.keep(0, "Rossi Mario", developedAssessment()).outcome !=
                WriteOutcome::Done);
    }
}

void TestArchiveTls::refusalsReadForWhatTheyMean_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("authority");
    QTest::addColumn<ServerFailure>("failure");
    const QString owner = PostgresServer::superuser();
    QTest::newRow("no password") << "localhost"
                                 << "dietista_rossi"
                                 << ""
                                 << ""
                                 << "ca.crt" << ServerFailure::NoPassword;
    QTest::newRow("wrong password") << "localhost"
                                    << "dietista_rossi"
                                    << "sbagliata"
                                    << ""
                                    << "ca.crt" << ServerFailure::WrongPassword;
    QTest::newRow("unknown role") << "localhost"
                                  << "nessuno"
                                  << ""
                                  << ""
                                  << "ca.crt" << ServerFailure::UnknownRole;
    QTest::newRow("no database") << "localhost" << owner << ""
                                 << "assente"
                                 << "ca.crt" << ServerFailure::NoDatabase;
    QTest::newRow("certificate for another name") << "127.0.0.1" << owner << ""
                                                  << ""
                                                  << "ca.crt" << ServerFailure::AnotherName;
    QTest::newRow("another CA") << "localhost" << owner << ""
                                << ""
                                << "other.crt" << ServerFailure::UnknownAuthority;
    QTest::newRow("no CA file") << "localhost" << owner << ""
                                << ""
                                << "mancante.crt" << ServerFailure::NoAuthorityFile;
    QTest::newRow("not allowed from here") << "localhost"
                                           << "escluso"
                                           << ""
                                           << ""
                                           << "ca.crt" << ServerFailure::NotAllowed;
    QTest::newRow("nothing answers") << "127.0.0.1" << owner << ""
                                     << ""
                                     << "" << ServerFailure::NotAnswering;
}

// libpq's own words, as real servers say them, read for what they mean; and
// never its advice to check certificates less.
void TestArchiveTls::refusalsReadForWhatTheyMean()
{
    QFETCH(QString, host);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, database);
    QFETCH(QString, authority);
    QFETCH(ServerFailure, failure);
    const bool answering = failure != ServerFailure::NotAnswering;
    const ServerAddress address{host, answering ? m_server->port() : 1,
                                database.isEmpty() ? m_server->preparedDatabase() : database, user,
                                authority.isEmpty() ? QString()
                                                    : m_certificates.filePath(authority)};
    Archive archive(address, password);
    QCOMPARE(archive.open(), ArchiveState::Unreachable);
    QCOMPARE(serverFailureOf(archive.connectionError()), failure);
    QVERIFY2(!withoutWeakeningAdvice(archive.connectionError()).contains("sslmode"),
             qPrintable(archive.connectionError()));
}

QTEST_GUILESS_MAIN(TestArchiveTls)
#include "tst_archive_tls.moc"
