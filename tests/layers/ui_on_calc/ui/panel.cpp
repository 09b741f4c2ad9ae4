#include "rcstage/rc_calc.h"
