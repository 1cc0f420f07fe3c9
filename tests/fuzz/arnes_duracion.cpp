// The duration and decimal readers: any text in a time box.
#include "ArnesFechas.h"

NUMBRIX_ARNES(duracion) { numbrix::fuzz::PorLasSeisCuentas(entrada, "29/02/2024", "2d 12:00:30.5"); }
