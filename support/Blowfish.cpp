#include "support/Blowfish.h"

#include <algorithm>
#include <mutex>

#include <gcrypt.h>

namespace numbrix {

bool Blowfish(std::string& datos, std::string_view clave, bool cifrar) {
    if (clave.empty()) return false;
    static std::once_flag iniciada;
    std::call_once(iniciada, [] {
        gcry_check_version(nullptr);
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    });
    // The schedule takes the key cyclically into 72 bytes; libgcrypt refuses
    // longer keys rather than cutting them.
    clave = clave.substr(0, 72);
    gcry_cipher_hd_t h = nullptr;
    if (gcry_cipher_open(&h, GCRY_CIPHER_BLOWFISH, GCRY_CIPHER_MODE_ECB, 0) != 0) return false;
    // A weak key leaves no key set, and a decipher call would then fail.
    const bool bien = gcry_cipher_setkey(h, clave.data(), clave.size()) == 0;
    if (bien) {
        const std::size_t enteros = datos.size() / 8 * 8;
        // libgcrypt reads each half big-endian; the archive's halves are
        // little-endian and swapped, which is the whole block reversed.
        for (std::size_t i = 0; i < enteros; i += 8) std::reverse(datos.begin() + i, datos.begin() + i + 8);
        if (cifrar) gcry_cipher_encrypt(h, datos.data(), enteros, nullptr, 0);
        else gcry_cipher_decrypt(h, datos.data(), enteros, nullptr, 0);
        for (std::size_t i = 0; i < enteros; i += 8) std::reverse(datos.begin() + i, datos.begin() + i + 8);
    }
    gcry_cipher_close(h);
    return bien;
}

}  // namespace numbrix
