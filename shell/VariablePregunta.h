#pragma once
// A one-letter variable whose value the user types when an expression needs
// it. The calculus functions drive "x" and "n" through the same slot.
#include <string>

namespace numbrix {

struct VariablePregunta {
    char letra = 0;
    long double valor = 0;
    bool preguntada = false;       // already asked in this evaluation
    std::string recordado = "1";   // the text offered next time
};

// Saves a variable's value and mark, and puts them back on every path out.
class GuardaVariable {
public:
    explicit GuardaVariable(VariablePregunta& v) : v_(v), valor_(v.valor), preguntada_(v.preguntada) {
        v_.preguntada = true;  // the user is not asked while a function drives it
    }
    ~GuardaVariable() {
        v_.valor = valor_;
        v_.preguntada = preguntada_;
    }
    GuardaVariable(const GuardaVariable&) = delete;
    GuardaVariable& operator=(const GuardaVariable&) = delete;

private:
    VariablePregunta& v_;
    long double valor_;
    bool preguntada_;
};

}  // namespace numbrix
