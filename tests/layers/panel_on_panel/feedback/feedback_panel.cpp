#include "network/network_panel.h"
