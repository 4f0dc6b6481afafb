// Movement files from anywhere: any bytes must either load as records the arm can be sent, or
// be refused with a line and a reason. What loads must survive a save and a second load.

#include "core/store/movement_file.h"

#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const movement::ReadResult read = movement::read(text);

    const int lines = int(text.count('\n') + text.count('\r')) + 1;
    if (!read.ok()) {
        if (!read.records.empty() || read.line < 1 || read.line > lines)
            std::abort();
        return 0;
    }
    if (read.records.empty() || read.records.size() > std::size_t(movement::maxRecords))
        std::abort();
    for (const Step &s : read.records) {
        if (s.channel < 0 || s.channel > 255 || s.position < 0 || s.position > 255)
            std::abort();
    }

    // Save the buffer as Open leaves it and open the file again: the same records, in order.
    StepBuffer buffer;
    int index = 1;
    for (const Step &s : read.records) {
        if (!buffer.put(index++, s))
            std::abort();
    }
    const int count = int(read.records.size());
    buffer.setStepCount(count);
    const QByteArray saved = movement::write(buffer, 1, buffer.stepCount());
    const movement::ReadResult again = movement::read(saved);
    if (!again.ok() || again.records != read.records)
        std::abort();
    // The saved form is the canonical one: saving it once more changes nothing.
    if (movement::write(buffer, 1, count) != saved)
        std::abort();
    return 0;
}
