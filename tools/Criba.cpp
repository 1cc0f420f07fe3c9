#include "tools/Criba.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

#include <primesieve.hpp>

namespace numbrix {

namespace {

using u64 = std::uint64_t;

// From here up the sieve's set-up takes over ~50 ms (seconds near 2^63).
constexpr u64 kUmbralHijo = 1ull << 50;

[[noreturn]] void FalloSistema(const char* que) { throw std::system_error(errno, std::generic_category(), que); }

bool EscribirTodo(int fd, const void* datos, std::size_t n) {
    const char* p = static_cast<const char*>(datos);
    while (n) {
        const ssize_t k = ::write(fd, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

// A child process that sends its answer through a pipe. Reading waits in
// short steps and polls the token between them; a cancel or an early end
// kills the child, which never holds anything of ours worth finishing.
class THijo {
public:
    template <class F>
    explicit THijo(F&& trabajo) {
        int p[2];
        if (::pipe2(p, O_CLOEXEC) != 0) FalloSistema("pipe");
        pid_ = ::fork();
        if (pid_ < 0) {
            ::close(p[0]);
            ::close(p[1]);
            FalloSistema("fork");
        }
        if (pid_ == 0) {
            ::close(p[0]);
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            int codigo = 0;
            try {
                codigo = trabajo(p[1]) ? 0 : 1;
            } catch (...) {
                codigo = 1;
            }
            ::_exit(codigo);  // no destructors nor atexit of the parent's copy
        }
        ::close(p[1]);
        fd_ = p[0];
    }
    ~THijo() { Terminar(); }
    THijo(const THijo&) = delete;
    THijo& operator=(const THijo&) = delete;

    // Up to n bytes; 0 at the end of the child's answer.
    std::size_t Leer(void* b, std::size_t n, const TokenCancelar& token) {
        for (;;) {
            if (SeCancela(token)) {
                Terminar();
                throw ECancelado();
            }
            pollfd q{fd_, POLLIN, 0};
            const int r = ::poll(&q, 1, 20);
            if (r < 0 && errno != EINTR) FalloSistema("poll");
            if (r <= 0) continue;
            const ssize_t k = ::read(fd_, b, n);
            if (k >= 0) return static_cast<std::size_t>(k);
            if (errno != EINTR) FalloSistema("read");
        }
    }
    void LeerTodo(void* b, std::size_t n, const TokenCancelar& token) {
        char* p = static_cast<char*>(b);
        while (n) {
            const std::size_t k = Leer(p, n, token);
            if (k == 0) throw std::runtime_error("sieve process ended early");
            p += k;
            n -= k;
        }
    }
    void Terminar() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
            }
            pid_ = -1;
        }
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

}  // namespace

u64 ContarPrimosCriba(u64 lo, u64 hi, const TokenCancelar& token) {
    if (lo > hi) return 0;
    if (hi < kUmbralHijo) {
        ComprobarToken(token);
        return primesieve::count_primes(lo, hi);
    }
    std::optional<THijo> h;
    try {
        h.emplace([&](int fd) {
            const u64 r = primesieve::count_primes(lo, hi);
            return EscribirTodo(fd, &r, sizeof r);
        });
    } catch (const std::system_error&) {  // no process to spare: here, slow to cancel
        return primesieve::count_primes(lo, hi);
    }
    u64 r = 0;
    h->LeerTodo(&r, sizeof r, token);
    return r;
}

void HilosCriba(int hilos) { primesieve::set_num_threads(hilos); }

struct TRecorridoPrimos::Impl {
    static constexpr std::size_t kLote = 8192;
    std::optional<primesieve::iterator> it;  // low down: here
    std::optional<THijo> hijo;               // high up: the child's primes
    TokenCancelar token;
    std::vector<u64> lote;
    std::size_t pos = 0, cuantos = 0, bytes = 0;  // bytes: read into `lote`
    bool fin = false;

    Impl(u64 lo, u64 tope, TokenCancelar t) : token(std::move(t)) {
        if (tope >= kUmbralHijo) {
            try {
                Lanzar(lo, tope);
                return;
            } catch (const std::system_error&) {  // no process to spare: here, slow to cancel
            }
        }
        it.emplace(lo, tope);
    }

    void Lanzar(u64 lo, u64 tope) {
        lote.resize(kLote);
        hijo.emplace([lo, tope](int fd) {
            primesieve::iterator i(lo, tope);
            std::vector<u64> b;
            b.reserve(kLote);
            for (;;) {
                const u64 p = i.next_prime();
                b.push_back(p);
                if (p > tope || b.size() == kLote) {
                    if (!EscribirTodo(fd, b.data(), b.size() * sizeof(u64))) return false;
                    if (p > tope) return true;
                    b.clear();
                }
            }
        });
    }

    u64 DelHijo() {
        while (pos == cuantos) {
            if (fin) return ~u64{0};
            // Keep a partial number read last time at the front.
            const std::size_t resto = bytes - cuantos * sizeof(u64);
            char* b = reinterpret_cast<char*>(lote.data());
            std::memmove(b, b + cuantos * sizeof(u64), resto);
            const std::size_t k = hijo->Leer(b + resto, kLote * sizeof(u64) - resto, token);
            if (k == 0) fin = true;
            bytes = resto + k;
            cuantos = bytes / sizeof(u64);
            pos = 0;
        }
        return lote[pos++];
    }
};

TRecorridoPrimos::TRecorridoPrimos(u64 lo, u64 tope, TokenCancelar token)
    : impl_(std::make_unique<Impl>(lo, tope, std::move(token))) {}
TRecorridoPrimos::~TRecorridoPrimos() = default;

u64 TRecorridoPrimos::Siguiente() { return impl_->it ? impl_->it->next_prime() : impl_->DelHijo(); }

}  // namespace numbrix
