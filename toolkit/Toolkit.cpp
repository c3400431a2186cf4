#include "Toolkit.h"
