#pragma once

#include "recording/display_settings.h"

// Display settings by the numbers a settings file stores, whether they name a choice or not.
inline qv::DisplaySettings SettingsOf(int khh, int temperature, int vozduh) {
    return {static_cast<qv::IdleAirUnit>(khh), static_cast<qv::CoolantDependence>(temperature),
            static_cast<qv::IntakeKind>(vozduh)};
}
