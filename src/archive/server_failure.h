#pragma once

// Why a server refused a session, read from libpq's own text (which stays
// English whatever the user's language), so that the windows can say it in
// theirs and what to do about it.

#include <QString>

enum class ServerFailure {
    NoPassword,       // the server wants one that was not given
    WrongPassword,    // the one given was refused
    UnknownRole,      // no such user on the server
    NoDatabase,       // no such database on the server
    AnotherName,      // the certificate is for another name than the one typed
    UnknownAuthority, // the certificate is signed by another CA than the one given
    NoAuthorityFile,  // the CA's file named is not there
    NoTls,            // the server does not take encrypted sessions
    NotAllowed,       // pg_hba.conf has no line for this user from here
    NotAnswering,     // nothing answers at that address, or not in time
    Other,
};

ServerFailure serverFailureOf(const QString &libpqText);
// Whether the server refused for want of the right password: worth asking
// the user for it.
bool wantsPassword(const QString &libpqText);

// libpq's text without its advice to check certificates less: Nutrivo never
// lets a session go unchecked, so the advice cannot be followed.
QString withoutWeakeningAdvice(const QString &libpqText);
