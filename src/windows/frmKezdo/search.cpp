// The "Keresés" frame: narrows the apartment list.

#include "frmKezdo.h"

void frmKezdo::bindSearch() {}
