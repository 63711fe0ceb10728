#include "flight/parameters.h"

namespace tarvenix {

ParameterSet defaultParameterSet() {
    ParameterSet p;
    p.CW = defaults::CW;
    p.RHO = defaults::RHO;
    p.R = defaults::R;
    p.M = defaults::M;
    p.V0 = defaults::V0;
    p.G = defaults::G;
    p.dt = defaults::dt;
    p.Winkel = defaults::Winkel;
    p.Distance = defaults::Distance;
    p.HoeheZiel = static_cast<double>(defaults::HoeheZiel);
    p.AbstandAugeVisier = defaults::AbstandAugeVisier;
    return p;
}

}  // namespace tarvenix
