#include "flight/formulas.h"

#include <cmath>

namespace tarvenix {

double airDensity(float temperatureC, std::int32_t pressureHpa, std::int32_t altitudeM) {
    // The model's constants are single-precision values.
    constexpr float kelvinOffset = 273.15f;
    constexpr float exponentPerMetre = -0.03417099f;  // 1/m
    constexpr float hpaToPa = 100.0f;
    constexpr float gasConstant = 287.05f;  // J/(kg K), dry air

    const double t = static_cast<double>(temperatureC);
    const double h = static_cast<double>(altitudeM);
    // The altitude stands in this denominator as well; the model keeps it that way.
    const double d = t + h + static_cast<double>(kelvinOffset);
    const float x = static_cast<float>(h * (static_cast<double>(exponentPerMetre) / d));
    const float f = static_cast<float>(std::exp(static_cast<double>(x)));
    return static_cast<double>(pressureHpa) * static_cast<double>(f) *
           static_cast<double>(hpaToPa) / static_cast<double>(gasConstant) /
           (t + static_cast<double>(kelvinOffset));
}

double sightSetting(std::int32_t eyeToSightMm, float angleDeg) {
    const float r = static_cast<float>(static_cast<double>(angleDeg) * 0.017453292519943295);
    return static_cast<double>(eyeToSightMm) * std::tan(static_cast<double>(r));
}

}  // namespace tarvenix
