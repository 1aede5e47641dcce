// The command-line front end's history store: lines kept byte for byte in one buffer, the
// newest compared in place.
#include "exprwin/line_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exprwin/expression_controller.h"
#include "exprwin/text_surface.h"
#include "platform/fakes.h"

namespace tobrisk {
namespace {

TEST(LineHistory, KeepsEveryLineWhileTheBufferGrows) {
    // Empty lines, Windows-1252 bytes, a NUL and lines past any short-string size, many times
    // over so the buffer moves.
    const std::vector<std::string> shapes = {"",
                                             "1+1",
                                             std::string("a\0b", 3),
                                             "\xE7 = 2",
                                             std::string(300, '9') + "+1",
                                             "sqrt(2)*pi/7"};
    LineHistory h;
    std::vector<std::string> expected;
    for (int round = 0; round < 200; ++round) {
        for (const std::string& s : shapes) {
            h.push_back(s + std::to_string(round % 3 == 0 ? round : 0));
            expected.push_back(s + std::to_string(round % 3 == 0 ? round : 0));
        }
    }
    ASSERT_EQ(h.size(), expected.size());
    EXPECT_EQ(h.toVector(), expected);
    EXPECT_EQ(h.back(), expected.back());
    EXPECT_EQ(h[2], expected[2]);

    h.clear();
    EXPECT_TRUE(h.empty());
    h.push_back("");
    EXPECT_EQ(h.toVector(), std::vector<std::string>{""});
}

TEST(LineHistory, ARepeatedLineIsAddedOnceAndAnEarlierOneAgain) {
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{0};
    AppServices services{alerts, dialogs, clock, {}, "/tmp/", "/tmp/"};
    DataRecord record;
    record.fillNew(NewRecordContext{});
    TextSurface surface;
    ExpressionController controller(record, services, surface);
    controller.start();
    const std::string longLine = "123456789+123456789+123456789";
    const std::string nearLine = "123456789+123456789+123456780";
    for (const std::string& line :
         {longLine, longLine, std::string("2+2"), longLine, longLine, nearLine}) {
        surface.setEntryText(line);
        controller.calculateLine(false);
    }
    EXPECT_EQ(surface.history(), (std::vector<std::string>{longLine, "2+2", longLine, nearLine}));
}

}  // namespace
}  // namespace tobrisk
