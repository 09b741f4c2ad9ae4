#include "network/b.h"
