// "Rebuild Indexes": the window packs all three tables, builds every tag
// afresh (the rebuild-only DATEND too), moves its gauge from 0 for every
// step, and closes itself.
#include "ui/RebuildInd.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <filesystem>

#include "ModalDriver.h"
#include "store/FaxTables.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using store::FaxTableKind;

std::vector<std::string> TagNames(const store::Table& table)
{
    std::vector<std::string> names;
    for (const store::TagInfo& tag : table.Tags())
        names.push_back(tag.name);
    return names;
}

std::vector<std::string> DefinedTags(FaxTableKind kind)
{
    std::vector<std::string> names;
    for (const store::FaxTag& tag : store::FaxTableDefinition(kind).tags)
        names.push_back(tag.name);
    return names;
}

// `count` records with a text in `field`, every third one marked deleted.
void Fill(store::Table& table, const char* field, int count)
{
    for (int i = 0; i < count; ++i) {
        table.AppendBlank();
        table.SetText(field, "entry " + std::to_string(i));
        table.Post();
        if (i % 3 == 0)
            table.Delete();
    }
}

TEST(RebuildInd, PacksAndBuildsEveryTagWithAMovingGaugeAndClosesItself)
{
    TempDir dir;
    auto outgoing = store::OpenOrCreateOutgoing(dir.folder(), ".not. archived").table;
    auto incoming = store::OpenOrCreateIncoming(dir.folder()).table;
    ASSERT_TRUE(outgoing && incoming);
    Fill(*outgoing, "SUBJECT", 300);
    Fill(*incoming, "FROM", 30);
    {
        auto phoneBook = store::OpenOrCreatePhoneBook(dir.folder(), true).table;
        Fill(*phoneBook, "NAME", 9);
    }
    outgoing->SetOrder(outgoing->TagNumber("SUBJECT"));
    // Without its index file a table is still packed and gets every tag.
    incoming->CloseIndexes();
    std::filesystem::remove(incoming->IndexPath());

    ui::RebuildInd window(*outgoing, *incoming, dir.folder());
    EXPECT_EQ(window.windowTitle(), "Rebuild Indexes");
    std::vector<int> gauge;
    QObject::connect(Child<QProgressBar>(window, "Gauge"), &QProgressBar::valueChanged,
                     [&](int value) { gauge.push_back(value); });
    window.Start();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Failure());
    EXPECT_EQ(Child<QLabel>(window, "Label")->text(), "Rebuilding PHONE file indexes");

    EXPECT_EQ(outgoing->RecCount(), 200u);
    EXPECT_EQ(incoming->RecCount(), 20u);
    EXPECT_EQ(TagNames(*outgoing), DefinedTags(FaxTableKind::Outgoing));
    EXPECT_EQ(TagNames(*incoming), DefinedTags(FaxTableKind::Incoming));
    EXPECT_EQ(outgoing->Order(), outgoing->TagNumber("SUBJECT"));
    auto phoneBook = store::OpenOrCreatePhoneBook(dir.folder(), true).table;
    EXPECT_EQ(phoneBook->RecCount(), 6u);
    EXPECT_EQ(TagNames(*phoneBook), DefinedTags(FaxTableKind::PhoneBook));

    // Back to 0 at least before each of the six steps (pack and build, three
    // tables), and every time on its way up to the end.
    int returns = 0;
    bool between = false;
    for (std::size_t i = 1; i < gauge.size(); ++i) {
        returns += gauge[i] == 0 && gauge[i - 1] > 0;
        between = between || (gauge[i] > 0 && gauge[i] < 100);
    }
    EXPECT_GE(returns, 6);
    EXPECT_TRUE(between);
    EXPECT_EQ(*std::max_element(gauge.begin(), gauge.end()), 100);
}

TEST(RebuildInd, AFailureIsThrownOnceTheWindowHasClosed)
{
    TempDir dir;
    auto outgoing = store::OpenOrCreateOutgoing(dir.folder(), "").table;
    auto incoming = store::OpenOrCreateIncoming(dir.folder()).table;
    ASSERT_TRUE(outgoing && incoming);
    // Packing needs the table to itself.
    const std::string incomingPath = incoming->Path();
    incoming->Close();
    incoming = store::Table::Open(incomingPath, store::OpenMode::Shared);
    EXPECT_THROW(ui::RebuildInd::Run(*outgoing, *incoming, dir.folder(), nullptr), store::EStoreError);
}

}  // namespace
}  // namespace vl::test
