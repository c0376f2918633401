#include "unit/service/ServiceFixture.h"
