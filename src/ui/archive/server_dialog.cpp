#include "server_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

ServerDialog::ServerDialog(const std::optional<ServerAddress> &before, QWidget *parent)
    : QDialog(parent), m_host(new QLineEdit), m_database(new QLineEdit), m_user(new QLineEdit),
      m_certificate(new QLineEdit), m_port(new QSpinBox)
{
    setObjectName("dlgStudio");
    setWindowTitle(QStringLiteral("Archivio dello studio"));
    const ServerAddress shown = before.value_or(ServerAddress{{}, 5432, "nutrivo", {}, {}});
    m_options = shown.options;
    m_host->setObjectName("txtServer");
    m_host->setText(shown.host);
    m_host->setPlaceholderText(QStringLiteral("nome, indirizzo o cartella del socket"));
    m_port->setObjectName("txtPorta");
    // 0: the port libpq's service file gives.
    m_port->setRange(0, 65535);
    m_port->setSpecialValueText(QStringLiteral("predefinita"));
    m_port->setValue(std::max(shown.port, 0));
    m_database->setObjectName("txtDatabase");
    m_database->setText(shown.database);
    m_user->setObjectName("txtUtente");
    m_user->setText(shown.user);
    m_certificate->setObjectName("txtCertificato");
    m_certificate->setText(shown.caCertificate);
    auto *browse = new QPushButton(QStringLiteral("Sfoglia..."));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Certificato dell'autorità (CA)"), m_certificate->text(),
            QStringLiteral("Certificati (*.crt *.pem);;Tutti i file (*)"));
        if (!file.isEmpty())
            m_certificate->setText(file);
    });
    auto *certificateRow = new QHBoxLayout;
    certificateRow->addWidget(m_certificate);
    certificateRow->addWidget(browse);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Server:"), m_host);
    form->addRow(QStringLiteral("&Porta:"), m_port);
    form->addRow(QStringLiteral("&Database:"), m_database);
    form->addRow(QStringLiteral("&Utente:"), m_user);
    // A row of two widgets gets no buddy from the form: the label is given one.
    auto *certificateLabel = new QLabel(QStringLiteral("&Certificato CA:"));
    certificateLabel->setBuddy(m_certificate);
    form->addRow(certificateLabel, certificateRow);
    auto *note = new QLabel(QStringLiteral(
        "Per un server su un'altra macchina occorre il certificato dell'autorità che ha firmato "
        "quello del server: la connessione è cifrata e il server verificato. La password si "
        "chiede alla connessione e non viene mai salvata."));
    note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());
}

ServerAddress ServerDialog::address() const
{
    return {m_host->text().trimmed(),        m_port->value(),
            m_database->text().trimmed(),    m_user->text().trimmed(),
            m_certificate->text().trimmed(), m_options};
}

std::optional<QString> ServerDialog::askPassword(QWidget *parent, const ServerAddress &server)
{
    bool given = false;
    const QString password = QInputDialog::getText(
        parent, QStringLiteral("Archivio dello studio"),
        QStringLiteral("Password di %1 per il %2:").arg(server.user, describe(server)),
        QLineEdit::Password, QString(), &given);
    return given ? std::optional<QString>(password) : std::nullopt;
}
