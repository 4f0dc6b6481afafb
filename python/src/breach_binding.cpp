// kestrel.Breach: where a motion first leaves the arm profile, as kestrel-play reports it. The
// exports' refusal and the profile's check both hand it to scripts.
#include "bindings.h"
#include "convert.h"
#include "core/arm/limit_check.h"
#include "core/motion/axes.h"

namespace kpy {

py::object breachObject(const arm::Breach &breach)
{
    return py::cast(breach);
}

void bindBreach(py::module_ &m)
{
    py::class_<arm::Breach> c(m, "Breach",
                              "Where a motion first leaves the arm profile, as kestrel-play "
                              "reports it.");
    c.def_readonly("record", &arm::Breach::record,
                   "The played record (2..n, as the movement file counts them); 0 for the "
                   "start-up.");
    c.def_property_readonly("rule", &arm::Breach::ruleName,
                            "\"min\", \"max\", \"max_step\", \"max_step (seam)\", \"table (tool "
                            "point)\" or \"table (wrist)\".");
    c.def_readonly("channel", &arm::Breach::channel, "The channel of the axis the frame moved.");
    c.def_property_readonly(
        "axis", [](const arm::Breach &b) { return axes::channelName(b.channel); },
        "The name of the channel's axis.");
    c.def_readonly("value", &arm::Breach::value, "The position, the change, or the height in mm.");
    c.def_readonly("limit", &arm::Breach::limit, "The min, max, max_step or table_mm broken.");
    c.def_property_readonly("text", &arm::Breach::text,
                            "\"Record 7: the elbow at 210 is above its max 200.\"");
    c.def("__str__", &arm::Breach::text);
    c.def("__repr__",
          [](const arm::Breach &b) { return QStringLiteral("<kestrel.Breach %1>").arg(b.text()); });
}

} // namespace kpy
