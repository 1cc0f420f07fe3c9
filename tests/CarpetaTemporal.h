#pragma once
// A fresh temporary folder per test, removed afterwards, with whole-file
// read and write helpers for the tests that work on real files.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace numbrix {

inline std::string Leer(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
inline void Poner(const std::filesystem::path& p, const std::string& bytes) {
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

class CarpetaTemporal : public ::testing::Test {
protected:
    void SetUp() override {
        char plantilla[] = "/tmp/numbrix_prueba_XXXXXX";
        ASSERT_NE(::mkdtemp(plantilla), nullptr);
        dir_ = plantilla;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::filesystem::path dir_;
};

}  // namespace numbrix
