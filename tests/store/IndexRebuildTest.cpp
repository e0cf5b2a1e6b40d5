#include "store/IndexRebuild.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/FaxTableFixture.h"

namespace vl::store {
namespace {

using test::AddIn;
using test::AddName;
using test::AddOut;
using test::Column;
using test::MustOpen;
using test::TagNames;
using test::TempDir;

using Names = std::vector<std::string>;

struct Recorded {
    std::vector<std::string> events;  // labels, and "0" each time the gauge returns to 0
    int lastPercent = 0;
    bool outOfRange = false;

    RebuildReport Report() {
        RebuildReport r;
        r.label = [this](const std::string& label) { events.push_back(label); };
        r.progress = [this](int percent) {
            if (percent < 0 || percent > 100) outOfRange = true;
            if (percent == 0 && (events.empty() || events.back() != "0")) events.push_back("0");
            lastPercent = percent;
        };
        return r;
    }
};

TEST(IndexRebuildTest, PacksEveryTableAndBuildsAllTagsIncludingDatend) {
    TempDir dir;
    const std::string folder = dir.folder();
    auto out = MustOpen(OpenOrCreateOutgoing(folder, std::string(kHideArchivedAtStart)));
    auto in = MustOpen(OpenOrCreateIncoming(folder));
    {
        auto pb = MustOpen(OpenOrCreatePhoneBook(folder, false));
        AddName(*pb, "keep");
        AddName(*pb, "drop");
        pb->Delete();
    }
    AddOut(*out, {"gone", "20240101", "10:00"});
    out->Delete();
    AddOut(*out, {"older", "20240102", "10:00"});
    AddOut(*out, {"newer", "20240103", "10:00"});
    AddIn(*in, "20240101", "10:00", "stays");
    out->SetOrder(out->TagNumber("SUBJECT"));
    in->SetOrder(0);

    Recorded seen;
    RebuildIndexes(*out, *in, folder, seen.Report());

    EXPECT_EQ(seen.events, (Names{"Removing FAX file records marked for deletion", "0",
                                  "Rebuilding FAX file indexes", "0",
                                  "Removing RECEIVE file records marked for deletion", "0",
                                  "Rebuilding RECEIVE file indexes", "0",
                                  "Removing PHONE file records marked for deletion", "0",
                                  "Rebuilding PHONE file indexes", "0"}));
    EXPECT_FALSE(seen.outOfRange);
    EXPECT_EQ(TagNames(*out), (Names{"DATESENT", "SUBJECT", "RECIPIENT", "CODES", "ARCHIVED", "DATEND"}));
    EXPECT_EQ(TagNames(*in), (Names{"DATETIME", "FROM", "ARCHIVED", "DATEND"}));
    EXPECT_EQ(out->RecCount(), 2u);
    EXPECT_EQ(out->Order(), out->TagNumber("SUBJECT"));  // the remembered order
    EXPECT_EQ(in->Order(), 0);
    EXPECT_EQ(out->Filter(), kHideArchivedAtStart);
    out->SetOrder(out->TagNumber("DATEND"));
    EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"older", "newer"}));

    // The phone book was closed again: it opens exclusively, packed, with DATEND-free tags.
    auto pb = MustOpen(OpenOrCreatePhoneBook(folder, true));
    EXPECT_EQ(pb->RecCount(), 1u);
    EXPECT_EQ(TagNames(*pb), (Names{"NAME"}));

    // The tags reached the index files.
    out->Close();
    auto reopened = MustOpen(OpenOrCreateOutgoing(folder, ""));
    EXPECT_EQ(TagNames(*reopened).back(), "DATEND");
}

TEST(IndexRebuildTest, WorksWithoutIndexFilesAndSkipsABusyPhoneBook) {
    TempDir dir;
    const std::string folder = dir.folder();
    auto out = MustOpen(OpenOrCreateOutgoing(folder, ""));
    auto in = MustOpen(OpenOrCreateIncoming(folder));
    auto pb = MustOpen(OpenOrCreatePhoneBook(folder, false));  // held by a window
    AddOut(*out, {"one", "", ""});
    out->CloseIndexes();
    std::filesystem::remove(folder + "VLOUT.CDX");
    in->CloseIndexes();
    std::filesystem::remove(folder + "VLREC.CDX");

    Recorded seen;
    RebuildIndexes(*out, *in, folder, seen.Report());
    EXPECT_EQ(TagNames(*out).size(), 6u);
    EXPECT_EQ(TagNames(*in).size(), 4u);
    EXPECT_TRUE(std::filesystem::exists(folder + "VLOUT.CDX"));
    EXPECT_TRUE(std::filesystem::exists(folder + "VLREC.CDX"));
    EXPECT_EQ(seen.events.size(), 8u);  // nothing for the phone book
    EXPECT_EQ(Column(*out, "SUBJECT"), (Names{"one"}));
}

TEST(IndexRebuildTest, AnIndexFileInAnotherLetterCaseIsReplacedToo) {
    TempDir dir;
    const std::string folder = dir.folder();
    {
        auto out = MustOpen(OpenOrCreateOutgoing(folder, ""));
        out->Close();
    }
    std::filesystem::rename(folder + "VLOUT.CDX", folder + "vlout.cdx");
    auto out = MustOpen(OpenOrCreateOutgoing(folder, ""));
    auto in = MustOpen(OpenOrCreateIncoming(folder));
    RebuildIndexes(*out, *in, folder, {});
    EXPECT_EQ(TagNames(*out).size(), 6u);
    int indexFiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().find("cdx") != std::string::npos ||
            entry.path().filename().string().find("CDX") != std::string::npos)
            ++indexFiles;
    EXPECT_EQ(indexFiles, 3);  // one per table, no stale copy
}

}  // namespace
}  // namespace vl::store
