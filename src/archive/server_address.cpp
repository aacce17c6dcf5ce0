#include "server_address.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace {

// A dropped connection is noticed within half a minute, idle or not.
const QString stayingInTouch =
    QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=10;keepalives_interval=5;"
                   "keepalives_count=3;application_name=Nutrivo")
        .arg(serverWaitSeconds);

} // namespace

std::optional<ServerAddress> serverAddressFromUri(const QString &uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres")))
        return std::nullopt;
    ServerAddress address;
    address.host = url.host();
    address.port = url.port(5432);
    address.database = url.path().mid(1);
    address.user = url.userName();
    const QUrlQuery query(url);
    // libpq's form names a socket folder as ?host=/run/postgresql.
    if (query.hasQueryItem(QStringLiteral("host")))
        address.host = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (query.hasQueryItem(QStringLiteral("port")))
        address.port = query.queryItemValue(QStringLiteral("port")).toInt();
    address.caCertificate = query.queryItemValue(QStringLiteral("sslrootcert"), QUrl::FullyDecoded);
    if (address.database.isEmpty() || address.port <= 0)
        return std::nullopt;
    return address;
}

bool isLocal(const ServerAddress &address)
{
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
    if (isLocal(address) || !address.caCertificate.isEmpty())
        return QString();
    return QStringLiteral("Per un server su un'altra macchina occorre il certificato dell'autorità "
                          "(CA) che ha firmato quello del server: senza, i dati viaggerebbero "
                          "senza la certezza di parlare con il server giusto.");
}

QString connectOptions(const ServerAddress &address)
{
    QStringList options{stayingInTouch};
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
    url.setUserName(address.user);
    QUrlQuery query;
    // A socket folder goes as ?host=, as libpq writes it.
    if (address.host.startsWith('/')) {
        url.setHost(QStringLiteral("localhost"));
        query.addQueryItem(QStringLiteral("host"), address.host);
    } else {
        url.setHost(address.host.isEmpty() ? QStringLiteral("localhost") : address.host);
    }
    url.setPort(address.port);
    url.setPath('/' + address.database);
    if (!address.caCertificate.isEmpty())
        query.addQueryItem(QStringLiteral("sslrootcert"), address.caCertificate);
    url.setQuery(query);
    return url.toString();
}

QString describe(const ServerAddress &address)
{
    const QString where = address.host.isEmpty() || address.host.startsWith('/')
                              ? QStringLiteral("questa macchina")
                              : QStringLiteral("%1:%2").arg(address.host).arg(address.port);
    return QStringLiteral("database %1 su %2").arg(address.database, where);
}
