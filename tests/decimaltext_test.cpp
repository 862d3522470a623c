#include "decimaltext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

namespace tavrel {
namespace {

TEST(DecimalText, WrittenLikePrintfInTheCLocaleWhateverTheUserLocale) {
    // The C library's "%f" in the C locale is the reference, written down
    // before a locale with a decimal comma is put in place.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const std::vector<double> values = {0.0,
                                        -0.0,
                                        0.0000005,
                                        0.0000015,
                                        25.0583333333,
                                        -74.0083333333,
                                        121.5041666666,
                                        199.9999995,
                                        1e20,
                                        -123456789.987654321};
    std::vector<std::string> expected;
    for (const double value : values) {
        char text[400];
        std::snprintf(text, sizeof text, "%f", value);
        expected.emplace_back(text);
    }
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(FormatFixed6(values[i]), expected[i]);
    }
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace tavrel
