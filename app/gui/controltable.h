// The controls of the main window in creation order: kind, program-wide name, initial text,
// design position and size, tool tip and, for text fields, the name a screen reader gives.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "flight/parameters.h"

namespace tarvenix {

enum class ControlKind { canvas, label, textField, digitsField, button };

// Where a field's initial text comes from, when it shows a value of the parameter set.
enum class ShownValue {
    none,
    CW,
    RHO,
    diameter,  // R x 1000 x 2, mm
    mass,      // M x 1000, g
    V0,
    G,
    Winkel,
    Distance,
    HoeheZiel,
    AbstandAugeVisier,
};

struct ControlRow {
    ControlKind kind;
    std::string_view name;  // program-wide name; empty for plain labels
    std::string_view text;  // initial text when `shown` is none
    ShownValue shown;
    int x, dy, w;                     // design units; the canvas has its own rectangle
    std::string_view toolTip;         // empty for none
    std::string_view accessibleName;  // text fields: the label of their row
};

inline constexpr std::size_t controlCount = 86;

const std::array<ControlRow, controlCount>& controlTable();

// The initial text of a control: its fixed text, or its parameter-set value formatted.
std::string initialText(const ControlRow& row, const ParameterSet& params);

}  // namespace tarvenix
