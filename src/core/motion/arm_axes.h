#pragma once
// The five axes and the recording of their moves: where each axis stands, whether recording is
// on, and the step buffer it fills. Every move of an axis comes here, whoever made it (the
// operator, start-up, homing, Enter in a box, playback): it is shown, recorded while recording,
// and sent while frames may be sent. Recording is therefore passive.

#include "core/motion/axes.h"
#include "core/motion/step_buffer.h"

#include <QObject>
#include <QString>
#include <array>

class PortLink;

class ArmAxes : public QObject {
    Q_OBJECT
public:
    explicit ArmAxes(const PortLink &link, QObject *parent = nullptr);

    const std::array<int, axes::count> &positions() const { return m_at; }
    bool isRecording() const { return recording; }
    const StepBuffer &stepBuffer() const { return step_buffer; }
    // For a movement file read whole, which fills the buffer.
    StepBuffer &stepBuffer() { return step_buffer; }

    // Moves an axis: the position is taken (a position no slider can take, outside 0..255, is
    // refused), recorded while recording, and sent while port_status is 0. Placing an axis where
    // it already stands does nothing, unless `repeat` asks for what a value box does when it is
    // written with the text it holds already: record and send again.
    enum class Repeat { No, Yes };
    void moveAxis(int channel, int position, Repeat repeat = Repeat::No);
    // A value box's text changed without the axis moving (the operator typing): while
    // recording, the text is a step when it is a whole number an axis can take; and the frame
    // carries where the axis stands, not the text, so typing alone never moves the servo.
    void typeValue(int channel, const QString &text);
    // Enter in a value box: a whole number an axis can take moves the axis there (and nothing
    // happens when it stands there already, so the box keeps the typed text). Anything else is
    // refused with false; the view then writes the axis's position back into the box, which
    // sends its frame again as any text written there does.
    [[nodiscard]] bool enterValue(int channel, const QString &text);

    // REC: an empty recording begins; the first move lands at index 2.
    void rec();
    // STOP, or a device lost during BACK: the recording ends, and what was recorded stays.
    void endRecording() { recording = false; }

Q_SIGNALS:
    // The slider shows it, and its box writes it, before the step and the frame.
    void axisMoved(int channel, int position);
    // The capacity guard ended the recording: the view says "Buffer Full!!!", and HOME stays
    // disabled until STOP.
    void bufferFull();

private:
    void record(int channel, int position);
    void check_counter();

    const PortLink &m_link;
    std::array<int, axes::count> m_at{};
    bool recording = false;
    StepBuffer step_buffer;
};
