#pragma once
// A one-letter variable whose value the user types when an expression needs
// it, in the value type of its session's mode. The real calculus functions
// drive "x" and "n" through the same slot.
#include <string>

namespace numbrix {

template <class V>
struct VariableDe {
    char letra = 0;
    V valor{};
    bool preguntada = false;       // already asked in this evaluation
    std::string recordado = "1";   // the text offered next time
};

using VariablePregunta = VariableDe<long double>;

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
