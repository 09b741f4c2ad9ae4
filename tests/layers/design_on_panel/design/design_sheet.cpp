#include "rcstage/rc_panel.h"
