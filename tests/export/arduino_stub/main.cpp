// The board for a sketch under test: setup() once, then loop() up to a number of times, as the
// Arduino core's main() calls them for ever. The bytes written go to standard output; on
// standard error, what the sketch asked of the port and each delay, with the bytes written
// before it. The program ends as soon as the sketch has written the most bytes asked for, so a
// sketch that plays for ever is cut off there.
//
// usage: sketch MOST_BYTES LOOP_CALLS

#include "Arduino.h"

#include <cstdio>
#include <cstdlib>
#include <string>

SerialStandIn Serial;

namespace {
std::string written;
unsigned long most = 0;
bool begun = false;

[[noreturn]] void finish()
{
    std::fwrite(written.data(), 1, written.size(), stdout);
    std::exit(0);
}
} // namespace

void delay(unsigned long ms)
{
    std::fprintf(stderr, "delay %lu after %zu bytes\n", ms, written.size());
}

void SerialStandIn::begin(unsigned long baud, uint8_t config)
{
    std::fprintf(stderr, "begin %lu %d\n", baud, int(config));
    begun = true;
}

size_t SerialStandIn::write(uint8_t byte)
{
    if (!begun) {
        std::fprintf(stderr, "write before begin\n");
        std::exit(1);
    }
    written.push_back(char(byte));
    if (written.size() >= most)
        finish();
    return 1;
}

size_t SerialStandIn::write(const uint8_t *bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        write(bytes[i]);
    return count;
}

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    most = std::strtoul(argv[1], nullptr, 10);
    const unsigned long calls = std::strtoul(argv[2], nullptr, 10);
    setup();
    for (unsigned long i = 0; i < calls; ++i)
        loop();
    finish();
}
