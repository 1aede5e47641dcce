#include "platform/file_filter.h"

#include <gtest/gtest.h>

namespace tobrisk {
namespace {

std::vector<std::string> texts(const std::vector<NameFilter>& filters) {
    std::vector<std::string> out;
    for (const auto& f : filters) out.push_back(f.text());
    return out;
}

TEST(FileFilter, AllFilesMatchesNamesWithoutADotWhereTheyExist) {
    const std::string data = "Tobrisk Data (*.dat)|*.dat|All Files (*.*)|*.*";
    EXPECT_EQ(texts(parseFileFilter(data, true)),
              (std::vector<std::string>{"Tobrisk Data (*.dat)", "All Files (*)"}));
    EXPECT_EQ(texts(parseFileFilter(data, false)),
              (std::vector<std::string>{"Tobrisk Data (*.dat)", "All Files (*.*)"}));
}

TEST(FileFilter, OddFilterStrings) {
    const struct {
        const char* filter;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {}},
        {"Lonely name", {}},  // a name without patterns is not a filter
        {"Texts|*.txt;*.log", {"Texts (*.txt *.log)"}},
        {"Both (*.a;*.*)|*.a; *.*|Trailing", {"Both (*.a *)"}},
        {"|*.dat", {"*.dat (*.dat)"}},
        {"Nothing|", {"Nothing (*)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(texts(parseFileFilter(c.filter, true)), c.expected);
    }
}

}  // namespace
}  // namespace tobrisk
