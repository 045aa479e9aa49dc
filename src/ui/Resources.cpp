#include "Resources.h"

#include <QtGlobal>

void LoadVarloResources() { Q_INIT_RESOURCE(varlo); }
