// The date reader: any text in a date box, or a day count beside one.
#include "ArnesFechas.h"

NUMBRIX_ARNES(fecha) { numbrix::fuzz::PorLasSeisCuentas(entrada, "31/12/2024 06:30", "1:30"); }
