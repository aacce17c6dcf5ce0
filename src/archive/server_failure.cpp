#include "server_failure.h"

#include <QStringList>
#include <initializer_list>
#include <utility>

ServerFailure serverFailureOf(const QString &libpqText)
{
    // The first that matches: libpq puts the connection's own failure last,
    // after "connection to server ... failed:".
    static const std::initializer_list<std::pair<const char *, ServerFailure>> marks = {
        {"no password supplied", ServerFailure::NoPassword},
        {"password authentication failed", ServerFailure::WrongPassword},
        {"authentication failed for user", ServerFailure::WrongPassword},
        {"does not match host name", ServerFailure::AnotherName},
        {"certificate verify failed", ServerFailure::UnknownAuthority},
        {"root certificate file", ServerFailure::NoAuthorityFile},
        {"could not read root certificate", ServerFailure::NoAuthorityFile},
        {"does not support SSL", ServerFailure::NoTls},
        {"no pg_hba.conf entry", ServerFailure::NotAllowed},
        {"pg_hba.conf rejects", ServerFailure::NotAllowed},
        {"database \"", ServerFailure::NoDatabase},
        {"role \"", ServerFailure::UnknownRole},
        {"Connection refused", ServerFailure::NotAnswering},
        {"timeout expired", ServerFailure::NotAnswering},
        {"could not translate host name", ServerFailure::NotAnswering},
        {"No route to host", ServerFailure::NotAnswering},
        {"Network is unreachable", ServerFailure::NotAnswering},
        {"No such file or directory",
         ServerFailure::NotAnswering},                    // a socket folder without server
        {"non ha risposto", ServerFailure::NotAnswering}, // the watchdog's own
        {"server closed the connection", ServerFailure::NotAnswering},
    };
    for (const auto &[mark, failure] : marks) {
        const QString text = QString::fromLatin1(mark);
        // "database ... does not exist" and "role ... does not exist" only.
        if (text.endsWith('"')) {
            if (libpqText.contains(text) && libpqText.contains(QLatin1String("does not exist")))
                return failure;
            continue;
        }
        if (libpqText.contains(text, Qt::CaseInsensitive))
            return failure;
    }
    return ServerFailure::Other;
}

bool wantsPassword(const QString &libpqText)
{
    const ServerFailure failure = serverFailureOf(libpqText);
    return failure == ServerFailure::NoPassword || failure == ServerFailure::WrongPassword;
}

QString withoutWeakeningAdvice(const QString &libpqText)
{
    QStringList lines = libpqText.trimmed().split(QLatin1Char('\n'));
    lines.removeIf([](const QString &line) { return line.contains(QLatin1String("sslmode")); });
    return lines.join(QLatin1Char('\n'));
}
