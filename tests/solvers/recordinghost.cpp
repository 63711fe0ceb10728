// The recording test host.
#include "recordinghost.h"

namespace tarvenix::testing {

RecordingHost::RecordingHost() : params(defaultParameterSet()) {}

void RecordingHost::computeTrajectory() {
    if (++integrations > integrationLimit)
        throw JobStopped{};
    if (heightModel) {
        results.heightAtTarget = heightModel(params);
    } else {
        integrateTrajectory(params, trajectory, results);
    }
    HostEvent e;
    e.kind = HostEvent::Kind::integration;
    e.winkel = params.Winkel;
    e.distance = params.Distance;
    e.v0 = params.V0;
    e.cw = params.CW;
    e.height = results.heightAtTarget;
    events.push_back(std::move(e));
    if (afterIntegration)
        afterIntegration(*this, integrations);
}

void RecordingHost::pause(int milliseconds) {
    ++pauses;
    HostEvent e;
    e.kind = HostEvent::Kind::pause;
    e.milliseconds = milliseconds;
    events.push_back(std::move(e));
    if (atPause)
        atPause(*this, pauses);
}

void RecordingHost::showText(JobField field, std::string text) {
    HostEvent e;
    e.kind = HostEvent::Kind::text;
    e.field = field;
    e.text = std::move(text);
    events.push_back(std::move(e));
}

std::vector<HostEvent> RecordingHost::integrationEvents() const {
    std::vector<HostEvent> out;
    for (const HostEvent& e : events) {
        if (e.kind == HostEvent::Kind::integration)
            out.push_back(e);
    }
    return out;
}

std::vector<int> RecordingHost::pauseLengths() const {
    std::vector<int> out;
    for (const HostEvent& e : events) {
        if (e.kind == HostEvent::Kind::pause)
            out.push_back(e.milliseconds);
    }
    return out;
}

std::vector<std::string> RecordingHost::textsOf(JobField field) const {
    std::vector<std::string> out;
    for (const HostEvent& e : events) {
        if (e.kind == HostEvent::Kind::text && e.field == field)
            out.push_back(e.text);
    }
    return out;
}

std::vector<std::string> RecordingHost::allTexts() const {
    std::vector<std::string> out;
    for (const HostEvent& e : events) {
        if (e.kind == HostEvent::Kind::text)
            out.push_back(std::string(fieldName(e.field)) + "=" + e.text);
    }
    return out;
}

const char* fieldName(JobField field) {
    switch (field) {
        case JobField::winkelField:
            return "winkelField";
        case JobField::v0Field:
            return "v0Field";
        case JobField::cwField:
            return "cwField";
        case JobField::differenzLabel:
            return "differenzLabel";
        case JobField::angleLabel18:
            return "angleLabel18";
        case JobField::angleLabel25:
            return "angleLabel25";
        case JobField::angleLabel30:
            return "angleLabel30";
        case JobField::angleLabel40:
            return "angleLabel40";
        case JobField::angleLabel50:
            return "angleLabel50";
        case JobField::angleLabel60:
            return "angleLabel60";
        case JobField::angleLabel70:
            return "angleLabel70";
        case JobField::angleLabel90:
            return "angleLabel90";
        case JobField::sightLabel18:
            return "sightLabel18";
        case JobField::sightLabel25:
            return "sightLabel25";
        case JobField::sightLabel30:
            return "sightLabel30";
        case JobField::sightLabel40:
            return "sightLabel40";
        case JobField::sightLabel50:
            return "sightLabel50";
        case JobField::sightLabel60:
            return "sightLabel60";
        case JobField::sightLabel70:
            return "sightLabel70";
        case JobField::sightLabel90:
            return "sightLabel90";
    }
    return "?";
}

}  // namespace tarvenix::testing
