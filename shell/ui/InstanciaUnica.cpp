#include "shell/ui/InstanciaUnica.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QWidget>

#include "support/BloqueoDatos.h"

namespace numbrix {

TInstanciaUnica::TInstanciaUnica(const std::filesystem::path& carpeta, QObject* padre)
    : QObject(padre), carpeta_(carpeta) {
    connect(&servidor_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = servidor_.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (mostrar_) mostrar_();
        }
    });
}

TInstanciaUnica::~TInstanciaUnica() = default;

// One name per data folder: two folders (--data) are two programs.
QString TInstanciaUnica::NombreServidor() const {
    const QByteArray ruta = QByteArray::fromStdString(std::filesystem::absolute(carpeta_).lexically_normal().string());
    return "numbrix-" + QString::fromLatin1(QCryptographicHash::hash(ruta, QCryptographicHash::Sha1).toHex().left(16));
}

bool TInstanciaUnica::Tomar() {
    bloqueo_ = std::make_unique<QLockFile>(QString::fromStdString((carpeta_ / kArchivoBloqueo).string()));
    // A lock is stale only when its program is gone, never for its age.
    bloqueo_->setStaleLockTime(0);
    if (bloqueo_->tryLock(0)) {
        // A server left by a killed program would refuse the name.
        QLocalServer::removeServer(NombreServidor());
        servidor_.listen(NombreServidor());
        return true;
    }
    // A folder where no lock can be written (read-only) has no other
    // program to defer to: this one runs, as before.
    if (bloqueo_->error() != QLockFile::LockFailedError) {
        bloqueo_.reset();
        return true;
    }
    bloqueo_.reset();
    QLocalSocket llamada;
    llamada.connectToServer(NombreServidor());
    if (llamada.waitForConnected(2000)) {
        llamada.write("mostrar\n");
        llamada.waitForBytesWritten(2000);
        llamada.disconnectFromServer();
    }
    return false;
}

void TraerAlFrente(QWidget* ventana) {
    if (!ventana) return;
    ventana->setWindowState((ventana->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

}  // namespace numbrix
