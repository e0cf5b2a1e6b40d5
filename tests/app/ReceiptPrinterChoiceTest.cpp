#include "app/ReceiptPrinterChoice.h"

#include <gtest/gtest.h>

#include "app/Settings.h"

namespace vl::app {
namespace {

using Printers = std::vector<std::string>;

// A chooser that records whether it was asked and answers `pick`.
struct Chooser {
    std::optional<int> pick;
    int asked = 0;
    PrinterChooser Fn()
    {
        return [this](const Printers&) {
            ++asked;
            return pick;
        };
    }
};

TEST(ReceiptPrinterChoice, InitialSelectionSkipsOurOwnFaxPrinterWhenThereAreOthers)
{
    EXPECT_EQ(InitialPrinterSelection({}), -1);
    EXPECT_EQ(InitialPrinterSelection({"Office"}), 0);
    EXPECT_EQ(InitialPrinterSelection({"Office", "vellora fax"}), 0);
    EXPECT_EQ(InitialPrinterSelection({"vellora fax"}), 0);
    EXPECT_EQ(InitialPrinterSelection({"My VeLLoRa", "Office", "Lab"}), 2);
}

TEST(ReceiptPrinterChoice, OurOwnFaxPrinterIsNoReceiptPrinter)
{
    EXPECT_EQ(ReceiptPrinterCandidates({"Vellora Fax", "Office Laser", "my-vellora-pdf", "Lab"}),
              (std::vector<std::string>{"Office Laser", "Lab"}));
}

TEST(ReceiptPrinterChoice, NoPrintersFailsAndOnlyTellsAPerson)
{
    Chooser c;
    const auto asked = ChooseReceiptPrinter({}, -1, "Office", true, c.Fn());
    EXPECT_FALSE(asked.ok);
    EXPECT_EQ(asked.message, kNoPrintersText);
    const auto quiet = ChooseReceiptPrinter({}, -1, "Office", false, c.Fn());
    EXPECT_FALSE(quiet.ok);
    EXPECT_TRUE(quiet.message.empty());
    EXPECT_EQ(c.asked, 0);
}

TEST(ReceiptPrinterChoice, TheCurrentPrinterServesEvenWhenItIsTheFirst)
{
    Chooser c;
    // A single real printer is first in the list; it must not need asking for.
    const auto r = ChooseReceiptPrinter({"Office"}, 0, kDefaultPrinterName, false, c.Fn());
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.printer, 0);
    EXPECT_EQ(ChooseReceiptPrinter({"Office", "Lab"}, 1, "Office", false, c.Fn()).printer, 1);
    EXPECT_EQ(c.asked, 0);
}

TEST(ReceiptPrinterChoice, TheStoredPrinterReplacesOurFaxPrinterOrNone)
{
    Chooser c;
    const Printers list{"Vellora Fax", "Office", "Lab"};
    auto r = ChooseReceiptPrinter(list, 0, "Lab", false, c.Fn());
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.printer, 2);
    r = ChooseReceiptPrinter(list, -1, "Office", false, c.Fn());
    EXPECT_EQ(r.printer, 1);
    // Names match exactly, as the printer list spells them.
    EXPECT_FALSE(ChooseReceiptPrinter(list, -1, "office", false, c.Fn()).ok);
    // The stored name is our fax printer: no better than none.
    EXPECT_FALSE(ChooseReceiptPrinter(list, 0, "Vellora Fax", false, c.Fn()).ok);
    EXPECT_EQ(c.asked, 0);
}

TEST(ReceiptPrinterChoice, APersonIsAskedWhenNothingElseServes)
{
    const Printers list{"Vellora Fax", "Office"};
    Chooser c{1};
    auto r = ChooseReceiptPrinter(list, 0, "Gone", true, c.Fn());
    EXPECT_EQ(c.asked, 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.printer, 1);

    Chooser cancelled{std::nullopt};
    r = ChooseReceiptPrinter(list, 0, "Gone", true, cancelled.Fn());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.empty());

    Chooser wild{7};
    EXPECT_FALSE(ChooseReceiptPrinter(list, 0, "Gone", true, wild.Fn()).ok);

    // Picking our own fax printer on purpose is allowed.
    Chooser own{0};
    EXPECT_TRUE(ChooseReceiptPrinter(list, 0, "Gone", true, own.Fn()).ok);
}

}  // namespace
}  // namespace vl::app
