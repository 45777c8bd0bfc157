#pragma once

// Every settings object of the instruments.
#include "instruments/bevel.h"
#include "instruments/persistent.h"
#include "instruments/scale_settings.h"
#include "instruments/signal_settings.h"
#include "instruments/value_settings.h"
