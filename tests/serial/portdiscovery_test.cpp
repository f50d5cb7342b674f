#include "serial/portdiscovery.h"
#include "support/ptypair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::vector<PortEntry> withNumber(const std::vector<PortEntry> &ports, int32_t number)
{
    std::vector<PortEntry> found;
    std::copy_if(ports.begin(), ports.end(), std::back_inserter(found),
                 [number](const PortEntry &p) { return p.number == number; });
    return found;
}

class PortDiscoveryTest : public ::testing::Test
{
protected:
    ~PortDiscoveryTest() override { unsetenv("TAVLO_PORTS"); }
};

} // namespace

TEST_F(PortDiscoveryTest, MappedPortsJoinTheSystemListSortedByNumber)
{
    PtyPair pty;
    const QString map = QStringLiteral("COM40=/dev/tavlo-b;COMx=/dev/tavlo-bad;COM7=%1;COM9=").arg(pty.device());
    setenv("TAVLO_PORTS", map.toLocal8Bit().constData(), 1);

    std::vector<PortEntry> ports;
    ASSERT_TRUE(discoverPorts(ports));
    ASSERT_EQ(withNumber(ports, 7).size(), 1u);
    EXPECT_EQ(withNumber(ports, 7)[0].device, pty.device());
    ASSERT_EQ(withNumber(ports, 40).size(), 1u);
    EXPECT_EQ(withNumber(ports, 40)[0].device, QStringLiteral("/dev/tavlo-b"));
    for (const PortEntry &p : ports) {
        EXPECT_EQ(p.name, QStringLiteral("COM%1").arg(p.number));
        EXPECT_NE(p.device, QStringLiteral("/dev/tavlo-bad"));
    }
    EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end(),
                               [](const PortEntry &a, const PortEntry &b) { return a.number < b.number; }));

    EXPECT_EQ(deviceForPort(7), pty.device());
    EXPECT_EQ(deviceForPort(40), QStringLiteral("/dev/tavlo-b"));
    EXPECT_EQ(deviceForPort(99999), QStringLiteral("/dev/ttyS99998")) << "unlisted numbers fall back to ttyS";
}

TEST_F(PortDiscoveryTest, MappedEntryReplacesTheSystemDeviceOfItsNumber)
{
    unsetenv("TAVLO_PORTS");
    std::vector<PortEntry> system;
    ASSERT_TRUE(discoverPorts(system));
    for (const PortEntry &p : system)
        EXPECT_EQ(deviceForPort(p.number), withNumber(system, p.number)[0].device);
    if (system.empty())
        GTEST_SKIP() << "no serial device on this machine; the merge is covered by the logic tests";

    const int32_t number = system.front().number;
    setenv("TAVLO_PORTS", QStringLiteral("COM%1=/dev/tavlo-explicit").arg(number).toLocal8Bit().constData(), 1);
    std::vector<PortEntry> ports;
    ASSERT_TRUE(discoverPorts(ports));
    const std::vector<PortEntry> entries = withNumber(ports, number);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].device, QStringLiteral("/dev/tavlo-explicit"));
    EXPECT_EQ(ports.size(), system.size() - withNumber(system, number).size() + 1);
}
