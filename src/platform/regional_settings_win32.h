// The user's regional settings, read from the locale.
#pragma once

#include "platform/regional_settings.h"

namespace tovrik {

RegionalSettings readRegionalSettings();

}  // namespace tovrik
