// The 86 controls of the main window, with their texts exactly as the user sees them.
#include "app/gui/controltable.h"

#include "platform/conversions.h"
#include "platform/numbertext.h"

namespace tarvenix {

namespace {

using K = ControlKind;
using S = ShownValue;

constexpr std::string_view distanzTip = "Gültige Werte 18, 25, 30, 50, 70, und 90 m";
constexpr std::string_view sightTip = "Visiereinstellung in mm bei der entsprechenden Enfernung";

constexpr ControlRow label(std::string_view text, int x, int dy, int w) {
    return {K::label, {}, text, S::none, x, dy, w, {}, {}};
}

constexpr ControlRow namedLabel(std::string_view name, std::string_view text, int x, int dy,
                                int w) {
    return {K::label, name, text, S::none, x, dy, w, {}, {}};
}

constexpr ControlRow field(std::string_view name, S shown, int x, int dy, int w,
                           std::string_view accessibleName) {
    return {K::textField, name, {}, shown, x, dy, w, {}, accessibleName};
}

constexpr ControlRow digits(std::string_view name, std::string_view text, S shown, int x, int dy,
                            int w, std::string_view toolTip, std::string_view accessibleName) {
    return {K::digitsField, name, text, shown, x, dy, w, toolTip, accessibleName};
}

constexpr ControlRow button(std::string_view name, std::string_view text, int x, int dy, int w,
                            std::string_view toolTip = {}) {
    return {K::button, name, text, S::none, x, dy, w, toolTip, {}};
}

constexpr std::array<ControlRow, controlCount> table{{
    {K::canvas, "plotCanvas", {}, S::none, 0, 0, 0, {}, {}},

    // Group "Parameter"
    label("Parameter", 15, 35, 60),
    label("cW Wert", 15, 70, 100),
    field("cwField", S::CW, 120, 70, 40, "cW Wert"),
    label("Luftdichte", 15, 95, 100),
    field("rhoField", S::RHO, 120, 95, 40, "Luftdichte"),
    label("kg/m³", 170, 95, 35),
    label("Pfeil Ø mm", 15, 120, 100),
    field("diameterField", S::diameter, 120, 120, 40, "Pfeil Ø mm"),
    label("mm", 170, 120, 35),
    label("Pfeil Gewicht", 15, 145, 100),
    field("massField", S::mass, 120, 145, 40, "Pfeil Gewicht"),
    label("g", 170, 145, 35),
    label("Geschwindigkeit", 15, 170, 100),
    field("v0Field", S::V0, 120, 170, 40, "Geschwindigkeit"),
    label("m/s", 170, 170, 35),
    label("Erdbeschleunigung", 15, 195, 100),
    field("gField", S::G, 120, 195, 40, "Erdbeschleunigung"),
    label("m/sec²", 170, 195, 35),
    label("Winkel", 15, 220, 100),
    field("winkelField", S::Winkel, 120, 220, 40, "Winkel"),
    label("°", 170, 220, 35),
    label("Entfernung", 15, 245, 100),
    digits("distanceField", {}, S::Distance, 120, 245, 40, {}, "Entfernung"),
    label("m", 170, 245, 35),
    label("Höhe Ziel", 15, 270, 100),
    field("hoeheZielField", S::HoeheZiel, 120, 270, 40, "Höhe Ziel"),
    label("m", 170, 270, 35),

    // Group "Visier"
    label("Visier", 290, 35, 60),
    label("18 m", 290, 70, 50),
    namedLabel("angleLabel18", "---", 345, 70, 40),
    namedLabel("sightLabel18", "mm", 395, 70, 40),
    label("25 m", 290, 95, 50),
    namedLabel("angleLabel25", "---", 345, 95, 40),
    namedLabel("sightLabel25", "mm", 395, 95, 40),
    label("30 m", 290, 120, 50),
    namedLabel("angleLabel30", "---", 345, 120, 40),
    namedLabel("sightLabel30", "mm", 395, 120, 40),
    label("40 m", 290, 145, 50),
    namedLabel("angleLabel40", "---", 345, 145, 40),
    namedLabel("sightLabel40", "mm", 395, 145, 40),
    label("50 m", 290, 170, 50),
    namedLabel("angleLabel50", "---", 345, 170, 40),
    namedLabel("sightLabel50", "mm", 395, 170, 40),
    label("60 m", 290, 195, 50),
    namedLabel("angleLabel60", "---", 345, 195, 40),
    namedLabel("sightLabel60", "mm", 395, 195, 40),
    label("70 m", 290, 220, 50),
    namedLabel("angleLabel70", "---", 345, 220, 40),
    namedLabel("sightLabel70", "mm", 395, 220, 40),
    label("90 m", 290, 245, 50),
    namedLabel("angleLabel90", "---", 345, 245, 40),
    namedLabel("sightLabel90", "mm", 395, 245, 40),
    label("Abstand Auge Visier", 290, 270, 50),
    digits("abstandAugeVisierField", {}, S::AbstandAugeVisier, 345, 270, 40,
           "Entfernung Auge - Visierkorn in mm", "Abstand Auge Visier"),
    label("mm", 395, 270, 40),

    // Group "V0/CW"
    label("V0/CW", 475, 35, 60),
    label("Distanz 1", 475, 70, 50),
    digits("distanz1Field", "30", S::none, 530, 70, 40, distanzTip, "Distanz 1"),
    digits("sight1Field", {}, S::none, 580, 70, 40, sightTip, "Visiereinstellung 1"),
    label("Distanz 2", 475, 95, 50),
    digits("distanz2Field", "50", S::none, 530, 95, 40, distanzTip, "Distanz 2"),
    digits("sight2Field", {}, S::none, 580, 95, 40, sightTip, "Visiereinstellung 2"),
    label("Differenz", 475, 120, 50),
    namedLabel("differenzLabel", "000", 530, 120, 40),

    // Group "Luftdichte bei trockener Luft"
    label("Luftdichte bei trockener Luft", 665, 35, 200),
    label("Luftdruck", 665, 70, 60),
    digits("pressureField", "1015", S::none, 740, 70, 40, "Luftdruck auf Meereshöhe", "Luftdruck"),
    label("hPa", 790, 70, 40),
    label("Temperatur", 665, 95, 60),
    digits("temperatureField", "20", S::none, 740, 95, 40, "Aktuelle Temperatur", "Temperatur"),
    label("°C", 790, 95, 40),
    label("Höhe", 665, 120, 60),
    digits("altitudeField", "0", S::none, 740, 120, 40, "Aktuelle Höhe", "Höhe"),
    label("m", 790, 120, 40),
    label("Luftdichte", 665, 150, 60),
    namedLabel("densityLabel", "0", 740, 150, 40),
    label("kg/m³", 790, 150, 40),

    // Buttons
    button("dichteButton", "Dichte berechnen", 665, 185, 120),
    button("visierButton", "Visier berechnen", 290, 305, 120),
    button("v0Button", "V0 berechnen", 475, 165, 120,
           "Wenn alle anderen Parameter bekannt sind können sie die Anfangsgeschwindigkeit "
           "berechnen."),
    button("cwButton", "CW berechnen", 475, 190, 120,
           "Wenn alle anderen Parameter bekannt sind können sie den cW Wert berechnen."),
    button("speichernButton", "Speichern", 15, 340, 80),
    button("berechnenButton", "Berechnen", 15, 305, 80),
    button("winkelButton", "Winkel berechnen", 120, 305, 120),
    button("abbrechenButton", "Abbrechen", 890, 305, 120),
}};

}  // namespace

const std::array<ControlRow, controlCount>& controlTable() {
    return table;
}

std::string initialText(const ControlRow& row, const ParameterSet& p) {
    switch (row.shown) {
        case S::none:
            return std::string(row.text);
        case S::CW:
            return formatDecimals(toSingle(p.CW), 2);
        case S::RHO:
            return formatDecimals(toSingle(p.RHO), 2);
        case S::diameter:
            return formatDecimals(toSingle(p.R * 1000 * 2), 2);
        case S::mass:
            return formatDecimals(toSingle(p.M * 1000), 2);
        case S::V0:
            return formatDecimals(p.V0, 2);
        case S::G:
            return formatDecimals(toSingle(p.G), 4);
        case S::Winkel:
            return formatDecimals(toSingle(p.Winkel), 2);
        case S::Distance:
            return formatInteger(p.Distance);
        case S::HoeheZiel:
            return formatDecimals(toSingle(p.HoeheZiel), 2);
        case S::AbstandAugeVisier:
            return formatInteger(p.AbstandAugeVisier);
    }
    return {};
}

}  // namespace tarvenix
