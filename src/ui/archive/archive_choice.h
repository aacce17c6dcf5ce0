#pragma once

// Which archive the user chose: the personal file, or a practice's server,
// remembered in the user's configuration folder only once a server is
// chosen (a file only its owner reads, holding no password).

#include "archive/server_address.h"

#include <optional>

// The server chosen last; none for the personal file.
std::optional<ServerAddress> rememberedServer();
// Remembers the server, or forgets it (the personal file); false on failure.
bool rememberServer(const std::optional<ServerAddress> &server);
QString archiveChoicePath();

// What was typed last in "Archivio dello studio...", kept for the next time
// even when it failed or the personal file was chosen after it.
std::optional<ServerAddress> lastTypedServer();
bool rememberTypedServer(const ServerAddress &server);
