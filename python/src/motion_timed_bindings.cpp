// kestrel.Motion's timed moves and the tool point's: planned by the editor's own planners and
// taken as the editor takes them, so that a retime of a whole timed move made here makes it again
// with its ease, as in the editor.
#include "convert.h"
#include "core/edit/motion_document.h"
#include "core/edit/timed_edits.h"
#include "core/edit/tip_move.h"
#include "errors.h"
#include "motion_parts.h"

namespace kpy {

namespace {

// The path of a timed move, or kestrel.MoveError with the planner's reason.
moves::Path pathOf(const arm::Profile &profile, const moves::Request &request)
{
    moves::Planned planned = moves::plan(profile, request);
    if (!planned.path)
        raise(ErrorKind::Move, planned.error);
    return *planned.path;
}

void timedMove(ScriptMotion &m, const py::object &pose, const std::optional<int> &at,
               const std::optional<double> &seconds, const QString &ease,
               const std::optional<ScriptProfile> &given)
{
    const moves::Ease eased = easeOf(ease);
    const ScriptProfile profile = profileFor(m, given);
    const timing::Pose to = poseOf(pose, profile.profile);
    const int place = placeOf(m, at);
    const std::unique_ptr<MotionDocument> document = m.document(place, place);
    const timing::Pose from = edits::poseBeforeSelection(*document);
    const moves::Path path = pathOf(profile.profile, {from, to, eased, seconds});
    // A move to where the arm already stands takes no time and makes no step: no edit.
    if (path.seconds <= 0)
        return;
    apply(m, QStringLiteral("Timed Move to Pose"),
          edits::timedMoveBeforeSelection(*document, path));
}

struct TipCall {
    double x, y, z, pitch;
    std::optional<int> at;
    bool line;
    double speed;
    std::optional<double> seconds;
    QString ease;
};

void moveTip(ScriptMotion &m, const TipCall &call, const std::optional<ScriptProfile> &given)
{
    tips::Request request;
    request.target = arm::Target{{call.x, call.y, call.z}, call.pitch};
    request.kind = call.line ? tips::Kind::Line : tips::Kind::Joint;
    request.ease = easeOf(call.ease);
    request.seconds = call.seconds;
    request.speed = call.speed;
    const ScriptProfile profile = profileFor(m, given);
    const int place = placeOf(m, call.at);
    const std::unique_ptr<MotionDocument> document = m.document(place, place);
    const tips::Planned planned =
        tips::plan(profile.profile, edits::poseBeforeSelection(*document), request);
    if (!planned.error.isEmpty())
        raise(ErrorKind::Move, planned.error);
    apply(m, QStringLiteral("Move Tip To"), tips::beforeSelection(*document, planned));
}

void retime(ScriptMotion &m, double seconds, int start, const std::optional<int> &stop,
            const std::optional<ScriptProfile> &given)
{
    const ScriptProfile profile = profileFor(m, given);
    const Slice s = sliceOf(m, start, stop);
    const std::unique_ptr<MotionDocument> document = m.document(s.start, s.stop);
    edits::TimedEdit retimed = edits::retimeSelected(*document, profile.profile, seconds);
    if (!retimed.error.isEmpty()) {
        // A timed move made again is refused by its caps; any other stretch by its range or
        // its time.
        const edits::Range r = document->selection();
        const bool timed = edits::spanAt(document->timedSpans(), r.first, r.count) != nullptr;
        raise(timed ? ErrorKind::Move : ErrorKind::Error, retimed.error);
    }
    apply(m, QStringLiteral("Retime Selection"), retimed.edited);
}

void closeLoop(ScriptMotion &m, const std::optional<double> &seconds, const QString &ease,
               const std::optional<ScriptProfile> &given)
{
    const moves::Ease eased = easeOf(ease);
    const ScriptProfile profile = profileFor(m, given);
    const std::unique_ptr<MotionDocument> document = m.document(m.size(), m.size());
    const moves::Request request = edits::loopCloseRequest(*document, eased, seconds);
    // A pass that already ends where it starts has no loop to close.
    if (request.from == request.to)
        return;
    apply(m, QStringLiteral("Close the Loop"),
          edits::closeTheLoop(*document, pathOf(profile.profile, request)));
}

void bindMoves(MotionClass &c)
{
    c.def("timed_move", &timedMove, py::arg("pose"), py::arg("at") = py::none(),
          py::arg("seconds") = py::none(), py::arg("ease") = "smooth",
          py::arg("profile") = py::none(),
          "Inserts a timed move to `pose` before `at`: every axis on the same ease, arriving\n"
          "together. No `seconds`: as fast as the profile's caps allow (MoveError without caps).\n"
          "A move to the pose the arm already stands in changes nothing.");
    c.def(
        "move_tip",
        [](ScriptMotion &m, double x, double y, double z, double pitch,
           const std::optional<int> &at, bool line, double speed,
           const std::optional<double> &seconds, const QString &ease,
           const std::optional<ScriptProfile> &given) {
            moveTip(m, {x, y, z, pitch, at, line, speed, seconds, ease}, given);
        },
        py::arg("x"), py::arg("y"), py::arg("z"), py::arg("pitch"), py::arg("at") = py::none(),
        py::arg("line") = true, py::arg("speed") = 50.0, py::arg("seconds") = py::none(),
        py::arg("ease") = "smooth", py::arg("profile") = py::none(),
        "Inserts a move of the tool point to (x, y, z) at `pitch` before `at`: a straight\n"
        "line at `speed` mm/s, or with line=False a timed move of the joints (MoveError when\n"
        "the target or the line cannot be reached).");
}

void bindLoopAndTime(MotionClass &c)
{
    c.def("retime", &retime, py::arg("seconds"), py::arg("start") = 0, py::arg("stop") = py::none(),
          py::arg("profile") = py::none(),
          "Makes steps[start:stop] take `seconds` without changing their shape; a whole timed\n"
          "move made by timed_move is made again with its ease (MoveError when its caps refuse\n"
          "the time). A range with no step is refused (Error).");
    c.def("close_loop", &closeLoop, py::arg("seconds") = py::none(), py::arg("ease") = "smooth",
          py::arg("profile") = py::none(),
          "Appends a timed move from where the pass ends back to where it starts; a pass that\n"
          "already ends there changes nothing.");
}

} // namespace

void bindTimedEdits(MotionClass &c)
{
    bindMoves(c);
    bindLoopAndTime(c);
}

} // namespace kpy
