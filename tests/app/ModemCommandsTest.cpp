// The modem command operations on a scripted modem: the texts a failed open
// gives, the reset string as a second try, the "AT" prefix rule and the
// fallback of the reset.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ComPortFixture.h"
#include "LockFiles.h"
#include "MemoryDevice.h"
#include "app/ModemCommands.h"
#include "base/ErrorCodes.h"
#include "base/MessageTable.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;

class ModemCommandsTest : public ::testing::Test, public ComPortFixture {
protected:
    // Opens with a device that refuses with `deviceCode`; answers the message.
    std::string FailedOpen(int deviceCode)
    {
        port->SetDispatcherFactory([deviceCode](base::MessageLoop& l) {
            auto device = std::make_unique<MemoryDevice>();
            device->FailOpenWith(deviceCode);
            return std::make_unique<serial::VlBaseDispatcher>(std::move(device), l);
        });
        std::string message = "left over";
        EXPECT_FALSE(app::OpenPort(*port, message));
        return message;
    }
    // Every text names the port with its device.
    std::string Com7() const { return "COM7 (" + modem.SlavePath() + ")"; }
    std::string InUse() const
    {
        return "The communications port is in use ( " + Com7() +
               " )\r\n\r\nPlease make sure that all communication programs "
               "(internet, AOL, etc) are closed, and then try again.";
    }
};

TEST_F(ModemCommandsTest, OpenSucceedsWithAnEmptyMessage)
{
    std::string message = "left over";
    ASSERT_TRUE(app::OpenPort(*port, message));
    EXPECT_EQ(message, "");
    EXPECT_EQ(app::LastPortError(), -1);
    EXPECT_TRUE(port->Open());
}

TEST_F(ModemCommandsTest, APortInUseOrAlreadyOpenAsksToCloseOtherPrograms)
{
    WriteFile(LockFile(), LockText(getppid()));
    std::string message;
    EXPECT_FALSE(app::OpenPort(*port, message));
    EXPECT_EQ(message, InUse());
    EXPECT_EQ(app::LastPortError(), base::ecPortInUse);

    EXPECT_EQ(FailedOpen(base::ecAccessDenied), InUse());
    EXPECT_EQ(app::LastPortError(), base::ecPortAlreadyOpen);
}

TEST_F(ModemCommandsTest, AMissingPortIsNamedWithoutAReason)
{
    EXPECT_EQ(FailedOpen(base::ecFileNotFound), "Unable to open the specified communications port ( " + Com7() + " )");
    EXPECT_EQ(app::LastPortError(), base::ecNoSuchPort);
    EXPECT_EQ(FailedOpen(base::ecPathNotFound), "Unable to open the specified communications port ( " + Com7() + " )");
}

TEST_F(ModemCommandsTest, OtherCodesAddTheirText)
{
    EXPECT_EQ(FailedOpen(base::ecPermissionDenied),
              "Unable to open the specified communications port ( " + Com7() + " )\r\nError message: " +
                  base::ErrorText(base::ecPermissionDenied));
    EXPECT_EQ(app::LastPortError(), base::ecPermissionDenied);

    port->SetComNumber(0);
    std::string message;
    EXPECT_FALSE(app::OpenPort(*port, message));
    EXPECT_EQ(message, "Unable to open the specified communications port ( COM0 (no device) )\r\nError message: "
                       "The ComNumber property of the TVlComPort has not been set");
    EXPECT_EQ(app::LastPortError(), base::ecNoPortSelected);
}

TEST_F(ModemCommandsTest, ACodeWithoutTextIsAnUnknownError)
{
    constexpr int kNoText = -7321;
    if (!base::ErrorText(kNoText).empty())
        GTEST_SKIP() << "the system has a text for " << kNoText;
    EXPECT_EQ(FailedOpen(kNoText),
              "Unable to open the specified communications port ( " + Com7() + " )\r\nError message: Unknown error");
    EXPECT_EQ(app::LastPortError(), kNoText);
}

TEST_F(ModemCommandsTest, AnErrorWithoutACodeKeepsItsOwnText)
{
    const std::string message = FailedOpen(base::ecDiskRead);
    EXPECT_EQ(message, "Unable to open the specified communications port( " + Com7() + " )\r\nError message: " +
                           base::ErrorText(base::ecDiskRead));
    EXPECT_EQ(app::LastPortError(), -1);
}

TEST_F(ModemCommandsTest, CheckModemNeedsOnlyAnOkToAt)
{
    ASSERT_TRUE(app::CheckModem(*port, "ATZ"));
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"AT"});
}

TEST_F(ModemCommandsTest, CheckModemTriesTheTrimmedResetString)
{
    modem.SetReply("AT", "\r\nERROR\r\n");
    modem.SetReply("AT&F1", "\r\nOK\r\n");
    EXPECT_TRUE(app::CheckModem(*port, "  AT&F1 \t"));
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT", "AT&F1"}));
}

TEST_F(ModemCommandsTest, CheckModemWithoutResetStringGivesUpAfterAt)
{
    modem.SetReply("AT", "\r\nERROR\r\n");
    EXPECT_FALSE(app::CheckModem(*port, "   "));
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"AT"});
}

TEST_F(ModemCommandsTest, CheckModemFailsQuietlyWhenThePortWillNotOpen)
{
    port->SetAutoOpen(false);
    EXPECT_FALSE(app::CheckModem(*port, "ATZ"));
}

TEST_F(ModemCommandsTest, CommandsWithoutAtGetThePrefix)
{
    for (const char* command : {"I3", "ati3", "&F", "+FCLASS=?", "DTat1"}) {
        modem.SetReply(command[0] == '&' || command[0] == '+' || command[0] == 'I' ? std::string("AT") + command
                                                                                    : std::string(command),
                       "\r\nOK\r\n");
    }
    EXPECT_TRUE(app::SendModemCommand(*port, "I3"));
    EXPECT_TRUE(app::SendModemCommand(*port, "ati3"));
    EXPECT_TRUE(app::SendModemCommand(*port, "&F"));
    EXPECT_TRUE(app::SendModemCommand(*port, "+FCLASS=?"));
    EXPECT_TRUE(app::SendModemCommand(*port, "DTat1"));  // holds "AT" in another case
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"ATI3", "ati3", "AT&F", "AT+FCLASS=?", "DTat1"}));
    EXPECT_FALSE(app::SendModemCommand(*port, "Q9"));  // ERROR is no OK
}

TEST_F(ModemCommandsTest, ResetIsFactorySettingsAndOk)
{
    modem.SetReply("AT&F", "\r\nOK\r\n");
    EXPECT_TRUE(app::ResetModem(*port));
    modem.SetReply("AT&F", "\r\nERROR\r\n");
    EXPECT_FALSE(app::ResetModem(*port));
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT&F", "AT&F"}));
}

TEST_F(ModemCommandsTest, ResetFallsBackToAtzAfterAnErrorAndStillFails)
{
    modem.SetReply("AT&F", "\r\nOK\r\n");
    modem.SetReply("ATZ", "\r\nOK\r\n");
    int waits = 0;
    port->SetOnWaitChar([&waits](serial::VlComPort&, char) {
        if (waits++ == 0)
            throw std::runtime_error("lost the line");
    });
    EXPECT_FALSE(app::ResetModem(*port));
    ASSERT_TRUE(modem.WaitForCommands(2, 5s));
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"AT&F", "ATZ"}));
}

}  // namespace
}  // namespace vl::test
