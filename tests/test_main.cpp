// Test entry point. Every test runs under a comma-decimal locale, so a number
// text that depended on the locale would fail here rather than on a user's desk.
#include <clocale>
#include <cstdio>
#include <locale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const char* comma_locales[] = {"es_ES.UTF-8", "es_ES.utf8", "de_DE.UTF-8"};
    bool set = false;
    for (const char* name : comma_locales) {
        if (std::setlocale(LC_ALL, name)) {
            try {
                std::locale::global(std::locale(name));
            } catch (...) {
            }
            set = true;
            break;
        }
    }
    if (!set) std::fprintf(stderr, "aviso: no hay locale con coma decimal; se prueba con \"C\"\n");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
