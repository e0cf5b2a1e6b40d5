// Running a phone book reader in a test: one that must read, one that must refuse.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "app/PhoneBookEntry.h"
#include "base/ErrorCodes.h"

namespace vl::app {

template <typename Reader>
PhoneBookRows MustRead(Reader read, std::string_view bytes) {
    PhoneBookRows rows;
    std::string error;
    EXPECT_EQ(read(bytes, rows, error), base::ecOK) << error;
    return rows;
}

template <typename Reader>
void ExpectRefused(Reader read, std::string_view bytes) {
    PhoneBookRows rows;
    std::string error;
    EXPECT_EQ(read(bytes, rows, error), base::ecBadArgument) << bytes;
    EXPECT_NE(error, "") << bytes;
    EXPECT_TRUE(rows.entries.empty()) << bytes;
}

}  // namespace vl::app
