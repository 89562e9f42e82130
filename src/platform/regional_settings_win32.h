// The user's regional settings, read from the locale.
#pragma once

#include "platform/regional_settings.h"

namespace tovrik {

RegionalSettings readRegionalSettings();

// Reads two values of the locale where readRegionalSettings reads some forty (under Wine six of them are
// registry lookups).
DateTimeSeparators readDateTimeSeparators();

}  // namespace tovrik
