// The read-back of the group "Parameter" into the parameter set, and the air density text
// of "Dichte berechnen": plain conversions of field texts, no widgets.
#pragma once

#include <string>

#include "flight/parameters.h"

namespace tarvenix {

// The texts of the parameter fields, as the user left them.
struct ParameterTexts {
    std::string cw;
    std::string rho;
    std::string diameter;
    std::string mass;
    std::string v0;
    std::string g;
    std::string winkel;
    std::string distance;
    std::string hoeheZiel;
    std::string abstandAugeVisier;
};

// Steps 1 to 9 always, step 10 (AbstandAugeVisier) only for "Speichern". No value is
// checked: a text without a number gives 0.
void readParameterFields(const ParameterTexts& texts, ParameterSet& params,
                         bool withAbstandAugeVisier);

// The density of dry air for the three density fields, as it is shown: two decimals.
std::string densityText(const std::string& altitude, const std::string& pressure,
                        const std::string& temperature);

}  // namespace tarvenix
