#include "fax/ReceiveFaxFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/ErrorCodes.h"
#include "faxdoc/ApfReader.h"
#include "faxdoc/IoErrors.h"
#include "support/TestSupport.h"

namespace vl::fax {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::time_t kWhen = 1'700'000'000;

Bytes Pattern(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

class ReceiveFaxFileTest : public ::testing::Test {
protected:
    std::string Name() const { return dir_.folder() + "FAX0001.APF"; }

    void Page(const Bytes& bytes, bool fine = false, bool wide = false) {
        ASSERT_EQ(file_.BeginPage(fine, wide), 0);
        ASSERT_EQ(file_.Write(bytes), 0);
    }

    // The image data of every page the file's header counts, read back by the
    // APF reader; the file must hold nothing after the last of them.
    std::vector<Bytes> StoredPages(std::vector<std::uint16_t>* flags = nullptr) const {
        faxdoc::ApfReader reader;
        std::vector<Bytes> pages;
        if (reader.Open(Name()) != 0) return {{0xBA, 0xD0}};
        std::uintmax_t size = faxdoc::kApfHeaderSize;
        for (unsigned p = 1; p <= reader.Header().pageCount; ++p) {
            faxdoc::ApfPage page;
            if (reader.ReadPage(p, page) != 0) return {{0xBA, 0xD1}};
            if (flags) flags->push_back(page.header.imageFlags);
            size += faxdoc::kApfPageHeaderSize + page.imageData.size();
            pages.push_back(std::move(page.imageData));
        }
        EXPECT_EQ(std::filesystem::file_size(Name()), size) << "nothing after the last page";
        return pages;
    }

    vl::test::TempDir dir_;
    ReceiveFaxFile file_;
};

TEST_F(ReceiveFaxFileTest, ABadPageIsCutAndTheFileHoldsExactlyTheGoodPages) {
    vl::test::WriteFile(Name(), std::string(50000, 'x'));  // an older file of the same name
    const Bytes first = Pattern(10000, 1);                 // more than the 4096-byte buffer
    const Bytes second = Pattern(300, 2);
    const Bytes third = Pattern(50, 3);
    ASSERT_EQ(file_.Create(Name(), "REMOTE", kWhen), 0);
    Page(first, true, false);
    ASSERT_EQ(file_.CompletePage("+1 555 0100", kWhen), 0);
    Page(second, false, true);
    ASSERT_EQ(file_.CompletePage("+1 555 0100", kWhen), 0);
    Page(Pattern(5000, 9));
    ASSERT_EQ(file_.RemovePage(), 0);
    EXPECT_EQ(file_.PageCount(), 2);
    EXPECT_EQ(file_.NextPageNumber(), 3u) << "the page after a removed one takes its number";
    Page(third);
    ASSERT_EQ(file_.CompletePage("+1 555 0100", kWhen), 0);
    ASSERT_EQ(file_.Close(), 0);

    std::vector<std::uint16_t> flags;
    EXPECT_EQ(StoredPages(&flags), (std::vector<Bytes>{first, second, third}));
    EXPECT_EQ(flags, (std::vector<std::uint16_t>{faxdoc::ifHighResolution, faxdoc::ifWide, 0}));
    faxdoc::ApfFileHeader header;
    ASSERT_EQ(faxdoc::ApfReadHeader(Name(), header), 0);
    EXPECT_EQ(header.stationId, "+1 555 0100         ");
    EXPECT_EQ(header.dateTime, faxdoc::DosDateTimeOf(kWhen));
}

TEST_F(ReceiveFaxFileTest, AFailedCallKeepsOnlyCompletedPages) {
    ASSERT_EQ(file_.Create(Name(), "CALLER", kWhen), 0);
    Page(Pattern(9000, 1));
    file_.Abandon();
    EXPECT_FALSE(file_.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(Name())) << "no page complete, no file";
    {
        ReceiveFaxFile dropped;
        ASSERT_EQ(dropped.Create(Name(), "CALLER", kWhen), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(Name())) << "destruction abandons the file";

    const Bytes good = Pattern(1234, 5);
    ASSERT_EQ(file_.Create(Name(), "CALLER", kWhen), 0);
    Page(good);
    ASSERT_EQ(file_.CompletePage("CALLER", kWhen), 0);
    Page(Pattern(6000, 6));
    file_.Abandon();
    EXPECT_EQ(StoredPages(), std::vector<Bytes>{good}) << "the part page is dropped";
}

TEST_F(ReceiveFaxFileTest, OperationsOutOfTurn) {
    EXPECT_EQ(file_.BeginPage(false, false), faxdoc::ecInvalidFileHandle);
    EXPECT_EQ(file_.Create(dir_.folder() + "NO/SUCH/FAX.APF", "", kWhen), base::ecPathNotFound);
    ASSERT_EQ(file_.Create(Name(), "", kWhen), 0);
    EXPECT_EQ(file_.Write(Bytes{1}), base::ecBadArgument);
    EXPECT_EQ(file_.CompletePage("", kWhen), base::ecBadArgument);
    EXPECT_EQ(file_.RemovePage(), base::ecBadArgument);
    ASSERT_EQ(file_.BeginPage(false, false), 0);
    EXPECT_EQ(file_.BeginPage(false, false), base::ecBadArgument);
}

}  // namespace
}  // namespace vl::fax
