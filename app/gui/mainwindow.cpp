// Opening the main window and creating its controls from the control table.
#include "app/gui/mainwindow.h"

#include <string>

#include "app/gui/controltable.h"
#include "app/gui/layout.h"

namespace tarvenix {

namespace {

QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

template <typename T>
T* find(const std::vector<QWidget*>& controls, const char* name) {
    for (QWidget* w : controls) {
        if (w->objectName() == QLatin1String(name))
            return dynamic_cast<T*>(w);
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<MainWindow> MainWindow::open(const ParameterSet& params,
                                             const PlotGeometry& geometry, ScreenSize usable,
                                             const FontDescription& controlFont) {
    const QSize client = clientSize(usable);
    std::unique_ptr<AppWindow> window = AppWindow::open(0, 0, client.width(), client.height(),
                                                        QStringLiteral("Tarvenix"), controlFont);
    if (!window)
        return nullptr;
    std::unique_ptr<MainWindow> main(new MainWindow());
    main->window_ = std::move(window);
    main->createControls(params, geometry);
    main->takeHandles();
    return main;
}

void MainWindow::createControls(const ParameterSet& params, const PlotGeometry& geometry) {
    QWidget* parent = window_.get();
    controls_.reserve(controlCount);
    for (const ControlRow& row : controlTable()) {
        const QString text = QString::fromStdString(initialText(row, params));
        const QRect rect = controlRect(geometry, row.x, row.dy, row.w);
        QWidget* control = nullptr;
        switch (row.kind) {
            case ControlKind::canvas:
                control = createCanvas(parent, canvasRect(geometry));
                break;
            case ControlKind::label:
                control = createLabel(parent, rect, text);
                break;
            case ControlKind::textField:
            case ControlKind::digitsField:
                control = createTextField(parent, rect, text, row.kind == ControlKind::digitsField);
                control->setAccessibleName(qstr(row.accessibleName));
                break;
            case ControlKind::button:
                control = createButton(parent, rect, text);
                break;
        }
        control->setObjectName(qstr(row.name));
        if (!row.toolTip.empty())
            setToolTip(control, qstr(row.toolTip));
        controls_.push_back(control);
    }
}

void MainWindow::takeHandles() {
    const auto& c = controls_;
    plotCanvas = find<PictureCanvas>(c, "plotCanvas");
    cwField = find<TextField>(c, "cwField");
    rhoField = find<TextField>(c, "rhoField");
    diameterField = find<TextField>(c, "diameterField");
    massField = find<TextField>(c, "massField");
    v0Field = find<TextField>(c, "v0Field");
    gField = find<TextField>(c, "gField");
    winkelField = find<TextField>(c, "winkelField");
    distanceField = find<TextField>(c, "distanceField");
    hoeheZielField = find<TextField>(c, "hoeheZielField");
    const char* distances[] = {"18", "25", "30", "40", "50", "60", "70", "90"};
    for (std::size_t i = 0; i < 8; ++i) {
        angleLabels[i] = find<QLabel>(c, (std::string("angleLabel") + distances[i]).c_str());
        sightLabels[i] = find<QLabel>(c, (std::string("sightLabel") + distances[i]).c_str());
    }
    abstandAugeVisierField = find<TextField>(c, "abstandAugeVisierField");
    distanz1Field = find<TextField>(c, "distanz1Field");
    sight1Field = find<TextField>(c, "sight1Field");
    distanz2Field = find<TextField>(c, "distanz2Field");
    sight2Field = find<TextField>(c, "sight2Field");
    differenzLabel = find<QLabel>(c, "differenzLabel");
    pressureField = find<TextField>(c, "pressureField");
    temperatureField = find<TextField>(c, "temperatureField");
    altitudeField = find<TextField>(c, "altitudeField");
    densityLabel = find<QLabel>(c, "densityLabel");
    dichteButton = find<QPushButton>(c, "dichteButton");
    visierButton = find<QPushButton>(c, "visierButton");
    v0Button = find<QPushButton>(c, "v0Button");
    cwButton = find<QPushButton>(c, "cwButton");
    speichernButton = find<QPushButton>(c, "speichernButton");
    berechnenButton = find<QPushButton>(c, "berechnenButton");
    winkelButton = find<QPushButton>(c, "winkelButton");
    abbrechenButton = find<QPushButton>(c, "abbrechenButton");
}

QWidget* MainWindow::jobControl(JobField field) const {
    switch (field) {
        case JobField::winkelField:
            return winkelField;
        case JobField::v0Field:
            return v0Field;
        case JobField::cwField:
            return cwField;
        case JobField::differenzLabel:
            return differenzLabel;
        case JobField::angleLabel18:
        case JobField::angleLabel25:
        case JobField::angleLabel30:
        case JobField::angleLabel40:
        case JobField::angleLabel50:
        case JobField::angleLabel60:
        case JobField::angleLabel70:
        case JobField::angleLabel90:
            return angleLabels[static_cast<std::size_t>(field) -
                               static_cast<std::size_t>(JobField::angleLabel18)];
        case JobField::sightLabel18:
        case JobField::sightLabel25:
        case JobField::sightLabel30:
        case JobField::sightLabel40:
        case JobField::sightLabel50:
        case JobField::sightLabel60:
        case JobField::sightLabel70:
        case JobField::sightLabel90:
            return sightLabels[static_cast<std::size_t>(field) -
                               static_cast<std::size_t>(JobField::sightLabel18)];
    }
    return nullptr;
}

}  // namespace tarvenix
