// Closed formulas beside the integrator: dry-air density and sight setting.
#pragma once

#include <cstdint>

namespace tarvenix {

// Density of dry air in kg/m^3 from temperature (degC), air pressure at sea level
// (hPa) and altitude (m), with the single-precision steps of the model.
double airDensity(float temperatureC, std::int32_t pressureHpa, std::int32_t altitudeM);

// Sight setting in mm: vertical offset of the sight pin at the eye-to-sight distance.
double sightSetting(std::int32_t eyeToSightMm, float angleDeg);

}  // namespace tarvenix
