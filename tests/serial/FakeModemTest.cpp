#include "FakeModem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "Waiting.h"
#include "serial/TermiosDevice.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;

// A port on the fake modem that sends lines and collects what comes back.
class Line {
public:
    explicit Line(const FakeModem& modem) : device_({locks_.folder()}) {
        EXPECT_EQ(device_.Open(modem.SlavePath()), 0);
    }
    void Put(const std::string& text) {
        EXPECT_EQ(device_.Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}),
                  static_cast<int>(text.size()));
    }
    std::string Take(std::size_t count, std::chrono::milliseconds timeout = 2000ms) {
        return ReadUntil(device_, count, timeout);
    }

private:
    TempDir locks_;
    serial::TermiosDevice device_;
};

TEST(FakeModemTest, EchoesAndAnswersFromTheScript) {
    FakeModemScript script;
    script.replies = {{"ATZ", "\r\nOK\r\n"}};
    FakeModem modem(script);
    Line line(modem);
    line.Put("atz\r");
    EXPECT_EQ(line.Take(10), "atz\r\r\nOK\r\n");
    line.Put("\nAT+FOO\r");  // a line feed after the last CR is not part of the command
    EXPECT_EQ(line.Take(8 + 9), "\nAT+FOO\r\r\nERROR\r\n");
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"atz", "AT+FOO"}));
    EXPECT_EQ(modem.Received(), "atz\r\nAT+FOO\r");
}

TEST(FakeModemTest, WithoutEchoOnlyTheReplyWithItsGarbageComesBack) {
    FakeModemScript script;
    script.echo = false;
    script.garbage.assign("\x00\xff?", 3);
    FakeModem modem(script);
    modem.SetReply("AT", "\r\nOK\r\n");
    Line line(modem);
    line.Put("AT\r");
    EXPECT_EQ(line.Take(9), std::string("\x00\xff?\r\nOK\r\n", 9));
}

TEST(FakeModemTest, ASilentModemRecordsButNeverAnswers) {
    FakeModemScript script;
    script.silent = true;
    FakeModem modem(script);
    Line line(modem);
    line.Put("AT\rATI\r");
    ASSERT_TRUE(modem.WaitForCommands(2, 2000ms));
    EXPECT_EQ(line.Take(1, 100ms), "");
    EXPECT_FALSE(modem.WaitForCommands(3, 10ms));
}

TEST(FakeModemTest, ASlowModemPacesItsBytesAndAResponderDecides) {
    FakeModemScript script;
    script.echo = false;
    script.byteDelay = 20ms;
    script.responder = [](const std::string& command) { return "<" + command + ">"; };
    FakeModem modem(script);
    Line line(modem);
    const auto start = std::chrono::steady_clock::now();
    line.Put("X\r");
    EXPECT_EQ(line.Take(3), "<X>");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms);
    modem.Send("\r\nRING\r\n");
    EXPECT_EQ(line.Take(8), "\r\nRING\r\n");
}

}  // namespace
}  // namespace vl::test
