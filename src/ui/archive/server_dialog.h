#pragma once

// "Archivio dello studio...": where the practice's server is, asked of the
// user; the password is asked only when the server wants one.

#include "archive/server_address.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

class ServerDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ServerDialog(const std::optional<ServerAddress> &before, QWidget *parent = nullptr);
    ServerAddress address() const;

    // The password for that server, or none when the user cancels.
    static std::optional<QString> askPassword(QWidget *parent, const ServerAddress &server);

private:
    QLineEdit *m_host, *m_database, *m_user, *m_certificate;
    QSpinBox *m_port;
    // libpq's further options, carried over from the address shown.
    QList<std::pair<QString, QString>> m_options;
};
