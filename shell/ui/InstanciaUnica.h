#pragma once
// One desktop program per data folder: the first start holds a QLockFile in
// the folder and listens on a local socket; a second start finds the lock,
// asks the first to come to the front and ends, instead of a second window
// whose close would overwrite numbrix.ini, the histories and the tools' files.
#include <QLockFile>
#include <QLocalServer>
#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>

namespace numbrix {

class TInstanciaUnica : public QObject {
    Q_OBJECT
public:
    explicit TInstanciaUnica(const std::filesystem::path& carpeta, QObject* padre = nullptr);
    ~TInstanciaUnica() override;

    // Takes the lock (a stale one, left by a killed program, is taken over).
    // False when another program holds it: it has then been asked to show
    // its window.
    bool Tomar();
    // What to do when a later start asks for the window.
    void AlLlamar(std::function<void()> mostrar) { mostrar_ = std::move(mostrar); }

private:
    QString NombreServidor() const;

    std::filesystem::path carpeta_;
    std::unique_ptr<QLockFile> bloqueo_;
    QLocalServer servidor_;
    std::function<void()> mostrar_;
};

// Brings a window to the front: unminimized, raised and active.
void TraerAlFrente(class QWidget* ventana);

}  // namespace numbrix
