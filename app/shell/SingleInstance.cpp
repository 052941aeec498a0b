#include "SingleInstance.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

namespace tav::shell {

std::unique_ptr<QLocalServer> claimSingleInstance(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) return nullptr;
    // Nobody answers: whatever socket file is left was left by an instance that crashed.
    QLocalServer::removeServer(name);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) return nullptr;
    return server;
}

QString tavrinInstanceName() {
    // One name for each account, whatever its environment says.
    return QStringLiteral("Tavrin4-%1").arg(::getuid());
}

}  // namespace tav::shell
