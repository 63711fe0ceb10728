// Field texts to parameter-set values, in the fixed order and with the fixed conversions.
#include "app/gui/readback.h"

#include <cstdint>

#include "flight/formulas.h"
#include "platform/conversions.h"
#include "platform/numbertext.h"

namespace tarvenix {

namespace {

// A comma works as decimal point in most fields.
double decimalField(const std::string& text) {
    return static_cast<double>(parseFloat(replaceAll(text, ",", ".")));
}

}  // namespace

void readParameterFields(const ParameterTexts& t, ParameterSet& p, bool withAbstandAugeVisier) {
    p.CW = decimalField(t.cw);
    p.RHO = decimalField(t.rho);
    p.R = decimalField(t.diameter) / 1000 / 2;
    p.M = decimalField(t.mass) / 1000;
    p.V0 = parseFloat(t.v0);  // no comma replacement here: "1,5" reads as 1
    p.G = decimalField(t.g);
    p.Winkel = decimalField(t.winkel);
    p.Distance = low32Bits(parseInteger(t.distance));
    p.HoeheZiel = decimalField(t.hoeheZiel);
    if (withAbstandAugeVisier)
        p.AbstandAugeVisier = low32Bits(parseInteger(t.abstandAugeVisier));
}

std::string densityText(const std::string& altitude, const std::string& pressure,
                        const std::string& temperature) {
    const std::int32_t altitudeM = low32Bits(parseInteger(altitude));
    const std::int32_t pressureHpa = low32Bits(parseInteger(pressure));
    const float temperatureC = parseFloat(temperature);
    return formatDecimals(toSingle(airDensity(temperatureC, pressureHpa, altitudeM)), 2);
}

}  // namespace tarvenix
