#include "machine.h"
