// vellora-cli sends and receives real fax calls through the line: to and from
// the fax machine and efax over Class 1, the pages arriving pixel for pixel.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "LineFixture.h"
#include "support/EnvVar.h"
#include "support/SampleReport.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 400;

class VelloraCall : public LineFixture {
protected:
    void SetUp() override
    {
        home_ = std::make_unique<EnvVar>("VELLORA_HOME", dir_.folder() + "home/");
        page_ = TestPage(kPageRows);
        WriteFaxTiff(page_, File("page.tif"));
    }

    // The page as a fine APF file, made by the program's own converter from
    // an uncompressed TIFF (it reads no G3 TIFF).
    std::string PageApf(bool fine = true, const std::string& name = "PAGE.APF")
    {
        WriteFile(File("page.pbm"), PbmFile(page_));
        const RunResult tiff = vl::test::Run("/bin/sh", {"-c", "pnmtotiff -none \"$0\" > \"$1\"", File("page.pbm"), File("plain.tif")});
        EXPECT_EQ(tiff.status, 0) << tiff.err;
        std::vector<std::string> args{"convert", File("plain.tif"), "-o", File(name)};
        if (fine)
            args.push_back("--fine");
        const RunResult r = RunCli(dir_.folder() + "home/", args);
        EXPECT_EQ(r.status, 0) << r.err;
        return File(name);
    }

    // Page `page` of an APF file as the program decodes it, one row per scan line.
    Bitmap ApfPage(const std::string& apf, int page = 1)
    {
        const RunResult r = RunCli(dir_.folder() + "home/", {"export", apf, "--page", std::to_string(page), "--format",
                                                             "pbm", "--no-aspect", "-o", File("apf.pbm")});
        EXPECT_EQ(r.status, 0) << r.err;
        return ParsePbm(ReadFile(File("apf.pbm")));
    }

    // Its standard error goes to `log`.
    std::unique_ptr<ChildProcess> Cli(const std::vector<std::string>& args, const std::string& log = "cli.log")
    {
        logs_.push_back(log);
        return std::make_unique<ChildProcess>(VL_CLI_PATH, args, File(log), true);
    }

    // Every line the program prints until it ends, and its exit status.
    int CliLines(ChildProcess& cli, std::vector<std::string>& lines)
    {
        const auto deadline = std::chrono::steady_clock::now() + callLimit_;
        while (std::chrono::steady_clock::now() < deadline) {
            const auto line = cli.ReadLine(std::chrono::seconds(1));
            if (line) {
                lines.push_back(*line);
                continue;
            }
            if (const auto status = cli.Wait(std::chrono::milliseconds(1))) {
                while (const auto rest = cli.ReadLine(std::chrono::milliseconds(100)))
                    lines.push_back(*rest);
                return *status;
            }
        }
        ADD_FAILURE() << "vellora-cli still runs after the call limit";
        return -1;
    }

    // Runs vellora-cli with `args` to its end and prints how long the call
    // took, under `name`, with every line the program printed; its exit status.
    int TimedCall(const std::string& name, const std::vector<std::string>& args, std::vector<std::string>& lines)
    {
        const auto start = std::chrono::steady_clock::now();
        auto cli = Cli(args);
        const int status = CliLines(*cli, lines);
        std::cout << name << " call: " << SecondsSince(start) << " s\n" << Joined(lines);
        return status;
    }

    static std::string Joined(const std::vector<std::string>& lines)
    {
        std::string all;
        for (const auto& line : lines)
            all += line + "\n";
        return all;
    }

    static double SecondsSince(std::chrono::steady_clock::time_point start)
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    // vellora-cli sends from end `from` ('a' or 'b') through modems of
    // `kind` to vellora-cli receiving at the other end, both told the class
    // as `option`; `sendArgs` follow the sender's port, number, class and
    // station ID, `receiveArgs` the receiver's. The file the receiver stored;
    // linesim's result line goes to result_.
    std::string VelloraToVellora(char from, const std::string& kind, const std::string& option,
                                 const std::vector<std::string>& sendArgs,
                                 const std::vector<std::string>& receiveArgs = {})
    {
        const std::string sending = from == 'a' ? "ttyA" : "ttyB";
        const std::string receiving = from == 'a' ? "ttyB" : "ttyA";
        EXPECT_NO_FATAL_FAILURE(StartLine({"--a", kind, "--b", kind}));
        std::vector<std::string> receive{"receive", "--port",     File(receiving), "--dir",      File("rx"),
                                         "--class", option,       "--once",        "--station-id", "+1 555 0102"};
        receive.insert(receive.end(), receiveArgs.begin(), receiveArgs.end());
        auto receiver = Cli(receive, "cli-receive.log");
        std::vector<std::string> args{"send",    "--port",       File(sending), "--number",
                                      "102",     "--class",      option,        "--station-id",
                                      "+1 555 0101"};
        args.insert(args.end(), sendArgs.begin(), sendArgs.end());
        auto sender = Cli(args);
        std::vector<std::string> sent;
        std::vector<std::string> received;
        EXPECT_EQ(CliLines(*sender, sent), 0) << Joined(sent);
        EXPECT_EQ(CliLines(*receiver, received), 0) << Joined(received);
        EXPECT_EQ(sent.empty() ? "" : sent.back(), "Sent");
        result_ = CallResult();
        EXPECT_EQ(JsonField(result_, "result"), "completed") << result_;
        const std::string stored = File("rx") + "/FAX0001.APF";
        EXPECT_NE(Joined(received).find("Receive " + stored + " from +1 555 0101 started at "), std::string::npos)
            << Joined(received);
        return stored;
    }

    // What `vellora-cli info --json` says of a file.
    std::string InfoJson(const std::string& apf)
    {
        return RunCli(dir_.folder() + "home/", {"info", apf, "--json"}).out;
    }

    std::unique_ptr<EnvVar> home_;
    Bitmap page_;
    std::string result_;
};

TEST_F(VelloraCall, SendsAFinePageToTheFaxMachine)
{
    const std::string apf = PageApf();
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif"),
                                       "--faxterm-id", "+1 555 0199"}));
    std::vector<std::string> lines;
    const int status = TimedCall("send",
                                 {"send", "--port", File("ttyA"), "--number", "199", "--class", "1", "--bps", "14400",
                                  "--station-id", "+1 555 0101", apf},
                                 lines);
    EXPECT_EQ(status, 0) << Joined(lines);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Sent");
    EXPECT_EQ(lines.front(), "Initializing modem for fax processing");
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "1") << result;
    EXPECT_EQ(JsonField(result, "resolution"), "fine") << result;
    EXPECT_EQ(JsonField(result, "id_a"), "+1 555 0101") << result;
    EXPECT_EQ(InkedRows(ReadFaxTiff(File("rx.tif"))), InkedRows(ApfPage(apf)));
}

// The sample report printed to a fax with vellora-print and sent as it
// lands in the send folder: its letter, ruled table and dithered photograph
// arrive pixel for pixel. At normal resolution: coded line by line, the
// photograph alone takes two minutes at 14400 bit/s, twice that at fine.
TEST_F(VelloraCall, SendsAPrintedReportToTheFaxMachine)
{
    const std::string pdf = MakeReportPdf(dir_.folder());
    ASSERT_FALSE(pdf.empty());
    const RunResult printed = vl::test::Run(VL_PRINT_PATH, {"--normal", pdf});
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::string apf = printed.out.substr(0, printed.out.find('\n'));
    callLimit_ = std::chrono::seconds(240);
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif")}));
    std::vector<std::string> lines;
    const int status = TimedCall("printed report",
                                 {"send", "--port", File("ttyA"), "--number", "199", "--class", "1", "--bps", "14400", apf},
                                 lines);
    EXPECT_EQ(status, 0) << Joined(lines);
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "3") << result;
    EXPECT_EQ(JsonField(result, "resolution"), "normal") << result;
    for (int page = 1; page <= 3; ++page) {
        const Bitmap sent = InkedRows(ApfPage(apf, page));
        EXPECT_GT(sent.height, 100) << "page " << page << " has ink";
        EXPECT_EQ(DifferingPixels(InkedRows(ReadFaxTiff(File("rx.tif"), page - 1)), sent), 0) << "page " << page;
    }
}

TEST_F(VelloraCall, ReceivesOnceFromTheFaxMachine)
{
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "faxterm", "--faxterm-call", "--faxterm-send",
                                       File("page.tif"), "--faxterm-id", "+1 555 0199"}));
    std::vector<std::string> lines;
    const int status =
        TimedCall("receive", {"receive", "--port", File("ttyA"), "--dir", File("rx"), "--class", "1", "--once"}, lines);
    EXPECT_EQ(status, 0) << Joined(lines);
    const std::string stored = File("rx") + "/FAX0001.APF";
    EXPECT_NE(Joined(lines).find("Received: " + stored + "\n"), std::string::npos) << Joined(lines);
    EXPECT_NE(Joined(lines).find("Receive " + stored + " from +1 555 0199 started at "), std::string::npos)
        << Joined(lines);
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_b_to_a"), "1") << result;
    EXPECT_EQ(InkedRows(ApfPage(stored)), InkedRows(page_));
}

TEST_F(VelloraCall, EfaxSendsToVelloraOverClass1)
{
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "class1"}));
    const auto start = std::chrono::steady_clock::now();
    auto cli = Cli({"receive", "--port", File("ttyB"), "--dir", File("rx"), "--class", "1", "--once"});
    auto sender = Efax('a', {"-o1", "-l", "+1 555 0101", "-h", " ", "-t", "102", File("page.tif")});
    std::vector<std::string> lines;
    const int status = CliLines(*cli, lines);
    std::cout << "efax to vellora call: " << SecondsSince(start) << " s\n" << Joined(lines);
    EXPECT_EQ(EfaxStatus(*sender), 0);
    EXPECT_EQ(status, 0) << Joined(lines);
    const std::string stored = File("rx") + "/FAX0001.APF";
    EXPECT_NE(Joined(lines).find("Received: " + stored + "\n"), std::string::npos) << Joined(lines);
    EXPECT_EQ(JsonField(CallResult(), "result"), "completed");
    EXPECT_EQ(InkedRows(ApfPage(stored)), InkedRows(page_));
}

TEST_F(VelloraCall, SendsToEfaxOverClass1)
{
    const std::string apf = PageApf();
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "class1", "--b", "class1"}));
    auto receiver = Efax('b', {"-o1", "-l", "+1 555 0102", "-r", File("rx")});
    std::vector<std::string> lines;
    const int status = TimedCall("vellora to efax",
                                 {"send", "--port", File("ttyA"), "--number", "102", "--class", "1", "--bps", "14400", apf},
                                 lines);
    EXPECT_EQ(status, 0) << Joined(lines);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Sent");
    EXPECT_EQ(EfaxStatus(*receiver), 0);
    EXPECT_EQ(JsonField(CallResult(), "result"), "completed");
    EXPECT_EQ(InkedRows(ReadFaxTiff(File("rx.001"))), InkedRows(ApfPage(apf)));
}

TEST_F(VelloraCall, VelloraToVelloraOverClass1)
{
    const std::string apf = PageApf();
    const std::string stored = VelloraToVellora('a', "class1", "1", {"--bps", "9600", apf});
    EXPECT_EQ(InkedRows(ApfPage(stored)), InkedRows(ApfPage(apf)));
}

// Both offer MMR with error correction: the pages go in frames (at 9600: the
// line's modems hear frames at page speed only after long training). The
// fine cover and the normal body need a new negotiation between them (EOM).
TEST_F(VelloraCall, VelloraToVelloraOverClass1InMmrWithErrorCorrection)
{
    const std::string cover = PageApf(true, "COVER.APF");
    const std::string body = PageApf(false, "BODY.APF");
    const std::string stored =
        VelloraToVellora('a', "class1", "1", {"--ecm", "--bps", "9600", "--cover", cover, body}, {"--ecm"});
    EXPECT_EQ(JsonField(result_, "ecm"), "true");
    EXPECT_EQ(InkedRows(ApfPage(stored, 1)), InkedRows(ApfPage(cover)));
    EXPECT_EQ(InkedRows(ApfPage(stored, 2)), InkedRows(ApfPage(body)));
}

// The other way round, end B calling end A, with a fine cover before a
// normal page: the receiver takes the new negotiation after EOM and stores
// each page at its own resolution.
TEST_F(VelloraCall, VelloraToVelloraTheOtherWayWithAFineCover)
{
    const std::string cover = PageApf(true, "COVER.APF");
    const std::string body = PageApf(false, "BODY.APF");
    const std::string stored = VelloraToVellora('b', "class1", "1", {"--bps", "14400", "--cover", cover, body});
    const std::string info = InfoJson(stored);
    EXPECT_NE(info.find("\"page_count\":2"), std::string::npos) << info;
    EXPECT_NE(info.find("{\"page\":1,\"fine\":true"), std::string::npos) << info;
    EXPECT_NE(info.find("{\"page\":2,\"fine\":false"), std::string::npos) << info;
    EXPECT_EQ(InkedRows(ApfPage(stored, 1)), InkedRows(ApfPage(cover)));
    EXPECT_EQ(InkedRows(ApfPage(stored, 2)), InkedRows(ApfPage(body)));
}

struct ModemClass {
    const char* endpoint;  // linesim's endpoint kind
    const char* option;    // vellora-cli's --class
};

class VelloraClass2Call : public VelloraCall, public ::testing::WithParamInterface<ModemClass> {};

// Both ends find the class by asking the modem. Without error correction
// the best coding both offer is MR.
TEST_P(VelloraClass2Call, OneNormalPageWithTheClassDetected)
{
    const std::string page = PageApf(false, "ONE.APF");
    const std::string stored = VelloraToVellora('a', GetParam().endpoint, "auto", {"--bps", "14400", page});
    EXPECT_EQ(JsonField(result_, "coding"), "MR");
    EXPECT_EQ(JsonField(result_, "ecm"), "false");
    const std::string info = InfoJson(stored);
    EXPECT_NE(info.find("\"page_count\":1,\"pages\":[{\"page\":1,\"fine\":false"), std::string::npos) << info;
    EXPECT_EQ(InkedRows(ApfPage(stored)), InkedRows(ApfPage(page)));
}

// Three pages, the first normal and the others fine: the modem is told the
// new resolution between the first and the second.
TEST_P(VelloraClass2Call, NormalThenFinePages)
{
    const std::string normal = PageApf(false, "NORMAL.APF");
    const std::string fine = PageApf(true, "FINE.APF");
    const std::string stored =
        VelloraToVellora('a', GetParam().endpoint, GetParam().option, {"--bps", "14400", normal, fine, fine});
    const std::string info = InfoJson(stored);
    EXPECT_NE(info.find("\"page_count\":3"), std::string::npos) << info;
    EXPECT_NE(info.find("{\"page\":1,\"fine\":false"), std::string::npos) << info;
    EXPECT_NE(info.find("{\"page\":2,\"fine\":true"), std::string::npos) << info;
    EXPECT_NE(info.find("{\"page\":3,\"fine\":true"), std::string::npos) << info;
    EXPECT_EQ(InkedRows(ApfPage(stored, 1)), InkedRows(ApfPage(normal)));
    EXPECT_EQ(InkedRows(ApfPage(stored, 2)), InkedRows(ApfPage(fine)));
    EXPECT_EQ(InkedRows(ApfPage(stored, 3)), InkedRows(ApfPage(fine)));
}

// With error correction on both ends the page goes in MMR, and the one
// that asks for MH alone gets it.
TEST_P(VelloraClass2Call, FinePagesInMmrWithErrorCorrectionAndInMhWhenAskedFor)
{
    const std::string fine = PageApf(true, "FINE.APF");
    const struct {
        std::vector<std::string> sendArgs;
        std::vector<std::string> receiveArgs;
        const char* coding;
    } cases[] = {
        {{"--ecm", "--bps", "14400", fine}, {"--ecm"}, "MMR"},
        {{"--ecm", "--bps", "14400", fine}, {"--ecm", "--coding", "mh"}, "MH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.coding);
        const std::string stored =
            VelloraToVellora('a', GetParam().endpoint, GetParam().option, c.sendArgs, c.receiveArgs);
        EXPECT_EQ(JsonField(result_, "coding"), c.coding);
        EXPECT_EQ(JsonField(result_, "ecm"), "true");
        EXPECT_EQ(InkedRows(ApfPage(stored)), InkedRows(ApfPage(fine)));
        std::filesystem::remove_all(File("rx"));
    }
}

INSTANTIATE_TEST_SUITE_P(Classes, VelloraClass2Call,
                         ::testing::Values(ModemClass{"class2", "2"}, ModemClass{"class2.0", "2.0"}),
                         [](const auto& info) { return std::string(info.param.option[1] ? "Class20" : "Class2"); });

}  // namespace
}  // namespace vl::test
