#include "ui/widgets.h"
