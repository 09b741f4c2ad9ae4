#include "network/a.h"
