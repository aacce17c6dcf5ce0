#include "server_address.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>
#include <libpq-fe.h>

namespace {

// A dropped connection is noticed within half a minute, idle or not.
const QString stayingInTouch =
    QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=10;keepalives_interval=5;"
                   "keepalives_count=3;application_name=Nutrivo")
        .arg(serverWaitSeconds);

// A value as libpq reads it inside a connection string.
QString quoted(QString value)
{
    value.replace('\\', QStringLiteral("\\\\")).replace('\'', QStringLiteral("\\'"));
    return '\'' + value + '\'';
}

std::optional<QString> serviceOf(const ServerAddress &address)
{
    for (const auto &[key, value] : address.options) {
        if (key == QLatin1String("service"))
            return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<ServerAddress> serverAddressFromUri(const QString &uri, QString *password)
{
    char *error = nullptr;
    PQconninfoOption *const parsed = PQconninfoParse(uri.toUtf8().constData(), &error);
    PQfreemem(error);
    if (!parsed)
        return std::nullopt;
    ServerAddress address;
    bool portGiven = false;
    for (const PQconninfoOption *option = parsed; option->keyword; ++option) {
        if (!option->val)
            continue;
        const QString key = QString::fromUtf8(option->keyword);
        const QString value = QString::fromUtf8(option->val);
        if (key == QLatin1String("host"))
            address.host = value;
        else if (key == QLatin1String("port")) {
            address.port = value.toInt();
            portGiven = true;
        } else if (key == QLatin1String("dbname"))
            address.database = value;
        else if (key == QLatin1String("user"))
            address.user = value;
        else if (key == QLatin1String("sslrootcert"))
            address.caCertificate = value;
        else if (key == QLatin1String("password")) {
            if (password)
                *password = value;
        } else if (key != QLatin1String("sslmode")) {
            // TLS is Nutrivo's to decide (see connectOptions()).
            address.options.append({key, value});
        }
    }
    PQconninfoFree(parsed);
    // A service may name the database and the port in its own file.
    const bool service = serviceOf(address).has_value();
    if (service && !portGiven)
        address.port = -1;
    if ((address.database.isEmpty() && !service) || (address.port <= 0 && portGiven))
        return std::nullopt;
    return address;
}

bool isLocal(const ServerAddress &address)
{
    for (const auto &[key, value] : address.options) {
        if (key == QLatin1String("service") || key == QLatin1String("hostaddr"))
            return false;
    }
    if (address.host.isEmpty() || address.host.startsWith('/') ||
        address.host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    // The loopback addresses: 127.0.0.0/8 and ::1.
    static const QRegularExpression loopback(
        QStringLiteral(R"(^(127(\.\d{1,3}){3}|::1|\[::1\])$)"));
    return loopback.match(address.host).hasMatch();
}

QString connectionRefusal(const ServerAddress &address)
{
    // A service's CA is in the service's file, which libpq reads under verify-full.
    if (isLocal(address) || !address.caCertificate.isEmpty() || serviceOf(address))
        return QString();
    return QStringLiteral("Per un server su un'altra macchina occorre il certificato dell'autorità "
                          "(CA) che ha firmato quello del server: senza, i dati viaggerebbero "
                          "senza la certezza di parlare con il server giusto.");
}

QString connectOptions(const ServerAddress &address)
{
    QStringList options{stayingInTouch};
    for (const auto &[key, value] : address.options)
        options << QStringLiteral("%1=%2").arg(key, quoted(value));
    // Health data cross the network only encrypted, to the server named.
    if (!address.caCertificate.isEmpty())
        options << QStringLiteral("sslmode=verify-full")
                << QStringLiteral("sslrootcert=%1").arg(address.caCertificate);
    else if (!isLocal(address))
        options << QStringLiteral("sslmode=verify-full");
    return options.join(';');
}

QString uriOf(const ServerAddress &address)
{
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    QUrlQuery query;
    // A socket folder, libpq's default place or a service's goes in the
    // parameters, as libpq writes it: a host in the URI would be TCP's.
    const bool noHost = address.host.isEmpty() || address.host.startsWith('/');
    if (noHost) {
        if (!address.host.isEmpty())
            query.addQueryItem(QStringLiteral("host"), address.host);
        if (address.port > 0)
            query.addQueryItem(QStringLiteral("port"), QString::number(address.port));
        if (!address.user.isEmpty())
            query.addQueryItem(QStringLiteral("user"), address.user);
    } else {
        url.setUserName(address.user);
        url.setHost(address.host);
        url.setPort(address.port);
    }
    url.setPath('/' + address.database);
    if (!address.caCertificate.isEmpty())
        query.addQueryItem(QStringLiteral("sslrootcert"), address.caCertificate);
    for (const auto &[key, value] : address.options)
        query.addQueryItem(key, value);
    url.setQuery(query);
    // QUrl drops an empty authority, which libpq needs: "postgresql:///nutrivo".
    return noHost ? QStringLiteral("postgresql://") +
                        url.toString(QUrl::RemoveScheme | QUrl::FullyEncoded)
                  : url.toString(QUrl::FullyEncoded);
}

QString describe(const ServerAddress &address)
{
    // The service's file says where; this machine would be a guess.
    if (const auto service = serviceOf(address))
        return address.database.isEmpty()
                   ? QStringLiteral("servizio %1").arg(*service)
                   : QStringLiteral("database %1 del servizio %2").arg(address.database, *service);
    const QString where =
        address.host.isEmpty() || address.host.startsWith('/') ? QStringLiteral("questa macchina")
        : address.port > 0 ? QStringLiteral("%1:%2").arg(address.host).arg(address.port)
                           : address.host;
    return QStringLiteral("database %1 su %2").arg(address.database, where);
}
