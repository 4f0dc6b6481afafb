#pragma once
// Enough of the Arduino core to run a sketch on the host: Serial keeps the bytes it is given,
// delay() only notes the wait, and flash is ordinary memory. main.cpp plays the board.

#include <cstddef>
#include <cstdint>

#define PROGMEM
#define pgm_read_byte(address) (*(const uint8_t *)(address))
#define SERIAL_8N1 0x06

void delay(unsigned long ms);

class SerialStandIn {
public:
    void begin(unsigned long baud, uint8_t config);
    size_t write(uint8_t byte);
    size_t write(const uint8_t *bytes, size_t count);
};
extern SerialStandIn Serial;

void setup();
void loop();
