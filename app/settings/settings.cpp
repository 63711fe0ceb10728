// loadSettings and saveSettings: the parameter set in "Tarvenix.ini".
#include "app/settings/settings.h"

namespace tarvenix {

namespace {

constexpr const char* applicationName = "Tarvenix";
constexpr const char* version = "0.1 beta";
constexpr const char* commentLine1 =
    "CW  Widerstandsbeiwert, RHO Dichte des Mediums = kg/m²   R  Querschnittsfläche in m²  M "
    "Masse = kg";
constexpr const char* commentLine2 = "V0  m/s,  G = Erdbeschleuningung ";

void writeParameters(SettingsDocument& doc, const ParameterSet& params) {
    doc.writeDouble("CW", params.CW);
    doc.writeDouble("RHO", params.RHO);
    doc.writeDouble("R", params.R);
    doc.writeDouble("M", params.M);
    doc.writeFloat("V0", params.V0);
    doc.writeDouble("G", params.G);
    doc.writeDouble("dt", params.dt);
    doc.writeDouble("Winkel", params.Winkel);
    doc.writeInteger("Distance", params.Distance);
    // The target height only ever holds single-precision values.
    doc.writeFloat("Hoehe Ziel", static_cast<float>(params.HoeheZiel));
    doc.writeInteger("Abstand Auge Visier", params.AbstandAugeVisier);
}

}  // namespace

void loadSettings(SettingsDocument& doc, ParameterSet& params) {
    if (!doc.open(settingsFileName)) {
        // A failed create leaves the document closed; the writes below then do nothing
        // and every read gives its default.
        doc.create(settingsFileName);
        doc.selectGroup("Global");
        doc.writeString("ApplicationName", applicationName);
        doc.writeString("Version", version);
        doc.selectGroup("Parameter");
        doc.addComment(commentLine1);
        doc.addComment(commentLine2);
        writeParameters(doc, defaultParameterSet());
    }

    // The group "Global" has no effect on the program; it is read for form's sake.
    doc.selectGroup("Global");
    (void)doc.readString("ApplicationName", applicationName);
    (void)doc.readString("Version", version);

    doc.selectGroup("Parameter");
    params.CW = doc.readDouble("CW", defaults::CW);
    params.RHO = doc.readDouble("RHO", defaults::RHO);
    params.R = doc.readDouble("R", defaults::R);
    params.M = doc.readDouble("M", defaults::M);
    params.V0 = doc.readFloat("V0", defaults::V0);
    params.G = doc.readDouble("G", defaults::G);
    params.dt = doc.readDouble("dt", defaults::dt);
    params.Winkel = doc.readDouble("Winkel", defaults::Winkel);
    params.Distance = doc.readInteger("Distance", defaults::Distance);
    params.HoeheZiel = doc.readFloat("Hoehe Ziel", defaults::HoeheZiel);
    params.AbstandAugeVisier = doc.readInteger("Abstand Auge Visier", defaults::AbstandAugeVisier);
    // Left open: a created file is written only when the document is closed.
}

void saveSettings(SettingsDocument& doc, const ParameterSet& params) {
    if (!doc.open(settingsFileName)) {
        return;
    }
    doc.selectGroup("Global");
    doc.writeString("ApplicationName", applicationName);
    doc.writeString("Version", version);
    doc.selectGroup("Parameter");
    writeParameters(doc, params);
    doc.close();
}

}  // namespace tarvenix
