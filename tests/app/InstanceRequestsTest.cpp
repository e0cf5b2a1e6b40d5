#include "app/InstanceRequests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl::app {
namespace {

TEST(InstanceRequests, ActivateLinesCountHoweverTheBytesArrive)
{
    InstanceRequestReader reader;
    EXPECT_EQ(reader.Feed("acti").activations, 0);
    EXPECT_EQ(reader.Feed("vate\nactivate\nactiv").activations, 2);
    EXPECT_EQ(reader.Feed("ate\n").activations, 1);
    // Other lines, and "activate" with a carriage return, are not requests.
    const auto other = reader.Feed("raise\nACTIVATE\nactivate\r\n\n");
    EXPECT_EQ(other.activations, 0);
    EXPECT_FALSE(other.refused);
}

TEST(InstanceRequests, ImportLinesAreCountedApartFromActivations)
{
    InstanceRequestReader reader;
    const auto r = reader.Feed("import\nactivate\nimport now\nimp");
    EXPECT_EQ(r.imports, 1);
    EXPECT_EQ(r.activations, 1);
    EXPECT_EQ(reader.Feed("ort\n").imports, 1);
}

TEST(InstanceRequests, ViewLinesCarryAnAbsolutePath)
{
    InstanceRequestReader reader;
    const auto r = reader.Feed(ViewRequestLine("/home/ann/FAX 0001.APF") + "view relative.APF\nview \nview /x");
    EXPECT_EQ(r.views, std::vector<std::string>{"/home/ann/FAX 0001.APF"});
    EXPECT_EQ(r.activations, 0);
    EXPECT_EQ(reader.Feed(".APF\n").views, std::vector<std::string>{"/x.APF"});

    EXPECT_EQ(ViewRequestLine("/a/b.apf"), "view /a/b.apf\n");
    for (const std::string& bad : {std::string("b.apf"), std::string(""), std::string("/a\nb.apf"),
                                   "/" + std::string(kMaxRequestLine, 'x')})
        EXPECT_EQ(ViewRequestLine(bad), "") << bad.size();
}

TEST(InstanceRequests, ALineOverTheLimitIsRefusedForGood)
{
    const std::string longest(kMaxRequestLine - 1, 'x');
    InstanceRequestReader fits;
    EXPECT_FALSE(fits.Feed(longest + "\nactivate\n").refused);

    InstanceRequestReader tooLong;
    auto r = tooLong.Feed(std::string(kMaxRequestLine, 'x'));
    EXPECT_FALSE(r.refused) << "the line may still end here";
    r = tooLong.Feed("x");
    EXPECT_TRUE(r.refused);
    r = tooLong.Feed("\nactivate\n");
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.activations, 0);

    InstanceRequestReader inOne;
    r = inOne.Feed("activate\n" + std::string(kMaxRequestLine, 'y') + "\nactivate\n");
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.activations, 1);
}

}  // namespace
}  // namespace vl::app
