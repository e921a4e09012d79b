#include "ui/shared_view.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

// Every window relies on the shared view as on a scroll bar: a change is announced once, the
// length first, and the frame never lies outside the recording.
TEST(SharedViewTest, AnnouncesOnlyRealChangesAndKeepsTheFrameInTheRecording) {
    DisplaySettings settings;
    SharedView view(settings);
    QStringList events;
    QObject::connect(&view, &SharedView::lengthChanged,
                     [&](int length) { events << QStringLiteral("length %1").arg(length); });
    QObject::connect(&view, &SharedView::frameChanged,
                     [&](int frame) { events << QStringLiteral("frame %1").arg(frame); });
    struct Step {
        bool length; // SetLength, else SetFrame
        int value;
        QStringList expected;
        int frame;
    };
    const Step steps[] = {
        {false, 5, {}, 1},
        {true, 10, {"length 10"}, 1},
        {false, 12, {"frame 10"}, 10},
        {false, 10, {}, 10},
        {true, 4, {"length 4", "frame 4"}, 4},
        {true, 4, {}, 4},
        {true, 8, {"length 8"}, 4},
        {false, 0, {"frame 1"}, 1},
        {true, 0, {"length 1"}, 1},
    };
    for (const Step& step : steps) {
        events.clear();
        if (step.length)
            view.SetLength(step.value);
        else
            view.SetFrame(step.value);
        EXPECT_EQ(events, step.expected) << step.length << " " << step.value;
        EXPECT_EQ(view.Frame(), step.frame) << step.length << " " << step.value;
    }
}

} // namespace
} // namespace qv::test
