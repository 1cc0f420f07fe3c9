#include "support/EscrituraAtomica.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>

#include "support/basicos.h"

namespace numbrix {

namespace fs = std::filesystem;

PasosEscritura::PasosEscritura()
    : Escribir([](int fd, const void* d, std::size_t n) -> long { return ::write(fd, d, n); }),
      Volcar(::fsync),
      Cerrar(::close),
      Renombrar(::rename) {}

PasosEscritura& PasosDeEscritura() {
    static PasosEscritura pasos;
    return pasos;
}

#ifdef NUMBRIX_FALLOS_ESCRITURA
namespace {
// The failing-saves build: every write finds the disk full, so each window's
// report of a failed save can be seen.
const bool kEscriturasFallidas = [] {
    if (!std::getenv("NUMBRIX_FALLAR_ESCRITURAS")) return false;
    PasosDeEscritura().Escribir = [](int, const void*, std::size_t) -> long {
        errno = ENOSPC;
        return -1;
    };
    return true;
}();
}  // namespace
#endif

namespace {

std::string Citar(const fs::path& ruta) { return "«" + ruta.string() + "»"; }

// Closes a descriptor on every exit path.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result: on NFS and similar, close is where a
    // deferred write error shows up.
    int Cerrar() {
        int r = PasosDeEscritura().Cerrar(fd_);
        fd_ = -1;
        return r;
    }
private:
    int fd_;
};

// A name no other writer in this process or another will pick.
fs::path NombreTemporal(const fs::path& destino, unsigned intento) {
    static std::atomic<unsigned long> contador{0};
    unsigned long n = contador.fetch_add(1);
    auto t = static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::string nombre(".");
    nombre.append(destino.filename().string())
        .append(".tmp")
        .append(std::to_string(::getpid()))
        .append("_")
        .append(std::to_string(n))
        .append("_")
        .append(std::to_string((t ^ (intento * 2654435761u)) % 1000000));
    return destino.parent_path() / nombre;
}

fs::path CarpetaDe(const fs::path& destino) {
    fs::path carpeta = destino.parent_path();
    return carpeta.empty() ? fs::path(".") : carpeta;
}

// Writes everything, retrying short writes and interruptions.
int EscribirTodo(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t quedan = bytes.size();
    while (quedan > 0) {
        const long n = PasosDeEscritura().Escribir(fd, p, quedan);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        p += n;
        quedan -= static_cast<std::size_t>(n);
    }
    return 0;
}

void SincronizarCarpeta(const fs::path& carpeta) {
    int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the rename already happened; durability is best effort here
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

fs::path DestinoReal(const fs::path& ruta) {
    fs::path actual = ruta;
    for (int salto = 0; salto < 40; ++salto) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(actual, ec))) return actual;
        fs::path destino = fs::read_symlink(actual, ec);
        if (ec) return actual;
        actual = destino.is_absolute() ? destino : CarpetaDe(actual) / destino;
    }
    return actual;  // a loop of links: the rename will fail and say so
}

bool IntentarEscribirArchivoAtomico(const fs::path& ruta, std::string_view bytes, std::string* error) noexcept {
    try {
        EscribirArchivoAtomico(ruta, bytes);
        return true;
    } catch (const std::exception& e) {
        if (error) *error = e.what();
    } catch (...) {
        if (error) *error = "Error desconocido al escribir " + Citar(ruta);
    }
    return false;
}

void EscribirArchivoAtomico(const fs::path& ruta, std::string_view bytes) {
    if (ruta.empty()) throw EEscritura(ruta, "No se indicó el nombre del archivo que se debe escribir.");
    const fs::path destino = DestinoReal(ruta);
    auto fallo = [&](const std::string& que, int codigo) -> EEscritura {
        return EEscritura(ruta, "No se pudo escribir el archivo " + Citar(ruta) + ": " + que +
                                    (codigo ? " (" + TextoErrorSistema(codigo) + ")" : std::string()) +
                                    ". El archivo anterior no se ha modificado.");
    };

    // A size limit (ulimit -f) would otherwise kill the process with SIGXFSZ
    // half-way through the temporary file.
    rlimit limite{};
    if (::getrlimit(RLIMIT_FSIZE, &limite) == 0 && limite.rlim_cur != RLIM_INFINITY &&
        bytes.size() > limite.rlim_cur)
        throw fallo("supera el tamaño máximo de archivo permitido", EFBIG);

    struct stat anterior {};
    const bool existia = ::stat(destino.c_str(), &anterior) == 0;
    if (existia && S_ISDIR(anterior.st_mode)) throw fallo("es una carpeta", 0);

    fs::path temporal;
    int fd = -1;
    for (unsigned intento = 0; intento < 100 && fd < 0; ++intento) {
        temporal = NombreTemporal(destino, intento);
        fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) throw fallo("no se pudo crear el archivo temporal", errno);
    }
    if (fd < 0) throw fallo("no se pudo crear el archivo temporal", EEXIST);
    Descriptor archivo(fd);
    auto abandonar = [&](const std::string& que, int codigo) -> EEscritura {
        ::unlink(temporal.c_str());
        return fallo(que, codigo);
    };

    if (existia) {
        // Keep who may read the file: a private settings file stays private.
        if (::fchown(fd, anterior.st_uid, anterior.st_gid) != 0) {
            // Not the owner: the new file is ours, which is the best we can do.
        }
        ::fchmod(fd, anterior.st_mode & 07777);
    }
    if (int e = EscribirTodo(fd, bytes)) throw abandonar("falló la escritura", e);
    if (PasosDeEscritura().Volcar(fd) != 0) throw abandonar("no se pudo volcar al disco", errno);
    if (archivo.Cerrar() != 0) throw abandonar("falló el cierre", errno);
    if (PasosDeEscritura().Renombrar(temporal.c_str(), destino.c_str()) != 0) throw abandonar("no se pudo reemplazar", errno);
    SincronizarCarpeta(CarpetaDe(destino));
}

TEscrituraAtomica::TEscrituraAtomica(fs::path ruta) : ruta_(std::move(ruta)) {}

TEscrituraAtomica::~TEscrituraAtomica() { Abandonar(); }

void TEscrituraAtomica::Fallar(const std::string& que, int codigo) {
    Abandonar();
    throw EEscritura(ruta_, "No se pudo escribir el archivo " + Citar(ruta_) + ": " + que +
                                (codigo ? " (" + TextoErrorSistema(codigo) + ")" : std::string()) +
                                ". El archivo anterior no se ha modificado.");
}

void TEscrituraAtomica::Abrir() {
    if (ruta_.empty()) throw EEscritura(ruta_, "No se indicó el nombre del archivo que se debe escribir.");
    Abandonar();
    // The size limit cannot be checked before: the length is not known.
    // Ignored, its signal becomes EFBIG from write().
    std::signal(SIGXFSZ, SIG_IGN);
    destino_ = DestinoReal(ruta_);
    struct stat anterior {};
    const bool existia = ::stat(destino_.c_str(), &anterior) == 0;
    if (existia && S_ISDIR(anterior.st_mode)) Fallar("es una carpeta", 0);
    for (unsigned intento = 0; intento < 100 && fd_ < 0; ++intento) {
        temporal_ = NombreTemporal(destino_, intento);
        fd_ = ::open(temporal_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            const int e = errno;
            temporal_.clear();
            Fallar("no se pudo crear el archivo temporal", e);
        }
    }
    if (fd_ < 0) {
        temporal_.clear();
        Fallar("no se pudo crear el archivo temporal", EEXIST);
    }
    if (existia) {
        if (::fchown(fd_, anterior.st_uid, anterior.st_gid) != 0) {
            // Not the owner: the new file is ours.
        }
        ::fchmod(fd_, anterior.st_mode & 07777);
    }
    bufer_.reserve(1 << 20);
}

void TEscrituraAtomica::Volcar() {
    if (bufer_.empty()) return;
    if (int e = EscribirTodo(fd_, bufer_)) Fallar("falló la escritura", e);
    // Starts the write-back now, so the final fsync (after a cancel too)
    // has little left to wait for.
    ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    bufer_.clear();
}

void TEscrituraAtomica::Agregar(std::string_view bytes) {
    if (fd_ < 0) Fallar("no está abierto", EBADF);
    bufer_.append(bytes);
    if (bufer_.size() >= (1u << 20)) Volcar();
}

void TEscrituraAtomica::Confirmar() {
    if (fd_ < 0) Fallar("no está abierto", EBADF);
    Volcar();
    if (PasosDeEscritura().Volcar(fd_) != 0) Fallar("no se pudo volcar al disco", errno);
    const int r = PasosDeEscritura().Cerrar(fd_);
    fd_ = -1;
    if (r != 0) Fallar("falló el cierre", errno);
    if (PasosDeEscritura().Renombrar(temporal_.c_str(), destino_.c_str()) != 0) Fallar("no se pudo reemplazar", errno);
    temporal_.clear();
    SincronizarCarpeta(CarpetaDe(destino_));
}

void TEscrituraAtomica::Abandonar() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporal_.empty()) ::unlink(temporal_.c_str());
    temporal_.clear();
    bufer_.clear();
}

fs::path CopiaDeSeguridad(const fs::path& ruta) {
    const fs::path destino = DestinoReal(ruta);
    struct stat info {};
    if (::stat(destino.c_str(), &info) != 0) return {};
    fs::path copia = destino;
    copia += ".bak";
    auto fallo = [&](const std::string& que, int codigo) {
        return EEscritura(ruta, "No se pudo guardar la copia de seguridad " + Citar(copia) + ": " + que +
                                    (codigo ? " (" + TextoErrorSistema(codigo) + ")" : std::string()) +
                                    ". El archivo " + Citar(ruta) + " no se ha reescrito.");
    };
    if (!S_ISREG(info.st_mode)) throw fallo("no es un archivo normal", 0);

    // A hard link keeps the very bytes without reading them; it is then moved
    // over any older copy in one step.
    for (unsigned intento = 0; intento < 100; ++intento) {
        fs::path temporal = NombreTemporal(copia, intento);
        if (::link(destino.c_str(), temporal.c_str()) == 0) {
            if (::rename(temporal.c_str(), copia.c_str()) == 0) {
                SincronizarCarpeta(CarpetaDe(copia));
                return copia;
            }
            ::unlink(temporal.c_str());
            break;
        }
        if (errno != EEXIST) break;
    }

    std::ifstream entrada(destino, std::ios::binary);
    if (!entrada) throw fallo("no se pudo leer el original", errno);
    std::string bytes((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
    if (entrada.bad()) throw fallo("no se pudo leer el original", errno);
    try {
        EscribirArchivoAtomico(copia, bytes);
    } catch (const EEscritura& e) {
        throw EEscritura(ruta, std::string(e.what()) + " El archivo " + Citar(ruta) + " no se ha reescrito.");
    }
    return copia;
}

bool EsTemporalDeEscritura(const std::string& nombre) {
    // The tail NombreTemporal writes: ".tmp" digits "_" digits "_" digits.
    const std::size_t tmp = nombre.rfind(".tmp");
    if (nombre.size() < 2 || nombre[0] != '.' || tmp == std::string::npos || tmp < 2) return false;
    int grupos = 0;
    bool digito = false;
    for (std::size_t i = tmp + 4; i < nombre.size(); ++i) {
        const char c = nombre[i];
        if (c >= '0' && c <= '9') {
            digito = true;
        } else if (c == '_' && digito && grupos < 2) {
            ++grupos;
            digito = false;
        } else {
            return false;
        }
    }
    return grupos == 2 && digito;
}

std::vector<fs::path> BorrarTemporalesAbandonados(const fs::path& carpeta, std::chrono::seconds edad) {
    std::vector<fs::path> borrados;
    const auto limite = fs::file_time_type::clock::now() - edad;
    std::error_code ec;
    fs::recursive_directory_iterator it(carpeta, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2) || !EsTemporalDeEscritura(it->path().filename().string())) continue;
        const auto cuando = it->last_write_time(ec2);
        if (!ec2 && cuando < limite && fs::remove(it->path(), ec2)) borrados.push_back(it->path());
    }
    return borrados;
}

}  // namespace numbrix
