#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

// A message as the command prints it: every line of it after the prefix,
// each line ended by one line break.
std::string Printed(std::string_view message, std::string_view prefix = "");

// Names a row of a test table after its title.
struct TitleOf {
    template <typename Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.title;
    }
};
