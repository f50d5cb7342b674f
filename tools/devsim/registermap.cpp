#include "registermap.h"

#include <cmath>

namespace {

const double UPTIME_WRAP_S = 65536.0;

} // namespace

RegisterMap::RegisterMap()
    : m_mapping(modbus_mapping_new(ADDRESS_COUNT, ADDRESS_COUNT, ADDRESS_COUNT, ADDRESS_COUNT))
{
    if (m_mapping == nullptr)
        return;
    for (int k = 0; k < ADDRESS_COUNT; ++k) {
        m_mapping->tab_bits[k] = (k % 2 == 1) ? 1 : 0;
        m_mapping->tab_input_bits[k] = (k % 3 == 0) ? 1 : 0;
        m_mapping->tab_registers[k] = static_cast<uint16_t>(k);
        m_mapping->tab_input_registers[k] = static_cast<uint16_t>(INPUT_REGISTER_BASE + k);
    }
    refreshLiveValues(0.0);
}

RegisterMap::~RegisterMap()
{
    if (m_mapping != nullptr)
        modbus_mapping_free(m_mapping);
}

void RegisterMap::refreshLiveValues(double secondsSinceStart)
{
    const double seconds = secondsSinceStart > 0.0 ? secondsSinceStart : 0.0;
    const auto uptime = static_cast<uint16_t>(std::fmod(seconds, UPTIME_WRAP_S));
    const double phase = 2.0 * M_PI * std::fmod(seconds, MEASUREMENT_PERIOD_S) / MEASUREMENT_PERIOD_S;
    const auto measurement = static_cast<uint16_t>(
        std::lround(MEASUREMENT_MID_TENTHS + MEASUREMENT_SWING_TENTHS * std::sin(phase)));

    m_mapping->tab_registers[UPTIME_REGISTER] = uptime;
    m_mapping->tab_input_registers[UPTIME_REGISTER] = uptime;
    m_mapping->tab_registers[MEASUREMENT_REGISTER] = measurement;
    m_mapping->tab_input_registers[MEASUREMENT_REGISTER] = measurement;
}
