#pragma once

#include <modbus.h>

#include <cstdint>

// The simulator's data: coils, discrete inputs, holding and input registers at
// addresses 0x0000-0x10FF, filled with a documented pattern (see --help).
class RegisterMap {
public:
    static constexpr int ADDRESS_COUNT = 0x1100;
    static constexpr int UPTIME_REGISTER = 0x1000;
    static constexpr int MEASUREMENT_REGISTER = 0x1001;
    static constexpr uint16_t INPUT_REGISTER_BASE = 0x8000;
    static constexpr uint16_t MEASUREMENT_MID_TENTHS = 250;
    static constexpr uint16_t MEASUREMENT_SWING_TENTHS = 50;
    static constexpr int MEASUREMENT_PERIOD_S = 60;

    RegisterMap();
    ~RegisterMap();
    RegisterMap(const RegisterMap &) = delete;
    RegisterMap &operator=(const RegisterMap &) = delete;

    bool valid() const { return m_mapping != nullptr; }
    modbus_mapping_t *mapping() { return m_mapping; }

    // Writes the live values for the given time since start into both register tables.
    void refreshLiveValues(double secondsSinceStart);

private:
    modbus_mapping_t *m_mapping = nullptr;
};
