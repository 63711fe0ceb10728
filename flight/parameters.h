// The parameter set: every physical and geometric input of the flight model.
#pragma once

#include <cstdint>

namespace tarvenix {

// Field names follow the settings keys (blanks dropped), so the file, the code and
// the window speak of the same values.
struct ParameterSet {
    double CW = 0.0;            // drag coefficient, no unit
    double RHO = 0.0;           // air density, kg/m^3
    double R = 0.0;             // arrow radius, m
    double M = 0.0;             // arrow mass, kg
    float V0 = 0.0f;            // launch speed, m/s (single precision on purpose)
    double G = 0.0;             // gravitational acceleration, m/s^2
    double dt = 0.0;            // integration time step, s
    double Winkel = 0.0;        // launch angle above the horizontal, degrees
    std::int32_t Distance = 0;  // target distance, m
    double HoeheZiel = 0.0;     // target height above the launch point, m (single-precision values)
    std::int32_t AbstandAugeVisier = 0;  // eye to sight pin, mm
};

namespace defaults {
inline constexpr double CW = 3.05;
inline constexpr double RHO = 1.2;
inline constexpr double R = 0.00325;
inline constexpr double M = 0.0185;
inline constexpr float V0 = 65.0f;
inline constexpr double G = 9.80665;
inline constexpr double dt = 0.0001;
inline constexpr double Winkel = 6.5;
inline constexpr std::int32_t Distance = 90;
// The target height only ever holds single-precision values, the default included.
inline constexpr float HoeheZiel = -0.2f;
inline constexpr std::int32_t AbstandAugeVisier = 1000;
}  // namespace defaults

// The parameter set as a first start without a settings file leaves it.
ParameterSet defaultParameterSet();

}  // namespace tarvenix
