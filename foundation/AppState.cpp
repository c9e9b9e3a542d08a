#include "foundation/AppState.h"

bool AdminMode = false;
