#pragma once

#include <QString>
#include <memory>

class QLocalServer;

namespace tav::shell {

// The program runs once for each user: the first instance listens under `name`, and a later
// one finds it there. Null when another instance holds the name; the server otherwise, which
// holds the claim for as long as it lives.
std::unique_ptr<QLocalServer> claimSingleInstance(const QString& name);

// The name under which the interactive program claims its one instance.
QString tavrinInstanceName();

}  // namespace tav::shell
