#pragma once
// Golden text files for the HTML engine's tests: the expected dump lives beside the page in
// tests/fixtures/html. With VEXLO_UPDATE_GOLDEN set the files are rewritten instead (review
// the difference before committing it).
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "test_support.h"

inline std::string read_fixture(const std::string& relative) {
    std::string bytes;
    EXPECT_TRUE(platform::read_file(testing_support::fixture(relative), bytes)) << relative;
    return bytes;
}

inline void expect_golden(const std::string& actual, const std::string& relative) {
    const std::string path = testing_support::fixture(relative);
    if (!platform::environment_variable("VEXLO_UPDATE_GOLDEN").empty()) {
        platform::write_file(path, actual);
        return;
    }
    std::string expected;
    ASSERT_TRUE(platform::read_file(path, expected)) << "missing golden file " << relative;
    EXPECT_EQ(actual, expected) << "golden file " << relative;
}
