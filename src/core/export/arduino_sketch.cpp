#include "core/export/played.h"

#include "core/link/frame.h"
#include "core/text/program.h"

#include <QFileInfo>
#include <utility>

namespace exports {

namespace {

// The board's program. The player's start-up frames are kept as they were written; the steps
// are kept as the file holds them and replayed on the board by the replay's rule, which is
// what keeps a 12,010-record motion inside the Uno's 32 KB. Written for the Arduino core's
// C++11 and kept in the order a C++ compiler needs, so that it builds with or without the
// Arduino IDE's preprocessing.
const char sketchTemplate[] =
    R"(// A taught motion for an Arduino Uno (ATmega328P), played without a computer.
//
// Plays: "@FILE@", @RECORDS@ records (@STEPS@ steps, records 2 to @RECORDS@), @PASSES_TEXT@.
// Before the first pass the arm starts up as Kestrel starts it: every axis to the centre (127),
// then the homing walk to the homes base @HOME0@, shoulder @HOME1@, elbow @HOME2@, wrist @HOME3@,
// grip @HOME4@. Two seconds after power-up the board writes, at 9600 baud 8N1, the bytes that
// kestrel-play --loops @LOOPS@ writes to the line for this file and configuration (less
// its one-byte probe for an echo).
// Made by Kestrel @VERSION@ (kestrel-edit --export arduino).
//
// Wiring: the board's TX pin (digital pin 1) to the servo controller's serial input, and the
// board's GND to the controller's GND. Nothing comes back; pin 0 stays free. The Uno's pins
// are 5 V logic levels: a controller with an RS-232 input needs a level converter (a MAX232 or
// the like) between them. Uploading a sketch uses pin 1 too: disconnect it while uploading.

#include <Arduino.h>

// The passes to play; 0 plays them again and again for as long as the board has power.
const uint32_t passes = @PASSES@;

// Start-up's frames (channel, position), each written once, in order.
const uint16_t startUpFrames = @STARTUP_COUNT@;
const uint8_t startUp[] PROGMEM = {
@STARTUP@};

// Where the axes stand when the first pass begins: base, shoulder, elbow, wrist, grip.
const uint8_t passStart[5] = {@PASS_START@};

// The steps (channel, position), two bytes each.
const uint16_t stepCount = @STEP_COUNT@;
const uint8_t steps[] PROGMEM = {
@STEPS_DATA@};

uint8_t pose[5];
uint32_t passesPlayed = 0;

// One command frame: 255, channel, position, 13. Serial.write waits while the transmit buffer
// is full, so the line's own speed paces the motion.
void writeFrame(uint8_t channel, uint8_t position)
{
    const uint8_t frame[4] = {255, channel, position, 13};
    Serial.write(frame, sizeof frame);
}

// A step as the replay writes it: its frame, then the same frame again when it moves its axis
// (in the program, the axis's own write follows). A channel above 4 moves no axis.
void playStep(uint8_t channel, uint8_t position)
{
    writeFrame(channel, position);
    if (channel < 5 && pose[channel] != position) {
        pose[channel] = position;
        writeFrame(channel, position);
    }
}

void setup()
{
    Serial.begin(9600, SERIAL_8N1);
    // The controller and the servos power up with the board; give them time before the first
    // frame.
    delay(2000);
    for (uint16_t i = 0; i < startUpFrames; ++i)
        writeFrame(pgm_read_byte(&startUp[2 * i]), pgm_read_byte(&startUp[2 * i + 1]));
    for (uint8_t channel = 0; channel < 5; ++channel)
        pose[channel] = passStart[channel];
}

// One pass a call. A pass starts where the previous one left the axes.
void loop()
{
    if (passes != 0 && passesPlayed >= passes)
        return;
    for (uint16_t i = 0; i < stepCount; ++i)
        playStep(pgm_read_byte(&steps[2 * i]), pgm_read_byte(&steps[2 * i + 1]));
    if (passes != 0)
        ++passesPlayed;
}
)";

// The pairs as C initialisers, ten a line, each line noted with its records' numbers
// (`firstRecord` for the first pair; 0 leaves the notes out). C++ has no empty arrays, so no
// pairs give one zero, which the count beside the array never reaches.
QByteArray initialisers(const std::vector<std::pair<int, int>> &pairs, int firstRecord)
{
    if (pairs.empty())
        return "    0,\n";
    QByteArray text;
    constexpr int perLine = 10;
    for (std::size_t i = 0; i < pairs.size(); i += perLine) {
        QByteArray line = "   ";
        for (std::size_t j = i; j < std::min(pairs.size(), i + perLine); ++j)
            line += ' ' + QByteArray::number(pairs[j].first) + ',' +
                    QByteArray::number(pairs[j].second) + ',';
        if (firstRecord > 0)
            line = line.leftJustified(84) + " // records " +
                   QByteArray::number(firstRecord + int(i)) + " to " +
                   QByteArray::number(firstRecord + int(std::min(pairs.size(), i + perLine)) - 1);
        text += line + '\n';
    }
    return text;
}

// A file name inside a line comment: control characters would end the comment or hide what
// follows, so they become '?'.
QByteArray commentSafe(const QString &name)
{
    QByteArray text = name.toUtf8();
    for (char &c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

using Pairs = std::vector<std::pair<int, int>>;

// The start-up's frames as (channel, position) pairs; false when its bytes are not whole frames.
bool framePairs(const QByteArray &bytes, Pairs &pairs)
{
    bool junk = false;
    frame::Decoder decoder;
    decoder.feed(
        bytes, [&](const frame::Frame &f) { pairs.emplace_back(f.channel, f.position); },
        [&](unsigned char) { junk = true; });
    return !junk && decoder.frames() * frame::size == bytes.size();
}

// The records a pass plays, from the second on.
Pairs passPairs(const std::vector<Step> &records)
{
    Pairs steps;
    for (std::size_t i = 1; i < records.size(); ++i)
        steps.emplace_back(records[i].channel, records[i].position);
    return steps;
}

QByteArray passesText(int loops)
{
    return loops == 0 ? QByteArray("the passes again and again for as long as the board has power")
           : loops == 1 ? QByteArray("one pass")
                        : QByteArray::number(loops) + " passes";
}

QByteArray poseText(const std::array<int, axes::count> &pose)
{
    QByteArray text;
    for (int p : pose)
        text += (text.isEmpty() ? "" : ", ") + QByteArray::number(p);
    return text;
}

} // namespace

Result arduinoSketch(const std::vector<Step> &records, const config::Settings &settings, int loops,
                     const QString &fileName)
{
    if (loops < 0)
        return {{}, QStringLiteral("The number of passes cannot be below 0.")};
    // One pass is enough to learn start-up's frames and where the first pass starts.
    const Played played = play(records, settings, 1);
    if (!played.error.isEmpty())
        return {{}, played.error};
    Pairs startUp;
    if (!framePairs(played.startUp, startUp))
        return {{}, QStringLiteral("The start-up bytes are not whole frames.")};
    const Pairs steps = passPairs(records);

    QByteArray sketch = sketchTemplate;
    const std::pair<const char *, QByteArray> fields[] = {
        {"@RECORDS@", QByteArray::number(qsizetype(records.size()))},
        {"@STEPS@", QByteArray::number(qsizetype(steps.size()))},
        {"@PASSES_TEXT@", passesText(loops)},
        {"@HOME0@", QByteArray::number(settings.home[0])},
        {"@HOME1@", QByteArray::number(settings.home[1])},
        {"@HOME2@", QByteArray::number(settings.home[2])},
        {"@HOME3@", QByteArray::number(settings.home[3])},
        {"@HOME4@", QByteArray::number(settings.home[4])},
        {"@LOOPS@", QByteArray::number(loops)},
        {"@VERSION@", program::version().toUtf8()},
        {"@PASSES@", QByteArray::number(loops)},
        {"@STARTUP_COUNT@", QByteArray::number(qsizetype(startUp.size()))},
        {"@STARTUP@", initialisers(startUp, 0)},
        {"@PASS_START@", poseText(played.passStart)},
        {"@STEP_COUNT@", QByteArray::number(qsizetype(steps.size()))},
        {"@STEPS_DATA@", initialisers(steps, 2)},
        // Last: a file name may hold anything, a key too.
        {"@FILE@", commentSafe(QFileInfo(fileName).fileName())},
    };
    for (const auto &[key, value] : fields)
        sketch.replace(key, value);
    return {sketch, {}};
}

} // namespace exports
